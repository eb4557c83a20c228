#include "ui/text.h"

#include "ui/image.h"

#include <algorithm>
#include <cstdint>

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        size_t tick = text.find('`', start);
        std::string piece =
            text.substr(start, tick == std::string::npos ? std::string::npos : tick - start);
        lines.push_back(piece.empty() ? " " : piece);
        if (tick == std::string::npos) break;
        start = tick + 1;
    }
    return lines;
}

bool looksUtf8(const std::string& text) {
    bool multi = false;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
        if (i + extra >= text.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        if (extra > 0) multi = true;
        i += extra + 1;
    }
    return multi;
}

SDL_Surface* renderText(TTF_Font* font, const std::string& text, SDL_Color colour,
                        TextQuality quality, SDL_Color background) {
    if (!font) return nullptr;
    const std::string& t = text.empty() ? std::string(" ") : text;
    const bool utf8 = looksUtf8(t);
    switch (quality) {
    case TextQuality::Solid:
        return utf8 ? TTF_RenderUTF8_Solid(font, t.c_str(), colour)
                    : TTF_RenderText_Solid(font, t.c_str(), colour);
    case TextQuality::Shaded:
        return utf8 ? TTF_RenderUTF8_Shaded(font, t.c_str(), colour, background)
                    : TTF_RenderText_Shaded(font, t.c_str(), colour, background);
    case TextQuality::Blended:
    default:
        return utf8 ? TTF_RenderUTF8_Blended(font, t.c_str(), colour)
                    : TTF_RenderText_Blended(font, t.c_str(), colour);
    }
}

void textSize(TTF_Font* font, const std::string& text, int* width, int* height) {
    int w = 0, h = 0;
    if (font) {
        const std::string& t = text.empty() ? std::string(" ") : text;
        if (looksUtf8(t))
            TTF_SizeUTF8(font, t.c_str(), &w, &h);
        else
            TTF_SizeText(font, t.c_str(), &w, &h);
    }
    if (width) *width = w;
    if (height) *height = h;
}

SDL_Surface* renderLines(TTF_Font* font, const std::string& text, SDL_Color colour,
                         SDL_Surface* background, int gap) {
    if (!font) return nullptr;
    std::vector<SDL_Surface*> lines;
    int width = 1, height = 0;
    for (const std::string& line : splitLines(text)) {
        SDL_Surface* s = renderText(font, line, colour);
        if (!s) continue;
        width = std::max(width, s->w);
        height += s->h + (lines.empty() ? 0 : gap);
        lines.push_back(s);
    }
    SDL_Surface* sheet = createArgbSurface(width, std::max(1, height));
    if (sheet && background && !isPlaceholder(background)) {
        SDL_Surface* bg = scaleImageTo(background, sheet->w, sheet->h);
        composeOver(sheet, bg, 0, 0);
        SDL_FreeSurface(bg);
    }
    int y = 0;
    for (SDL_Surface* s : lines) {
        if (sheet) composeOver(sheet, s, (width - s->w) / 2, y);
        y += s->h + gap;
        SDL_FreeSurface(s);
    }
    return sheet ? finishSurface(sheet, true) : nullptr;
}

SurfacePtr WordImageCache::get(const FontPtr& font, const std::string& text, SDL_Color colour) {
    if (!font) return nullptr;
    std::string key;
    key.reserve(text.size() + 24);
    key += std::to_string(reinterpret_cast<uintptr_t>(font.get()));
    key += ':';
    key += std::to_string((colour.r << 16) | (colour.g << 8) | colour.b);
    key += ':';
    key += text;
    auto it = entries.find(key);
    if (it != entries.end()) return it->second.image;
    if (entries.size() >= MAX_ENTRIES) entries.clear();
    SurfacePtr image = shareSurface(renderText(font.get(), text, colour));
    if (image) entries.emplace(std::move(key), Entry{font, image});
    return image;
}

void WordImageCache::clear() {
    entries.clear();
}

std::string fitLines(TTF_Font* font, const std::string& text, int maxWidth) {
    if (!font || maxWidth <= 0) return text;
    std::string out;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find('`', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        std::string line = text.substr(lineStart, lineEnd - lineStart);
        // Take as many words as fit, then break before the next one.
        while (true) {
            int w = 0, h = 0;
            textSize(font, line, &w, &h);
            if (w <= maxWidth) break;
            size_t cut = std::string::npos;
            for (size_t space = line.find(' '); space != std::string::npos;
                 space = line.find(' ', space + 1)) {
                textSize(font, line.substr(0, space), &w, &h);
                if (w > maxWidth) break;
                cut = space;
            }
            if (cut == std::string::npos) cut = line.find(' '); // a long first word: its own line
            if (cut == std::string::npos) break;
            out += line.substr(0, cut) + '`';
            line.erase(0, cut + 1);
        }
        out += line;
        if (lineEnd == text.size()) break;
        out += '`';
        lineStart = lineEnd + 1;
    }
    return out;
}
