// morvale: converts a design, then runs the fitting tool on it from the drive
// of the fitter installation named by ORVAN. Silent when all goes well.
#include <string>

#include "banner.h"
#include "design.h"
#include "errors.h"
#include "paths.h"
#include "platform.h"
#include "search.h"

namespace {

// The conversion tool's path and the current directory of a search, with
// their terminators.
constexpr std::size_t conversion_size = 256;
constexpr std::size_t fitter_size = 260;  // the fitting tool's path

int run(int argc, char** argv) {
  if (info_option(argc, argv, "morvale", __DATE__, __TIME__)) return 0;
  if (argc < 2) {
    print_banner("morvale", __DATE__, __TIME__);
    return -1;
  }
  RunState state;
  remember_start(state, executable_path());
  locate_conversion_tool(state, conversion_size);
  findprogs("caskel.exe", conversion_size - 1);
  const std::string fitter = compose_tool_path("caskel.exe", fitter_size - 1);
  enter_design(state, argv[1]);

  if (const int status = run_conversion(state, false); failed(status)) return status;

  const std::string base = state.parts.file;
  const std::string pdspath = merge_path(state.parts.drive, state.parts.dir, base, "pds");
  need_fit(pdspath, max_path);
  const auto orvan = environment_value("ORVAN");
  if (!orvan) {
    print("\nYOU MUST FIRST SET THE ORVAN ENVIRONMENT VARIABLE \n");
    return -1;
  }
  const std::string combined = *orvan + host.sep + pdspath;
  split_design(state, combined);
  if (state.parts.has_drive) {
    const int drive = drive_number(state.parts.drive);
    if (drive != state.origdrv) set_current_drive(drive);
  }

  state.av = {fitter, "-h", "-zarn", "-e", pdspath, "-s", base};
  const int status = check_launch(launch_and_wait(fitter, state.av), fitter);
  leave_design(state);
  return failed(status) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  exit_process(guarded(run, argc, argv));
}
