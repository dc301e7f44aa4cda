#include "search_timing.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "search.h"
#include "stats.h"

SearchTiming time_search(const std::string& value, const char* name, int count) {
  const char* old = std::getenv("PATH");
  const std::string saved = old ? old : "";
  setenv("PATH", value.c_str(), 1);
  using clock = std::chrono::steady_clock;
  std::vector<double> seconds;
  for (int i = 0; i < count; ++i) {
    const clock::time_point start = clock::now();
    findprogs(name, 255);
    seconds.push_back(std::chrono::duration<double>(clock::now() - start).count());
  }
  if (old)
    setenv("PATH", saved.c_str(), 1);
  else
    unsetenv("PATH");
  return {summarize(seconds).median, path};
}

double time_stat_floor(const std::vector<std::string>& elements, const char* base, int count) {
  std::vector<std::string> names;
  for (const std::string& e : elements)
    for (const char* ext : {".exe", ".com"}) names.push_back(e + "/" + base + ext);
  using clock = std::chrono::steady_clock;
  std::vector<double> seconds;
  struct stat st;
  for (int i = 0; i < count; ++i) {
    const clock::time_point start = clock::now();
    for (const std::string& n : names) stat(n.c_str(), &st);
    seconds.push_back(std::chrono::duration<double>(clock::now() - start).count());
  }
  return summarize(seconds).median;
}
