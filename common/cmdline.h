// The single command line that a host without argument vectors hands to a
// new process, built so that the C runtime's parser gives the tool back the
// vector it was meant to get.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One argument as the parser reads it back: written as it is unless the
// parser would split it, drop it or change it, and then in double quotes with
// a backslash before each quote and before each backslash that precedes a
// quote. Blanks and tabs at its end alone leave it unquoted ("-cst " stays
// "-cst "), as the tools have always received them.
std::string quote_argument(std::string_view arg);

// The program name as the parser reads argument 0: up to the first blank or
// tab, or between quotes, backslashes being plain characters. It is quoted
// when it holds a blank or a tab, or is empty.
std::string quote_program(std::string_view program);

// av[0] by the program rule, each further element by the argument rule,
// with one blank between them.
std::string command_line(const std::vector<std::string>& av);
