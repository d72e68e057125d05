// SPDX-License-Identifier: BSD-3-Clause
// Reading input files: regular files (and links to them) up to the size limit; folders, FIFOs and
// devices refused with a reason and without blocking; larger inputs refused before they are read.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>

#include "base/input_file.hpp"
#include "scratch_folder.hpp"

namespace fs = std::filesystem;
using zephon::testing::TestFolder;

namespace {

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Ends the test program when the guarded code takes longer than a few seconds: a reader that
// blocks on a FIFO fails the test instead of hanging the suite.
class Watchdog {
  public:
    explicit Watchdog(const char* what)
        : mThread([this, what] {
              for (int i = 0; i < 100 && !mDone; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              if (!mDone) {
                  std::fprintf(stderr, "blocked: %s\n", what);
                  std::_Exit(1);
              }
          }) {}
    ~Watchdog() {
        mDone = true;
        mThread.join();
    }

  private:
    std::atomic<bool> mDone{false};
    std::thread mThread;
};

struct Reading {
    bool read = false;
    std::string content;
    std::string error;
};

Reading Read(const fs::path& path, std::uintmax_t maxBytes = kMaxInputBytes) {
    Reading reading;
    reading.read = ReadWholeFile(path, reading.content, reading.error, maxBytes);
    return reading;
}

} // namespace

TEST(InputFile, RegularFilesAndLinksToThemAreRead) {
    TestFolder folder("zephon-input-");
    Write(folder.Path() / "data.inc", "1\t\nA\t95.00\t\n");
    const Reading plain = Read(folder.Path() / "data.inc");
    EXPECT_TRUE(plain.read) << plain.error;
    EXPECT_EQ(plain.content, "1\t\nA\t95.00\t\n");
    fs::create_symlink(folder.Path() / "data.inc", folder.Path() / "link.inc");
    const Reading linked = Read(folder.Path() / "link.inc");
    EXPECT_TRUE(linked.read) << linked.error;
    EXPECT_EQ(linked.content, plain.content);
    EXPECT_EQ(CheckInputFile(folder.Path() / "link.inc"), "");
    Write(folder.Path() / "empty.csv", "");
    EXPECT_TRUE(Read(folder.Path() / "empty.csv").read);
}

TEST(InputFile, WhatIsNoRegularFileIsRefusedWithoutBlocking) {
    TestFolder folder("zephon-input-");
    const fs::path fifo = folder.Path() / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, folder.Path() / "link-to-pipe.inc");
    fs::create_directory(folder.Path() / "folder.inc");
    struct Case {
        fs::path path;
        const char* reason;
    };
    const Case cases[] = {
        {fifo, "it is a named pipe (FIFO), not a regular file"},
        {folder.Path() / "link-to-pipe.inc", "it is a named pipe (FIFO), not a regular file"},
        {folder.Path() / "folder.inc", "it is a folder, not a file"},
        {"/dev/zero", "it is a device, not a regular file"},
        {folder.Path() / "nowhere.inc", "there is no such file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        if (!fs::exists(c.path) && c.path.filename() != "nowhere.inc") continue; // no /dev/zero here
        Watchdog watchdog(c.reason);
        EXPECT_EQ(CheckInputFile(c.path), c.reason);
        const Reading reading = Read(c.path);
        EXPECT_FALSE(reading.read);
        EXPECT_EQ(reading.error, c.reason);
        EXPECT_TRUE(reading.content.empty());
    }
}

TEST(InputFile, LargerFilesAreRefusedNamingTheLimit) {
    TestFolder folder("zephon-input-");
    const fs::path path = folder.Path() / "big.csv";
    Write(path, std::string(4096, 'x'));
    EXPECT_TRUE(Read(path, 4096).read); // the limit itself is allowed
    const Reading over = Read(path, 4095);
    EXPECT_FALSE(over.read);
    EXPECT_EQ(over.error, "it is larger than 4 095 bytes, the most Zephon reads");
    EXPECT_TRUE(over.content.empty());
    EXPECT_EQ(Read(path, 1024).error, "it is larger than 1 KB, the most Zephon reads");
    EXPECT_EQ(CheckInputFile(path, 1024), "it is larger than 1 KB, the most Zephon reads");
    EXPECT_EQ(ByteSizeText(kMaxInputBytes), "256 MB");
    EXPECT_EQ(ByteSizeText(1), "1 byte");

    // A stream (standard input, say) has no size to look at first: reading stops past the limit.
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    const std::string text(100000, 'y');
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), stream), text.size());
    std::rewind(stream);
    std::string content, error;
    EXPECT_FALSE(ReadInputStream(stream, content, error, 65536));
    EXPECT_EQ(error, "it is larger than 64 KB, the most Zephon reads");
    EXPECT_TRUE(content.empty());
    std::rewind(stream);
    EXPECT_TRUE(ReadInputStream(stream, content, error, text.size()));
    EXPECT_EQ(content, text);
    std::fclose(stream);
}
