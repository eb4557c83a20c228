#include "fs/record_fields.h"

#include <cstdio>

bool tokenEndedLine(const DataFile& file) {
    if (file.pos == 0) return true;
    if (file.pos >= file.data.size()) return true;
    const char last = file.data[file.pos - 1];
    return last == '\n' || last == '\r';
}

std::string readLineValue(DataFile& file, bool keepBlank, size_t maxLength) {
    // A key at the end of its line has no value: reading on would take the
    // next line, usually the next key, as the value.
    if (tokenEndedLine(file)) return std::string();
    std::string value;
    readLine(file, value);
    if (!keepBlank && value == "*Blank*") value.clear();
    if (value.size() > maxLength) value.resize(maxLength);
    return value;
}

std::string readListLine(DataFile& file, size_t maxLength) {
    // A count followed by blanks leaves an empty rest of its line; entries are
    // never empty (the writer writes "*Blank*").
    std::string line;
    while (readLine(file, line)) {
        if (!line.empty()) break;
    }
    if (line == "*Blank*") line.clear();
    if (line.size() > maxLength) line.resize(maxLength);
    return line;
}

std::string readTokenValue(DataFile& file, size_t maxLength) {
    std::string value;
    readValue(file, value);
    if (value.size() > maxLength) value.resize(maxLength);
    return value;
}

bool readBool(DataFile& file) { return readInt(file) != 0; }

int readCount(DataFile& file, int max) { return std::clamp(readInt(file), 0, std::max(max, 0)); }

void skipRestOfLine(DataFile& file) {
    if (tokenEndedLine(file)) return;
    std::string rest;
    readLine(file, rest);
}

bool peekValue(DataFile& file, std::string& token) {
    const size_t at = file.pos;
    const bool found = readValue(file, token);
    // Nothing but blanks and comments left: those stay read, so the file is
    // at its end for whoever looks next.
    if (found) file.pos = at;
    return found;
}

void reportUnexpectedEof(DataFile& file) {
    if (file.eofReported) return;
    file.eofReported = true;
    std::printf("Unexpected EOF while reading %s\n", file.path.c_str());
}

std::string orBlank(const std::string& text) { return text.empty() ? "*Blank*" : text; }
