// Numbered error lines, exit statuses and the verdict on a tool's launch.
#pragma once

#include <string>
#include <string_view>

#include "platform.h"

// The message texts by error code; their trailing blanks are part of them.
inline constexpr std::string_view errmsg[] = {
    "program error:  ",
    "not enough arguments ",
    "out of memory:  ",
    "could not execute program:  ",
    "could not find program:  ",
    "insufficient memory to execute program:  ",
    "could not find PATH in ENVIRONMENT",
    "could not change to specified directory:  ",
    "name too long:  ",
    "could not write file:  ",
};

enum ErrCode {
  err_program = 0,
  err_args = 1,
  err_memory = 2,
  err_execute = 3,
  err_notfound = 4,
  err_execmem = 5,
  err_nopath = 6,
  err_chdir = 7,
  err_toolong = 8,
  err_write = 9,
};

// Prints "[%04dxl] <message><detail>" and ends the process with the code.
[[noreturn]] void err(int code, std::string_view detail);

// Ends the run with err_toolong unless name has at most max characters.
void need_fit(std::string_view name, std::size_t max);

// A tool's exit status, or the error line for a launch that never ran.
int check_launch(const LaunchOutcome& outcome, const std::string& program);

// Whether a tool's status means failure: above 0, or one of the exception
// codes (0xC0000000 to 0xCFFFFFFF) that a crashed program ends with.
bool failed(int status);

// Runs a front end's body so that no exception leaves main: running out of
// memory is err_memory, anything else unforeseen err_program.
int guarded(int (*body)(int, char**), int argc, char** argv);
