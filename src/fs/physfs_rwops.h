// SDL read/write adapters over virtual file system handles, so that SDL_image
// and SDL_ttf read through the virtual tree. Each returned SDL_RWops owns its
// handle and must be freed with SDL_RWclose() (or handed to a loader that frees it).
#pragma once

#include <SDL/SDL_rwops.h>

#include <string>

struct PHYSFS_File;

SDL_RWops* PHYSFSRWOPS_openRead(const std::string& path);
SDL_RWops* PHYSFSRWOPS_openWrite(const std::string& path);
SDL_RWops* PHYSFSRWOPS_openAppend(const std::string& path);
// Wraps an already open handle; closing the adapter closes the handle.
SDL_RWops* PHYSFSRWOPS_makeRWops(PHYSFS_File* handle);
