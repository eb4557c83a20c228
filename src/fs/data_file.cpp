#include "fs/data_file.h"

#include "fs/vfs.h"

#include <physfs.h>

#include <climits>
#include <cstdio>
#include <utility>

bool pathIsShifted(const std::string& path) { return path.find(".dat") != std::string::npos; }

std::string shiftBytes(const std::string& plain) {
    std::string out(plain);
    for (char& c : out) c = static_cast<char>((static_cast<unsigned char>(c) + BYTE_SHIFT) & 0xFF);
    return out;
}

std::string unshiftBytes(const std::string& stored) {
    std::string out(stored);
    for (char& c : out)
        c = static_cast<char>((static_cast<unsigned char>(c) + 256 - BYTE_SHIFT) & 0xFF);
    return out;
}

DataFile openRead(const std::string& path) {
    DataFile f;
    f.path = path;
    f.shifted = pathIsShifted(path);
    PHYSFS_File* h = PHYSFS_openRead(vfsPath(path).c_str());
    if (!h) return f;
    std::string bytes;
    const PHYSFS_sint64 length = PHYSFS_fileLength(h);
    if (length > 0) bytes.reserve(static_cast<size_t>(length));
    char buf[65536];
    for (;;) {
        PHYSFS_sint64 n = PHYSFS_readBytes(h, buf, sizeof buf);
        if (n <= 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    f.handle = h;
    f.data = f.shifted ? unshiftBytes(bytes) : std::move(bytes);
    return f;
}

DataFile openMemoryRead(const std::string& stored, const std::string& name) {
    DataFile f;
    f.path = name;
    f.shifted = pathIsShifted(name);
    f.memory = true;
    f.data = f.shifted ? unshiftBytes(stored) : stored;
    return f;
}

DataFile openWrite(const std::string& path) {
    DataFile f;
    f.path = path;
    f.shifted = pathIsShifted(path);
    f.writing = true;
    std::string vpath = vfsPath(path);
    size_t slash = vpath.rfind('/');
    if (slash != std::string::npos && slash > 0) PHYSFS_mkdir(vpath.substr(0, slash).c_str());
    f.tempPath = vpath + "~new";
    f.handle = PHYSFS_openWrite(f.tempPath.c_str());
    return f;
}

DataFile openMemoryWrite(const std::string& name) {
    DataFile f;
    f.path = name;
    f.shifted = pathIsShifted(name);
    f.memory = true;
    f.writing = true;
    return f;
}

bool closeFile(DataFile& file) {
    if (file.memory) {
        file.memory = false;
        return true;
    }
    if (!file.handle) return false;
    if (!PHYSFS_close(file.handle)) {
        std::printf("Couldn't close file %s. Reason: %s\n", file.path.c_str(), vfsLastError());
        return false;
    }
    file.handle = nullptr;
    if (!file.writing) return true;
    // The new text is complete on disk: only now does it replace the old file.
    if (file.writeFailed) {
        std::printf("Couldn't close file %s. Reason: %s\n", file.path.c_str(),
                    "not everything could be written; the old copy is kept");
        PHYSFS_delete(file.tempPath.c_str());
        return false;
    }
    if (file.modTime >= 0 && !vfsSetLastModified(file.tempPath, file.modTime)) {
        std::printf("Couldn't close file %s. Reason: %s\n", file.path.c_str(),
                    "its time could not be set; the old copy is kept");
        PHYSFS_delete(file.tempPath.c_str());
        return false;
    }
    if (!vfsReplace(file.tempPath, vfsPath(file.path))) {
        std::printf("Couldn't close file %s. Reason: %s\n", file.path.c_str(),
                    "the new copy could not replace the old one");
        PHYSFS_delete(file.tempPath.c_str());
        return false;
    }
    return true;
}

bool atEnd(const DataFile& file) { return file.pos >= file.data.size(); }

bool readToken(DataFile& file, std::string& out, bool stopAtSpace) {
    // Finds the token's extent first and copies it once: files of many
    // megabytes (a damaged settings file) are read at memory speed.
    const std::string& d = file.data;
    const size_t n = d.size();
    size_t p = file.pos;
    if (!stopAtSpace)
        while (p < n && d[p] == ' ') ++p;
    const size_t start = p;
    for (; p < n; ++p) {
        const unsigned char c = static_cast<unsigned char>(d[p]);
        if (c == 10 || c == 13) break;
        if (stopAtSpace && (c == 32 || c == 160)) break;
    }
    out.assign(d, start, p - start);
    if (p >= n) {
        file.pos = p;
        return !out.empty();
    }
    if (d[p++] == 13) {
        if (p >= n) {
            file.pos = p;
            return !out.empty();
        }
        if (d[p] == 10) ++p;
    }
    file.pos = p;
    return true;
}

bool readLine(DataFile& file, std::string& out) { return readToken(file, out, false); }

bool readValue(DataFile& file, std::string& out) {
    for (;;) {
        if (!readToken(file, out, true)) return false;
        if (out.size() >= 2 && ((out[0] == '#' && out[1] == '#') || (out[0] == '/' && out[1] == '/'))) {
            // A comment runs to the end of its line, whatever ended the token.
            file.pos = file.pos >= 2 ? file.pos - 2 : 0;
            std::string rest;
            readLine(file, rest);
            continue;
        }
        if (out.empty()) continue;
        if (out == "*Blank*") out.clear();
        return true;
    }
}

int parseInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
            break;
        }
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int readInt(DataFile& file) {
    std::string token;
    if (!readValue(file, token)) return 0;
    return parseInt(token);
}

bool writeText(int level, DataFile& file, const std::string& text) {
    if (text.empty() || !file.writing) return false;
    std::string out;
    out.reserve(text.size() + 16);
    bool atLineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            out += "\r\n";
            atLineStart = true;
            continue;
        }
        if (atLineStart && level != 0) {
            int n = i == 0 ? level - 1 : level;
            if (n > 0) out.append(static_cast<size_t>(4 * n), ' ');
        }
        out += c;
        atLineStart = false;
    }
    if (file.shifted) out = shiftBytes(out);
    if (file.memory) {
        file.data += out;
        return true;
    }
    if (!file.handle) return false;
    PHYSFS_sint64 n = PHYSFS_writeBytes(file.handle, out.data(), out.size());
    if (n != static_cast<PHYSFS_sint64>(out.size())) {
        file.writeFailed = true;
        return false;
    }
    return true;
}

bool writeString(const std::string& text, FileSystemPaths& paths, DataFile& file) {
    return writeText(paths.indentLevel, file, text);
}

std::string encodeText(const std::string& plain, bool shifted) {
    DataFile f = openMemoryWrite(shifted ? "x.dat" : "x.txt");
    writeText(0, f, plain);
    return f.data;
}
