#include "child.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

std::vector<char*> pointers(const std::vector<std::string>& strings) {
  std::vector<char*> out;
  out.reserve(strings.size() + 1);
  for (const std::string& s : strings) out.push_back(const_cast<char*>(s.c_str()));
  out.push_back(nullptr);
  return out;
}

// Everything the meter wrote to the pipe.
std::string drain(int fd) {
  std::string out;
  char buf[256];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return out;
    out.append(buf, static_cast<std::size_t>(n));
  }
}

}  // namespace

ChildRun run_child(const std::string& meter, const std::vector<std::string>& argv,
                   const std::vector<std::string>& env) {
  ChildRun run;
  std::vector<std::string> metered = argv;
  metered.insert(metered.begin(), meter);
  std::vector<char*> args = pointers(metered);
  std::vector<char*> envp = pointers(env);
  int fds[2];
  if (pipe(fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  pid_t pid;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  const std::string report = rc == 0 ? drain(fds[0]) : std::string();
  close(fds[0]);
  if (rc != 0) return run;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return run;
  long long ns = 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(report.c_str(), "%lld %ld %d", &ns, &run.maxrss_kib, &run.status) != 3)
    return run;
  run.seconds = static_cast<double>(ns) * 1e-9;
  return run;
}
