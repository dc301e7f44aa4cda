#include "cmdline.h"

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Whether the parser would read arg back as something else: an empty or
// all-blank element vanishes, a blank before more text splits it, and a
// double quote is taken as a quote.
bool needs_quotes(std::string_view arg) {
  std::size_t end = arg.size();
  while (end > 0 && is_blank(arg[end - 1])) --end;
  if (end == 0) return true;
  for (std::size_t i = 0; i < end; ++i)
    if (is_blank(arg[i])) return true;
  return arg.find('"') != std::string_view::npos;
}

}  // namespace

std::string quote_argument(std::string_view arg) {
  if (!needs_quotes(arg)) return std::string(arg);
  std::string out = "\"";
  std::size_t slashes = 0;  // backslashes just before the current character
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
    } else {
      // Backslashes count as escapes only when a quote follows them.
      if (c == '"') out.append(slashes + 1, '\\');
      slashes = 0;
    }
    out += c;
  }
  // The closing quote follows: the backslashes before it must be doubled.
  out.append(slashes, '\\');
  out += '"';
  return out;
}

std::string quote_program(std::string_view program) {
  bool blank = program.empty();
  for (char c : program) blank = blank || is_blank(c);
  if (!blank) return std::string(program);
  std::string out = "\"";
  out += program;
  out += '"';
  return out;
}

std::string command_line(const std::vector<std::string>& av) {
  std::string out;
  for (std::size_t i = 0; i < av.size(); ++i) {
    if (i > 0) out += ' ';
    out += i == 0 ? quote_program(av[i]) : quote_argument(av[i]);
  }
  return out;
}
