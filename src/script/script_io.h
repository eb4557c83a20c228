// Small token helpers shared by the script, combat and word record readers and
// writers (on top of the data file layer).
#pragma once

#include "fs/data_file.h"

#include <string>

namespace scriptio {

// True when the last token read ended its line (or the file), so a value that
// runs to the end of the line is empty rather than the next line.
bool tokenEndedLine(const DataFile& file);
// A value that runs to the end of the key's line; "" when the key ended it.
std::string lineValue(DataFile& file);
// Drops what is left of the line after a token read from it.
void skipRestOfLine(DataFile& file);
// "*Blank*" for an empty text, as the writer stores it.
inline std::string blankIfEmpty(const std::string& s) { return s.empty() ? "*Blank*" : s; }
inline std::string emptyIfBlank(const std::string& s) { return s == "*Blank*" ? std::string() : s; }
inline const char* flag(bool b) { return b ? "1" : "0"; }
// The next token without consuming it; false at the end of the file.
bool peekValue(DataFile& file, std::string& token);
// True when the next token closes the enclosing record: a list that announced
// more records than it holds stops there instead of eating that "END".
bool atRecordEnd(DataFile& file);
// A count read from a file, bounded to [0, limit].
int boundedCount(int n, int limit);

// Line builders for the writers.
inline void keyLine(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += value;
    out += '\n';
}
inline void keyLine(std::string& out, const char* key, int value) {
    keyLine(out, key, std::to_string(value));
}

} // namespace scriptio
