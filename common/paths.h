// Splitting and merging paths under the host's conventions, and scratch names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform.h"

struct DesignParts {
  std::string drive;  // "X:" or empty
  std::string dir;    // up to and including the last separator
  std::string file;   // the name without its extension
  std::string ext;    // from the last dot, the dot included
  bool has_drive = false;
  bool has_dir = false;
};

// The sizes of the stored names, in characters (the buffers of the original
// design held one more byte for the terminator).
inline constexpr std::size_t max_path = 259;
inline constexpr std::size_t max_part = 255;

bool is_sep(char c, const Conventions& conv = host);

// Splits the whole path; nothing is cut. parts_fit tells whether the path and
// its parts fit the stored sizes.
DesignParts split_path(std::string_view path, const Conventions& conv = host);
bool parts_fit(std::string_view path, const DesignParts& parts);

std::string merge_path(std::string_view drive, std::string_view dir, std::string_view file,
                       std::string_view ext, const Conventions& conv = host);

// The template must end in "XXXXXX"; they become a candidate letter, four
// base-32 digits of the process id and a dot. exists is asked about each of
// the 27 candidates in turn; the first one that does not exist is the name.
using ExistsFn = bool (*)(const std::string&);
std::optional<std::string> make_scratch_name(std::string_view templ, unsigned pid, ExistsFn exists);
std::optional<std::string> make_scratch_name(std::string_view templ);
