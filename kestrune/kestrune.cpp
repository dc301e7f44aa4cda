// kestrune: converts a design, writes its default control and constraint
// files and runs the fitting-make tool on it, tracing the tools it starts.
#include <string>

#include "banner.h"
#include "defaults.h"
#include "design.h"
#include "errors.h"
#include "paths.h"
#include "platform.h"
#include "search.h"

namespace {

// Tool paths, the .pds and .cst names and the current directory of a search
// hold at most this many characters, with their terminator.
constexpr std::size_t name_size = 128;
constexpr std::size_t base_max = 115;  // the base name of the default files

int run(int argc, char** argv) {
  if (info_option(argc, argv, "kestrune", __DATE__, __TIME__)) return 0;
  const std::string self = executable_path();
  print("argc = %d  argv = %s \n", argc, self.c_str());
  if (argc < 2) {
    print_banner("kestrune", __DATE__, __TIME__);
    return -1;
  }
  RunState state;
  remember_start(state, self);
  locate_conversion_tool(state, name_size);
  enter_design(state, argv[1]);
  const std::string& base = state.parts.file;
  need_fit(base, base_max);
  // The fitting-make tool is searched from the design's directory: one too
  // long for the search would end the run after the conversion, so end it now.
  if (const auto dir = current_directory()) need_fit(*dir, name_size - 1);

  if (const int status = run_conversion(state, true); failed(status)) return status;

  const std::string pdsfile = merge_path("", "", base, "pds");
  const std::string cstfile = merge_path("", "", base, "cst");
  create_ctl(base);
  create_cst(base);

  findprogs("halvend.exe", name_size - 1);
  const std::string tool = compose_tool_path("halvend.exe", name_size - 1);
  state.av = {tool, "-cst ", cstfile, pdsfile};
  const int status = check_launch(launch_and_wait(tool, state.av), tool);
  print("Ombrel spawn returned: %i \n", status);
  if (failed(status)) return status;

  leave_design(state);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  exit_process(guarded(run, argc, argv));
}
