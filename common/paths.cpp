#include "paths.h"

bool is_sep(char c, const Conventions& conv) {
  return c == conv.sep || (conv.slash_too && c == '/');
}

DesignParts split_path(std::string_view path, const Conventions& conv) {
  DesignParts p;
  if (conv.drives && path.size() >= 2 && path[1] == ':') {
    p.drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  std::size_t name = 0;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (is_sep(path[i], conv)) name = i + 1;
  std::string_view last = path.substr(name);
  if (last == "." || last == "..") name = path.size();
  p.dir = path.substr(0, name);
  last = path.substr(name);
  std::size_t dot = last.rfind('.');
  if (dot == std::string_view::npos) dot = last.size();
  p.file = last.substr(0, dot);
  p.ext = last.substr(dot);
  p.has_drive = !p.drive.empty();
  p.has_dir = !p.dir.empty();
  return p;
}

bool parts_fit(std::string_view path, const DesignParts& parts) {
  return path.size() <= max_path && parts.dir.size() <= max_part && parts.file.size() <= max_part &&
         parts.ext.size() <= max_part;
}

std::string merge_path(std::string_view drive, std::string_view dir, std::string_view file,
                       std::string_view ext, const Conventions& conv) {
  std::string out;
  out.reserve(drive.size() + dir.size() + file.size() + ext.size() + 3);
  if (!drive.empty()) {
    out += drive[0];
    out += ':';
  }
  if (!dir.empty()) {
    out += dir;
    if (!is_sep(dir.back(), conv)) out += conv.sep;
  }
  out += file;
  if (!ext.empty()) {
    if (ext[0] != '.') out += '.';
    out += ext;
  }
  return out;
}

std::optional<std::string> make_scratch_name(std::string_view templ, unsigned pid,
                                             ExistsFn exists) {
  constexpr std::string_view xs = "XXXXXX";
  if (templ.size() < xs.size() || templ.substr(templ.size() - xs.size()) != xs) return std::nullopt;
  std::string name(templ);
  const std::size_t at = name.size() - xs.size();
  constexpr std::string_view digits = "0123456789abcdefghijklmnopqrstuv";
  name[at + 2] = '.';
  for (std::size_t slot : {1u, 3u, 4u, 5u}) {
    name[at + slot] = digits[pid & 31];
    pid >>= 5;
  }
  constexpr std::string_view firsts = "0abcdefghijklmnopqrstuvwxyz";
  for (char first : firsts) {
    name[at] = first;
    if (!exists(name)) return name;
  }
  return std::nullopt;
}

std::optional<std::string> make_scratch_name(std::string_view templ) {
  return make_scratch_name(templ, process_id(), file_exists);
}
