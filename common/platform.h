// The platform layer: every operating-system service the front ends use, and
// the host's path conventions. One source file per host implements it
// (platform_posix.cpp, platform_win32.cpp); nothing else talks to the system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// How the host writes paths. The portable routines read these instead of
// asking which host they run on, so one table of rules serves every host.
struct Conventions {
  char sep;        // the separator that is appended and looked for
  bool slash_too;  // the path splitter also takes '/'
  char listsep;    // between the elements of PATH
  bool drives;     // a path may begin with a drive, "X:"
};

extern const Conventions host;

// Drive numbers: 0 for A, 1 for B, ... 25 for Z.
int current_drive();
void set_current_drive(int drive);

// The full current directory, or nothing when the system cannot tell it.
std::optional<std::string> current_directory();
bool change_directory(const std::string& dir);

bool file_exists(const std::string& name);
bool can_open_for_reading(const std::string& name);

// Replaces the file with the lines, each "\n" stored as CR LF. The file
// appears whole or not at all: it is written beside its place and renamed.
bool write_text_file(const std::string& name, const std::vector<std::string_view>& lines);
// The bytes of such a file: the lines with every "\n" as CR LF.
std::string crlf_text(const std::vector<std::string_view>& lines);

std::optional<std::string> environment_value(const char* name);
std::string executable_path();
unsigned process_id();

enum class LaunchFailure { NotFound, NoMemory, Refused, Other };
struct ExitStatus {
  std::int32_t value;
};
using LaunchOutcome = std::variant<ExitStatus, LaunchFailure>;

// Starts the program with the vector (av[0] being the program path itself)
// in the current directory, waits for it and gives its exit status.
LaunchOutcome launch_and_wait(const std::string& program, const std::vector<std::string>& av);

// Formatted text on standard output.
void print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void flush_output();
[[noreturn]] void exit_process(int status);
