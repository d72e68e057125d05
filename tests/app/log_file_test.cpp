// SPDX-License-Identifier: BSD-3-Clause
#include "app/log_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "scratch_folder.hpp"

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(LogFile, NewAtStartKeepingThePreviousSessionThenAppendedLineByLine) {
    zephon::testing::TestFolder folder("zephon-log-");
    std::ofstream(folder.Path() / "Zephon.log.1") << "session before last\r\n";
    std::ofstream(folder.Path() / "Zephon.log") << "last session\r\n";
    CLogFile log;
    ASSERT_TRUE(log.Start({folder.Path()}));
    EXPECT_EQ(Contents(log.Path()), "");
    EXPECT_EQ(Contents(folder.Path() / "Zephon.log.1"), "last session\r\n");
    EXPECT_TRUE(log.Append("Th = 80.0\r\n"));
    EXPECT_TRUE(log.Append("GOR = 1 234\r\n"));
    EXPECT_EQ(Contents(log.Path()), "Th = 80.0\r\nGOR = 1 234\r\n");
}

TEST(LogFile, FallsBackWhenTheFolderCannotBeWritten) {
    zephon::testing::TestFolder folder("zephon-log-");
    // A file where the folder should be: nothing can be made in it, whoever runs the test.
    const auto blocked = folder.Path() / "blocked";
    std::ofstream(blocked) << "x";
    CLogFile log;
    ASSERT_TRUE(log.Start({blocked / "sub", folder.Path() / "data"}));
    EXPECT_EQ(log.Path(), folder.Path() / "data" / "Zephon.log");

    // A folder under the log's name is no log to keep: that place is passed over, untouched.
    std::filesystem::create_directories(folder.Path() / "taken" / "Zephon.log");
    ASSERT_TRUE(log.Start({folder.Path() / "taken", folder.Path() / "data"}));
    EXPECT_EQ(log.Path(), folder.Path() / "data" / "Zephon.log");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken" / "Zephon.log"));

    CLogFile nowhere;
    EXPECT_FALSE(nowhere.Start({blocked / "sub"}));
    EXPECT_FALSE(nowhere.Append("lost"));
}

TEST(LogFile, GoesInTheCurrentFolderUnlessItIsHomeThenInTheStateFolder) {
    zephon::testing::TestFolder folder("zephon-log-");
    const auto home = folder.Path() / "home", work = folder.Path() / "work";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(work);
    using Folders = std::vector<std::filesystem::path>;
    EXPECT_EQ(CLogFile::Folders(work, home, ""), (Folders{work, home / ".local/state/zephon"}));
    // The home folder, however it is spelled.
    EXPECT_EQ(CLogFile::Folders(home / "." / "", home, "/state"), (Folders{"/state/zephon"}));
    // A relative XDG_STATE_HOME is ignored, as the XDG base directory rules require.
    EXPECT_EQ(CLogFile::Folders(home, home, "state"), (Folders{home / ".local/state/zephon"}));
}

} // namespace
