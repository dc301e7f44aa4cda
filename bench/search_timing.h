// The tool search timed in this process, with PATH set to a given value.
#pragma once

#include <string>
#include <vector>

struct SearchTiming {
  double seconds = 0;  // median of the searches
  std::string found;   // the directory the search left in path
};

// Runs findprogs(name) `count` times with PATH = value in the current
// directory and progdir as the caller left them.
SearchTiming time_search(const std::string& value, const char* name, int count);

// The least any search of those elements costs: one stat of each candidate
// the search tries, name with ".exe" and ".com" in each element, names made
// beforehand. Median of `count` rounds, seconds.
double time_stat_floor(const std::vector<std::string>& elements, const char* base, int count);
