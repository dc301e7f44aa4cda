// The POSIX platform layer against the real system, in a scratch directory.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform.h"

namespace fs = std::filesystem;

namespace {

struct PosixPlatform : testing::Test {
  fs::path before = fs::current_path();
  fs::path dir;
  PosixPlatform() {
    std::string templ = (fs::temp_directory_path() / "platform-XXXXXX").string();
    dir = fs::canonical(mkdtemp(templ.data()));
    fs::current_path(dir);
  }
  ~PosixPlatform() override {
    fs::current_path(before);
    fs::remove_all(dir);
  }
  static std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(PosixPlatform, CurrentDirectoryIsThePlainPathOfAnyLength) {
  EXPECT_EQ(current_directory(), dir.string());
  const fs::path deep = dir / std::string(200, 'a') / std::string(200, 'b');
  fs::create_directories(deep);
  ASSERT_TRUE(change_directory(deep.string()));
  EXPECT_EQ(current_directory(), deep.string());
  EXPECT_FALSE(change_directory("missing"));
}

TEST_F(PosixPlatform, ExistenceAndReadability) {
  std::ofstream("file") << "x";
  fs::create_directory("sub");
  EXPECT_TRUE(file_exists("file"));
  EXPECT_TRUE(file_exists("sub"));
  EXPECT_FALSE(file_exists("missing"));
  EXPECT_TRUE(can_open_for_reading("file"));
  EXPECT_FALSE(can_open_for_reading("sub"));
  EXPECT_FALSE(can_open_for_reading("missing"));
}

TEST_F(PosixPlatform, TextFilesGetCrLfAndReplaceWhatWasThere) {
  std::ofstream("out.txt") << "a much longer old content than the new one\n";
  ASSERT_TRUE(write_text_file("out.txt", {"one \n", "two\n", "no end"}));
  EXPECT_EQ(slurp("out.txt"), "one \r\ntwo\r\nno end");
  EXPECT_FALSE(write_text_file("missing/out.txt", {"x\n"}));
  EXPECT_FALSE(fs::exists("missing"));
  fs::create_directory("taken");  // a directory cannot be replaced by the file
  EXPECT_FALSE(write_text_file("taken", {"x\n"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(PosixPlatform, EnvironmentNamesMatchExactly) {
  setenv("KESTRUNE_TEST_VAR", "", 1);
  EXPECT_EQ(environment_value("KESTRUNE_TEST_VAR"), "");
  EXPECT_EQ(environment_value("kestrune_test_var"), std::nullopt);
  unsetenv("KESTRUNE_TEST_VAR");
  EXPECT_EQ(environment_value("KESTRUNE_TEST_VAR"), std::nullopt);
}

TEST_F(PosixPlatform, ExecutablePathIsAbsolute) {
  const std::string self = executable_path();
  EXPECT_EQ(self.front(), '/');
  EXPECT_TRUE(fs::equivalent(self, "/proc/self/exe"));
}

TEST_F(PosixPlatform, LaunchOutcomes) {
  std::ofstream("tool.com") << "#!/bin/sh\n";
  EXPECT_EQ(std::get<LaunchFailure>(launch_and_wait("./tool.exe", {"./tool.exe"})),
            LaunchFailure::NotFound);
  fs::create_directory("dir.exe");
  EXPECT_EQ(std::get<LaunchFailure>(launch_and_wait("./dir.exe", {"./dir.exe"})),
            LaunchFailure::Refused);
  std::ofstream("text.exe") << "no program\n";
  fs::permissions("text.exe", fs::perms::owner_all);
  EXPECT_EQ(std::get<LaunchFailure>(launch_and_wait("./text.exe", {"./text.exe"})),
            LaunchFailure::Refused);  // no shell is asked to run it

  EXPECT_EQ(std::get<ExitStatus>(launch_and_wait("/bin/sh", {"sh", "-c", "exit 7"})).value, 7);
  EXPECT_EQ(std::get<ExitStatus>(launch_and_wait("/bin/sh", {"sh", "-c", "kill -TERM $$"})).value,
            128 + 15);
  const std::string huge(4 << 20, 'x');  // more than any system passes to a program
  EXPECT_EQ(std::get<LaunchFailure>(launch_and_wait("/bin/sh", {"sh", "-c", "true", huge})),
            LaunchFailure::NoMemory);
}

TEST_F(PosixPlatform, ChildrenRunInTheCurrentDirectory) {
  fs::create_directory("sub");
  ASSERT_TRUE(change_directory("sub"));
  EXPECT_EQ(std::get<ExitStatus>(launch_and_wait("/bin/sh", {"sh", "-c", "pwd > here"})).value, 0);
  EXPECT_EQ(slurp(dir / "sub/here"), (dir / "sub").string() + "\n");
}

}  // namespace
