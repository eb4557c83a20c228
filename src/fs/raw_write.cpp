#include "fs/raw_write.h"

#include <physfs.h>

bool writeRawBytes(DataFile& file, const char* bytes, size_t size) {
    if (!file.writing) return false;
    if (file.memory) {
        file.data.append(bytes, size);
        return true;
    }
    if (!file.handle) return false;
    PHYSFS_sint64 n = PHYSFS_writeBytes(file.handle, bytes, size);
    if (n != static_cast<PHYSFS_sint64>(size)) {
        file.writeFailed = true;
        return false;
    }
    return true;
}
