// artgen: draws the program's interface artwork into the build's data folder.
//   artgen generate OUT_DATA_DIR FONT_DIR [--only MODULE]... [--stamp FILE]
//   artgen list                               names of the modules
//   artgen sheet OUT.png FONT_DIR CELL IMAGE...  contact sheet of finished images
// Everything it draws is deterministic: the same sources give the same bytes.
#include "palette.h"
#include "png_io.h"
#include "registry.h"

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fprintf(stderr, "usage: artgen generate OUT_DATA_DIR FONT_DIR [--only MODULE]... "
                         "[--stamp FILE]\n"
                         "       artgen list\n"
                         "       artgen sheet OUT.png FONT_DIR CELL IMAGE...\n");
    return 2;
}

int generate(int argc, char** argv) {
    if (argc < 4) return usage();
    std::vector<std::string> only;
    std::string stamp;
    for (int i = 4; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
            only.push_back(argv[++i]);
        else if (!std::strcmp(argv[i], "--stamp") && i + 1 < argc)
            stamp = argv[++i];
        else
            return usage();
    }
    if (!fs::is_directory(argv[3])) {
        std::fprintf(stderr, "artgen: font folder %s is missing\n", argv[3]);
        return 1;
    }
    ArtContext ctx(argv[2], argv[3]);
    for (const auto& [name, fn] : artModules()) {
        if (!only.empty() && std::find(only.begin(), only.end(), name) == only.end()) continue;
        fn(ctx);
    }
    std::printf("artgen: %d images written, %d unchanged\n", ctx.written(), ctx.unchanged());
    if (!stamp.empty()) {
        std::ofstream out(stamp, std::ios::trunc);
        for (const auto& p : ctx.outputs())
            out << p << "\n";
    }
    return 0;
}

// Lays images out in rows on a checkerboard (so transparency shows), each scaled
// to fit a cell and labelled with its path.
int sheet(int argc, char** argv) {
    if (argc < 6) return usage();
    std::string outPath = argv[2], fontDir = argv[3];
    int cell = std::max(32, std::atoi(argv[4]));
    std::vector<std::string> files(argv + 5, argv + argc);
    const int width = 1280, label = 16, gap = 10;
    int perRow = std::max(1, (width - gap) / (cell + gap));
    int rows = (static_cast<int>(files.size()) + perRow - 1) / perRow;
    Canvas out(width, std::max(1, rows * (cell + label + gap) + gap), hex(0x3a3631));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (((x / 12) + (y / 12)) % 2) out.at(x, y) = hex(0x46413b);
    Font font(fontDir + "/dejavusans.ttf", 10);
    for (size_t i = 0; i < files.size(); ++i) {
        int cx = gap + static_cast<int>(i % perRow) * (cell + gap);
        int cy = gap + static_cast<int>(i / perRow) * (cell + label + gap);
        Canvas img;
        std::string name = fs::path(files[i]).parent_path().filename().string() + "/" +
                           fs::path(files[i]).filename().string();
        if (!loadImageFile(files[i], img)) {
            drawText(out, font, "UNREADABLE " + name, cx, cy, -1, TextStyle{solid(hex(0xff4040))});
            continue;
        }
        std::string dims = std::to_string(img.width()) + "x" + std::to_string(img.height());
        // Small pieces are enlarged (up to 6x) so their detail can be judged.
        float k = std::min(6.0f, std::min(static_cast<float>(cell) / img.width(),
                                          static_cast<float>(cell) / img.height()));
        int w = std::max(1, static_cast<int>(img.width() * k));
        int h = std::max(1, static_cast<int>(img.height() * k));
        out.draw(k != 1 ? img.resized(w, h) : img, cx + (cell - w) / 2, cy + (cell - h) / 2);
        drawText(out, font, name + " " + dims, cx, cy + cell + 2, -1,
                 TextStyle{solid(hex(0xf0e6d0))});
    }
    std::string bytes = encodePng(out);
    std::ofstream f(outPath, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return f ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "artgen: SDL_ttf does not start: %s\n", TTF_GetError());
        return 1;
    }
    int rc;
    if (!std::strcmp(argv[1], "generate"))
        rc = generate(argc, argv);
    else if (!std::strcmp(argv[1], "sheet"))
        rc = sheet(argc, argv);
    else if (!std::strcmp(argv[1], "list")) {
        for (const auto& entry : artModules())
            std::printf("%s\n", entry.first.c_str());
        rc = 0;
    } else
        rc = usage();
    TTF_Quit();
    return rc;
}
