// Runs one program as the benchmark measures it, through the meter: in the
// current directory with the given environment, its standard output sent to
// /dev/null.
#pragma once

#include <string>
#include <vector>

struct ChildRun {
  double seconds = 0;   // wall time from just before the start to the reaped exit
  long maxrss_kib = 0;  // peak resident memory of the program and the tools it waited for
  int status = -1;      // exit status, 128 + signal when killed, -1 when not measured
};

ChildRun run_child(const std::string& meter, const std::vector<std::string>& argv,
                   const std::vector<std::string>& env);
