#include "errors.h"

#include <cstdint>
#include <new>
#include <string>

void err(int code, std::string_view detail) {
  const std::string text(errmsg[code]);
  const std::string more(detail);
  print("[%04dxl] %s%s\n", code, text.c_str(), more.c_str());
  flush_output();
  exit_process(code);
}

void need_fit(std::string_view name, std::size_t max) {
  if (name.size() > max) err(err_toolong, name);
}

int check_launch(const LaunchOutcome& outcome, const std::string& program) {
  if (const auto* st = std::get_if<ExitStatus>(&outcome)) return st->value;
  switch (std::get<LaunchFailure>(outcome)) {
    case LaunchFailure::NotFound:
      err(err_notfound, program);
    case LaunchFailure::NoMemory:
      err(err_execmem, program);
    case LaunchFailure::Refused:
    case LaunchFailure::Other:  // no process slot: the tool never ran
      break;
  }
  err(err_execute, program);
}

bool failed(int status) {
  const auto bits = static_cast<std::uint32_t>(status);
  return status > 0 || (bits & 0xF0000000u) == 0xC0000000u;
}

int guarded(int (*body)(int, char**), int argc, char** argv) {
  try {
    return body(argc, argv);
  } catch (const std::bad_alloc&) {
    err(err_memory, "");
  } catch (...) {
    err(err_program, "");
  }
}
