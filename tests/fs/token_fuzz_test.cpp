// Random bytes through the token reader: every call ends and nothing reads
// out of bounds (the sanitizer build checks).
#include "fs/data_file.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string randomText(std::mt19937& rng, size_t length) {
    // Mostly the bytes that matter to the reader, some of anything.
    static const char SPECIAL[] = {' ', '\r', '\n', '#', '/', '*', '-', '0', '9', 'A', '\xa0'};
    std::uniform_int_distribution<int> pick(0, 99), any(0, 255), special(0, sizeof SPECIAL - 1);
    std::string s;
    for (size_t i = 0; i < length; ++i)
        s += pick(rng) < 70 ? SPECIAL[special(rng)] : static_cast<char>(any(rng));
    return s;
}

} // namespace

TEST(TokenFuzz, RandomInputAlwaysEnds) {
    std::mt19937 rng(20151026);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = randomText(rng, rng() % 300);
        for (const char* name : {"f.txt", "f.dat"}) {
            DataFile f = openMemoryRead(bytes, name);
            std::string v;
            size_t calls = 0;
            // Every successful read consumes at least one byte.
            while (calls <= bytes.size() + 1) {
                const int op = static_cast<int>(rng() % 3);
                const size_t before = f.pos;
                bool more = op == 0   ? readValue(f, v)
                            : op == 1 ? readLine(f, v)
                                      : atEnd(f) == false;
                if (op == 2 && more) readInt(f);
                if (!more) break;
                ASSERT_GT(f.pos, before);
                ++calls;
            }
            ASSERT_LE(calls, bytes.size() + 1);
            EXPECT_TRUE(closeFile(f));
        }
    }
}
