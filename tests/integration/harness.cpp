#include "harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "paths.h"

fs::path built(const std::string& name) {
  if (name == "kestrune") return KESTRUNE_BIN;
  if (name == "morvale") return MORVALE_BIN;
  return STANDIN_BIN;
}

static bool never(const std::string&) {
  return false;
}

std::string scratch_for(int pid) {
  return *make_scratch_name("TXXXXXX", static_cast<unsigned>(pid), never);
}

Sandbox::Sandbox() {
  std::string templ = (fs::temp_directory_path() / "kestrune-it-XXXXXX").string();
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp");
  root_ = fs::canonical(templ);
}

Sandbox::~Sandbox() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

fs::path Sandbox::dir(const std::string& rel) const {
  const fs::path p = root_ / rel;
  fs::create_directories(p);
  return p;
}

static void copy_executable(const fs::path& from, const fs::path& to) {
  fs::create_directories(to.parent_path());
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

fs::path Sandbox::tool(const std::string& rel, const std::string& name) const {
  const fs::path p = root_ / rel / name;
  copy_executable(built("standin"), p);
  return p;
}

fs::path Sandbox::program(const std::string& rel, const std::string& name) const {
  const fs::path p = root_ / rel / name;
  copy_executable(built(name), p);
  return p;
}

fs::path Sandbox::write(const std::string& rel, const std::string& text) const {
  const fs::path p = root_ / rel;
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
  return p;
}

std::string Sandbox::read(const std::string& rel) const {
  std::ifstream in(root_ / rel, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Sandbox::exists(const std::string& rel) const {
  return fs::exists(root_ / rel);
}

// Reads both pipes to their ends.
static void drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* into[2] = {&out, &err};
  int open_fds = 2;
  char buf[4096];
  while (open_fds > 0) {
    if (poll(fds, 2, -1) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        into[i]->append(buf, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_fds;
      }
    }
  }
}

Outcome Sandbox::run(const fs::path& program, const std::vector<std::string>& args,
                     const fs::path& cwd, const Options& opts) const {
  std::vector<std::string> env = opts.env;
  env.push_back("STANDIN_LOG=" + (root_ / ".received").string());
  if (const char* asan = std::getenv("ASAN_OPTIONS"))
    env.push_back(std::string("ASAN_OPTIONS=") + asan);
  std::vector<char*> envp, argv;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string prog = program.string();
  std::vector<std::string> all{prog};
  all.insert(all.end(), args.begin(), args.end());
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Pipes, not files: a file-size limit of the run must not cut what it prints.
  int o[2], e[2];
  if (pipe2(o, O_CLOEXEC) != 0 || pipe2(e, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    close(o[0]);
    close(e[0]);
    if (dup2(o[1], 1) < 0 || dup2(e[1], 2) < 0 || chdir(cwd.c_str()) != 0) _exit(250);
    if (opts.remove_cwd && rmdir(cwd.c_str()) != 0) _exit(252);
    if (opts.file_size_limit >= 0) {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of killing
      const rlimit lim{static_cast<rlim_t>(opts.file_size_limit),
                       static_cast<rlim_t>(opts.file_size_limit)};
      setrlimit(RLIMIT_FSIZE, &lim);
    }
    execve(prog.c_str(), argv.data(), envp.data());
    _exit(251);
  }
  close(o[1]);
  close(e[1]);
  Outcome r;
  drain(o[0], e[0], r.out, r.err);
  int status = 0;
  waitpid(pid, &status, 0);
  r.pid = pid;
  r.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  return r;
}

std::vector<Received> Sandbox::received() const {
  std::vector<Received> all;
  std::ifstream in(root_ / ".received", std::ios::binary);
  std::string line;
  Received cur;
  while (std::getline(in, line)) {
    if (line == "end") {
      all.push_back(cur);
      cur = {};
    } else if (line.rfind("tool=", 0) == 0) {
      cur.tool = line.substr(5);
    } else if (line.rfind("cwd=", 0) == 0) {
      cur.cwd = line.substr(4);
    } else if (line.rfind("arg=", 0) == 0) {
      cur.av.push_back(line.substr(4));
    }
  }
  return all;
}
