// Measures one run of a program: meter PROG ARG... starts PROG with its own
// environment and current directory, PROG's standard output sent to
// /dev/null, waits for it and writes "NANOSECONDS MAXRSS_KIB STATUS\n" to its
// own standard output. The benchmark driver runs every program through it
// because a child started with vfork semantics is charged at exec with the
// peak memory of its parent: a small static meter as that parent keeps the
// driver's own memory out of the figures.
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

static long long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const long long start = now_ns();
  pid_t pid;
  if (posix_spawn(&pid, argv[1], &actions, 0, argv + 1, environ) != 0) return 1;
  int status;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) < 0) return 1;
  const long long ns = now_ns() - start;
  const int code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  printf("%lld %ld %d\n", ns, usage.ru_maxrss, code);
  return 0;
}
