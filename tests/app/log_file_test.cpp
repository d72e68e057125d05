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

TEST(LogFile, EmptiedAtStartThenAppendedLineByLine) {
    zephon::testing::TestFolder folder("zephon-log-");
    std::ofstream(folder.Path() / "Zephon.log") << "last session\r\n";
    CLogFile log;
    ASSERT_TRUE(log.Start({folder.Path()}));
    EXPECT_EQ(Contents(log.Path()), "");
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

    CLogFile nowhere;
    EXPECT_FALSE(nowhere.Start({blocked / "sub"}));
    EXPECT_FALSE(nowhere.Append("lost"));
}

} // namespace
