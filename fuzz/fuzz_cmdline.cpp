// The command line built for a host that passes a single line to a new
// process, read back by that host's C runtime rules (parse_line below).
// Checked, for any argument vector: the line gives back as many elements,
// each the one given, except that an element written without quotes may
// lose blanks and tabs at its ends (the tools have always received "-cst "
// as -cst). A program path never holds a double quote, nor any element a
// zero byte: such names do not exist on that host.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cmdline.h"

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// The C runtime's reading of a command line into an argument vector.
// Argument 0 runs to the first blank or tab outside quotes, each quote only
// toggling; backslashes are plain there. Later arguments are separated by
// blanks and tabs outside quotes; 2n backslashes before a quote give n
// backslashes and the quote toggles (inside quotes, a doubled quote gives
// one quote instead); 2n+1 backslashes before a quote give n backslashes
// and a literal quote; backslashes before anything else are plain.
std::vector<std::string> parse_line(std::string_view line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  std::string arg;
  bool quoted = false;
  while (i < line.size() && (quoted || !is_blank(line[i]))) {
    if (line[i] == '"')
      quoted = !quoted;
    else
      arg += line[i];
    ++i;
  }
  out.push_back(arg);
  quoted = false;
  for (;;) {
    while (i < line.size() && is_blank(line[i])) ++i;
    if (i == line.size()) return out;
    arg.clear();
    for (;;) {
      std::size_t slashes = 0;
      while (i < line.size() && line[i] == '\\') ++slashes, ++i;
      bool copy = true;
      if (i < line.size() && line[i] == '"') {
        if (slashes % 2 == 0) {
          if (quoted && i + 1 < line.size() && line[i + 1] == '"')
            ++i;  // a doubled quote inside quotes: one quote
          else {
            copy = false;
            quoted = !quoted;
          }
        }
        slashes /= 2;
      }
      arg.append(slashes, '\\');
      if (i == line.size() || (!quoted && is_blank(line[i]))) break;
      if (copy) arg += line[i];
      ++i;
    }
    out.push_back(arg);
  }
}

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string without(std::string s, std::string_view chars) {
  s.erase(std::remove_if(s.begin(), s.end(),
                         [&](char c) { return chars.find(c) != std::string_view::npos; }),
          s.end());
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::string> av;
  av.push_back(without(in.ConsumeRandomLengthString(64), std::string_view("\"\0", 2)));
  while (in.remaining_bytes() > 0 && av.size() < 16)
    av.push_back(without(in.ConsumeRandomLengthString(64), std::string_view("\0", 1)));

  const std::string line = command_line(av);
  const std::vector<std::string> back = parse_line(line);
  CHECK(back.size() == av.size());
  CHECK(back[0] == av[0]);
  for (std::size_t i = 1; i < av.size(); ++i) {
    if (quote_argument(av[i]) == av[i])
      CHECK(back[i] == trim_blanks(av[i]));
    else
      CHECK(back[i] == av[i]);
  }
  return 0;
}
