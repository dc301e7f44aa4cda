#include "cmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The C runtime's reading of the arguments after the program name: blanks
// and tabs split outside quotes; 2n backslashes before a quote give n and
// toggle quoting, 2n+1 give n and a literal quote; other backslashes are
// plain characters.
std::vector<std::string> parse_arguments(const std::string& line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return out;
    std::string arg;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      std::size_t slashes = 0;
      while (i < line.size() && line[i] == '\\') ++slashes, ++i;
      if (i < line.size() && line[i] == '"') {
        arg.append(slashes / 2, '\\');
        if (slashes % 2)
          arg += '"';
        else
          quoted = !quoted;
      } else {
        arg.append(slashes, '\\');
        if (i == line.size()) break;
        if (!quoted && (line[i] == ' ' || line[i] == '\t')) {
          --i;
          continue;
        }
        arg += line[i];
      }
    }
    out.push_back(arg);
  }
}

struct ArgCase {
  std::string arg;
  std::string written;
};

const ArgCase arg_cases[] = {
    {"", R"("")"},
    {" ", R"(" ")"},
    {"\t", "\"\t\""},
    {"a b", R"("a b")"},
    {"a\tb", "\"a\tb\""},
    {R"(a"b)", R"("a\"b")"},
    {R"(a\\b)", R"(a\\b)"},
    {R"(a\"b)", R"("a\\\"b")"},
    {R"(C:\my dir\)", R"("C:\my dir\\")"},
    {R"(C:\my dir\\)", R"("C:\my dir\\\\")"},
    {R"(\)", R"(\)"},
    {R"(C:\work\adder.pla)", R"(C:\work\adder.pla)"},
    {"-cst ", "-cst "},  // trailing blanks alone keep an element as it is
    {"x \t", "x \t"},
    {" x", R"(" x")"},
};

TEST(QuoteArgument, WritesEachElementSoTheParserReadsItBack) {
  for (const ArgCase& c : arg_cases) {
    const std::string written = quote_argument(c.arg);
    EXPECT_EQ(written, c.written) << "element [" << c.arg << "]";
    // Trailing blanks of an unquoted element are the one thing the parser drops.
    std::string expect = c.arg;
    if (written == c.arg)
      while (!expect.empty() && (expect.back() == ' ' || expect.back() == '\t')) expect.pop_back();
    EXPECT_EQ(parse_arguments(written), std::vector<std::string>{expect})
        << "element [" << c.arg << "]";
  }
}

TEST(QuoteProgram, QuotesABlankWithoutEscapingBackslashes) {
  EXPECT_EQ(quote_program(R"(C:\tools\ombrel.exe)"), R"(C:\tools\ombrel.exe)");
  EXPECT_EQ(quote_program(R"(C:\Program Files\tools\ombrel.exe)"),
            R"("C:\Program Files\tools\ombrel.exe")");
  EXPECT_EQ(quote_program("C:\\my\ttools\\"), "\"C:\\my\ttools\\\"");
  EXPECT_EQ(quote_program(""), R"("")");
}

TEST(CommandLine, JoinsWithOneBlank) {
  EXPECT_EQ(command_line({R"(C:\tools\halvend.exe)", "-cst ", "adder.cst", "adder.pds"}),
            R"(C:\tools\halvend.exe -cst  adder.cst adder.pds)");
  EXPECT_EQ(command_line({R"(C:\my tools\ombrel.exe)", "my adder.pla", "T0k.f00"}),
            R"("C:\my tools\ombrel.exe" "my adder.pla" T0k.f00)");
  EXPECT_EQ(command_line({R"(C:\tools\caskel.exe)"}), R"(C:\tools\caskel.exe)");
  // Each element comes back whole from the joined line.
  const std::vector<std::string> av = {R"(C:\a b\t.exe)", "", R"(a\"b)", R"(D:\x y\)", "z"};
  const std::string line = command_line(av);
  const std::string rest = line.substr(quote_program(av[0]).size());
  EXPECT_EQ(parse_arguments(rest), std::vector<std::string>(av.begin() + 1, av.end()));
}

}  // namespace
