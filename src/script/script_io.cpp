#include "script/script_io.h"

#include <algorithm>

namespace scriptio {

bool tokenEndedLine(const DataFile& file) {
    if (file.pos == 0 || file.pos > file.data.size()) return true;
    if (file.pos >= file.data.size()) return true;
    const unsigned char last = static_cast<unsigned char>(file.data[file.pos - 1]);
    return last != 32 && last != 160;
}

std::string lineValue(DataFile& file) {
    std::string value;
    if (!tokenEndedLine(file)) readLine(file, value);
    return value;
}

void skipRestOfLine(DataFile& file) {
    std::string rest;
    if (!tokenEndedLine(file)) readLine(file, rest);
}

bool peekValue(DataFile& file, std::string& token) {
    const size_t at = file.pos;
    const bool ok = readValue(file, token);
    file.pos = at;
    return ok;
}

bool atRecordEnd(DataFile& file) {
    std::string token;
    return !peekValue(file, token) || token == "END";
}

int boundedCount(int n, int limit) { return std::clamp(n, 0, limit); }

} // namespace scriptio
