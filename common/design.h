// The steps both front ends share: remember where the run started, find the
// conversion tool, enter the design's drive and directory, convert, go back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "paths.h"

struct RunState {
  int origdrv = 0;
  std::optional<std::string> origdir;  // absent when the system could not tell it
  std::string tool;                    // the conversion tool's launch path
  DesignParts parts;
  std::string plafile;
  std::vector<std::string> av;
};

void remember_start(RunState& state, std::string_view argument0);
void locate_conversion_tool(RunState& state, std::size_t size);
// Splits path into state.parts; ends the run unless path and its parts fit.
void split_design(RunState& state, std::string_view whole);
void enter_design(RunState& state, std::string_view design);
int run_conversion(RunState& state, bool trace);
void leave_design(const RunState& state);

// The drive number of a "X:" drive part, letter case aside.
int drive_number(std::string_view drive);
