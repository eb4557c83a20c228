// qhdata: the data-file tool for modders and for the build.
//   qhdata decode IN.dat OUT.txt    shifted file -> plain text (CR LF becomes LF)
//   qhdata encode IN.txt OUT.dat    plain text -> shifted file, as the program writes it
//   qhdata cat IN.dat               print a shifted file as plain text
//   qhdata shift|unshift IN OUT     raw byte shift only (exact inverses on any file)
//   qhdata build-tree SRC DEST      copy the data folder, encoding every *.dat.txt source
//   qhdata decode-tree SRC DEST     write a plain NAME.dat.txt source for every *.dat of SRC
//   qhdata words FILE [SECTION]     the words the game makes of one XHTML page
//   qhdata words DATA_DIR BOOK SECTION  ...of a shipped page, with its script applied
//   qhdata validate DATA_DIR        every reference of the shipped books' scripts resolves
//   qhdata play DATA_DIR [BOOK] [--seed S]  play a book in text mode, without a window
//   qhdata play DATA_DIR [BOOK] [--seed S]  play a book in text mode, without a window
#include "fs/data_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

int wordsCommand(int argc, char** argv);    // words.cpp
int validateCommand(int argc, char** argv); // validate.cpp
int playCommand(int argc, char** argv);     // play.cpp
int playCommand(int argc, char** argv);     // play.cpp

namespace {

bool readFile(const fs::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

bool writeFileIfChanged(const fs::path& p, const std::string& bytes) {
    std::string old;
    if (readFile(p, old) && old == bytes) return true;
    std::error_code ec;
    if (!p.parent_path().empty()) fs::create_directories(p.parent_path(), ec);
    fs::path temp = p;
    temp += "~new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    fs::rename(temp, p, ec);
    return !ec;
}

int usage() {
    std::fprintf(stderr, "usage: qhdata decode|encode|shift|unshift IN OUT\n"
                         "       qhdata cat IN.dat\n"
                         "       qhdata build-tree SRC_DATA_DIR DEST_DATA_DIR\n"
                         "       qhdata decode-tree DATA_DIR SOURCES_DIR\n"
                         "       qhdata words FILE.htm [SECTION_NAME]\n"
                         "       qhdata words DATA_DIR BOOK_NUMBER SECTION_NAME\n"
                         "       qhdata validate DATA_DIR\n"
                         "       qhdata play DATA_DIR [BOOK] [--book N] [--seed S]\n");
    return 2;
}

// Sources may have been saved with CR LF line ends; the writer turns every CR
// and every LF into CR LF, so they are made plain LF first or each line end
// would double.
std::string plainLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

std::string encodeSource(const std::string& text) {
    return encodeText(plainLineEnds(text), true);
}
std::string decodeStored(const std::string& bytes) {
    return plainLineEnds(unshiftBytes(bytes));
}

int convert(const char* mode, const char* inPath, const char* outPath) {
    std::string in;
    if (!readFile(inPath, in)) {
        std::fprintf(stderr, "qhdata: cannot read %s\n", inPath);
        return 1;
    }
    std::string out;
    if (!std::strcmp(mode, "decode"))
        out = decodeStored(in);
    else if (!std::strcmp(mode, "encode"))
        out = encodeSource(in);
    else if (!std::strcmp(mode, "shift"))
        out = shiftBytes(in);
    else
        out = unshiftBytes(in);
    if (!writeFileIfChanged(outPath, out)) {
        std::fprintf(stderr, "qhdata: cannot write %s\n", outPath);
        return 1;
    }
    return 0;
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The demo books' pages (books/book<N>/src) are packed into their zip by
// bookpack; the loose pages are not part of the data folder.
bool isBookSource(const fs::path& rel) {
    auto it = rel.begin();
    if (it == rel.end() || *it != "books") return false;
    if (++it == rel.end() || ++it == rel.end()) return false;
    return *it == "src";
}

int buildTree(const fs::path& src, const fs::path& dest) {
    if (!fs::is_directory(src)) {
        std::fprintf(stderr, "qhdata: %s is not a folder\n", src.string().c_str());
        return 1;
    }
    fs::create_directories(dest);
    int failures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        fs::path rel = fs::relative(entry.path(), src);
        std::string name = rel.string();
        if (isBookSource(rel)) continue;
        std::string bytes;
        if (!readFile(entry.path(), bytes)) {
            ++failures;
            continue;
        }
        fs::path target = dest / rel;
        if (endsWith(name, ".dat.txt")) {
            // Shifted files are build output: their readable source is in git.
            target = dest / fs::path(name.substr(0, name.size() - 4));
            bytes = encodeSource(bytes);
        }
        if (!writeFileIfChanged(target, bytes)) {
            std::fprintf(stderr, "qhdata: cannot write %s\n", target.string().c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

int decodeTree(const fs::path& src, const fs::path& dest) {
    if (!fs::is_directory(src)) {
        std::fprintf(stderr, "qhdata: %s is not a folder\n", src.string().c_str());
        return 1;
    }
    int failures = 0, count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".dat") continue;
        std::string bytes;
        fs::path target = dest / fs::relative(entry.path(), src);
        target += ".txt";
        if (!readFile(entry.path(), bytes) || !writeFileIfChanged(target, decodeStored(bytes))) {
            std::fprintf(stderr, "qhdata: cannot decode %s\n", entry.path().string().c_str());
            ++failures;
        }
        ++count;
    }
    std::printf("qhdata: %d files decoded\n", count - failures);
    return failures ? 1 : 0;
}

int printDecoded(const char* path) {
    std::string bytes;
    if (!readFile(path, bytes)) {
        std::fprintf(stderr, "qhdata: cannot read %s\n", path);
        return 1;
    }
    std::string text = decodeStored(bytes);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "cat")) return printDecoded(argv[2]);
    if (argc >= 2 && !std::strcmp(argv[1], "words")) return wordsCommand(argc, argv);
    if (argc >= 2 && !std::strcmp(argv[1], "validate")) return validateCommand(argc, argv);
    if (argc >= 2 && !std::strcmp(argv[1], "play")) return playCommand(argc, argv);
    if (argc != 4) return usage();
    const char* mode = argv[1];
    if (!std::strcmp(mode, "build-tree")) return buildTree(argv[2], argv[3]);
    if (!std::strcmp(mode, "decode-tree")) return decodeTree(argv[2], argv[3]);
    if (!std::strcmp(mode, "decode") || !std::strcmp(mode, "encode") ||
        !std::strcmp(mode, "shift") || !std::strcmp(mode, "unshift"))
        return convert(mode, argv[2], argv[3]);
    return usage();
}
