#include "design.h"

#include "errors.h"
#include "search.h"

void remember_start(RunState& state, std::string_view argument0) {
  state.origdrv = current_drive();
  state.origdir = current_directory();
  if (state.origdir) need_fit(*state.origdir, max_path);
  need_fit(argument0, max_part);
  progdir = program_directory(argument0);
}

void locate_conversion_tool(RunState& state, std::size_t size) {
  findprogs("ombrel.exe", size - 1);
  state.tool = compose_tool_path("ombrel.exe", size - 1);
}

void split_design(RunState& state, std::string_view whole) {
  state.parts = split_path(whole);
  if (!parts_fit(whole, state.parts)) err(err_toolong, whole);
}

int drive_number(std::string_view drive) {
  char letter = drive[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return letter - 'A';
}

void enter_design(RunState& state, std::string_view design) {
  split_design(state, design);
  DesignParts& p = state.parts;
  // A root keeps its only separator: it is the directory to enter.
  const bool root = p.dir.size() == 1 && is_sep(p.dir[0]);
  std::string dir = p.dir;
  if (!root && !dir.empty() && dir.back() == host.sep) dir.pop_back();
  if (p.has_drive) {
    const int drive = drive_number(p.drive);
    if (drive != state.origdrv) {
      set_current_drive(drive);
      // Going on from another drive could convert a different design.
      if (current_drive() != drive) err(err_chdir, p.drive + dir);
    }
  }
  if (p.has_dir) {
    if (!change_directory(dir)) err(err_chdir, dir);
    p.dir = root ? dir : dir + host.sep;
  }
}

int run_conversion(RunState& state, bool trace) {
  state.plafile = state.parts.file + state.parts.ext;
  state.av = {state.tool, state.plafile};
  if (auto scratch = make_scratch_name("TXXXXXX")) state.av.push_back(std::move(*scratch));
  if (trace) {
    print("Program name: %s\n", state.tool.c_str());
    for (std::size_t i = 0; i < state.av.size(); ++i)
      print("arg[%d] = %s\n", static_cast<int>(i), state.av[i].c_str());
  }
  const int status = check_launch(launch_and_wait(state.tool, state.av), state.tool);
  if (trace) print("Ombrel spawn returned: %i \n", status);
  return status;
}

void leave_design(const RunState& state) {
  if (state.parts.has_drive) set_current_drive(state.origdrv);
  if (state.parts.has_dir && state.origdir) change_directory(*state.origdir);
}
