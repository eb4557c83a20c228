// Records of fields: one table per record type, a row per field (key, member,
// range, kind), read and written by the same table so that a reader and its
// writer cannot drift apart.
//
//     struct Rope { int length = 10; bool knotted = false; std::string name; };
//
//     const FieldTable<Rope>& ropeFields() {
//         static const FieldTable<Rope> T = {
//             lineField("NAME:", &Rope::name),             // rest of the line, "*Blank*" when empty
//             intField("LENGTH:", &Rope::length).clamp(1, 50),
//             boolField("KNOTTED:", &Rope::knotted),       // 0 or 1
//         };
//         return T;
//     }
//
//     writeRecord(writer, rope, ropeFields());   // NAME: flush, the rest indented, END flush
//     Rope back;                                 // start from the defaults
//     if (readRecord(file, back, ropeFields()) == RecordEnd::Eof) { ...what was read is kept }
//
// Reading is tolerant: keys in any order, "##" and "//" comment lines, tokens
// that are not keys skipped, the closing word ("END") ends the record, and the
// end of the file inside a record prints "Unexpected EOF while reading <path>"
// once per file. Counts are bounded and lists grow only as their entries are
// actually read. Fields whose shape no kind covers (a nested list of records,
// three numbers on one line) are custom rows: a read and a write function.
// Keys are looked up in a sorted index built once per table.
#pragma once

#include "fs/data_file.h"
#include "fs/record_writer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// What a read step met: nothing special (Open), the record's closing word,
// the enclosing record's closing word, or the end of the file.
enum class RecordEnd { Open, Closed, OuterClosed, Eof };

// What is kept of one value; the rest of an absurdly long value is dropped.
constexpr size_t MAX_TOKEN_VALUE = 255;
constexpr size_t MAX_LINE_VALUE = 65536;
// Default bound of a counted list.
constexpr int MAX_LIST_COUNT = 1024;

// ---- Small readers for values, also for hand-written readers ----------------

// True when the token just read ended its line (or the file).
bool tokenEndedLine(const DataFile& file);
// The rest of the current line after a key: empty when the key ended its line,
// "*Blank*" turned into "" (unless `keepBlank`), at most `maxLength` bytes kept.
std::string readLineValue(DataFile& file, bool keepBlank = false,
                          size_t maxLength = MAX_LINE_VALUE);
// The next line that is not empty, for lists of lines after a count.
std::string readListLine(DataFile& file, size_t maxLength = MAX_LINE_VALUE);
// One token ("*Blank*" gives ""), at most `maxLength` bytes kept.
std::string readTokenValue(DataFile& file, size_t maxLength = MAX_TOKEN_VALUE);
bool readBool(DataFile& file);
// A count, clamped to 0..max.
int readCount(DataFile& file, int max);
// Drops what follows a value on its line ("TYPE: 4 Name of the type").
void skipRestOfLine(DataFile& file);
// The next value token, left unread.
bool peekValue(DataFile& file, std::string& token);
// "Unexpected EOF while reading <path>", once per file.
void reportUnexpectedEof(DataFile& file);
// "*Blank*" for an empty string, so that no value token is ever missing.
std::string orBlank(const std::string& text);

// ---- Fields --------------------------------------------------------------

enum class FieldKind {
    Int,      // one number, clamped to low..high
    Bool,     // written 0 or 1; non-zero reads as true
    Token,    // one blank-free word
    Line,     // the rest of the key's line
    IntList,  // "KEY: count v1 v2 ..." on one line
    LineList, // "KEY: count", then one line per entry
    Marker,   // the key alone on its line, written when the flag is set
    Literal,  // a fixed line of the written layout (banners); never read
    Custom,   // read and write functions of the row's own
};

template <class R>
struct Field {
    FieldKind kind = FieldKind::Custom;
    std::string key;     // as read, compared in full, colon included
    std::string label;   // written before the value (key and a blank by default)
    std::string comment; // written after the value, to the end of the line
    int low = INT_MIN, high = INT_MAX; // Int: clamp; lists: high bounds the count
    size_t maxLength = MAX_LINE_VALUE;
    bool keepBlank = false; // Line: "*Blank*" stays as text
    bool written = true;    // false: read only (keys of older files)

    std::function<int&(R&)> intRef;
    std::function<bool&(R&)> boolRef;
    std::function<std::string&(R&)> textRef;
    std::function<std::vector<int>&(R&)> intsRef;
    std::function<std::vector<std::string>&(R&)> linesRef;
    std::function<RecordEnd(DataFile&, R&)> read;       // Custom: reads what follows the key
    std::function<void(RecordWriter&, const R&)> write; // Custom: writes the whole line(s)

    Field& clamp(int lo, int hi) {
        low = lo;
        high = hi;
        return *this;
    }
    Field& maxCount(int n) {
        high = n;
        return *this;
    }
    Field& writtenAs(std::string text) {
        label = std::move(text);
        return *this;
    }
    Field& withComment(std::string text) {
        comment = std::move(text);
        return *this;
    }
    Field& keepLength(size_t n) {
        maxLength = n;
        return *this;
    }
    Field& keepingBlank() {
        keepBlank = true;
        return *this;
    }
    Field& readOnly() {
        written = false;
        return *this;
    }
};

namespace record_detail {
template <class R>
Field<R> make(FieldKind kind, const char* key) {
    Field<R> f;
    f.kind = kind;
    f.key = key;
    f.label = kind == FieldKind::Marker ? std::string(key) : std::string(key) + " ";
    if (kind == FieldKind::Token) f.maxLength = MAX_TOKEN_VALUE;
    if (kind == FieldKind::IntList || kind == FieldKind::LineList) {
        f.low = 0;
        f.high = MAX_LIST_COUNT;
    }
    return f;
}
template <class R, class T>
std::function<T&(R&)> member(T R::*m) {
    return [m](R& r) -> T& { return r.*m; };
}
} // namespace record_detail

// Each kind takes a member pointer or, for fields that sit deeper than the
// record itself, an accessor returning a reference.
template <class R>
Field<R> intField(const char* key, std::function<int&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::Int, key);
    f.intRef = std::move(ref);
    return f;
}
template <class R>
Field<R> intField(const char* key, int R::*m) {
    return intField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> boolField(const char* key, std::function<bool&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::Bool, key);
    f.boolRef = std::move(ref);
    return f;
}
template <class R>
Field<R> boolField(const char* key, bool R::*m) {
    return boolField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> tokenField(const char* key, std::function<std::string&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::Token, key);
    f.textRef = std::move(ref);
    return f;
}
template <class R>
Field<R> tokenField(const char* key, std::string R::*m) {
    return tokenField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> lineField(const char* key, std::function<std::string&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::Line, key);
    f.textRef = std::move(ref);
    return f;
}
template <class R>
Field<R> lineField(const char* key, std::string R::*m) {
    return lineField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> intListField(const char* key, std::function<std::vector<int>&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::IntList, key);
    f.intsRef = std::move(ref);
    return f;
}
template <class R>
Field<R> intListField(const char* key, std::vector<int> R::*m) {
    return intListField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> lineListField(const char* key, std::function<std::vector<std::string>&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::LineList, key);
    f.linesRef = std::move(ref);
    return f;
}
template <class R>
Field<R> lineListField(const char* key, std::vector<std::string> R::*m) {
    return lineListField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> markerField(const char* key, std::function<bool&(R&)> ref) {
    Field<R> f = record_detail::make<R>(FieldKind::Marker, key);
    f.boolRef = std::move(ref);
    return f;
}
template <class R>
Field<R> markerField(const char* key, bool R::*m) {
    return markerField<R>(key, record_detail::member(m));
}
template <class R>
Field<R> literalLine(const std::string& text) {
    Field<R> f;
    f.kind = FieldKind::Literal;
    f.label = text;
    return f;
}
// `read` is called after the key; it returns RecordEnd::Open unless it met the
// end of the record or of the file. A null `write` makes the row read only.
template <class R>
Field<R> customField(const char* key, std::function<RecordEnd(DataFile&, R&)> read,
                     std::function<void(RecordWriter&, const R&)> write) {
    Field<R> f = record_detail::make<R>(FieldKind::Custom, key);
    f.read = std::move(read);
    f.write = std::move(write);
    f.written = static_cast<bool>(f.write);
    return f;
}

// The rows of one record type, in written order, with a sorted key index.
// When two rows share a key the first one reads it.
template <class R>
class FieldTable {
public:
    FieldTable(std::initializer_list<Field<R>> rows) : rows_(rows) { buildIndex(); }
    explicit FieldTable(std::vector<Field<R>> rows) : rows_(std::move(rows)) { buildIndex(); }

    const std::vector<Field<R>>& rows() const { return rows_; }
    const Field<R>* find(const std::string& key) const {
        // Most words of a damaged file are no key at all: reject them before the search.
        if (key.size() < minLength_ || key.size() > maxLength_ ||
            !firstChars_[static_cast<unsigned char>(key[0])])
            return nullptr;
        auto it = std::lower_bound(
            index_.begin(), index_.end(), key,
            [](const std::pair<std::string, size_t>& e, const std::string& k) { return e.first < k; });
        if (it == index_.end() || it->first != key) return nullptr;
        return &rows_[it->second];
    }

private:
    void buildIndex() {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].kind != FieldKind::Literal && !rows_[i].key.empty())
                index_.emplace_back(rows_[i].key, i);
        std::stable_sort(index_.begin(), index_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : index_) {
            minLength_ = std::min(minLength_, entry.first.size());
            maxLength_ = std::max(maxLength_, entry.first.size());
            firstChars_[static_cast<unsigned char>(entry.first[0])] = true;
        }
    }
    std::vector<Field<R>> rows_;
    std::vector<std::pair<std::string, size_t>> index_;
    size_t minLength_ = SIZE_MAX, maxLength_ = 0;
    std::array<bool, 256> firstChars_{};
};

// ---- Reading ---------------------------------------------------------------

// Reads the value(s) of one field, its key just read.
template <class R>
RecordEnd readField(DataFile& file, R& record, const Field<R>& f) {
    switch (f.kind) {
    case FieldKind::Int:
        f.intRef(record) = std::clamp(readInt(file), f.low, f.high);
        break;
    case FieldKind::Bool:
        f.boolRef(record) = readBool(file);
        break;
    case FieldKind::Token:
        f.textRef(record) = readTokenValue(file, f.maxLength);
        break;
    case FieldKind::Line:
        f.textRef(record) = readLineValue(file, f.keepBlank, f.maxLength);
        break;
    case FieldKind::IntList: {
        std::vector<int>& list = f.intsRef(record);
        list.clear();
        const int n = readCount(file, f.high);
        for (int i = 0; i < n && !atEnd(file); ++i)
            list.push_back(readInt(file));
        break;
    }
    case FieldKind::LineList: {
        std::vector<std::string>& list = f.linesRef(record);
        list.clear();
        const int n = readCount(file, f.high);
        for (int i = 0; i < n && !atEnd(file); ++i)
            list.push_back(readListLine(file, f.maxLength));
        break;
    }
    case FieldKind::Marker:
        f.boolRef(record) = true;
        break;
    case FieldKind::Literal:
        break;
    case FieldKind::Custom:
        if (f.read) return f.read(file, record);
        break;
    }
    return RecordEnd::Open;
}

// Reads keys into `record` (which keeps the values it has for keys that do not
// come) until `closer`. With a null closer the record runs to the end of the
// file, which is then no error. Meeting `outerCloser` (the enclosing record's
// closing word, when it differs) ends this record and the enclosing one.
template <class R>
RecordEnd readRecord(DataFile& file, R& record, const FieldTable<R>& table,
                     const char* closer = "END", const char* outerCloser = nullptr) {
    std::string token;
    for (;;) {
        if (!readValue(file, token)) {
            if (!closer) return RecordEnd::Closed;
            reportUnexpectedEof(file);
            return RecordEnd::Eof;
        }
        if (closer && token == closer) return RecordEnd::Closed;
        if (outerCloser && token == outerCloser) return RecordEnd::OuterClosed;
        const Field<R>* f = table.find(token);
        if (!f) continue; // not a key of this record
        RecordEnd end = readField(file, record, *f);
        if (end == RecordEnd::Eof) reportUnexpectedEof(file);
        if (end != RecordEnd::Open) return end;
    }
}

// Reads up to `count` records (bound the count first, with readCount), each
// started from `prototype` and appended once read. A list that announced more
// records than it holds meets its parent's closing word where the next record
// should begin: the list ends there and leaves that word unread, so the parent
// still closes on it. Eof when the file ended inside the list.
template <class R>
RecordEnd readRecordList(DataFile& file, std::vector<R>& list, const FieldTable<R>& table,
                         int count, const R& prototype = R(), const char* closer = "END") {
    std::string next;
    for (int i = 0; i < count; ++i) {
        if (!peekValue(file, next)) {
            reportUnexpectedEof(file);
            return RecordEnd::Eof;
        }
        if (next == closer) return RecordEnd::Open;
        R record = prototype;
        RecordEnd end = readRecord(file, record, table, closer);
        if (end == RecordEnd::Eof) return end;
        list.push_back(std::move(record));
    }
    return RecordEnd::Open;
}

// ---- Writing ---------------------------------------------------------------

template <class R>
void writeField(RecordWriter& w, const R& constRecord, const Field<R>& f) {
    if (!f.written) return;
    // The accessors hand out references for reading and writing alike; the
    // writer only reads through them.
    R& record = const_cast<R&>(constRecord);
    auto put = [&](const std::string& value) { w.line(f.label + value + f.comment); };
    switch (f.kind) {
    case FieldKind::Int:
        put(std::to_string(f.intRef(record)));
        break;
    case FieldKind::Bool:
        put(f.boolRef(record) ? "1" : "0");
        break;
    case FieldKind::Token:
    case FieldKind::Line:
        put(orBlank(f.textRef(record)));
        break;
    case FieldKind::IntList: {
        const std::vector<int>& list = f.intsRef(record);
        std::string v = std::to_string(list.size());
        for (int x : list)
            v += " " + std::to_string(x);
        put(v);
        break;
    }
    case FieldKind::LineList: {
        const std::vector<std::string>& list = f.linesRef(record);
        put(std::to_string(list.size()));
        for (const std::string& s : list)
            w.line(orBlank(s));
        break;
    }
    case FieldKind::Marker:
        if (f.boolRef(record)) w.line(f.label + f.comment);
        break;
    case FieldKind::Literal:
        w.line(f.label);
        break;
    case FieldKind::Custom:
        if (f.write) f.write(w, constRecord);
        break;
    }
}

// Every row, in table order, at the writer's current level.
template <class R>
void writeFields(RecordWriter& w, const R& record, const FieldTable<R>& table) {
    for (const Field<R>& f : table.rows())
        writeField(w, record, f);
}

// Where a record's closing word goes: back with its first line (most records)
// or with its other lines.
enum class CloseAt { Parent, Inside };

// The usual record: the first row at the current level, the other rows one
// level deeper, then the closing word (none when `closer` is null).
template <class R>
void writeRecord(RecordWriter& w, const R& record, const FieldTable<R>& table,
                 const char* closer = "END", CloseAt closeAt = CloseAt::Parent) {
    const std::vector<Field<R>>& rows = table.rows();
    size_t i = 0;
    while (i < rows.size() && !rows[i].written)
        ++i;
    if (i < rows.size()) writeField(w, record, rows[i++]);
    {
        Nest inside(w);
        for (; i < rows.size(); ++i)
            writeField(w, record, rows[i]);
        if (closer && closeAt == CloseAt::Inside) w.line(closer);
    }
    if (closer && closeAt == CloseAt::Parent) w.line(closer);
}
