// Item records, full and state-only: bounded, and a record written back reads
// back equal.
#include "character/item_catalogue.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DataFile f = fuzzFile(data, size, "items.txt", "items.dat");
    std::vector<Item> catalogue(3);
    for (int n = 0; n < 64 && !atEnd(f); ++n) {
        Item it;
        const bool closed = n % 2 ? readItemState(f, catalogue, it) : readItem(f, it);
        FUZZ_CHECK(it.bonuses.size() <= 16);
        if (!closed) break;
        DataFile w = openMemoryWrite("x.dat");
        int nesting = 0;
        writeItem(it, w, false, nesting);
        FUZZ_CHECK(nesting == 0);
        DataFile r = openMemoryRead(w.data, "x.dat");
        Item back;
        FUZZ_CHECK(readItem(r, back));
        FUZZ_CHECK(back == it);
    }
    return 0;
}
