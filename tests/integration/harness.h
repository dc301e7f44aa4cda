// Runs the built front ends as a user would, in a fresh directory tree, and
// reads back what the stand-in tools received.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct Outcome {
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
  int status;       // exit status, or 128 + signal
  int pid;          // the front end's process id
};

// What one tool was started with.
struct Received {
  std::string tool;
  std::string cwd;
  std::vector<std::string> av;
};

struct Options {
  std::vector<std::string> env;  // NAME=value; nothing else is inherited
  long file_size_limit = -1;     // bytes any process of the run may write to a file
  bool remove_cwd = false;       // start in a directory deleted under the program
};

// A temporary tree, removed when the test ends.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  fs::path root() const { return root_; }
  // Creates the directory (and its parents) below the root; gives its path.
  fs::path dir(const std::string& rel) const;
  // Puts the stand-in under the tool's file name (ombrel.exe, ...) in rel.
  fs::path tool(const std::string& rel, const std::string& name) const;
  // Puts a copy of the front end (kestrune or morvale) in rel.
  fs::path program(const std::string& rel, const std::string& name) const;
  fs::path write(const std::string& rel, const std::string& text) const;
  std::string read(const std::string& rel) const;
  bool exists(const std::string& rel) const;

  // Runs program with args in cwd; the stand-ins log to this sandbox.
  Outcome run(const fs::path& program, const std::vector<std::string>& args, const fs::path& cwd,
              const Options& opts = {}) const;
  // Every tool start logged so far, in order.
  std::vector<Received> received() const;

 private:
  fs::path root_;
};

// The default files as kestrune writes them.
inline const std::string ctl_defaults =
    "DEVICE: INDESIGN \r\nTIMING_OPT: OFF  \r\nFASTCLOCK_OPT: INDESIGN \r\nUIM_OPT: INDESIGN \r\n"
    "FOE_OPT: INDESIGN \r\nLOWPWR: INDESIGN \r\nDRIVE_UNUSED_IO: OFF \r\n"
    "IGNORE_PIN_ASSIGNMENT: OFF \r\nIGNORE_TSPEC: ON \r\n";
inline const std::string cst_default = "TIMESPEC = \"TSO1=FROM:FFS:TO:FFS=100\"; \r\n";

fs::path built(const std::string& name);  // kestrune, morvale or standin
std::string scratch_for(int pid);         // the first scratch name of a process
