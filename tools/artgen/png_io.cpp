#include "png_io.h"

#include "noise.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <png.h>

#include <cmath>
#include <vector>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp) {}

unsigned char toByte(float v, float dither) {
    float s = v * 255.0f + dither;
    if (s < 0) s = 0;
    if (s > 255) s = 255;
    return static_cast<unsigned char>(std::lround(s));
}

struct PngRows {
    const unsigned char* data;
    int width, height;
    bool opaque;
};

// Kept apart so that nothing it uses changes after setjmp.
bool writeRows(const PngRows& rows, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, rows.width, rows.height, 8,
                 rows.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    size_t stride = static_cast<size_t>(rows.width) * (rows.opaque ? 3 : 4);
    for (int y = 0; y < rows.height; ++y)
        png_write_row(png, const_cast<png_bytep>(rows.data + stride * y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::string encodePng(const Canvas& c) {
    bool opaque = true;
    for (int y = 0; y < c.height() && opaque; ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y).a < 0.998f) {
                opaque = false;
                break;
            }
    int channels = opaque ? 3 : 4;
    std::vector<unsigned char> rows(static_cast<size_t>(c.width()) * c.height() * channels);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Color& p = c.at(x, y);
            float d = ((hash2(x, y, 77) & 0xFF) / 255.0f - 0.5f) * 0.9f;
            unsigned char* o = &rows[(static_cast<size_t>(y) * c.width() + x) * channels];
            o[0] = toByte(p.r, d), o[1] = toByte(p.g, d), o[2] = toByte(p.b, d);
            if (!opaque) o[3] = toByte(p.a, 0);
        }
    std::string out;
    if (!writeRows(PngRows{rows.data(), c.width(), c.height(), opaque}, out)) return std::string();
    return out;
}

bool loadImageFile(const std::string& path, Canvas& out) {
    SDL_Surface* raw = IMG_Load(path.c_str());
    if (!raw) return false;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, raw->w, raw->h, 32, 0x00FF0000, 0x0000FF00,
                                          0x000000FF, 0xFF000000);
    if (!s) {
        SDL_FreeSurface(raw);
        return false;
    }
    SDL_SetAlpha(raw, 0, 255); // copy alpha instead of blending it away
    SDL_BlitSurface(raw, nullptr, s, nullptr);
    bool rawHasAlpha = raw->format->Amask != 0;
    out = Canvas(s->w, s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint32 p =
                *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
            Uint8 r, g, b, a;
            SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
            out.at(x, y) = Color{r / 255.0f, g / 255.0f, b / 255.0f, rawHasAlpha ? a / 255.0f : 1};
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    SDL_FreeSurface(raw);
    return true;
}
