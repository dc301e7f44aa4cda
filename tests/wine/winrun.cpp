// Starts one program for the Wine tests exactly as a test case describes it,
// and writes down its full 32-bit exit code. Wine makes up a Windows
// program's environment from its registry and passes on only the low eight
// bits of a status, so both are settled here, on the Windows side.
//
//   winrun.exe SPEC
//
// SPEC is a text file of lines "KEY VALUE":
//   program PATH   the application name given to CreateProcessA
//   cmdline LINE   the raw command line the program receives
//   cwd DIR        its current directory
//   env NAME=VAL   one variable of its environment, which holds nothing
//                  else; "=D:=D:\dir" records drive D's current directory
//   status FILE    where its exit code goes, as 0x%08X
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Spec {
  std::string program, cmdline, cwd, status;
  std::vector<std::string> env;
};

bool read_spec(const char* file, Spec& spec) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (key == "program")
      spec.program = value;
    else if (key == "cmdline")
      spec.cmdline = value;
    else if (key == "cwd")
      spec.cwd = value;
    else if (key == "env")
      spec.env.push_back(value);
    else if (key == "status")
      spec.status = value;
    else if (!key.empty())
      return false;
  }
  return !spec.program.empty() && !spec.status.empty();
}

// The environment block: each entry ends with a zero, the block with one more.
std::string env_block(const std::vector<std::string>& env) {
  std::string block;
  for (const std::string& e : env) {
    block += e;
    block += '\0';
  }
  if (env.empty()) block += '\0';
  block += '\0';
  return block;
}

std::string hex8(DWORD code) {
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789ABCDEF"[(code >> shift) & 15];
  return text;
}

bool write_status(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  Spec spec;
  if (argc != 2 || !read_spec(argv[1], spec)) {
    std::fprintf(stderr, "usage: winrun SPEC (see winrun.cpp)\n");
    return 2;
  }
  // On Windows a crashing tool then ends with its exception code at once,
  // without a dialog, in every process below (they inherit the mode). Wine
  // heeds the debugger named in its registry instead: cases.py names none.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  std::string block = env_block(spec.env);
  std::string cmdline = spec.cmdline;
  std::fflush(nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(spec.program.c_str(), cmdline.data(), nullptr, nullptr, TRUE, 0, block.data(),
                      spec.cwd.empty() ? nullptr : spec.cwd.c_str(), &si, &pi)) {
    write_status(spec.status, "launch failed " + std::to_string(GetLastError()));
    return 3;
  }
  CloseHandle(pi.hThread);
  DWORD code = 0;
  if (WaitForSingleObject(pi.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(pi.hProcess, &code)) {
    write_status(spec.status, "wait failed " + std::to_string(GetLastError()));
    return 3;
  }
  return write_status(spec.status, hex8(code)) ? 0 : 3;
}
