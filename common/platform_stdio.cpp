// The parts of the platform layer that the C library gives every host alike:
// formatted output on standard output, and the bytes of a text file.
#include <cstdarg>
#include <cstdio>

#include "platform.h"

std::string crlf_text(const std::vector<std::string_view>& lines) {
  std::string text;
  for (std::string_view line : lines)
    for (char c : line) {
      if (c == '\n') text += '\r';
      text += c;
    }
  return text;
}

void print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
}

void flush_output() {
  std::fflush(nullptr);
}
