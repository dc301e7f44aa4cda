// kestrune end to end: trace lines, conversion, default files and the
// fitting-make tool, and every way a run can end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "harness.h"

namespace {

// bin/ holds the program, tools/ both tools (on PATH), work/ the design.
struct Kestrune : testing::Test {
  Sandbox box;
  fs::path prog = box.program("bin", "kestrune");
  fs::path tools = box.dir("tools");
  fs::path work = box.dir("work");
  fs::path start = box.dir("start");
  Kestrune() {
    box.tool("tools", "ombrel.exe");
    box.tool("tools", "halvend.exe");
    box.write("work/adder.pla", "design\n");
  }
  Outcome run(const std::string& design, std::vector<std::string> env = {}) {
    env.push_back("PATH=" + tools.string());
    return box.run(prog, {design}, start, {env});
  }
  std::string head(const Outcome& r, const std::string& tool) const {
    const std::string s = scratch_for(r.pid);
    return "argc = 2  argv = " + prog.string() + " \n" + "Program name: " + tool + "\n" +
           "arg[0] = " + tool + "\n" + "arg[1] = adder.pla\n" + "arg[2] = " + s + "\n";
  }
};

TEST_F(Kestrune, ConvertsWritesDefaultsAndRunsTheFittingMakeTool) {
  const Outcome r = run((work / "adder.pla").string());
  const std::string conv = (tools / "ombrel.exe").string(), fit = (tools / "halvend.exe").string();
  const std::string s = scratch_for(r.pid);
  EXPECT_EQ(r.out, head(r, conv) + "ombrel: adder.pla " + s + "\nOmbrel spawn returned: 0 \n" +
                       "halvend: -cst  adder.cst adder.pds\nOmbrel spawn returned: 0 \n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(box.read("work/adder.ctl"), ctl_defaults);
  EXPECT_EQ(box.read("work/adder.cst"), cst_default);
  const auto got = box.received();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].av, (std::vector<std::string>{conv, "adder.pla", s}));
  EXPECT_EQ(got[0].cwd, work.string());
  EXPECT_EQ(got[1].av, (std::vector<std::string>{fit, "-cst ", "adder.cst", "adder.pds"}));
  EXPECT_EQ(got[1].cwd, work.string());
  EXPECT_EQ(fs::directory_iterator(work) == fs::directory_iterator(), false);
  for (const auto& e : fs::directory_iterator(work))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(Kestrune, DesignInTheStartDirectoryAndRelativeDirectories) {
  box.write("start/adder.pla", "design\n");
  box.write("start/sub/adder.pla", "design\n");
  for (const char* design : {"adder.pla", "sub/adder.pla", "./sub/adder.pla"}) {
    SCOPED_TRACE(design);
    const Outcome r = run(design);
    EXPECT_EQ(r.status, 0);
    const std::string dir = design == std::string("adder.pla") ? "start" : "start/sub";
    EXPECT_EQ(box.received().back().cwd, (box.root() / dir).string());
    EXPECT_EQ(box.read(dir + "/adder.cst"), cst_default);
  }
}

TEST_F(Kestrune, WithoutArgumentsPrintsTraceAndBanner) {
  const Outcome r = box.run(prog, {}, start);
  const std::string first = "argc = 1  argv = " + prog.string() + " \n";
  ASSERT_EQ(r.out.substr(0, first.size()), first);
  EXPECT_TRUE(testing::internal::RE::FullMatch(
      r.out.substr(first.size()),
      "KESTRUNE [A-Z][a-z][a-z] [ 1-3][0-9] [0-9]{4} [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\n[^\n]+\n\n"))
      << r.out;
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(box.received().empty());
}

// Argument 0 and the program's own directory come from the executable's
// real path, however the program was started.
TEST_F(Kestrune, StartedThroughALinkItNamesAndSearchesItsRealDirectory) {
  box.tool("bin", "ombrel.exe");
  fs::create_directory_symlink("bin", box.root() / "alias");
  const Outcome r = box.run("alias/kestrune", {"adder.pla"}, box.root(), {{}});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "argc = 2  argv = " + prog.string() + " \n");
  EXPECT_NE(r.out.find("Program name: " + (box.root() / "bin/ombrel.exe").string() + "\n"),
            std::string::npos)
      << r.out;
}

TEST_F(Kestrune, HelpAndVersionAnswerAndEndWithZero) {
  const Outcome help = box.run(prog, {"--help"}, start);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.substr(0, 9), "KESTRUNE ");
  EXPECT_NE(help.out.find("\n\nusage: kestrune DESIGN-FILE\n"), std::string::npos) << help.out;
  const Outcome version = box.run(prog, {"--version"}, start);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.substr(0, 15), "kestrune 1.0.0 ");
  EXPECT_TRUE(box.received().empty());
}

TEST_F(Kestrune, FailingToolsEndTheRunWithTheirStatus) {
  struct Case {
    const char* env;
    int status;
    int started;
    bool defaults_written;
  };
  const Case cases[] = {
      {"STANDIN_EXIT_OMBREL=3", 3, 1, false},
      {"STANDIN_EXIT_HALVEND=2", 2, 2, true},
      {"STANDIN_SIGNAL_OMBREL=15", 128 + 15, 1, false},  // killed: failed with the shell's status
      {"STANDIN_SIGNAL_HALVEND=9", 128 + 9, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.env);
    fs::remove(work / "adder.ctl");
    fs::remove(work / "adder.cst");
    const Outcome r = run((work / "adder.pla").string(), {c.env});
    EXPECT_EQ(r.status, c.status);
    const std::string last = "Ombrel spawn returned: " + std::to_string(c.status) + " \n";
    EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
    EXPECT_EQ(box.exists("work/adder.ctl"), c.defaults_written);
  }
  EXPECT_EQ(box.received().size(), 1u + 2u + 1u + 2u);
}

// Each case prints the trace line, then exactly its error line.
TEST_F(Kestrune, ErrorsBeforeTheConversion) {
  const std::string trace = "argc = 2  argv = " + prog.string() + " \n";
  const fs::path empty = box.dir("empty");
  struct Case {
    std::vector<std::string> env;
    std::string design, line;
    int status;
  };
  const Case cases[] = {
      {{"PATH=" + empty.string()},
       "adder.pla",
       "[0004xl] could not find program:  ombrel.exe\n",
       4},
      {{}, "adder.pla", "[0006xl] could not find PATH in ENVIRONMENT\n", 6},
      {{"PATH=" + tools.string()},
       (box.root() / "missing/adder.pla").string(),
       "[0007xl] could not change to specified directory:  " + (box.root() / "missing").string() +
           "\n",
       7},
      {{"PATH=" + tools.string()},
       "missing/adder.pla",
       "[0007xl] could not change to specified directory:  missing\n",
       7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Outcome r = box.run(prog, {c.design}, start, {c.env});
    EXPECT_EQ(r.out, trace + c.line);
    EXPECT_EQ(r.status, c.status);
  }
  EXPECT_TRUE(box.received().empty());
}

TEST_F(Kestrune, AMissingFittingMakeToolIsFoundOutAfterTheConversion) {
  fs::remove(tools / "halvend.exe");
  const Outcome r = run((work / "adder.pla").string());
  EXPECT_EQ(r.status, 4);
  const std::string line =
      "Ombrel spawn returned: 0 \n[0004xl] could not find program:  halvend.exe\n";
  EXPECT_EQ(r.out.substr(r.out.size() - line.size()), line);
  EXPECT_EQ(box.read("work/adder.ctl"), ctl_defaults);
}

TEST_F(Kestrune, ToolsThatCannotStartAreReportedWithTheirPath) {
  const fs::path conv = tools / "ombrel.exe";
  struct Case {
    const char* what;
    void (*spoil)(const fs::path&);
    std::string line;
    int status;
  };
  const Case cases[] = {
      {"not executable",
       [](const fs::path& p) {
         fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write);
       },
       "[0003xl] could not execute program:  " + conv.string() + "\n", 3},
      {"no program format",
       [](const fs::path& p) {
         fs::remove(p);
         std::ofstream(p) << "not a program\n";
         fs::permissions(p, fs::perms::owner_all);
       },
       "[0003xl] could not execute program:  " + conv.string() + "\n", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    box.tool("tools", "ombrel.exe");
    c.spoil(conv);
    const Outcome r = run((work / "adder.pla").string());
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out.substr(r.out.size() - c.line.size()), c.line);
  }
}

TEST_F(Kestrune, DefaultFileRules) {
  // A shared control file keeps any per-design one from being written.
  box.write("work/selvary.ctl", "shared\n");
  EXPECT_EQ(run((work / "adder.pla").string()).status, 0);
  EXPECT_FALSE(box.exists("work/adder.ctl"));
  EXPECT_EQ(box.read("work/adder.cst"), cst_default);

  // Without one, a hand-edited control file is replaced; a constraint file stays.
  fs::remove(work / "selvary.ctl");
  box.write("work/adder.ctl", "edited\n");
  box.write("work/adder.cst", "TIMESPEC = mine\n");
  EXPECT_EQ(run((work / "adder.pla").string()).status, 0);
  EXPECT_EQ(box.read("work/adder.ctl"), ctl_defaults);
  EXPECT_EQ(box.read("work/adder.cst"), "TIMESPEC = mine\n");
}

TEST_F(Kestrune, DefaultFilesThatCannotBeWrittenEndTheRun) {
  struct Case {
    const char* what;
    std::vector<std::string> env;
    long limit;
    std::string line;
  };
  const Case cases[] = {
      {"disk full", {}, 64, "[0009xl] could not write file:  adder.ctl\n"},
      {"directory gone",
       {"STANDIN_RMDIR_OMBREL=1"},
       -1,
       "[0009xl] could not write file:  adder.ctl\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    box.dir("work");
    box.write("work/adder.pla", "design\n");
    std::vector<std::string> env = c.env;
    env.push_back("PATH=" + tools.string());
    const Outcome r = box.run(prog, {(work / "adder.pla").string()}, start, {env, c.limit});
    EXPECT_EQ(r.status, 9);
    EXPECT_EQ(r.out.substr(r.out.size() - c.line.size()), c.line);
    EXPECT_EQ(r.out.find("halvend:"), std::string::npos);  // the fitting-make tool never ran
    if (!fs::exists(work)) continue;
    for (const auto& e : fs::directory_iterator(work)) {
      EXPECT_TRUE(e.path().filename() == "adder.pla" || e.path().filename() == "adder.pds")
          << e.path();
    }
  }
}

TEST_F(Kestrune, NamesThatDoNotFitEndTheRunBeforeAnyTool) {
  const std::string trace = "argc = 2  argv = " + prog.string() + " \n";
  const std::string long_dir = "d" + std::string(299, 'x');
  const std::string long_base(116, 'b');
  box.write("work/" + long_base + ".pla", "design\n");
  const fs::path deep = box.dir(std::string(120, 'c'));
  box.write(deep.filename().string() + "/adder.pla", "design\n");
  struct Case {
    std::string design;
    fs::path cwd;
    std::string name;
  };
  const Case cases[] = {
      {long_dir + "/adder.pla", start, long_dir + "/adder.pla"},
      {(work / (long_base + ".pla")).string(), start, long_base},
      {(work / "adder.pla").string(), deep, deep.string()},   // the search's current directory
      {(deep / "adder.pla").string(), start, deep.string()},  // the next search's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome r = box.run(prog, {c.design}, c.cwd, {{"PATH=" + tools.string()}});
    EXPECT_EQ(r.out, trace + "[0008xl] name too long:  " + c.name + "\n");
    EXPECT_EQ(r.status, 8);
  }
  EXPECT_TRUE(box.received().empty());
}

TEST_F(Kestrune, ToolPathLongerThanItsBufferEndsTheRun) {
  const std::string deep = "t/" + std::string(120, 'p');
  box.tool(deep, "ombrel.exe");
  const std::string composed = (box.root() / deep / "ombrel.exe").string();
  ASSERT_GT(composed.size(), 127u);
  const Outcome r = box.run(prog, {"adder.pla"}, start, {{"PATH=" + (box.root() / deep).string()}});
  EXPECT_EQ(r.status, 8);
  EXPECT_EQ(r.out,
            "argc = 2  argv = " + prog.string() + " \n[0008xl] name too long:  " + composed + "\n");
}

// A design directly in the root: the root is entered and stays the directory.
TEST_F(Kestrune, DesignInTheRootDirectory) {
  const std::string base = "kestrune-root-" + std::to_string(getpid());
  const fs::path design = "/" + base + ".pla";
  std::ofstream(design) << "design\n";
  const Outcome r = run(design.string());
  EXPECT_EQ(r.status, 0) << r.out;
  const auto got = box.received();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].cwd, "/");
  EXPECT_EQ(got[1].av[2], base + ".cst");
  for (const char* ext : {".pla", ".pds", ".ctl", ".cst"}) {
    EXPECT_TRUE(fs::exists("/" + base + ext)) << ext;
    fs::remove("/" + base + ext);
  }
}

}  // namespace
