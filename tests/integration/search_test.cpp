// Where the front ends find their tools: the current directory, the
// program's own directory, then PATH in order; ".exe" before ".com".
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct Search : testing::Test {
  Sandbox box;
  fs::path prog = box.program("bin", "kestrune");
  fs::path start = box.dir("start");
  fs::path work = box.dir("work");
  Search() {
    box.write("work/adder.pla", "design\n");
    box.tool("halvend", "halvend.exe");
  }
  std::string at(const std::string& rel) const { return (box.root() / rel).string(); }
  // The conversion tool's path as the run traced it, or the run's error line.
  std::string conversion_tool(const std::string& path_value) {
    const Outcome r = box.run(prog, {(work / "adder.pla").string()}, start,
                              {{"PATH=" + path_value + ":" + at("halvend")}});
    const std::size_t error = r.out.find("[000");
    if (error != std::string::npos) return r.out.substr(error);
    const std::size_t name = r.out.find("Program name: ") + 14;
    return r.out.substr(name, r.out.find('\n', name) - name);
  }
};

TEST_F(Search, CurrentDirectoryThenProgramDirectoryThenPath) {
  box.tool("p1", "ombrel.exe");
  EXPECT_EQ(conversion_tool(at("p1")), at("p1/ombrel.exe"));
  box.tool("bin", "ombrel.exe");
  EXPECT_EQ(conversion_tool(at("p1")), at("bin/ombrel.exe"));
  box.tool("start", "ombrel.exe");
  EXPECT_EQ(conversion_tool(at("p1")), at("start/ombrel.exe"));
}

TEST_F(Search, ADotComCountsAsFoundButTheExeIsLaunched) {
  box.tool("start", "ombrel.com");
  box.tool("bin", "ombrel.exe");
  EXPECT_EQ(conversion_tool(at("p1")),
            "[0004xl] could not find program:  " + at("start/ombrel.exe") + "\n");
}

TEST_F(Search, PathElementsInOrder) {
  box.tool("b", "ombrel.exe");
  box.tool("c", "ombrel.exe");
  box.tool("com", "ombrel.com");
  const std::string far(300, 'x');
  struct Case {
    std::string path, found;
  };
  const Case cases[] = {
      {at("a") + ":" + at("b"), at("b/ombrel.exe")},
      {at("a") + ":" + at("b") + ":" + at("c"), at("b/ombrel.exe")},
      {at("b") + "/", at("b/ombrel.exe")},  // no second separator
      {"::" + at("a") + "::" + at("c"), at("c/ombrel.exe")},
      {"/" + far + ":" + at("c"), at("c/ombrel.exe")},  // too long to hold a tool: skipped
      {at("com") + ":" + at("b"),
       "[0004xl] could not find program:  " + at("com/ombrel.exe") + "\n"},
      {at("a"), "[0004xl] could not find program:  ombrel.exe\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(conversion_tool(c.path), c.found) << c.path;
}

TEST_F(Search, ThousandsOfElementsWithTheToolInTheLast) {
  box.tool("last", "ombrel.exe");
  std::string path;
  for (int i = 0; i < 5000; ++i) {
    path += std::to_string(i);
    path += i % 7 ? ":" : "::";
  }
  EXPECT_EQ(conversion_tool(path + at("last")), at("last/ombrel.exe"));
}

// A relative element is composed before the design's directory is entered
// and launched after, so relative to the design's directory.
TEST_F(Search, RelativePathElementIsLaunchedFromTheDesignDirectory) {
  box.tool("start/rel", "ombrel.exe");
  EXPECT_EQ(conversion_tool("rel"), "[0004xl] could not find program:  rel/ombrel.exe\n");
  box.tool("work/rel", "ombrel.exe");
  EXPECT_EQ(conversion_tool("rel"), "rel/ombrel.exe");
  EXPECT_EQ(box.received().front().cwd, work.string());
}

TEST_F(Search, FittingMakeToolInTheDesignDirectoryWins) {
  box.tool("bin", "ombrel.exe");
  box.tool("bin", "halvend.exe");
  box.tool("work", "halvend.exe");
  const Outcome r =
      box.run(prog, {(work / "adder.pla").string()}, start, {{"PATH=" + at("halvend")}});
  EXPECT_EQ(r.status, 0);
  const auto got = box.received();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1].av[0], at("work/halvend.exe"));
}

}  // namespace
