#include "app/console_mode.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(ConsoleMode, FileNameIsTakenAfterTheLastSeparator) {
    EXPECT_EQ(fileNameOf("/home/a/Documents/Quillhaven/data/profiles/resume2.dat"), "resume2.dat");
    EXPECT_EQ(fileNameOf("C:\\saves\\resume1.dat"), "resume1.dat");
    EXPECT_EQ(fileNameOf("resume3.dat"), "resume3.dat");
    EXPECT_EQ(fileNameOf("dir/"), "");
}

TEST(ConsoleMode, WaitingForAKeyEndsOnALineOrClosedInput) {
    char text[] = "typed\nrest";
    std::FILE* in = fmemopen(text, sizeof text - 1, "r");
    ASSERT_NE(in, nullptr);
    waitForKey(in);
    EXPECT_EQ(std::fgetc(in), 'r'); // only the first line was taken
    std::fclose(in);

    std::FILE* closed = std::fopen("/dev/null", "r");
    ASSERT_NE(closed, nullptr);
    waitForKey(closed); // returns at once at end of input
    EXPECT_TRUE(std::feof(closed));
    std::fclose(closed);
}
