// SPDX-License-Identifier: BSD-3-Clause
// Replacing a file: through symbolic links, never over something that is not an ordinary file, and
// keeping what the file's owner set.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "base/file_replace.hpp"
#include "scratch_folder.hpp"

namespace fs = std::filesystem;
using zephon::testing::TestFolder;

namespace {

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

long CountEntries(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

class FileReplace : public ::testing::Test {
  protected:
    TestFolder folder{"zephon-replace-"};
    fs::path At(const std::string& name) const { return folder.Path() / name; }
    std::string error;
};

} // namespace

TEST_F(FileReplace, ALinkIsFollowedToItsFileAndStaysALink) {
    fs::create_directory(At("data"));
    Write(At("data/real.inc"), "old");
    fs::create_symlink(At("data/real.inc"), At("absolute.inc"));
    fs::create_symlink("data/real.inc", At("relative.inc"));
    fs::create_symlink("relative.inc", At("chain.inc")); // a link to a link

    for (const char* link : {"absolute.inc", "relative.inc", "chain.inc"}) {
        const std::string text = std::string("through ") + link;
        ASSERT_TRUE(ReplaceFileContents(At(link), text, error)) << link << ": " << error;
        EXPECT_EQ(Read(At("data/real.inc")), text);
        EXPECT_TRUE(fs::is_symlink(At(link))) << link;
    }
    EXPECT_EQ(fs::read_symlink(At("relative.inc")), "data/real.inc");
    EXPECT_EQ(fs::read_symlink(At("chain.inc")), "relative.inc");
    EXPECT_EQ(CountEntries(folder.Path()), 4) << "no temporary file is left beside the links";
    EXPECT_EQ(CountEntries(At("data")), 1);

    // A link to a file not yet there makes the file.
    fs::create_symlink("data/new.inc", At("pending.inc"));
    ASSERT_TRUE(ReplaceFileContents(At("pending.inc"), "made", error)) << error;
    EXPECT_EQ(Read(At("data/new.inc")), "made");
    EXPECT_TRUE(fs::is_symlink(At("pending.inc")));
}

TEST_F(FileReplace, WhatIsNotAnOrdinaryFileIsRefusedAndLeftAlone) {
    ASSERT_EQ(::mkfifo(At("pipe.inc").c_str(), 0644), 0);
    fs::create_symlink(At("pipe.inc"), At("to-pipe.inc"));
    fs::create_directory(At("folder.inc"));
    fs::create_symlink("loop-b.inc", At("loop-a.inc"));
    fs::create_symlink("loop-a.inc", At("loop-b.inc"));

    const std::pair<const char*, const char*> refused[] = {
        {"pipe.inc", "named pipe"},
        {"to-pipe.inc", "named pipe"},
        {"folder.inc", "folder"},
        {"loop-a.inc", "loop"},
    };
    for (const auto& [name, reason] : refused) {
        error.clear();
        EXPECT_FALSE(ReplaceFileContents(At(name), "text", error)) << name;
        EXPECT_NE(error.find(reason), std::string::npos) << name << ": " << error;
    }
    EXPECT_TRUE(fs::is_fifo(At("pipe.inc")));
    EXPECT_TRUE(fs::is_symlink(At("to-pipe.inc")));
    EXPECT_TRUE(fs::is_directory(At("folder.inc")));
    EXPECT_EQ(CountEntries(folder.Path()), 5);

    // A device node of our own (making one needs root): a null device, refused as a device.
    if (::mknod(At("device.inc").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_FALSE(ReplaceFileContents(At("device.inc"), "text", error));
        EXPECT_NE(error.find("device"), std::string::npos) << error;
        EXPECT_TRUE(fs::is_character_file(At("device.inc")));
    }
}

TEST_F(FileReplace, TheReplacementKeepsPermissionsAndOwner) {
    Write(At("shared.inc"), "old");
    ::chmod(At("shared.inc").c_str(), 0640);
    // Only root can give a file away; everyone else keeps owning what they save.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(At("shared.inc").c_str(), 4321, 4322), 0);
    }

    ASSERT_TRUE(ReplaceFileContents(At("shared.inc"), "new", error)) << error;
    struct stat status {};
    ASSERT_EQ(::stat(At("shared.inc").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(status.st_uid, 4321u);
        EXPECT_EQ(status.st_gid, 4322u);
    }

    // A write-protected file is its owner's choice (root may write anything, so only checked for
    // others).
    if (!root) {
        ::chmod(At("shared.inc").c_str(), 0440);
        EXPECT_FALSE(ReplaceFileContents(At("shared.inc"), "newer", error));
        EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
        EXPECT_EQ(Read(At("shared.inc")), "new");
    }
}

TEST_F(FileReplace, APreparedReplacementChangesNothingUntilItsCommit) {
    Write(At("a.ptd"), "old a");
    Write(At("b.svg"), "old b");
    {
        CPreparedReplacement a, b;
        ASSERT_TRUE(a.Prepare(At("a.ptd"), "new a", error)) << error;
        ASSERT_TRUE(b.Prepare(At("b.svg"), "new b", error)) << error;
        EXPECT_EQ(Read(At("a.ptd")), "old a");
        EXPECT_EQ(CountEntries(folder.Path()), 4) << "the new texts wait beside their files";
        ASSERT_TRUE(a.Commit(error)) << error;
        EXPECT_EQ(Read(At("a.ptd")), "new a");
    } // b is abandoned: its file stays, its temporary file goes
    EXPECT_EQ(Read(At("b.svg")), "old b");
    EXPECT_EQ(CountEntries(folder.Path()), 2);
}
