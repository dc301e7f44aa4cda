// What a front end prints about itself: the banner, --help and --version.
#pragma once

#include <string_view>

// The banner: the upper-case name with the build's date and time, the notice
// line and an empty line.
void print_banner(std::string_view name, const char* date, const char* time);

// Answers "--help" or "--version" as the only argument; false for any other.
bool info_option(int argc, char** argv, std::string_view name, const char* date, const char* time);
