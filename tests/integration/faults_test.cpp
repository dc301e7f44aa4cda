// Faults from outside: tools that vanish or die, a start directory deleted
// under the program, and names with blanks, quotes and non-ASCII bytes.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct Faults : testing::Test {
  Sandbox box;
  fs::path tools = box.dir("tools");
  fs::path work = box.dir("work");
  fs::path start = box.dir("start");
  Faults() {
    for (const char* tool : {"ombrel.exe", "halvend.exe", "caskel.exe"}) box.tool("tools", tool);
    box.write("work/adder.pla", "design\n");
  }
  std::vector<std::string> env(std::vector<std::string> more = {}) const {
    more.push_back("PATH=" + tools.string());
    more.push_back("ORVAN=" + box.root().string());
    return more;
  }
};

// morvale finds its fitting tool before the conversion; if the tool is gone
// by the time it is launched, the launch reports it missing.
TEST_F(Faults, AToolRemovedBetweenSearchAndLaunchIsNotFound) {
  const fs::path fitter = tools / "caskel.exe";
  const Outcome r = box.run(built("morvale"), {(work / "adder.pla").string()}, start,
                            {env({"STANDIN_REMOVE_OMBREL=" + fitter.string()})});
  EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
            "[0004xl] could not find program:  " + fitter.string() + "\n");
  EXPECT_EQ(r.status, 4);
}

TEST_F(Faults, ADeletedStartDirectoryDoesNotStopARunOnAnAbsoluteDesign) {
  for (const char* program : {"kestrune", "morvale"}) {
    SCOPED_TRACE(program);
    const fs::path gone = box.dir(std::string("gone-") + program);
    const Outcome r =
        box.run(built(program), {(work / "adder.pla").string()}, gone, {env(), -1, true});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(box.received().back().cwd, work.string());
  }
}

TEST_F(Faults, NamesWithBlanksQuotesAndOtherBytesReachTheToolsWhole) {
  const std::string dirname = "my \"dir\" \xC3\xA9t\xE9";
  const std::string base = "ad der's \"x\"";
  const fs::path dir = box.dir(dirname);
  box.write(dirname + "/" + base + ".pla", "design\n");
  const Outcome r = box.run(built("kestrune"), {(dir / (base + ".pla")).string()}, start, {env()});
  EXPECT_EQ(r.status, 0) << r.out;
  const auto got = box.received();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].av[1], base + ".pla");
  EXPECT_EQ(got[0].cwd, dir.string());
  EXPECT_EQ(got[1].av, (std::vector<std::string>{(tools / "halvend.exe").string(), "-cst ",
                                                 base + ".cst", base + ".pds"}));
  EXPECT_TRUE(box.exists(dirname + "/" + base + ".ctl"));
  EXPECT_TRUE(box.exists(dirname + "/" + base + ".cst"));
}

TEST_F(Faults, AToolThatDiesMidRunFailsTheRun) {
  struct Case {
    const char *program, *control;
    int status;
  };
  const Case cases[] = {
      {"kestrune", "STANDIN_SIGNAL_OMBREL=15", 128 + 15},
      {"kestrune", "STANDIN_SIGNAL_HALVEND=6", 128 + 6},
      {"morvale", "STANDIN_SIGNAL_OMBREL=9", 128 + 9},
      {"morvale", "STANDIN_SIGNAL_CASKEL=15", 1},
  };
  for (const Case& c : cases) {
    const Outcome r =
        box.run(built(c.program), {(work / "adder.pla").string()}, start, {env({c.control})});
    EXPECT_EQ(r.status, c.status) << c.program << " " << c.control;
  }
}

}  // namespace
