// A stand-in for the external tools, run under their names (ombrel.exe,
// halvend.exe, caskel.exe). It prints one line of what it was given and, as
// the conversion tool, writes base.pds into its current directory.
//
// Tests steer it through the environment, NAME being the tool's name in
// upper case (OMBREL, HALVEND, CASKEL):
//   STANDIN_LOG=file       append what it received (vector, directory and,
//                          on Windows, the raw command line and the current
//                          directory of drives C:, D: and E:) there
//   STANDIN_EXIT_NAME=n    end with status n (decimal, or hex after "0x")
//   STANDIN_CRASH_NAME=1   die by writing through a null pointer
//   STANDIN_SIGNAL_NAME=n  die by signal n
//   STANDIN_RMDIR_NAME=1   remove its current directory before it ends
//   STANDIN_REMOVE_NAME=f  remove the file f before it ends
//   STANDIN_QUIET=1        print nothing and log nothing
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>  // GetCommandLineA: the line before the runtime split it
#endif

namespace fs = std::filesystem;

namespace {

std::string tool_name(std::string_view argv0) {
  const std::size_t sep = argv0.find_last_of("/\\");
  if (sep != std::string_view::npos) argv0.remove_prefix(sep + 1);
  return std::string(argv0.substr(0, argv0.find('.')));
}

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

const char* control(const std::string& what, const std::string& tool) {
  return std::getenv(("STANDIN_" + what + "_" + upper(tool)).c_str());
}

void log(int argc, char** argv, const std::string& tool) {
  const char* file = std::getenv("STANDIN_LOG");
  if (!file) return;
  std::string rec = "tool=" + tool + "\n";
  std::error_code ec;
  rec += "cwd=" + fs::current_path(ec).string() + "\n";
#ifdef _WIN32
  rec += "cmdline=" + std::string(GetCommandLineA()) + "\n";
  // The directory each drive would give it, as its parent left them.
  rec += "drives=";
  for (const char* drive : {"C:", "D:", "E:"}) rec += fs::absolute(drive, ec).string() + ";";
  rec += "\n";
#endif
  for (int i = 0; i < argc; ++i) rec += "arg=" + std::string(argv[i]) + "\n";
  rec += "end\n";
  std::ofstream(file, std::ios::app | std::ios::binary) << rec;
}

// The base name of a design file: no directory, no extension.
std::string base_of(std::string_view design) {
  const std::size_t sep = design.find_last_of("/\\:");
  if (sep != std::string_view::npos) design.remove_prefix(sep + 1);
  return std::string(design.substr(0, design.rfind('.')));
}

// A status as the tests write it; a Windows exception code such as
// 0xC0000005 wraps to the negative 32-bit value that carries it.
int status_of(const char* text) {
  const std::string_view t = text;
  const bool hex = t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X');
  return static_cast<int>(static_cast<unsigned>(std::strtoll(text, nullptr, hex ? 16 : 10)));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string tool = tool_name(argc > 0 ? argv[0] : "");
  const bool quiet = std::getenv("STANDIN_QUIET") != nullptr;
  if (!quiet) {
    std::string line = tool + ":";
    for (int i = 1; i < argc; ++i) line += std::string(" ") + argv[i];
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    log(argc, argv, tool);
  }
  if (upper(tool) == "OMBREL" && argc > 1)
    std::ofstream(base_of(argv[1]) + ".pds", std::ios::binary) << "converted " << argv[1] << "\n";
  if (control("RMDIR", tool)) {
    std::error_code ec;
    fs::remove_all(fs::current_path(ec), ec);
  }
  if (const char* victim = control("REMOVE", tool)) {
    std::error_code ec;
    fs::remove(victim, ec);
  }
  if (const char* sig = control("SIGNAL", tool)) std::raise(std::atoi(sig));
  if (control("CRASH", tool)) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
  if (const char* status = control("EXIT", tool)) return status_of(status);
  return 0;
}
