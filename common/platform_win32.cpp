// The platform layer on Windows: '\' separates directories ('/' is taken
// too), ';' the elements of PATH, and every path may carry a drive. Each
// drive keeps its own current directory in the hidden environment variable
// "=D:", as the command shell keeps it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "cmdline.h"
#include "platform.h"

const Conventions host = {'\\', true, ';', true};

// A MinGW-w64 runtime built to expand wildcards in the arguments would turn
// a design name with '*' or '?' into some other file's: keep it off.
extern "C" int _dowildcard;
int _dowildcard = 0;

// The longest command line that CreateProcessA takes, its terminator aside.
static constexpr std::size_t max_command_line = 32766;

// The path as the system calls get it: every '/' a '\'. Windows reads them
// alike, but Wine takes a path that begins with '/' and holds no '\' for a
// path of its host and looks for it on drive Z:.
static std::string native(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

static int drive_of(const std::string& dir) {
  if (dir.size() < 2 || dir[1] != ':') return -1;
  char letter = dir[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return -1;
  return letter - 'A';
}

std::optional<std::string> current_directory() {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
    if (n == 0) return std::nullopt;
    // A result that did not fit gives the size it needs, terminator included.
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(n);
  }
}

// Records dir as the directory last current on its drive, where the system
// looks it up when the drive alone is made current.
static void remember_for_drive(const std::optional<std::string>& dir) {
  if (!dir) return;
  const int drive = drive_of(*dir);
  if (drive < 0) return;
  const std::string name = {'=', static_cast<char>('A' + drive), ':'};
  SetEnvironmentVariableA(name.c_str(), dir->c_str());
}

// Makes target current and records the directory left and the one entered
// for their drives.
static bool enter(const std::string& target) {
  const std::optional<std::string> left = current_directory();
  if (!SetCurrentDirectoryA(native(target).c_str())) return false;
  remember_for_drive(left);
  remember_for_drive(current_directory());
  return true;
}

int current_drive() {
  const std::optional<std::string> dir = current_directory();
  return dir ? drive_of(*dir) : -1;
}

void set_current_drive(int drive) {
  if (drive < 0 || drive > 25) return;
  const char letter = static_cast<char>('A' + drive);
  // "D:" resolves through "=D:"; a directory recorded there that has gone
  // since leaves the drive's root.
  if (!enter(std::string{letter, ':'})) enter(std::string{letter, ':', '\\'});
}

bool change_directory(const std::string& dir) {
  return enter(dir);
}

bool file_exists(const std::string& name) {
  return GetFileAttributesA(native(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool can_open_for_reading(const std::string& name) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open.
  const HANDLE h = CreateFileA(native(name).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

static bool write_all(HANDLE h, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const std::size_t chunk = text.size() - done;
    const DWORD want = chunk > 0x10000000u ? 0x10000000u : static_cast<DWORD>(chunk);
    DWORD wrote = 0;
    if (!WriteFile(h, text.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

bool write_text_file(const std::string& name, const std::vector<std::string_view>& lines) {
  const std::string text = crlf_text(lines);
  const std::string target = native(name);
  const std::string temp = target + ".tmp" + std::to_string(GetCurrentProcessId());
  const HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = write_all(h, text);
  ok = CloseHandle(h) && ok;
  ok = ok && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

std::optional<std::string> environment_value(const char* name) {
  std::string buf(256, '\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD n = GetEnvironmentVariableA(name, buf.data(), static_cast<DWORD>(buf.size()));
    // 0 is both "absent" and an empty value; the error code tells them apart.
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    // A value that did not fit gives the size it needs, terminator included.
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(n);
  }
}

std::string executable_path() {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    // A path that filled the buffer may have been cut: try a larger one.
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    if (buf.size() >= 0x8000) return {};
    buf.resize(buf.size() * 2);
  }
}

unsigned process_id() {
  return static_cast<unsigned>(GetCurrentProcessId());
}

static LaunchFailure classify(DWORD error) {
  switch (error) {
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_COMMITMENT_LIMIT:
    case ERROR_NO_SYSTEM_RESOURCES:
      return LaunchFailure::NoMemory;
    case ERROR_NO_PROC_SLOTS:
    case ERROR_MAX_THRDS_REACHED:
      return LaunchFailure::Other;
    case ERROR_FILE_NOT_FOUND:  // removed since it was found
    case ERROR_PATH_NOT_FOUND:
      return LaunchFailure::NotFound;
    default:
      return LaunchFailure::Refused;
  }
}

LaunchOutcome launch_and_wait(const std::string& program, const std::vector<std::string>& av) {
  if (!file_exists(program)) return LaunchFailure::NotFound;
  std::string line = command_line(av);
  if (line.size() > max_command_line) return LaunchFailure::NoMemory;
  std::fflush(nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // The program path is the application name too, so that nothing is
  // searched and a path with a blank cannot start a shorter name's program.
  if (!CreateProcessA(native(program).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &si, &pi))
    return classify(GetLastError());
  CloseHandle(pi.hThread);
  DWORD code = 0;
  const bool ok = WaitForSingleObject(pi.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  if (!ok) return LaunchFailure::Other;
  return ExitStatus{static_cast<std::int32_t>(code)};
}

void exit_process(int status) {
  std::fflush(nullptr);
  ExitProcess(static_cast<UINT>(status));
}
