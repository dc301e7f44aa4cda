// The floor of the benchmark: the least a launcher can do. It starts each
// argument vector given on its command line, separated by "--", in its own
// current directory with its own environment, and waits for it; nothing
// else. A vector that fails to start or ends non-zero stops the rest.
//   floor PROG ARG... -- PROG ARG...
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>

extern char** environ;

int main(int argc, char** argv) {
  int start = 1;
  for (int i = 1; i <= argc; ++i) {
    if (i < argc && strcmp(argv[i], "--") != 0) continue;
    argv[i] = 0;  // ends this vector; argv[argc] is null already
    pid_t pid;
    if (posix_spawn(&pid, argv[start], 0, 0, argv + start, environ) != 0) return 127;
    int status;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
    start = i + 1;
  }
  return 0;
}
