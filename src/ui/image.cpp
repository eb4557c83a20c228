#include "ui/image.h"

#include "fs/physfs_rwops.h"
#include "fs/vfs.h"
#include "ui/surface.h"

#include <SDL/SDL_image.h>

#include <algorithm>
#include <cmath>

namespace {

Uint8 clampByte(int v) {
    return static_cast<Uint8>(std::clamp(v, 0, 255));
}

// Applies `op` to every pixel of an ARGB copy of `image`; the result is in the
// display format, with alpha when `keepAlpha` (decided after the op when null).
template <typename Op> SDL_Surface* mapPixels(SDL_Surface* image, const bool* keepAlpha, Op op) {
    if (!image) return makePlaceholder();
    SDL_Surface* argb = toArgb(image);
    if (!argb) return makePlaceholder();
    {
        SurfaceLock lock(argb);
        for (int y = 0; y < argb->h; ++y) {
            Uint32* row = argbRow(argb, y);
            for (int x = 0; x < argb->w; ++x)
                row[x] = op(row[x], x, y);
        }
    }
    bool alpha = keepAlpha ? *keepAlpha : argbHasAlpha(argb);
    SDL_Surface* out = finishSurface(argb, alpha);
    return out ? out : makePlaceholder();
}

} // namespace

SDL_Surface* makePlaceholder() {
    SDL_Surface* s = createArgbSurface(1, 1);
    if (s) SDL_FillRect(s, nullptr, 0xFF0000u);
    return s;
}

bool isPlaceholder(const SDL_Surface* image) {
    return !image || (image->w == 1 && image->h == 1);
}

std::string findImageFile(const std::string& folder, const std::string& name) {
    const std::string base = folder.empty() ? name : folder + "/" + name;
    if (vfsExists(base) && !vfsIsDirectory(base)) return base;
    for (const char* ext : {".bmp", ".png", ".gif", ".jpg", ".tiff"})
        if (vfsExists(base + ext) && !vfsIsDirectory(base + ext)) return base + ext;
    return "";
}

SDL_Surface* loadImage(const std::string& folder, const std::string& name) {
    const std::string path = findImageFile(folder, name);
    SDL_Surface* loaded = nullptr;
    if (!path.empty()) {
        SDL_RWops* rw = PHYSFSRWOPS_openRead(path);
        if (rw) loaded = IMG_Load_RW(rw, 1);
    }
    if (!loaded) return makePlaceholder();
    SDL_Surface* out = scaleImage(loaded, 1.0);
    SDL_FreeSurface(loaded);
    return out ? out : makePlaceholder();
}

SDL_Surface* scaleImage(SDL_Surface* image, double factor) {
    if (!image) return makePlaceholder();
    if (!(factor > 0)) factor = 0; // NaN and negatives give the smallest image
    factor = std::min(factor, 100.0);
    double w = std::floor(image->w * factor), h = std::floor(image->h * factor);
    int width = static_cast<int>(std::clamp(w, 1.0, static_cast<double>(MAX_SURFACE_SIDE)));
    int height = static_cast<int>(std::clamp(h, 1.0, static_cast<double>(MAX_SURFACE_SIDE)));
    return scaleImageTo(image, width, height);
}

// scaleImageTo, the resampler, lives in image_scale.cpp.

bool hasTransparency(SDL_Surface* image) {
    if (!image) return false;
    if (image->format->Amask == 0 && !(image->flags & SDL_SRCCOLORKEY)) return false;
    SDL_Surface* argb = toArgb(image);
    bool any = argbHasAlpha(argb);
    if (argb) SDL_FreeSurface(argb);
    return any;
}

SDL_Surface* transparify(SDL_Surface* image, SDL_Color ink) {
    const bool alpha = true;
    const Uint32 inkRgb = (Uint32(ink.r) << 16) | (Uint32(ink.g) << 8) | ink.b;
    return mapPixels(image, &alpha, [&](Uint32 p, int, int) {
        Uint32 r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, srcA = p >> 24;
        Uint32 a = 255 - (r + g + b) / 3;
        if (ink.unused != 0) a = a * ink.unused / 100;
        a = std::min<Uint32>(a, 255) * srcA / 255;
        return (a << 24) | inkRgb;
    });
}

SDL_Surface* shiftBrightness(int amount, SDL_Surface* image) {
    amount = std::clamp(amount, -100, 100);
    auto shift = [amount](int c) {
        return amount <= 0 ? c + amount * c / 100 : c + (255 - c) * amount / 100;
    };
    return mapPixels(image, nullptr, [&](Uint32 p, int, int) {
        Uint8 r = clampByte(shift((p >> 16) & 0xFF)), g = clampByte(shift((p >> 8) & 0xFF)),
              b = clampByte(shift(p & 0xFF));
        return (p & ARGB_A) | (Uint32(r) << 16) | (Uint32(g) << 8) | b;
    });
}

SDL_Surface* mirrorImage(SDL_Surface* image) {
    if (!image) return makePlaceholder();
    SDL_Surface* src = toArgb(image);
    SDL_Surface* dst = src ? createArgbSurface(src->w, src->h) : nullptr;
    if (!dst) {
        if (src) SDL_FreeSurface(src);
        return makePlaceholder();
    }
    {
        SurfaceLock ls(src);
        SurfaceLock ld(dst);
        for (int y = 0; y < src->h; ++y) {
            const Uint32* s = argbRow(src, y);
            Uint32* d = argbRow(dst, y);
            for (int x = 0; x < src->w; ++x)
                d[src->w - 1 - x] = s[x];
        }
    }
    SDL_FreeSurface(src);
    SDL_Surface* out = finishSurface(dst, argbHasAlpha(dst));
    return out ? out : makePlaceholder();
}

SDL_Surface* shapedCopy(SDL_Surface* image, const std::function<bool(int, int)>& inside) {
    if (!image) return makePlaceholder();
    const bool alpha = hasTransparency(image);
    const Uint32 green = 0x0000FF00u;
    SDL_Surface* out = mapPixels(image, &alpha, [&](Uint32 p, int x, int y) {
        if (inside && inside(x, y)) return p;
        return alpha ? green : (green | ARGB_A);
    });
    if (!alpha && out) {
        SDL_SetColorKey(out, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(out->format, 0, 255, 0));
    }
    return out;
}
