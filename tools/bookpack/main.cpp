// bookpack: packs a book's XHTML pages and pictures into the zip archive the
// game mounts, reproducibly: the same inputs always give the same bytes.
//
//   bookpack OUT.zip CODE [--size BYTES] DIR [DIR...]
//
// Every regular file directly inside the DIRs goes into the archive under
// "en/xhtml/gs/CODE/", in byte order of the file names (a later DIR wins when
// two hold the same name). Timestamps are fixed, and each entry is deflated
// with fixed zlib settings or stored when deflating does not make it smaller.
//
// With --size the archive is filled up to exactly that many bytes by a last,
// stored "padding.txt" entry. The book catalogue names each archive's size and
// treats any other size as a damaged download; a fixed size keeps that number
// steady while the pictures are redrawn. Contents that no longer fit are an error.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 1 January 1980, 00:00:00: the earliest time a zip can carry, and never "now".
constexpr uint16_t FIXED_DOS_TIME = 0;
constexpr uint16_t FIXED_DOS_DATE = (0 << 9) | (1 << 5) | 1;

struct Entry {
    std::string name;  // path inside the archive
    std::string data;  // as stored (deflated or not)
    uint32_t crc = 0;  // of the original bytes
    uint32_t size = 0; // original size
    uint16_t method = 0;
    uint32_t offset = 0; // of its local header
};

void put16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

bool readFile(const fs::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return static_cast<bool>(in) || in.eof();
}

// Raw deflate at level 9 with the default window and memory: fixed settings,
// so one zlib gives one output for one input.
bool deflateRaw(const std::string& in, std::string& out) {
    z_stream zs{};
    if (deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&zs, static_cast<uLong>(in.size())));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
    zs.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return rc == Z_STREAM_END;
}

void writeLocalHeader(std::string& out, const Entry& e) {
    put32(out, 0x04034b50);
    put16(out, e.method == 8 ? 20 : 10); // version needed
    put16(out, 0);                       // flags
    put16(out, e.method);
    put16(out, FIXED_DOS_TIME);
    put16(out, FIXED_DOS_DATE);
    put32(out, e.crc);
    put32(out, static_cast<uint32_t>(e.data.size()));
    put32(out, e.size);
    put16(out, static_cast<uint16_t>(e.name.size()));
    put16(out, 0); // extra field length
    out += e.name;
}

void writeCentralHeader(std::string& out, const Entry& e) {
    put32(out, 0x02014b50);
    put16(out, 20);                      // made by: MS-DOS, zip 2.0
    put16(out, e.method == 8 ? 20 : 10); // version needed
    put16(out, 0);
    put16(out, e.method);
    put16(out, FIXED_DOS_TIME);
    put16(out, FIXED_DOS_DATE);
    put32(out, e.crc);
    put32(out, static_cast<uint32_t>(e.data.size()));
    put32(out, e.size);
    put16(out, static_cast<uint16_t>(e.name.size()));
    put16(out, 0); // extra
    put16(out, 0); // comment
    put16(out, 0); // disk
    put16(out, 0); // internal attributes
    put32(out, 0); // external attributes
    put32(out, e.offset);
    out += e.name;
}

// Central and local headers of one entry, without its data.
size_t headerBytes(const std::string& name) {
    return 30 + 46 + 2 * name.size();
}

std::string paddingText(size_t length) {
    std::string text = "This archive is packed to the fixed size its catalogue entry names;\n"
                       "the rest of this file only fills it up.\n";
    while (text.size() < length)
        text += std::string(71, '.') + "\n";
    text.resize(length);
    return text;
}

std::string buildArchive(std::vector<Entry>& entries) {
    std::string out;
    for (Entry& e : entries) {
        e.offset = static_cast<uint32_t>(out.size());
        writeLocalHeader(out, e);
        out += e.data;
    }
    uint32_t centralStart = static_cast<uint32_t>(out.size());
    for (const Entry& e : entries)
        writeCentralHeader(out, e);
    uint32_t centralSize = static_cast<uint32_t>(out.size()) - centralStart;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint16_t>(entries.size()));
    put16(out, static_cast<uint16_t>(entries.size()));
    put32(out, centralSize);
    put32(out, centralStart);
    put16(out, 0); // comment length
    return out;
}

bool makeEntry(const std::string& name, const std::string& bytes, Entry& e) {
    e.name = name;
    e.size = static_cast<uint32_t>(bytes.size());
    e.crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                        reinterpret_cast<const Bytef*>(bytes.data()),
                                        static_cast<uInt>(bytes.size())));
    std::string packed;
    if (!deflateRaw(bytes, packed)) return false;
    if (packed.size() < bytes.size()) {
        e.method = 8;
        e.data = std::move(packed);
    } else {
        e.method = 0;
        e.data = bytes;
    }
    return true;
}

// Writes only when the bytes differ, through a temporary file, so an unchanged
// book keeps its timestamp and an interrupted build never leaves half a zip.
bool writeIfChanged(const fs::path& target, const std::string& bytes) {
    std::string old;
    if (fs::exists(target) && readFile(target, old) && old == bytes) return true;
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    fs::path temp = target;
    temp += "~new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    fs::rename(temp, target, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bookpack OUT.zip CODE [--size BYTES] DIR [DIR...]\n");
        return 2;
    }
    const fs::path outPath = argv[1];
    const std::string prefix = std::string("en/xhtml/gs/") + argv[2] + "/";
    int first = 3;
    long long fixedSize = 0;
    if (std::string(argv[3]) == "--size" && argc > 5) {
        fixedSize = std::atoll(argv[4]);
        first = 5;
        if (fixedSize <= 0 || fixedSize > 0x7FFFFFFF) {
            std::fprintf(stderr, "bookpack: bad size %s\n", argv[4]);
            return 2;
        }
    }

    std::map<std::string, fs::path> files; // sorted by name: the archive order
    for (int i = first; i < argc; ++i) {
        std::error_code ec;
        if (!fs::is_directory(argv[i], ec)) {
            std::fprintf(stderr, "bookpack: %s is not a folder\n", argv[i]);
            return 1;
        }
        for (const auto& item : fs::directory_iterator(argv[i])) {
            if (!item.is_regular_file()) continue;
            std::string name = item.path().filename().string();
            if (name.empty() || name[0] == '.' || name.back() == '~') continue;
            files[name] = item.path();
        }
    }
    if (files.empty() || files.size() >= 0xFFFF) {
        std::fprintf(stderr, "bookpack: %zu files to pack\n", files.size());
        return 1;
    }

    std::vector<Entry> entries;
    for (const auto& [name, path] : files) {
        std::string bytes;
        if (!readFile(path, bytes)) {
            std::fprintf(stderr, "bookpack: cannot read %s\n", path.string().c_str());
            return 1;
        }
        Entry e;
        if (!makeEntry(prefix + name, bytes, e)) {
            std::fprintf(stderr, "bookpack: cannot compress %s\n", path.string().c_str());
            return 1;
        }
        entries.push_back(std::move(e));
    }
    if (fixedSize > 0) {
        const std::string name = prefix + "padding.txt";
        long long used = static_cast<long long>(buildArchive(entries).size() + headerBytes(name));
        if (used > fixedSize) {
            std::fprintf(stderr, "bookpack: %s needs %lld bytes, more than its fixed size %lld\n",
                         outPath.string().c_str(), used, fixedSize);
            return 1;
        }
        Entry pad;
        std::string text = paddingText(static_cast<size_t>(fixedSize - used));
        pad.name = name;
        pad.size = static_cast<uint32_t>(text.size());
        pad.crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                              reinterpret_cast<const Bytef*>(text.data()),
                                              static_cast<uInt>(text.size())));
        pad.method = 0;
        pad.data = std::move(text);
        entries.push_back(std::move(pad));
    }
    if (!writeIfChanged(outPath, buildArchive(entries))) {
        std::fprintf(stderr, "bookpack: cannot write %s\n", outPath.string().c_str());
        return 1;
    }
    return 0;
}
