// The benchmark: kestrune and morvale against the floor that only starts the
// same tools, and the tool search with PATH of 1 to 10,000 elements. It
// prints the figures beside their targets; only failed runs make it fail.
//   bench --kestrune K --morvale M --floor F --duty D --meter M --design PLA --scratch DIR
//         [--quick] [--pairs N] [--warmup N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "compare.h"
#include "scene.h"
#include "search.h"
#include "search_timing.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string kestrune, morvale, floor, duty, meter, design, scratch;
  Rounds rounds;
  int searches = 50;  // in-process searches per PATH length
  bool quick = false;
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick") {
      o.quick = true;
      o.rounds = {1, 3};
      o.searches = 3;
      continue;
    }
    if (i + 1 == argc) return false;
    const char* v = argv[++i];
    if (a == "--kestrune")
      o.kestrune = v;
    else if (a == "--morvale")
      o.morvale = v;
    else if (a == "--floor")
      o.floor = v;
    else if (a == "--duty")
      o.duty = v;
    else if (a == "--meter")
      o.meter = v;
    else if (a == "--design")
      o.design = v;
    else if (a == "--scratch")
      o.scratch = v;
    else if (a == "--pairs")
      o.rounds.pairs = std::atoi(v);
    else if (a == "--warmup")
      o.rounds.warmup = std::atoi(v);
    else
      return false;
  }
  return !o.kestrune.empty() && !o.morvale.empty() && !o.floor.empty() && !o.duty.empty() &&
         !o.meter.empty() && !o.design.empty() && !o.scratch.empty() && o.rounds.pairs > 0 &&
         o.rounds.warmup >= 0;
}

const char* verdict(bool met) {
  return met ? "met" : "MISSED";
}

double ms(double seconds) {
  return seconds * 1e3;
}

void print_comparison(const char* name, const Comparison& c, double ratio_target) {
  std::printf("   wall time, medians       %s %.3f ms   floor %.3f ms\n", name, ms(c.front.median),
              ms(c.floor.median));
  std::printf("   ratio %s / floor   median %.3f   quartiles %.3f .. %.3f   target <= %.2f: %s\n",
              name, c.ratio.median, c.ratio.low, c.ratio.high, ratio_target,
              verdict(c.ratio.median <= ratio_target));
  const long extra = c.front_rss - c.floor_rss;
  std::printf(
      "   peak resident memory     %s %ld KiB   floor %ld KiB   %+ld KiB   target <= +512 KiB: "
      "%s\n",
      name, c.front_rss, c.floor_rss, extra, verdict(extra <= 512));
}

// Removes what an earlier run left, so a run is seen to write it anew.
void clear_outputs(const Scene& s) {
  std::error_code ec;
  for (const char* ext : {".pds", ".ctl", ".cst"}) fs::remove(s.work + "/adder" + ext, ec);
}

bool outputs_present(const Scene& s, std::vector<const char*> exts) {
  bool ok = true;
  for (const char* ext : exts)
    if (!fs::exists(s.work + "/adder" + ext)) {
      std::printf("   missing output: adder%s\n", ext);
      ok = false;
    }
  return ok;
}

const std::vector<std::string> kestrune_tools(const std::string& dir) {
  return {dir + "/ombrel.exe",  "adder.pla", "T0a.b00",   "--",
          dir + "/halvend.exe", "-cst ",     "adder.cst", "adder.pds"};
}

bool bench_kestrune(const Options& o, const Scene& s) {
  std::printf(
      "\n== kestrune adder.pla against the floor starting the conversion and the "
      "fitting-make tool\n   %d pairs after %d warm-up rounds\n",
      o.rounds.pairs, o.rounds.warmup);
  clear_outputs(s);
  std::vector<std::string> floor = kestrune_tools(s.tools);
  floor.insert(floor.begin(), o.floor);
  const Comparison c =
      compare(o.meter, {o.kestrune, "adder.pla"}, floor, {"PATH=" + s.tools}, o.rounds);
  print_comparison("kestrune", c, 1.10);
  return outputs_present(s, {".pds", ".ctl", ".cst"}) && c.ok;
}

bool bench_morvale(const Options& o, const Scene& s) {
  std::printf(
      "\n== morvale adder.pla against the floor starting the conversion and the "
      "fitting tool\n   %d pairs after %d warm-up rounds\n",
      o.rounds.pairs, o.rounds.warmup);
  clear_outputs(s);
  const std::vector<std::string> floor = {o.floor,     s.tools + "/ombrel.exe",
                                          "adder.pla", "T0a.b00",
                                          "--",        s.tools + "/caskel.exe",
                                          "-h",        "-zarn",
                                          "-e",        "adder.pds",
                                          "-s",        "adder"};
  const Comparison c = compare(o.meter, {o.morvale, "adder.pla"}, floor,
                               {"PATH=" + s.tools, "ORVAN=" + s.fitter}, o.rounds);
  print_comparison("morvale", c, 1.05);
  return outputs_present(s, {".pds"}) && c.ok;
}

bool bench_search(const Options& o, const Scene& s) {
  std::printf(
      "\n== tool search, the tool only in the last of n PATH elements\n"
      "   search: findprogs in process, median of %d; run: kestrune adder.pla (two "
      "searches)\n   against the floor with the same PATH, %d pairs\n",
      o.searches, o.rounds.pairs);
  std::printf("   %8s %12s %14s %12s %14s %12s %12s\n", "n", "search", "per element", "stat floor",
              "kestrune run", "floor run", "run excess");
  progdir = s.empty + "/";
  std::vector<std::string> floor = kestrune_tools(s.elements.back());
  floor.insert(floor.begin(), o.floor);
  bool ok = true;
  std::vector<double> search_s, stat_s, excess_s;
  const std::vector<std::size_t> lengths = {1, 10, 100, 1000, 10000};
  for (std::size_t n : lengths) {
    const std::string value = path_of(s, n);
    const SearchTiming t = time_search(value, "ombrel.exe", o.searches);
    if (t.found != s.elements.back()) {
      std::printf("   the search found the tool in \"%s\"\n", t.found.c_str());
      ok = false;
    }
    const Comparison c =
        compare(o.meter, {o.kestrune, "adder.pla"}, floor, {"PATH=" + value}, o.rounds);
    ok = ok && c.ok;
    const std::vector<std::string> tried(s.elements.end() - static_cast<std::ptrdiff_t>(n),
                                         s.elements.end());
    const double floor_s = time_stat_floor(tried, "ombrel", o.searches);
    search_s.push_back(t.seconds);
    stat_s.push_back(floor_s);
    excess_s.push_back(c.excess.median);
    std::printf("   %8zu %9.3f ms %11.3f us %9.3f ms %11.3f ms %9.3f ms %9.3f ms\n", n,
                ms(t.seconds), t.seconds * 1e6 / static_cast<double>(n), ms(floor_s),
                ms(c.front.median), ms(c.floor.median), ms(c.excess.median));
  }
  const double added = search_s.back() - search_s.front();
  std::printf("   added by 10000 elements: search %.3f ms, run %.3f ms   target <= 20 ms: %s\n",
              ms(added), ms(excess_s.back() - excess_s.front()), verdict(ms(added) <= 20));
  std::printf(
      "   the stat floor of 10000 elements (two stat calls each): %.3f ms; the search "
      "takes %.2f times that\n",
      ms(stat_s.back()), search_s.back() / stat_s.back());
  // Linear: each added element costs about the same at 1000 as at 10000.
  const double at1000 = (search_s[3] - search_s[0]) / 999;
  const double at10000 = added / 9999;
  const double lin = at10000 / at1000;
  std::printf(
      "   per added element: %.3f us up to 1000, %.3f us up to 10000 (ratio %.2f)   "
      "linear (0.5 .. 2): %s\n",
      at1000 * 1e6, at10000 * 1e6, lin, verdict(lin >= 0.5 && lin <= 2));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::printf(
        "usage: bench --kestrune K --morvale M --floor F --duty D --meter M --design PLA "
        "--scratch DIR [--quick] [--pairs N] [--warmup N]\n");
    return 2;
  }
  Scene s;
  if (!lay_out(s, o.scratch, o.duty, o.design, 10000)) {
    std::printf("could not lay out the scratch tree in %s\n", o.scratch.c_str());
    return 1;
  }
  std::error_code ec;
  fs::current_path(s.work, ec);
  if (ec) return 1;
  std::printf("benchmark%s: medians of interleaved pairs; spread = quartiles\n",
              o.quick ? " (quick mode: checks only that it works)" : "");
  bool ok = bench_kestrune(o, s);
  ok = bench_morvale(o, s) && ok;
  ok = bench_search(o, s) && ok;
  std::printf("\n%s\n", ok ? "every run ended with status 0" : "SOME RUNS FAILED");
  return ok ? 0 : 1;
}
