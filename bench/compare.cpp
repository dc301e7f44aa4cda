#include "compare.h"

#include <cstdio>

#include "child.h"

namespace {

long median_kib(const std::vector<double>& kib) {
  return static_cast<long>(summarize(kib).median);
}

bool report_failure(const ChildRun& run, const std::vector<std::string>& argv) {
  if (run.status == 0) return true;
  std::printf("  run failed with status %d: %s\n", run.status, argv[0].c_str());
  return false;
}

}  // namespace

Comparison compare(const std::string& meter, const std::vector<std::string>& front,
                   const std::vector<std::string>& floor, const std::vector<std::string>& env,
                   const Rounds& rounds) {
  Comparison c;
  for (int i = 0; i < rounds.warmup; ++i) {
    c.ok = report_failure(run_child(meter, front, env), front) && c.ok;
    c.ok = report_failure(run_child(meter, floor, env), floor) && c.ok;
  }
  std::vector<double> ratio, excess, front_s, floor_s, front_kib, floor_kib;
  for (int i = 0; i < rounds.pairs; ++i) {
    const ChildRun a = run_child(meter, front, env);
    const ChildRun b = run_child(meter, floor, env);
    c.ok = report_failure(a, front) && report_failure(b, floor) && c.ok;
    ratio.push_back(a.seconds / b.seconds);
    excess.push_back(a.seconds - b.seconds);
    front_s.push_back(a.seconds);
    floor_s.push_back(b.seconds);
    front_kib.push_back(static_cast<double>(a.maxrss_kib));
    floor_kib.push_back(static_cast<double>(b.maxrss_kib));
  }
  c.ratio = summarize(ratio);
  c.excess = summarize(excess);
  c.front = summarize(front_s);
  c.floor = summarize(floor_s);
  c.front_rss = median_kib(front_kib);
  c.floor_rss = median_kib(floor_kib);
  return c;
}
