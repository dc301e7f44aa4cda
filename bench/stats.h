// Summaries of repeated measurements.
#pragma once

#include <vector>

struct Summary {
  double median = 0;
  double low = 0;   // first quartile
  double high = 0;  // third quartile
};

// The median and the quartiles; the quartiles are the spread the benchmark
// prints, being steadier on a busy machine than the extremes.
Summary summarize(std::vector<double> values);
