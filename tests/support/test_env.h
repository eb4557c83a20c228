// Shared test scaffolding. Every test program runs with HOME pointed at a fresh
// temporary folder (set up by the support main), never the real home folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

// The temporary HOME of this test program.
const std::string& testHome();
// A new empty temporary folder under testHome().
std::string makeTempFolder(const std::string& prefix);
// Raw bytes of a real file; empty when missing.
std::string readRealFile(const std::string& path);
void writeRealFile(const std::string& path, const std::string& bytes);

// A virtual file system per test: write folder and first search entry is a fresh
// user folder; the built data folder (build/data) is mounted after it when asked.
class VfsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void mountBuiltData();
    // Real path of a file in this test's user (write) folder.
    std::string userFile(const std::string& rel) const { return userFolder + rel; }

    std::string userFolder; // ends with "/"
};
