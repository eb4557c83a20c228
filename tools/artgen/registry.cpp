#include "registry.h"

#include "png_io.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::map<std::string, ArtModuleFn>& table() {
    static std::map<std::string, ArtModuleFn> modules;
    return modules;
}

} // namespace

bool registerArtModule(const char* name, ArtModuleFn fn) {
    if (!table().emplace(name, fn).second) {
        std::fprintf(stderr, "artgen: two modules are called %s\n", name);
        std::exit(1);
    }
    return true;
}

const std::map<std::string, ArtModuleFn>& artModules() {
    return table();
}

ArtContext::ArtContext(std::string outDir, std::string fontDir)
    : outDir_(std::move(outDir)), fontDir_(std::move(fontDir)) {}

void ArtContext::save(const Canvas& c, const std::string& relPath) {
    std::string bytes = encodePng(c);
    if (bytes.empty()) {
        std::fprintf(stderr, "artgen: cannot encode %s\n", relPath.c_str());
        std::exit(1);
    }
    saveBytes(bytes, relPath);
}

void ArtContext::saveBytes(const std::string& bytes, const std::string& relPath) {
    if (!seen_.insert(relPath).second) {
        // Two modules writing one file would make the result depend on their order.
        std::fprintf(stderr, "artgen: %s is drawn twice\n", relPath.c_str());
        std::exit(1);
    }
    outputs_.push_back(relPath);
    fs::path target = fs::path(outDir_) / relPath;
    std::ifstream in(target, std::ios::binary);
    if (in) {
        std::ostringstream old;
        old << in.rdbuf();
        if (old.str() == bytes) {
            ++unchanged_;
            return;
        }
    }
    fs::create_directories(target.parent_path());
    fs::path temp = target;
    temp += "~new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "artgen: cannot write %s\n", target.string().c_str());
            std::exit(1);
        }
    }
    fs::rename(temp, target);
    ++written_;
}

const Font& ArtContext::font(const std::string& file, int pointSize) {
    auto key = std::make_pair(file, pointSize);
    auto it = fonts_.find(key);
    if (it == fonts_.end())
        it = fonts_.emplace(key, std::make_unique<Font>(fontPath(file), pointSize)).first;
    return *it->second;
}
