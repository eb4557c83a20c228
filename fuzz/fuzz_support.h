// Shared by the fuzz programs: the input as an in-memory data file, and a
// check that stops the run with a message the fuzzer keeps with the input.
#pragma once

#include "fs/data_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string fuzzBytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The first byte picks plain or shifted reading, so both paths are explored.
inline DataFile fuzzFile(const uint8_t* data, size_t size, const char* plainName,
                         const char* shiftedName) {
    if (size == 0) return openMemoryRead("", plainName);
    const bool shifted = data[0] & 1;
    return openMemoryRead(fuzzBytes(data + 1, size - 1), shifted ? shiftedName : plainName);
}

#define FUZZ_CHECK(cond)                                                                \
    do {                                                                                \
        if (!(cond)) {                                                                  \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                               \
        }                                                                               \
    } while (0)
