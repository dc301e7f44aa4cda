// The fuzz targets' assertion: names the property that failed, then aborts
// so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define CHECK(cond)                                                                 \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)
