#include "ui/image.h"

#include "fs/physfs_rwops.h"
#include "fs/vfs.h"

#include <SDL/SDL_image.h>

#include <algorithm>

namespace {

SDL_Surface* placeholder() {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00FF0000, 0x0000FF00,
                                          0x000000FF, 0xFF000000);
    if (s) SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 255, 255, 255, 0));
    return s;
}

SDL_Surface* toArgb(SDL_Surface* src) {
    SDL_PixelFormat fmt{};
    fmt.BitsPerPixel = 32;
    fmt.BytesPerPixel = 4;
    fmt.Rmask = 0x00FF0000;
    fmt.Gmask = 0x0000FF00;
    fmt.Bmask = 0x000000FF;
    fmt.Amask = 0xFF000000;
    fmt.Rshift = 16;
    fmt.Gshift = 8;
    fmt.Bshift = 0;
    fmt.Ashift = 24;
    fmt.alpha = 255;
    return SDL_ConvertSurface(src, &fmt, SDL_SWSURFACE);
}

} // namespace

bool isPlaceholder(const SDL_Surface* image) { return !image || (image->w == 1 && image->h == 1); }

SDL_Surface* loadImage(const std::string& folder, const std::string& name) {
    std::string base = folder.empty() ? name : folder + "/" + name;
    std::string path = base;
    if (!vfsExists(path) || vfsIsDirectory(path)) {
        path.clear();
        for (const char* ext : {".bmp", ".png", ".gif", ".jpg", ".tiff"}) {
            if (vfsExists(base + ext)) {
                path = base + ext;
                break;
            }
        }
    }
    SDL_Surface* loaded = nullptr;
    if (!path.empty()) {
        SDL_RWops* rw = PHYSFSRWOPS_openRead(path);
        if (rw) loaded = IMG_Load_RW(rw, 1);
    }
    if (!loaded) return placeholder();
    SDL_Surface* out = scaleImage(loaded, 1.0);
    SDL_FreeSurface(loaded);
    return out ? out : placeholder();
}

SDL_Surface* scaleImage(SDL_Surface* image, double factor) {
    if (!image) return placeholder();
    factor = std::min(factor, 100.0);
    int w = std::max(1, static_cast<int>(image->w * factor));
    int h = std::max(1, static_cast<int>(image->h * factor));
    return scaleImageTo(image, w, h);
}

SDL_Surface* scaleImageTo(SDL_Surface* image, int width, int height) {
    if (!image) return placeholder();
    width = std::max(1, width);
    height = std::max(1, height);
    // Simple nearest-neighbour resampling; a smoother filter replaces it in the toolkit.
    SDL_Surface* src = toArgb(image);
    if (!src) return placeholder();
    SDL_Surface* dst = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000,
                                            0x0000FF00, 0x000000FF, 0xFF000000);
    if (!dst) {
        SDL_FreeSurface(src);
        return placeholder();
    }
    SDL_LockSurface(src);
    SDL_LockSurface(dst);
    for (int y = 0; y < height; ++y) {
        int sy = std::min(src->h - 1, static_cast<int>(static_cast<long long>(y) * src->h / height));
        const Uint32* srow = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(src->pixels) + sy * src->pitch);
        Uint32* drow = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dst->pixels) + y * dst->pitch);
        for (int x = 0; x < width; ++x) {
            int sx = std::min(src->w - 1, static_cast<int>(static_cast<long long>(x) * src->w / width));
            drow[x] = srow[sx];
        }
    }
    SDL_UnlockSurface(dst);
    SDL_UnlockSurface(src);
    SDL_FreeSurface(src);
    if (SDL_GetVideoSurface()) {
        SDL_Surface* disp = SDL_DisplayFormatAlpha(dst);
        if (disp) {
            SDL_FreeSurface(dst);
            return disp;
        }
    }
    return dst;
}
