// String routines of the tool search.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform.h"

// Copies list up to its first separator into buffer. Gives what follows the
// separator, or nothing when the end of list was reached instead.
std::optional<std::string_view> getap(std::string& buffer, std::string_view list, char separator);

// The file with name's base name (up to its first dot, after any directory or
// drive) and the extension, in directory; an empty directory adds nothing.
std::string mkfn(std::string_view directory, std::string_view name, std::string_view extension,
                 const Conventions& conv = host);
