#include "search.h"

#include "args.h"
#include "errors.h"
#include "paths.h"
#include "platform.h"

std::string progdir;
std::string path;

std::string program_directory(std::string_view exe, const Conventions& conv) {
  const std::size_t at = exe.rfind(conv.sep);
  return std::string(at == std::string_view::npos ? exe : exe.substr(0, at + 1));
}

// Tries name with ".exe", then ".com", in dir.
static bool found_in(std::string_view dir, std::string_view name) {
  return file_exists(mkfn(dir, name, ".exe")) || file_exists(mkfn(dir, name, ".com"));
}

void findprogs(std::string_view name, std::size_t cwd_limit) {
  if (const auto cwd = current_directory()) {
    need_fit(*cwd, cwd_limit);
    if (found_in(*cwd, name)) {
      path = *cwd;
      return;
    }
  }
  if (found_in(progdir, name)) {
    path = progdir;
    return;
  }
  const auto value = environment_value("PATH");
  if (!value) err(err_nopath, "");
  std::optional<std::string_view> rest = *value;
  std::string element;
  while (rest) {
    rest = getap(element, *rest, host.listsep);
    // A directory too long to store holds nothing that could be launched.
    if (element.size() <= max_path && found_in(element, name)) {
      path = element;
      return;
    }
  }
  err(err_notfound, name);
}

std::string compose(std::string_view dir, std::string_view name, const Conventions& conv) {
  std::string out(dir);
  if (!out.empty() && out.back() != conv.sep) out += conv.sep;
  out += name;
  return out;
}

std::string compose_tool_path(std::string_view name, std::size_t max) {
  std::string out = compose(path, name);
  need_fit(out, max);
  return out;
}
