// A front end against the floor, run in interleaved pairs (A B A B ...) so
// that whatever else the machine does weighs on both sides alike.
#pragma once

#include <string>
#include <vector>

#include "stats.h"

struct Rounds {
  int warmup = 5;
  int pairs = 40;
};

struct Comparison {
  Summary ratio;                      // front end / floor, pair by pair
  Summary front, floor;               // wall seconds
  Summary excess;                     // front end - floor, pair by pair, seconds
  long front_rss = 0, floor_rss = 0;  // peak resident KiB, medians
  bool ok = true;                     // every run ended with status 0
};

// Each run goes through the meter (see child.h).
Comparison compare(const std::string& meter, const std::vector<std::string>& front,
                   const std::vector<std::string>& floor, const std::vector<std::string>& env,
                   const Rounds& rounds);
