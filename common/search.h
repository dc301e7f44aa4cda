// The tool search: the current directory, the program's own directory, then
// the elements of PATH in order; ".exe" before ".com" in each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform.h"

// The program's own directory with its final separator, set at start-up.
extern std::string progdir;
// The directory in which the last search found its tool, as it was obtained.
extern std::string path;

// Cuts an executable's path just after its last separator.
std::string program_directory(std::string_view exe, const Conventions& conv = host);

// Leaves the tool's directory in path; ends the run when it is nowhere.
// cwd_limit is the longest current directory the search accepts.
void findprogs(std::string_view name, std::size_t cwd_limit);

// path, a separator unless path is empty or ends with one, and name.
std::string compose(std::string_view dir, std::string_view name, const Conventions& conv = host);
// The launch path of the tool just found; ends the run when it exceeds max.
std::string compose_tool_path(std::string_view name, std::size_t max);
