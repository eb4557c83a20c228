#include "ui/image_prepare.h"

#include "fs/physfs_rwops.h"
#include "ui/image.h"
#include "ui/image_scale.h"
#include "ui/surface.h"

#include <SDL/SDL_image.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr size_t READ_PIECE = 256 * 1024; // bytes read per piece
constexpr int DECODE_PIECE = 16;          // rows decoded per piece
constexpr int SCALE_PIECE = 16;           // rows scaled per piece

// The common pictures (8-bit RGB or RGBA PNG, not interlaced) are decoded
// here row by row, straight into the layout the scaler reads fastest; the
// values are the ones SDL_image gives. Anything else goes to SDL_image whole.
struct PngRows {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const Uint8* data = nullptr;
    size_t size = 0, pos = 0;
    int row = 0;
    SDL_Surface* out = nullptr;

    ~PngRows() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (out) SDL_FreeSurface(out);
    }
};

void readFromMemory(png_structp png, png_bytep to, png_size_t count) {
    auto* r = static_cast<PngRows*>(png_get_io_ptr(png));
    if (count > r->size - r->pos) png_error(png, "picture cut short");
    std::memcpy(to, r->data + r->pos, count);
    r->pos += count;
}

// Reads the header; false when this picture is not one decoded here (or is
// damaged). No C++ objects live in the frames a png_error jumps across.
bool beginPng(PngRows& r) {
    if (r.size < 8 || png_sig_cmp(r.data, 0, 8) != 0) return false;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!r.png) return false;
    r.info = png_create_info_struct(r.png);
    if (!r.info) return false;
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_set_read_fn(r.png, &r, readFromMemory);
    png_read_info(r.png, r.info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, type = 0, interlace = 0;
    png_get_IHDR(r.png, r.info, &w, &h, &depth, &type, &interlace, nullptr, nullptr);
    if (depth != 8 || interlace != PNG_INTERLACE_NONE ||
        (type != PNG_COLOR_TYPE_RGB && type != PNG_COLOR_TYPE_RGB_ALPHA) ||
        png_get_valid(r.png, r.info, PNG_INFO_tRNS) || w < 1 || h < 1 ||
        w > static_cast<png_uint_32>(MAX_SURFACE_SIDE) ||
        h > static_cast<png_uint_32>(MAX_SURFACE_SIDE))
        return false;
    // B, G, R, A in memory: ARGB words on this byte order.
    png_set_bgr(r.png);
    if (type == PNG_COLOR_TYPE_RGB) png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(r.png, r.info);
    r.out =
        SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(w), static_cast<int>(h), 32, ARGB_R,
                             ARGB_G, ARGB_B, type == PNG_COLOR_TYPE_RGB_ALPHA ? ARGB_A : 0);
    return r.out != nullptr;
}

// Up to `count` more rows; false on a damaged picture.
bool pngRows(PngRows& r, int count) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    for (int i = 0; i < count && r.row < r.out->h; ++i, ++r.row)
        png_read_row(r.png, static_cast<png_bytep>(r.out->pixels) + r.row * r.out->pitch, nullptr);
    return true;
}

// What loadImage gives for these bytes.
SDL_Surface* decodeWhole(const std::vector<Uint8>& bytes) {
    SDL_Surface* loaded = nullptr;
    if (!bytes.empty()) {
        SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        if (rw) loaded = IMG_Load_RW(rw, 1);
    }
    if (!loaded) return makePlaceholder();
    SDL_Surface* out = scaleImage(loaded, 1.0);
    SDL_FreeSurface(loaded);
    return out ? out : makePlaceholder();
}

// The rows decoded here match loadImage's picture as the scaler sees it only
// when the display keeps 8-bit channels in the ARGB places; elsewhere loadImage's
// own conversion decides, so the picture goes the whole way.
bool displayKeepsArgb() {
    const SDL_Surface* v = SDL_GetVideoSurface();
    return v && SDL_BYTEORDER == SDL_LIL_ENDIAN && v->format->BytesPerPixel == 4 &&
           v->format->Rmask == ARGB_R && v->format->Gmask == ARGB_G && v->format->Bmask == ARGB_B;
}

} // namespace

struct PreparedPicture::Job {
    enum class Stage { Read, Decode, Scale, Ready };
    Stage stage = Stage::Read;
    std::string path;
    int width = 1, height = 1;
    SDL_RWops* file = nullptr;
    std::vector<Uint8> bytes;
    std::unique_ptr<PngRows> png;
    bool decodeBegun = false;
    SDL_Surface* source = nullptr; // the picture as loadImage gives it
    std::unique_ptr<ScaleInSteps> scale;
    SDL_Surface* result = nullptr;

    ~Job() {
        scale.reset(); // reads `source`
        if (file) SDL_RWclose(file);
        if (source) SDL_FreeSurface(source);
        if (result) SDL_FreeSurface(result);
    }

    void toScale(SDL_Surface* picture) {
        png.reset();
        bytes = std::vector<Uint8>();
        source = picture;
        stage = Stage::Scale;
    }

    void read() {
        if (!file && !path.empty()) file = PHYSFSRWOPS_openRead(path);
        if (!file) {
            toScale(makePlaceholder());
            return;
        }
        const size_t had = bytes.size();
        bytes.resize(had + READ_PIECE);
        const int got = SDL_RWread(file, bytes.data() + had, 1, static_cast<int>(READ_PIECE));
        bytes.resize(had + static_cast<size_t>(got > 0 ? got : 0));
        if (got <= 0) {
            SDL_RWclose(file);
            file = nullptr;
            stage = Stage::Decode;
        }
    }

    void decode() {
        if (!decodeBegun) {
            decodeBegun = true;
            png = std::make_unique<PngRows>();
            png->data = bytes.data();
            png->size = bytes.size();
            if (!displayKeepsArgb() || !beginPng(*png)) {
                toScale(decodeWhole(bytes));
                return;
            }
        }
        if (!pngRows(*png, DECODE_PIECE)) {
            // Damaged past its header: SDL_image has the last word on it.
            toScale(decodeWhole(bytes));
            return;
        }
        if (png->row < png->out->h) return;
        SDL_Surface* picture = png->out;
        png->out = nullptr;
        toScale(picture);
    }

    void scaleRows() {
        if (!scale) scale = std::make_unique<ScaleInSteps>(source, width, height);
        if (!scale->step(SCALE_PIECE)) return;
        result = scale->take();
        scale.reset();
        SDL_FreeSurface(source);
        source = nullptr;
        stage = Stage::Ready;
    }

    void piece() {
        switch (stage) {
        case Stage::Read:
            read();
            break;
        case Stage::Decode:
            decode();
            break;
        case Stage::Scale:
            scaleRows();
            break;
        case Stage::Ready:
            break;
        }
    }
};

PreparedPicture::PreparedPicture() = default;
PreparedPicture::~PreparedPicture() = default;

void PreparedPicture::start(const std::string& folder, const std::string& name, int width,
                            int height) {
    job = std::make_unique<Job>();
    job->path = findImageFile(folder, name);
    job->width = width;
    job->height = height;
}

bool PreparedPicture::pending() const {
    return job != nullptr;
}

bool PreparedPicture::ready() const {
    return job && job->stage == Job::Stage::Ready;
}

int PreparedPicture::width() const {
    return job ? job->width : 0;
}

int PreparedPicture::height() const {
    return job ? job->height : 0;
}

bool PreparedPicture::work(int budgetMicros) {
    if (!job) return false;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::microseconds(budgetMicros);
    do {
        job->piece();
    } while (job->stage != Job::Stage::Ready && Clock::now() < until);
    return ready();
}

SDL_Surface* PreparedPicture::take() {
    if (!job) return nullptr;
    while (job->stage != Job::Stage::Ready)
        job->piece();
    SDL_Surface* out = job->result;
    job->result = nullptr;
    job.reset();
    return out;
}

void PreparedPicture::reset() {
    job.reset();
}
