#include "args.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_conventions.h"

namespace {

TEST(Getap, WalksEveryElementIncludingEmptyOnes) {
  std::vector<std::string> seen;
  std::optional<std::string_view> rest = "C:\\a;;C:\\b\\;";
  std::string element = "stale";
  while (rest) {
    rest = getap(element, *rest, ';');
    seen.push_back(element);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\a", "", "C:\\b\\", ""}));
}

TEST(Getap, ListWithoutSeparatorIsOneElement) {
  std::string element;
  EXPECT_EQ(getap(element, "/usr/bin", ':'), std::nullopt);
  EXPECT_EQ(element, "/usr/bin");
  EXPECT_EQ(getap(element, "", ':'), std::nullopt);
  EXPECT_EQ(element, "");
  EXPECT_EQ(getap(element, ":x", ':'), "x");
  EXPECT_EQ(element, "");
}

struct MkfnCase {
  const Conventions* conv;
  const char *dir, *name, *ext, *made;
};

TEST(Mkfn, BaseNameAndExtensionInDirectory) {
  const MkfnCase cases[] = {
      {&win_rules, "C:\\tools", "ombrel.exe", ".com", "C:\\tools\\ombrel.com"},
      {&win_rules, "C:\\", "ombrel.exe", ".exe", "C:\\ombrel.exe"},
      {&win_rules, "C:/tools/", "ombrel.exe", ".exe", "C:/tools/\\ombrel.exe"},
      {&win_rules, "", "ombrel.exe", ".exe", "ombrel.exe"},
      {&win_rules, "d", "x\\y/ombrel.exe", ".exe", "d\\ombrel.exe"},
      {&win_rules, "d", "x/y\\ombrel.exe", ".exe", "d\\y\\ombrel.exe"},
      {&win_rules, "d", "x\\ombrel", ".com", "d\\ombrel.com"},
      {&win_rules, "d", "C:ombrel", ".exe", "d\\ombrel.exe"},
      {&win_rules, "d", "dir.v2\\ombrel.exe", ".exe", "d\\dir.exe"},
      {&posix_rules, "/opt/tools", "ombrel.exe", ".exe", "/opt/tools/ombrel.exe"},
      {&posix_rules, "/", "ombrel.exe", ".com", "/ombrel.com"},
      {&posix_rules, "tools\\", "C:a\\ombrel.exe", ".exe", "tools\\/C:a\\ombrel.exe"},
  };
  for (const MkfnCase& c : cases) EXPECT_EQ(mkfn(c.dir, c.name, c.ext, *c.conv), c.made) << c.name;
}

}  // namespace
