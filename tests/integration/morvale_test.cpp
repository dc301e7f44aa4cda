// morvale end to end: conversion, the ORVAN check and the fitting tool.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct Morvale : testing::Test {
  Sandbox box;
  fs::path prog = box.program("bin", "morvale");
  fs::path tools = box.dir("tools");
  fs::path work = box.dir("work");
  fs::path start = box.dir("start");
  fs::path fitter = box.dir("fitter");
  Morvale() {
    box.tool("tools", "ombrel.exe");
    box.tool("tools", "caskel.exe");
    box.write("work/adder.pla", "design\n");
  }
  Outcome run(const std::string& design, std::vector<std::string> env = {"ORVAN=@"}) {
    for (auto& e : env)
      if (e == "ORVAN=@") e = "ORVAN=" + fitter.string();
    env.push_back("PATH=" + tools.string());
    return box.run(prog, {design}, start, {env});
  }
};

TEST_F(Morvale, ConvertsThenRunsTheFittingToolSilently) {
  const Outcome r = run((work / "adder.pla").string());
  const std::string s = scratch_for(r.pid);
  const std::string pdspath = (work / "adder.pds").string();
  EXPECT_EQ(r.out, "ombrel: adder.pla " + s + "\ncaskel: -h -zarn -e " + pdspath + " -s adder\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const auto got = box.received();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].av, (std::vector<std::string>{(tools / "ombrel.exe").string(), "adder.pla", s}));
  EXPECT_EQ(got[0].cwd, work.string());
  EXPECT_EQ(got[1].av, (std::vector<std::string>{(tools / "caskel.exe").string(), "-h", "-zarn",
                                                 "-e", pdspath, "-s", "adder"}));
  EXPECT_EQ(got[1].cwd, work.string());  // no drives: the design's directory stays current
  EXPECT_EQ(box.read("work/adder.pds"), "converted adder.pla\n");
  EXPECT_FALSE(box.exists("work/adder.ctl"));
}

TEST_F(Morvale, PdspathFollowsTheDesignPathAsWritten) {
  box.write("start/adder.pla", "design\n");
  struct Case {
    std::string design, pdspath;
  };
  const Case cases[] = {
      {"adder.pla", "adder.pds"},
      {"../work/adder.pla", "../work/adder.pds"},
      {work.string() + "//adder.pla", work.string() + "//adder.pds"},
  };
  for (const Case& c : cases) {
    const Outcome r = run(c.design, {"ORVAN="});  // empty counts as set
    EXPECT_EQ(r.status, 0) << c.design;
    EXPECT_EQ(box.received().back().av[4], c.pdspath);
  }
}

TEST_F(Morvale, WithoutArgumentsPrintsOnlyTheBanner) {
  const Outcome r = box.run(prog, {}, start);
  EXPECT_TRUE(testing::internal::RE::FullMatch(
      r.out,
      "MORVALE [A-Z][a-z][a-z] [ 1-3][0-9] [0-9]{4} [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\n[^\n]+\n\n"))
      << r.out;
  EXPECT_EQ(r.status, 255);
}

TEST_F(Morvale, WithoutOrvanTheDesignIsConvertedAndTheRunStops) {
  const Outcome r = run((work / "adder.pla").string(), {});
  EXPECT_EQ(r.out, "ombrel: adder.pla " + scratch_for(r.pid) +
                       "\n\nYOU MUST FIRST SET THE ORVAN ENVIRONMENT VARIABLE \n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(box.received().size(), 1u);
}

TEST_F(Morvale, StatusesOfTheTools) {
  struct Case {
    const char* env;
    int status;
    std::size_t started;
  };
  const Case cases[] = {
      {"STANDIN_EXIT_OMBREL=3", 3, 1},     {"STANDIN_EXIT_CASKEL=7", 1, 2},
      {"STANDIN_SIGNAL_OMBREL=6", 134, 1}, {"STANDIN_SIGNAL_CASKEL=9", 1, 2},
      {"STANDIN_EXIT_CASKEL=0", 0, 2},
  };
  std::size_t total = 0;
  for (const Case& c : cases) {
    const Outcome r = run((work / "adder.pla").string(), {"ORVAN=@", c.env});
    EXPECT_EQ(r.status, c.status) << c.env;
    EXPECT_EQ(box.received().size(), total += c.started) << c.env;
  }
}

TEST_F(Morvale, AMissingFittingToolEndsTheRunBeforeTheConversion) {
  fs::remove(tools / "caskel.exe");
  const Outcome r = run((work / "adder.pla").string());
  EXPECT_EQ(r.out, "[0004xl] could not find program:  caskel.exe\n");
  EXPECT_EQ(r.status, 4);
  EXPECT_TRUE(box.received().empty());
}

TEST_F(Morvale, PathsThatDoNotFitEndTheRun) {
  // pdspath fits, but ORVAN, a separator and pdspath do not.
  const std::string orvan = "ORVAN=/" + std::string(240, 'o');
  const Outcome r = run((work / "adder.pla").string(), {orvan});
  const std::string combined = orvan.substr(6) + "/" + (work / "adder.pds").string();
  EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), "[0008xl] name too long:  " + combined + "\n");
  EXPECT_EQ(r.status, 8);
  EXPECT_EQ(box.received().size(), 1u);  // only the conversion ran

  // The search's current directory may be 255 characters here, not 127.
  const fs::path deep = box.dir(std::string(150, 'c'));
  EXPECT_EQ(box.run(prog, {(work / "adder.pla").string()}, deep,
                    {{"PATH=" + tools.string(), "ORVAN=" + fitter.string()}})
                .status,
            0);
}

}  // namespace
