#include "search.h"

#include <gtest/gtest.h>

#include "test_conventions.h"

namespace {

TEST(ComposeToolPath, OneSeparatorBetweenDirectoryAndName) {
  EXPECT_EQ(compose("C:\\b", "ombrel.exe", win_rules), "C:\\b\\ombrel.exe");
  EXPECT_EQ(compose("C:\\b\\", "ombrel.exe", win_rules), "C:\\b\\ombrel.exe");
  EXPECT_EQ(compose("tools", "ombrel.exe", win_rules), "tools\\ombrel.exe");
  EXPECT_EQ(compose("C:/b/", "ombrel.exe", win_rules), "C:/b/\\ombrel.exe");
  EXPECT_EQ(compose("/opt/b", "ombrel.exe", posix_rules), "/opt/b/ombrel.exe");
  // An empty PATH element stands for the current directory, not its root.
  EXPECT_EQ(compose("", "ombrel.exe", win_rules), "ombrel.exe");
}

TEST(ProgramDirectory, CutAfterTheLastSeparator) {
  EXPECT_EQ(program_directory("C:\\tools\\kestrune.exe", win_rules), "C:\\tools\\");
  EXPECT_EQ(program_directory("C:/tools/kestrune.exe", win_rules), "C:/tools/kestrune.exe");
  EXPECT_EQ(program_directory("/usr/local/bin/kestrune", posix_rules), "/usr/local/bin/");
  EXPECT_EQ(program_directory("kestrune", posix_rules), "kestrune");
}

}  // namespace
