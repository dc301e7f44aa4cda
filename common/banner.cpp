#include "banner.h"

#include <string>

#include "platform.h"

#ifndef PROJECT_VERSION
#define PROJECT_VERSION "0.0.0"
#endif

void print_banner(std::string_view name, const char* date, const char* time) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  print("%s %s %s\n%s\n\n", upper.c_str(), date, time,
        "Front end between design files and the fitter; part of the kestrune project.");
}

bool info_option(int argc, char** argv, std::string_view name, const char* date, const char* time) {
  if (argc != 2) return false;
  const std::string_view arg = argv[1];
  const std::string n(name);
  if (arg == "--help") {
    print_banner(name, date, time);
    print("usage: %s DESIGN-FILE\n", n.c_str());
    return true;
  }
  if (arg == "--version") {
    print("%s %s (built %s %s)\n", n.c_str(), PROJECT_VERSION, date, time);
    return true;
  }
  return false;
}
