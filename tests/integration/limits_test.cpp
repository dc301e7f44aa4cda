// Names that do not fit their limits end the run with one line, before any
// tool starts, in both programs.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct Limits : testing::Test {
  Sandbox box;
  fs::path tools = box.dir("tools");
  fs::path work = box.dir("work");
  Limits() {
    for (const char* tool : {"ombrel.exe", "halvend.exe", "caskel.exe"}) box.tool("tools", tool);
    box.write("work/adder.pla", "design\n");
  }
  // A directory below the root whose full path has exactly size characters.
  fs::path dir_of_size(std::size_t size) const {
    const std::size_t prefix = box.root().string().size() + 1;
    std::string rel;
    while (prefix + rel.size() < size) {
      if (!rel.empty()) rel += '/';
      rel += std::string(std::min<std::size_t>(200, size - prefix - rel.size()), 'n');
    }
    return box.dir(rel);
  }
  Outcome run(const fs::path& prog, const fs::path& cwd, const std::string& path_value) const {
    return box.run(prog, {(work / "adder.pla").string()}, cwd,
                   {{"PATH=" + path_value, "ORVAN=" + box.root().string()}});
  }
  static std::string error_line(const Outcome& r) { return r.out.substr(r.out.rfind('[')); }
};

TEST_F(Limits, StartAndSearchDirectories) {
  struct Case {
    const char* program;
    std::size_t cwd_size;
    bool too_long;
  };
  const Case cases[] = {
      {"kestrune", 127, false}, {"kestrune", 128, true}, {"morvale", 255, false},
      {"morvale", 256, true},   {"kestrune", 300, true}, {"morvale", 300, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + std::to_string(c.cwd_size));
    const fs::path cwd = dir_of_size(c.cwd_size);
    ASSERT_EQ(cwd.string().size(), c.cwd_size);
    const Outcome r = run(built(c.program), cwd, tools.string());
    if (c.too_long) {
      EXPECT_EQ(error_line(r), "[0008xl] name too long:  " + cwd.string() + "\n");
      EXPECT_EQ(r.status, 8);
    } else {
      EXPECT_EQ(r.status, 0) << r.out;
    }
  }
}

TEST_F(Limits, TheProgramsOwnPath) {
  for (const char* program : {"kestrune", "morvale"}) {
    const fs::path dir = dir_of_size(254 - std::string(program).size());
    const fs::path fits = box.program(fs::relative(dir, box.root()).string(), program);
    ASSERT_EQ(fits.string().size(), 255u);
    EXPECT_EQ(run(fits, work, tools.string()).status, 0) << program;
    const fs::path over = box.program(fs::relative(dir, box.root()).string() + "x", program);
    const Outcome r = run(over, work, tools.string());
    EXPECT_EQ(error_line(r), "[0008xl] name too long:  " + over.string() + "\n") << program;
    EXPECT_EQ(r.status, 8);
  }
}

TEST_F(Limits, ComposedToolPaths) {
  struct Case {
    const char* program;
    const char* tool;
    std::size_t composed_size;  // the directory's size plus "/" and the tool's name
    bool too_long;
  };
  const Case cases[] = {
      {"kestrune", "ombrel.exe", 127, false}, {"kestrune", "ombrel.exe", 128, true},
      {"kestrune", "halvend.exe", 128, true}, {"morvale", "ombrel.exe", 255, false},
      {"morvale", "ombrel.exe", 256, true},   {"morvale", "caskel.exe", 259, false},
      {"morvale", "caskel.exe", 260, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + c.tool + " " + std::to_string(c.composed_size));
    const fs::path dir = dir_of_size(c.composed_size - 1 - std::string(c.tool).size());
    const fs::path tool = box.tool(fs::relative(dir, box.root()).string(), c.tool);
    ASSERT_EQ(tool.string().size(), c.composed_size);
    const Outcome r = run(built(c.program), work, dir.string() + ":" + tools.string());
    if (c.too_long) {
      EXPECT_EQ(error_line(r), "[0008xl] name too long:  " + tool.string() + "\n");
      EXPECT_EQ(r.status, 8);
    } else {
      EXPECT_EQ(r.status, 0) << r.out;
    }
    fs::remove(tool);
  }
}

}  // namespace
