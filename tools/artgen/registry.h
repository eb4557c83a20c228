// How artwork modules plug into the generator. A module is one .cpp file in
// tools/artgen/ that ends with
//
//     ART_MODULE(myThings) {
//         Canvas c(64, 64, PARCHMENT);
//         ...
//         ctx.save(c, "misc/mything.png");   // path under the data folder
//     }
//
// CMake globs the folder, so a new file needs no other change. Modules run in
// name order and must draw the same bytes every run (use Rng and noise seeds,
// never the clock).
#pragma once

#include "canvas.h"
#include "text.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class ArtContext {
  public:
    ArtContext(std::string outDir, std::string fontDir);

    // Writes a PNG under the data folder; unchanged files are left untouched.
    void save(const Canvas& c, const std::string& relPath);
    // Writes a text or other file under the data folder.
    void saveBytes(const std::string& bytes, const std::string& relPath);
    // A font of data/fonts by file name ("vollkorn.ttf"), cached per size.
    const Font& font(const std::string& file, int pointSize);
    std::string fontPath(const std::string& file) const { return fontDir_ + "/" + file; }

    const std::string& outDir() const { return outDir_; }
    int written() const { return written_; }
    int unchanged() const { return unchanged_; }
    const std::vector<std::string>& outputs() const { return outputs_; }

  private:
    std::string outDir_, fontDir_;
    int written_ = 0, unchanged_ = 0;
    std::vector<std::string> outputs_;
    std::set<std::string> seen_;
    std::map<std::pair<std::string, int>, std::unique_ptr<Font>> fonts_;
};

using ArtModuleFn = void (*)(ArtContext&);

bool registerArtModule(const char* name, ArtModuleFn fn);
const std::map<std::string, ArtModuleFn>& artModules();

#define ART_MODULE(ident)                                                                          \
    static void ident(ArtContext& ctx);                                                            \
    [[maybe_unused]] static const bool ident##Registered = registerArtModule(#ident, ident);       \
    static void ident(ArtContext& ctx)
