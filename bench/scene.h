// The scratch tree the benchmark runs in:
//   tools/   the duty stand-in as ombrel.exe, halvend.exe and caskel.exe
//   work/    the design; the current directory of every run
//   fitter/  what ORVAN names
//   empty/   a program directory without tools, for the in-process search
//   work/p/0 ... work/p/N-1   empty PATH directories, the tools in the last
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Scene {
  std::string tools, work, fitter, empty;
  std::vector<std::string> elements;  // "p/0" ..., relative to work
};

// Lays the tree out afresh under root; false when the files could not be made.
bool lay_out(Scene& scene, const std::string& root, const std::string& duty,
             const std::string& design, std::size_t elements);

// The last n PATH elements of the scene joined with ':', the tools in the last.
std::string path_of(const Scene& scene, std::size_t n);
