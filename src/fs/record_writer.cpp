#include "fs/record_writer.h"

#include "fs/data_file.h"

RecordWriter::RecordWriter(DataFile& file, int& nesting) : file_(file), nesting_(nesting) {}

RecordWriter::RecordWriter(DataFile& file) : file_(file), nesting_(ownNesting_) {}

void RecordWriter::line(const std::string& text) {
    std::string out;
    if (!text.empty() && nesting_ > 0) out.assign(static_cast<size_t>(4 * nesting_), ' ');
    out.reserve(out.size() + text.size() + 1);
    for (char c : text)
        out += c == '\n' || c == '\r' ? ' ' : c;
    out += '\n';
    if (!writeText(0, file_, out)) failed_ = true;
}

void RecordWriter::text(const std::string& lines) {
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        line(lines.substr(start, end - start));
        start = end + 1;
    }
}

bool RecordWriter::ok() const { return !failed_ && !file_.writeFailed; }
