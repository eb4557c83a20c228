#include "ui/surface.h"

#include <algorithm>

SurfacePtr shareSurface(SDL_Surface* surface) {
    if (!surface) return nullptr;
    return SurfacePtr(surface, SDL_FreeSurface);
}

FontPtr shareFont(TTF_Font* font) {
    if (!font) return nullptr;
    return FontPtr(font, TTF_CloseFont);
}

SDL_Surface* createArgbSurface(int width, int height) {
    if (width < 1 || height < 1 || width > MAX_SURFACE_SIDE || height > MAX_SURFACE_SIDE)
        return nullptr;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, ARGB_R, ARGB_G, ARGB_B, ARGB_A);
}

SDL_Surface* toArgb(SDL_Surface* image) {
    if (!image) return nullptr;
    SDL_PixelFormat fmt{};
    fmt.BitsPerPixel = 32;
    fmt.BytesPerPixel = 4;
    fmt.Rmask = ARGB_R;
    fmt.Gmask = ARGB_G;
    fmt.Bmask = ARGB_B;
    fmt.Amask = ARGB_A;
    fmt.Rshift = 16;
    fmt.Gshift = 8;
    fmt.Bshift = 0;
    fmt.Ashift = 24;
    fmt.alpha = 255;
    // A surface with per-surface alpha but no alpha channel would be blended onto
    // the zeroed copy; copy it plainly instead and restore the flag afterwards.
    Uint32 oldFlags = image->flags;
    Uint8 oldAlpha = image->format->alpha;
    bool surfaceAlpha = (oldFlags & SDL_SRCALPHA) && image->format->Amask == 0;
    if (surfaceAlpha) SDL_SetAlpha(image, 0, 255);
    SDL_Surface* out = SDL_ConvertSurface(image, &fmt, SDL_SWSURFACE);
    if (surfaceAlpha) SDL_SetAlpha(image, oldFlags & (SDL_SRCALPHA | SDL_RLEACCEL), oldAlpha);
    if (out && image->format->Amask == 0 && !(oldFlags & SDL_SRCCOLORKEY)) {
        // Sources without alpha convert with alpha 0 on some paths; make them opaque.
        SurfaceLock lock(out);
        for (int y = 0; y < out->h; ++y) {
            Uint32* row = argbRow(out, y);
            for (int x = 0; x < out->w; ++x)
                row[x] |= ARGB_A;
        }
    }
    return out;
}

bool argbHasAlpha(SDL_Surface* argb) {
    if (!argb) return false;
    SurfaceLock lock(argb);
    for (int y = 0; y < argb->h; ++y) {
        const Uint32* row = argbRow(argb, y);
        for (int x = 0; x < argb->w; ++x)
            if ((row[x] & ARGB_A) != ARGB_A) return true;
    }
    return false;
}

SDL_Surface* finishSurface(SDL_Surface* argb, bool keepAlpha) {
    if (!argb) return nullptr;
    // New ARGB surfaces carry the alpha flag; opaque images must not, so that
    // they are copied rather than blended wherever they are drawn.
    SDL_SetAlpha(argb, keepAlpha ? SDL_SRCALPHA : 0, 255);
    if (SDL_GetVideoSurface()) {
        SDL_Surface* disp = keepAlpha ? SDL_DisplayFormatAlpha(argb) : SDL_DisplayFormat(argb);
        if (disp) {
            SDL_FreeSurface(argb);
            return disp;
        }
    }
    return argb;
}

SDL_Color readPixel(SDL_Surface* s, int x, int y, Uint8* alpha) {
    SDL_Color c{0, 0, 0, 0};
    Uint8 a = 0;
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) {
        if (alpha) *alpha = 0;
        return c;
    }
    SurfaceLock lock(s);
    const Uint8* p =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    switch (s->format->BytesPerPixel) {
    case 1:
        v = *p;
        break;
    case 2:
        v = *reinterpret_cast<const Uint16*>(p);
        break;
    case 3:
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN)
            v = (p[0] << 16) | (p[1] << 8) | p[2];
        else
            v = p[0] | (p[1] << 8) | (p[2] << 16);
        break;
    default:
        v = *reinterpret_cast<const Uint32*>(p);
        break;
    }
    SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &a);
    if ((s->flags & SDL_SRCCOLORKEY) && v == s->format->colorkey) a = 0;
    if (alpha) *alpha = a;
    return c;
}

void composeOver(SDL_Surface* dst, SDL_Surface* src, int x, int y) {
    if (!dst || !src || dst->format->BytesPerPixel != 4 || dst->format->Amask != ARGB_A) return;
    SDL_Surface* s = toArgb(src);
    if (!s) return;
    {
        SurfaceLock ls(s);
        SurfaceLock ld(dst);
        int x0 = std::max(0, -x), y0 = std::max(0, -y);
        int x1 = std::min(s->w, dst->w - x), y1 = std::min(s->h, dst->h - y);
        for (int sy = y0; sy < y1; ++sy) {
            const Uint32* srow = argbRow(s, sy);
            Uint32* drow = argbRow(dst, sy + y);
            for (int sx = x0; sx < x1; ++sx) {
                Uint32 sp = srow[sx];
                Uint32 sa = sp >> 24;
                if (sa == 0) continue;
                Uint32& dp = drow[sx + x];
                if (sa == 255) {
                    dp = sp;
                    continue;
                }
                Uint32 da = dp >> 24;
                // out alpha = sa + da (1 - sa), colours weighted accordingly (x255 scale)
                Uint32 oa255 = sa * 255 + da * (255 - sa);
                if (oa255 == 0) continue;
                Uint32 out = ((oa255 + 127) / 255) << 24;
                for (int shift = 0; shift <= 16; shift += 8) {
                    Uint32 sc = (sp >> shift) & 0xFF, dc = (dp >> shift) & 0xFF;
                    Uint32 c = (sc * sa * 255 + dc * da * (255 - sa) + oa255 / 2) / oa255;
                    out |= std::min<Uint32>(c, 255) << shift;
                }
                dp = out;
            }
        }
    }
    SDL_FreeSurface(s);
}
