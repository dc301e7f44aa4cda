// The platform layer on POSIX hosts: '/' separates directories, ':' the
// elements of PATH, and there are no drives.
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform.h"

extern char** environ;

const Conventions host = {'/', false, ':', false};

// The one drive of a host without drives, so that no drive ever differs.
static constexpr int only_drive = 2;

int current_drive() {
  return only_drive;
}

void set_current_drive(int) {}

std::optional<std::string> current_directory() {
  std::string buf(256, '\0');
  for (;;) {
    if (getcwd(buf.data(), buf.size())) {
      buf.resize(std::char_traits<char>::length(buf.c_str()));
      return buf;
    }
    if (errno != ERANGE) return std::nullopt;
    buf.resize(buf.size() * 2);
  }
}

bool change_directory(const std::string& dir) {
  return chdir(dir.c_str()) == 0;
}

bool file_exists(const std::string& name) {
  struct stat st;
  return stat(name.c_str(), &st) == 0;
}

bool can_open_for_reading(const std::string& name) {
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  // A directory opens on POSIX hosts but holds no text to read.
  const bool ok = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  close(fd);
  return ok;
}

static bool write_all(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Puts the finished temp file in the place of name. Over an existing regular
// file the two names are exchanged and the old file, now under the temp
// name, removed: ext4 answers a rename over an existing file by writing the
// new file's data back at once, which cost more than all the rest of a run's
// file work, and the exchange keeps name present and whole throughout, as
// the rename did. Anything else at name, or a file system without the
// exchange, gets the plain rename.
static bool replace_file(const std::string& temp, const std::string& name) {
#ifdef RENAME_EXCHANGE
  struct stat st;
  if (lstat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, name.c_str(), RENAME_EXCHANGE) == 0) {
    unlink(temp.c_str());
    return true;
  }
#endif
  return rename(temp.c_str(), name.c_str()) == 0;
}

bool write_text_file(const std::string& name, const std::vector<std::string_view>& lines) {
  const std::string text = crlf_text(lines);
  const std::string temp = name + ".tmp" + std::to_string(getpid());
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = write_all(fd, text);
  ok = close(fd) == 0 && ok;
  ok = ok && replace_file(temp, name);
  if (!ok) unlink(temp.c_str());
  return ok;
}

std::optional<std::string> environment_value(const char* name) {
  const char* value = getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string executable_path() {
  std::string buf(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < buf.size()) {
      buf.resize(static_cast<std::size_t>(n));
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

unsigned process_id() {
  return static_cast<unsigned>(getpid());
}

LaunchOutcome launch_and_wait(const std::string& program, const std::vector<std::string>& av) {
  if (!file_exists(program)) return LaunchFailure::NotFound;
  std::vector<char*> argv;
  argv.reserve(av.size() + 1);
  for (const std::string& a : av) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(nullptr);
  pid_t pid;
  const int rc = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
  switch (rc) {
    case 0:
      break;
    case ENOMEM:
    case E2BIG:
      return LaunchFailure::NoMemory;
    case EAGAIN:
      return LaunchFailure::Other;
    case ENOENT:  // removed since it was found
      return LaunchFailure::NotFound;
    default:
      return LaunchFailure::Refused;
  }
  int status;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return LaunchFailure::Other;
  if (WIFSIGNALED(status)) return ExitStatus{128 + WTERMSIG(status)};
  return ExitStatus{WEXITSTATUS(status)};
}

void exit_process(int status) {
  std::fflush(nullptr);
  std::exit(status);
}
