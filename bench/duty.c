// The benchmark's stand-in for the tools, copied under their names: as
// ombrel.exe it writes base.pds into its current directory, and every tool
// ends with status 0. It does nothing else (no output, no log), and it is
// linked statically, so the tools cost both sides of a comparison the same
// little.
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

static const char* after_slash(const char* s) {
  const char* slash = strrchr(s, '/');
  return slash ? slash + 1 : s;
}

int main(int argc, char** argv) {
  if (argc < 2 || strncmp(after_slash(argv[0]), "ombrel.", 7) != 0) return 0;
  const char* design = after_slash(argv[1]);
  const char* dot = strrchr(design, '.');
  const size_t len = dot ? (size_t)(dot - design) : strlen(design);
  char name[256];
  if (len + sizeof ".pds" > sizeof name) return 1;
  memcpy(name, design, len);
  memcpy(name + len, ".pds", sizeof ".pds");
  const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return 1;
  static const char text[] = "converted\n";
  const ssize_t n = write(fd, text, sizeof text - 1);
  return close(fd) == 0 && n == (ssize_t)(sizeof text - 1) ? 0 : 1;
}
