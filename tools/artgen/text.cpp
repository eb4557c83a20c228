#include "text.h"

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Font::Font(const std::string& path, int pointSize) {
    font_ = TTF_OpenFont(path.c_str(), std::max(1, pointSize));
    if (!font_) {
        std::fprintf(stderr, "artgen: cannot open font %s: %s\n", path.c_str(), TTF_GetError());
        std::exit(1); // the artwork would silently lose its lettering otherwise
    }
}

Font::~Font() {
    if (font_) TTF_CloseFont(font_);
}

int Font::lineHeight() const {
    return TTF_FontHeight(font_);
}
int Font::ascent() const {
    return TTF_FontAscent(font_);
}

int Font::textWidth(const std::string& utf8) const {
    int w = 0, h = 0;
    if (utf8.empty() || TTF_SizeUTF8(font_, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

Mask Font::render(const std::string& utf8, bool bold) const {
    if (utf8.empty()) return Mask(1, lineHeight());
    TTF_SetFontStyle(font_, bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    SDL_Color white{255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderUTF8_Blended(font_, utf8.c_str(), white);
    TTF_SetFontStyle(font_, TTF_STYLE_NORMAL);
    if (!s) return Mask(1, lineHeight());
    Mask m(s->w, s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 p =
                *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
            Uint8 r, g, b, a;
            SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
            m.at(x, y) = a / 255.0f;
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return m;
}

int drawText(Canvas& c, const Font& f, const std::string& utf8, float x, float y, int align,
             const TextStyle& style) {
    Mask m = f.render(utf8, style.bold);
    int pad = style.outlineWidth + static_cast<int>(style.shadowBlur * 2) +
              std::max(std::abs(style.shadowDx), std::abs(style.shadowDy)) + 2;
    // Work on a padded mask so outlines and shadows are not cut at the text box.
    Mask padded(m.w + 2 * pad, m.h + 2 * pad);
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i)
            padded.at(i + pad, j + pad) = m.a[(size_t)j * m.w + i];
    int left = static_cast<int>(x) - (align == 0 ? m.w / 2 : (align > 0 ? m.w : 0));
    int ox = left - pad, oy = static_cast<int>(y) - pad;
    Mask body = padded;
    if (style.outlineWidth > 0) body = dilate(padded, style.outlineWidth);
    if (style.shadow.a > 0) {
        Mask sh = shifted(body, style.shadowDx, style.shadowDy);
        if (style.shadowBlur > 0) sh = blur(sh, style.shadowBlur);
        c.fillMask(sh, style.shadow, ox, oy);
    }
    if (style.outlineWidth > 0) c.fillMask(body, style.outline, ox, oy);
    if (style.bevel > 0) {
        Canvas layer(padded.w, padded.h);
        Paint fill = style.fill;
        layer.fillMask(padded,
                       [fill, ox, oy](float px, float py) { return fill(px + ox, py + oy); });
        layer.bevel(padded, 2.0f, style.bevel);
        c.draw(layer, ox, oy);
    } else {
        c.fillMask(padded, style.fill, ox, oy);
    }
    return m.w;
}

int fittingSize(const std::string& fontPath, const std::string& utf8, int maxWidth, int startSize,
                int minSize) {
    for (int size = startSize; size > minSize; size -= 1) {
        Font f(fontPath, size);
        if (f.textWidth(utf8) <= maxWidth) return size;
    }
    return minSize;
}
