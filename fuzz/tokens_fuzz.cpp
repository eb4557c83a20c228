// The token reader: every call ends, consumes input when it succeeds and
// never reads outside the file.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DataFile f = fuzzFile(data, size, "tokens.txt", "tokens.dat");
    std::string v;
    size_t step = 0;
    for (;;) {
        const size_t before = f.pos;
        const int op = size > 0 ? data[step++ % size] % 3 : 0;
        bool more = op == 0 ? readValue(f, v) : op == 1 ? readLine(f, v) : !atEnd(f);
        if (op == 2 && more) readInt(f);
        if (!more) break;
        FUZZ_CHECK(f.pos > before);
        FUZZ_CHECK(f.pos <= f.data.size());
    }
    closeFile(f);
    return 0;
}
