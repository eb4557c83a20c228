#include "fs/physfs_rwops.h"

#include "fs/vfs.h"

#include <SDL/SDL_error.h>
#include <physfs.h>

namespace {

PHYSFS_File* handleOf(SDL_RWops* rw) { return static_cast<PHYSFS_File*>(rw->hidden.unknown.data1); }

int SDLCALL rwSeek(SDL_RWops* rw, int offset, int whence) {
    PHYSFS_File* h = handleOf(rw);
    PHYSFS_sint64 target;
    switch (whence) {
    case RW_SEEK_SET:
        target = offset;
        break;
    case RW_SEEK_CUR: {
        PHYSFS_sint64 cur = PHYSFS_tell(h);
        if (cur < 0) {
            SDL_SetError("Can't find position in file: %s", vfsLastError());
            return -1;
        }
        target = cur + offset;
        break;
    }
    case RW_SEEK_END: {
        PHYSFS_sint64 len = PHYSFS_fileLength(h);
        if (len < 0) {
            SDL_SetError("Can't find end of file: %s", vfsLastError());
            return -1;
        }
        target = len + offset;
        break;
    }
    default:
        SDL_SetError("Invalid 'whence' parameter.");
        return -1;
    }
    if (target < 0 || !PHYSFS_seek(h, static_cast<PHYSFS_uint64>(target))) {
        SDL_SetError("PhysicsFS seek failed: %s", vfsLastError());
        return -1;
    }
    return static_cast<int>(target);
}

int SDLCALL rwRead(SDL_RWops* rw, void* ptr, int size, int maxnum) {
    if (size <= 0 || maxnum <= 0) return 0;
    PHYSFS_sint64 n = PHYSFS_readBytes(handleOf(rw), ptr,
                                       static_cast<PHYSFS_uint64>(size) * static_cast<PHYSFS_uint64>(maxnum));
    if (n < 0) {
        SDL_SetError("PhysicsFS read failed: %s", vfsLastError());
        return -1;
    }
    return static_cast<int>(n / size);
}

int SDLCALL rwWrite(SDL_RWops* rw, const void* ptr, int size, int num) {
    if (size <= 0 || num <= 0) return 0;
    PHYSFS_sint64 n = PHYSFS_writeBytes(handleOf(rw), ptr,
                                        static_cast<PHYSFS_uint64>(size) * static_cast<PHYSFS_uint64>(num));
    if (n < 0) {
        SDL_SetError("PhysicsFS write failed: %s", vfsLastError());
        return -1;
    }
    return static_cast<int>(n / size);
}

int SDLCALL rwClose(SDL_RWops* rw) {
    PHYSFS_File* h = handleOf(rw);
    if (!PHYSFS_close(h)) {
        SDL_SetError("PhysicsFS close failed: %s", vfsLastError());
        return -1;
    }
    SDL_FreeRW(rw);
    return 0;
}

SDL_RWops* wrapOrFail(PHYSFS_File* h) {
    if (!h) {
        SDL_SetError("PhysicsFS open failed: %s", vfsLastError());
        return nullptr;
    }
    return PHYSFSRWOPS_makeRWops(h);
}

} // namespace

SDL_RWops* PHYSFSRWOPS_makeRWops(PHYSFS_File* handle) {
    if (!handle) {
        SDL_SetError("PhysicsFS handle is null");
        return nullptr;
    }
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) return nullptr;
    rw->seek = rwSeek;
    rw->read = rwRead;
    rw->write = rwWrite;
    rw->close = rwClose;
    rw->hidden.unknown.data1 = handle;
    return rw;
}

SDL_RWops* PHYSFSRWOPS_openRead(const std::string& path) {
    return wrapOrFail(PHYSFS_openRead(vfsPath(path).c_str()));
}

SDL_RWops* PHYSFSRWOPS_openWrite(const std::string& path) {
    return wrapOrFail(PHYSFS_openWrite(vfsPath(path).c_str()));
}

SDL_RWops* PHYSFSRWOPS_openAppend(const std::string& path) {
    return wrapOrFail(PHYSFS_openAppend(vfsPath(path).c_str()));
}
