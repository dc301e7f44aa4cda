#include "paths.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "test_conventions.h"

namespace {

struct SplitCase {
  const Conventions* conv;
  const char* path;
  const char* drive;
  const char* dir;
  const char* file;
  const char* ext;
};

TEST(SplitPath, PartsUnderEachHostsRules) {
  const SplitCase cases[] = {
      {&win_rules, "C:\\work\\adder.old.pla", "C:", "\\work\\", "adder.old", ".pla"},
      {&win_rules, "adder", "", "", "adder", ""},
      {&win_rules, "D:adder.pla", "D:", "", "adder", ".pla"},
      {&win_rules, "D:/work/adder.pla", "D:", "/work/", "adder", ".pla"},
      {&win_rules, "a:b:c.d", "a:", "", "b:c", ".d"},
      {&win_rules, "\\adder.pla", "", "\\", "adder", ".pla"},
      {&win_rules, "D:\\work\\..", "D:", "\\work\\..", "", ""},
      {&win_rules, "work\\.", "", "work\\.", "", ""},
      {&win_rules, "..", "", "..", "", ""},
      {&win_rules, "dir.v1\\adder", "", "dir.v1\\", "adder", ""},
      {&win_rules, ".profile", "", "", "", ".profile"},
      {&posix_rules, "/home/u/adder.old.pla", "", "/home/u/", "adder.old", ".pla"},
      {&posix_rules, "D:adder.pla", "", "", "D:adder", ".pla"},
      {&posix_rules, "a\\b.pla", "", "", "a\\b", ".pla"},
      {&posix_rules, "/adder.pla", "", "/", "adder", ".pla"},
      {&posix_rules, "work/..", "", "work/..", "", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    const DesignParts p = split_path(c.path, *c.conv);
    EXPECT_EQ(p.drive, c.drive);
    EXPECT_EQ(p.dir, c.dir);
    EXPECT_EQ(p.file, c.file);
    EXPECT_EQ(p.ext, c.ext);
    EXPECT_EQ(p.has_drive, !p.drive.empty());
    EXPECT_EQ(p.has_dir, !p.dir.empty());
  }
}

TEST(SplitPath, LongPathsAreSplitWholeAndReportedTooLong) {
  const std::string dir(300, 'd');
  const std::string path = "/" + dir + "/adder.pla";
  const DesignParts p = split_path(path, posix_rules);
  EXPECT_EQ(p.dir, "/" + dir + "/");
  EXPECT_EQ(p.file, "adder");
  EXPECT_FALSE(parts_fit(path, p));

  const std::string fits = "/" + std::string(53, 'd') + "/" + std::string(200, 'f') + ".pla";
  ASSERT_EQ(fits.size(), max_path);
  EXPECT_TRUE(parts_fit(fits, split_path(fits, posix_rules)));
  const std::string one_over = "/" + fits;
  EXPECT_FALSE(parts_fit(one_over, split_path(one_over, posix_rules)));
  const std::string file_over = std::string(max_part + 1, 'f') + ".pla";
  EXPECT_FALSE(parts_fit(file_over, split_path(file_over, posix_rules)));
  const std::string dir_over = std::string(max_part, 'd') + "/a";
  EXPECT_FALSE(parts_fit(dir_over, split_path(dir_over, posix_rules)));
}

struct MergeCase {
  const Conventions* conv;
  const char *drive, *dir, *file, *ext, *merged;
};

TEST(MergePath, JoinsWithOneSeparatorAndOneDot) {
  const MergeCase cases[] = {
      {&win_rules, "", "", "adder", "pds", "adder.pds"},
      {&win_rules, "D:", "\\work\\", "adder", "pds", "D:\\work\\adder.pds"},
      {&win_rules, "D:", "\\work", "adder", ".pds", "D:\\work\\adder.pds"},
      {&win_rules, "D:", "/work/", "adder", "pds", "D:/work/adder.pds"},
      {&win_rules, "d-ignored", "", "adder", "", "d:adder"},
      {&posix_rules, "", "/work", "adder", "pds", "/work/adder.pds"},
      {&posix_rules, "", "work\\", "adder", "pds", "work\\/adder.pds"},
  };
  for (const MergeCase& c : cases)
    EXPECT_EQ(merge_path(c.drive, c.dir, c.file, c.ext, *c.conv), c.merged);
}

std::set<std::string> existing;
bool in_existing(const std::string& name) {
  return existing.count(name) != 0;
}

TEST(MakeScratchName, EncodesTheProcessIdAndSkipsTakenNames) {
  existing.clear();
  EXPECT_EQ(make_scratch_name("TXXXXXX", 500, in_existing), "T0k.f00");
  EXPECT_EQ(make_scratch_name("XXXXXX", 0xFFFFF, in_existing), "0v.vvv");
  EXPECT_EQ(make_scratch_name("TXXXXXX", 500 + (1u << 20), in_existing), "T0k.f00");  // low 20 bits
  existing = {"T0k.f00", "Tak.f00"};
  EXPECT_EQ(make_scratch_name("TXXXXXX", 500, in_existing), "Tbk.f00");
}

TEST(MakeScratchName, NoNameForBadTemplatesOrWhenAllAreTaken) {
  existing.clear();
  for (const char* bad : {"", "XXXXX", "TXXXXXx", "TXXXXXXT", "Txxxxxx"})
    EXPECT_EQ(make_scratch_name(bad, 500, in_existing), std::nullopt) << bad;
  for (char c : std::string("0abcdefghijklmnopqrstuvwxyz"))
    existing.insert(std::string(1, c) + "k.f00");
  EXPECT_EQ(make_scratch_name("XXXXXX", 500, in_existing), std::nullopt);
  existing.erase("zk.f00");
  EXPECT_EQ(make_scratch_name("XXXXXX", 500, in_existing), "zk.f00");
}

}  // namespace
