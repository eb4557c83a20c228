// Raw bytes into a file opened with openWrite: no line-end translation and no
// byte shift, for files that are not text (downloaded archives and pictures).
#pragma once

#include "fs/data_file.h"

#include <cstddef>

// False (and the file marked failed, so closeFile keeps the old copy) when the
// bytes cannot all be written.
bool writeRawBytes(DataFile& file, const char* bytes, size_t size);
