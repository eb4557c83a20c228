// qhdata words FILE [SECTION]: converts one XHTML page exactly as the game does
// and prints its words, one per line (see README, "Checking a page's words").
#include "book/section_text.h"
#include "fs/data_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

int wordsCommand(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: qhdata words FILE.htm [SECTION_NAME]\n");
        return 2;
    }
    std::filesystem::path path(argv[2]);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "qhdata: cannot read %s\n", argv[2]);
        return 1;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    // The page's rules depend on its name: "sect12" for sect12.htm unless given.
    std::string section = argc == 4 ? argv[3] : path.filename().string();
    if (argc == 3) section = section.substr(0, section.find('.'));
    DataFile file = openMemoryRead(bytes.str(), path.filename().string());
    std::vector<PageWord> words;
    convertSectionText(file, section, words);
    std::string out;
    for (const PageWord& w : words) {
        out += describeWord(w);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
