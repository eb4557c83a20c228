#include "ui/font.h"

#include "fs/physfs_rwops.h"
#include "fs/vfs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool isFile(const std::string& path) {
    return vfsExists(path) && !vfsIsDirectory(path);
}

// The file of the fonts folder whose name matches `name` ignoring case, or "".
std::string findIgnoringCase(const std::string& name) {
    std::string want = lower(name);
    for (const std::string& entry : vfsList(FONTS_FOLDER))
        if (lower(entry) == want) return entry;
    return "";
}

std::string firstTtf() {
    std::vector<std::string> all = vfsListWildcard(FONTS_FOLDER, "*.ttf", false);
    for (const std::string& f : all)
        if (isFile(std::string(FONTS_FOLDER) + "/" + f)) return f;
    return "";
}

TTF_Font* openFile(const std::string& file, int size) {
    SDL_RWops* rw = PHYSFSRWOPS_openRead(std::string(FONTS_FOLDER) + "/" + file);
    if (!rw) return nullptr;
    TTF_Font* font = TTF_OpenFontRW(rw, 1, size); // the font closes the adapter
    if (font) TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    return font;
}

int indexOf(const std::vector<std::string>& list, const std::string& current) {
    std::string a = lower(current), b = a + ".ttf";
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == a || list[i] == b) return static_cast<int>(i);
    return 0;
}

} // namespace

TTF_Font* openFont(const std::string& name, int pointSize) {
    pointSize = std::max(1, pointSize);
    std::vector<std::string> candidates;
    std::string folder = FONTS_FOLDER;
    if (!name.empty()) {
        if (isFile(folder + "/" + name)) candidates.push_back(name);
        if (isFile(folder + "/" + name + ".ttf")) candidates.push_back(name + ".ttf");
        // Font names in settings are often typed in another case than the file's.
        for (const std::string& n : {name, name + ".ttf"}) {
            std::string found = findIgnoringCase(n);
            if (!found.empty()) candidates.push_back(found);
        }
    }
    if (isFile(folder + "/" + FALLBACK_FONT)) candidates.push_back(FALLBACK_FONT);
    std::string first = firstTtf();
    if (!first.empty()) candidates.push_back(first);
    if (first.empty() && candidates.empty()) {
        printf("Serious problem: No fonts are found. No information can be displayed,\n"
               "therefore, the program is shutting down. Please check your installation.\n");
        fflush(stdout);
        exit(0);
    }
    for (const std::string& c : candidates) {
        TTF_Font* font = openFile(c, pointSize);
        if (font) return font;
    }
    return nullptr; // every file there is broken: callers draw no text
}

int fontSizeForHeight(const std::string& name, int pixelHeight) {
    TTF_Font* font = openFont(name, 100);
    if (!font) return std::max(1, pixelHeight);
    SDL_Color fg{0, 0, 0, 0}, bg{255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderText_Shaded(font, "Change", fg, bg);
    int size = pixelHeight;
    if (s && s->h > 0) size = static_cast<int>(100.0 / s->h * pixelHeight);
    if (s) SDL_FreeSurface(s);
    TTF_CloseFont(font);
    return std::max(1, size);
}

std::vector<std::string> listFonts() {
    std::vector<std::string> names;
    for (const std::string& f : vfsListWildcard(FONTS_FOLDER, "*.ttf", false))
        names.push_back(lower(f));
    if (names.empty()) {
        printf("Couldn't find any fonts! Must have at least one! Aborting...");
        fflush(stdout);
        exit(0);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

FontStep nextFont(const std::vector<std::string>& list, const std::string& current, int step) {
    FontStep r;
    if (list.empty()) {
        r.name = current;
        return r;
    }
    long i = static_cast<long>(indexOf(list, current)) + step;
    i = std::clamp<long>(i, 0, static_cast<long>(list.size()) - 1);
    r.name = list[i];
    r.hasPrevious = i > 0;
    r.hasNext = i + 1 < static_cast<long>(list.size());
    return r;
}

FontStep previousFont(const std::vector<std::string>& list, const std::string& current, int step) {
    return nextFont(list, current, -step);
}

void reopenFonts(FontSet& fonts, const FontSettings& s) {
    const double scale = s.displayScale > 1.0 ? s.displayScale : 1.0;
    fonts.text = shareFont(openFont(s.textFont, s.textSize));
    fonts.tip = shareFont(openFont(s.tipFont, s.tipSize));
    int actionSize =
        s.actionUsesTextSize
            ? s.textSize
            : fontSizeForHeight(s.actionFont, static_cast<int>(ACTION_FONT_HEIGHT * scale));
    fonts.action = shareFont(openFont(s.actionFont, actionSize));
    fonts.menu = shareFont(openFont(
        s.menuFont, fontSizeForHeight(s.menuFont, static_cast<int>(MENU_FONT_HEIGHT * scale))));
    fonts.menuSmall = shareFont(
        openFont(s.menuFont,
                 fontSizeForHeight(s.menuFont, static_cast<int>(MENU_SMALL_FONT_HEIGHT * scale))));
    fonts.fps = shareFont(openFont(s.fpsFont, s.fpsSize));
}

void closeFonts(FontSet& fonts) {
    fonts = FontSet{};
}
