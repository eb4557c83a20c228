// The shared data file layer: every key/value file of the program is read and
// written through these routines. Files whose name contains ".dat" are stored
// byte-shifted; the shift is applied here and nowhere else.
#pragma once

#include <cstdint>
#include <string>

struct PHYSFS_File;

// Where the program's folders are; owned by the Application.
struct FileSystemPaths {
    int indentLevel = 0;      // nesting counter of the text writer
    std::string baseDir;      // program folder, ends with the separator
    std::string userFolder;   // home + "Documents/Quillhaven/"
    std::string dirSeparator; // only used to build real paths for mounting
};

constexpr int BYTE_SHIFT = 66;

// One open file. Reading files are loaded whole at open (they are small) and
// un-shifted in memory, which keeps the byte-at-a-time token reader cheap and
// makes "step back" trivial. Writing files go to a temporary file beside the
// target that closeFile renames over it, so a crash never leaves a broken file.
// Destroying a DataFile does not close it: owners call closeFile.
struct DataFile {
    PHYSFS_File* handle = nullptr; // virtual file system handle; null for memory files
    bool shifted = false;          // path contains ".dat"
    std::string path;              // as given to the open call, for messages
    std::string scratch;

    bool memory = false;      // reads from / writes to `data` only
    bool writing = false;     // opened by openWrite / openMemoryWrite
    bool writeFailed = false; // a write went wrong: closeFile keeps the old file
    std::string data;         // reading: the plain (un-shifted) bytes; memory writing: stored bytes
    size_t pos = 0;           // read position in `data`
    std::string tempPath;     // virtual path of the temporary file being written
    bool eofReported = false; // "Unexpected EOF" is said once per file, however deep
    // Writing: the last-modified time (seconds) the new copy gets before it
    // replaces the old one; -1 leaves the time of writing.
    int64_t modTime = -1;

    bool isOpen() const { return handle != nullptr || memory; }
};

bool pathIsShifted(const std::string& path);

DataFile openRead(const std::string& path);
DataFile openWrite(const std::string& path);
// In-memory files for tests and tools. `stored` holds the bytes as they would be
// on disk (shifted when `name` contains ".dat").
DataFile openMemoryRead(const std::string& stored, const std::string& name);
DataFile openMemoryWrite(const std::string& name);
bool closeFile(DataFile& file);

bool readToken(DataFile& file, std::string& out, bool stopAtSpace);
bool readValue(DataFile& file, std::string& out);
bool readLine(DataFile& file, std::string& out);
int readInt(DataFile& file);
bool atEnd(const DataFile& file);

bool writeText(int level, DataFile& file, const std::string& text);
bool writeString(const std::string& text, FileSystemPaths& paths, DataFile& file);

// Decimal conversion like atoi: optional blanks, optional sign, leading digits;
// anything else gives 0. Never overflows (saturates).
int parseInt(const std::string& text);

// The byte shift on a whole buffer.
std::string shiftBytes(const std::string& plain);
std::string unshiftBytes(const std::string& stored);
// Plain text as the writer would store it: line ends become CR LF, then the shift.
std::string encodeText(const std::string& plain, bool shifted);
