// The one writer of key/value records. It writes whole lines, each indented
// four blanks per nesting level, through the data file layer (CR LF line ends,
// byte shift of ".dat" files). The nesting level is a counter shared with
// whoever else writes into the same file; a Nest raises it for the lines of a
// nested record and lowers it again when it goes out of scope, so a writer
// that returns early can never leave the level raised.
//
//     RecordWriter w(file, paths.indentLevel);
//     w.line("ID: 3");            // a record's first line sits with its parent
//     {
//         Nest inside(w);
//         w.line("NAME: Rope");   // the rest one level deeper
//     }
//     w.line("END");
//
// Tables of fields (fs/record_fields.h) write whole records this way.
#pragma once

#include <string>

struct DataFile;

class RecordWriter {
public:
    // `nesting` is the shared counter; it starts wherever the caller left it.
    RecordWriter(DataFile& file, int& nesting);
    // A writer with a counter of its own, starting at 0.
    explicit RecordWriter(DataFile& file);
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // One line at the current level. Line breaks inside `text` would split the
    // value over lines, so they are written as blanks.
    void line(const std::string& text);
    // Each line of a multi-line text at the current level (an empty line
    // stays empty, without indentation).
    void text(const std::string& lines);

    int level() const { return nesting_; }
    DataFile& file() { return file_; }
    int& nesting() { return nesting_; }
    // False once any write failed (the data layer then keeps the old file).
    bool ok() const;

private:
    DataFile& file_;
    int ownNesting_ = 0;
    int& nesting_;
    bool failed_ = false;
};

// Raises the writer's nesting level for its lifetime.
class Nest {
public:
    explicit Nest(RecordWriter& writer) : nesting_(writer.nesting()) { ++nesting_; }
    // For code that still passes the bare counter around.
    explicit Nest(int& nesting) : nesting_(nesting) { ++nesting_; }
    ~Nest() { --nesting_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

private:
    int& nesting_;
};
