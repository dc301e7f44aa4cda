// Many runs at once, as a parallel build starts them: nothing is lost and no
// run disturbs another's files.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"

namespace {

constexpr int workers = 8;

// Runs body(worker, i) for i in [0, runs) spread over the workers.
template <typename Body>
void in_parallel(int runs, Body body) {
  std::vector<std::thread> threads;
  for (int w = 0; w < workers; ++w)
    threads.emplace_back([&, w] {
      for (int i = w; i < runs; i += workers) body(w, i);
    });
  for (std::thread& t : threads) t.join();
}

TEST(Load, ManyRunsEachInItsOwnDesignDirectory) {
  constexpr int runs = 400;
  Sandbox box;
  const fs::path tools = box.dir("tools");
  for (const char* tool : {"ombrel.exe", "halvend.exe", "caskel.exe"}) box.tool("tools", tool);
  const std::vector<std::string> env = {"PATH=" + tools.string(), "ORVAN=" + box.root().string(),
                                        "STANDIN_QUIET=1"};
  std::atomic<int> good{0};
  in_parallel(runs, [&](int, int i) {
    std::string rel = "d";
    rel += std::to_string(i);
    const fs::path dir = box.dir(rel);
    box.write(rel + "/adder.pla", "design\n");
    const char* program = i % 2 ? "morvale" : "kestrune";
    const Outcome r = box.run(built(program), {(dir / "adder.pla").string()}, dir, {env});
    bool ok =
        r.status == 0 && r.err.empty() && box.read(rel + "/adder.pds") == "converted adder.pla\n";
    if (i % 2) {
      ok = ok && r.out.empty();
    } else {
      ok =
          ok && box.read(rel + "/adder.cst") == cst_default &&
          r.out.find("Ombrel spawn returned: 0 \nOmbrel spawn returned: 0 \n") != std::string::npos;
    }
    if (ok) ++good;
  });
  EXPECT_EQ(good.load(), runs);
}

TEST(Load, ConcurrentRunsInOneDesignDirectoryLeaveWholeDefaultFiles) {
  constexpr int runs = 64;
  Sandbox box;
  const fs::path tools = box.dir("tools");
  for (const char* tool : {"ombrel.exe", "halvend.exe"}) box.tool("tools", tool);
  const fs::path work = box.dir("work");
  box.write("work/adder.pla", "design\n");
  std::atomic<int> good{0};
  in_parallel(runs, [&](int, int) {
    const Outcome r = box.run(built("kestrune"), {"adder.pla"}, work,
                              {{"PATH=" + tools.string(), "STANDIN_QUIET=1"}});
    if (r.status == 0) ++good;
  });
  EXPECT_EQ(good.load(), runs);
  EXPECT_EQ(box.read("work/adder.cst"), cst_default);
  EXPECT_EQ(box.read("work/adder.ctl"), ctl_defaults);
  for (const auto& e : fs::directory_iterator(work))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

}  // namespace
