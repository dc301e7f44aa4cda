#include "args.h"

#include <new>

#include "errors.h"

std::optional<std::string_view> getap(std::string& buffer, std::string_view list, char separator) {
  const std::size_t at = list.find(separator);
  buffer.assign(list.substr(0, at));
  if (at == std::string_view::npos) return std::nullopt;
  return list.substr(at + 1);
}

static std::string_view after_last(std::string_view s, char c) {
  const std::size_t at = s.rfind(c);
  return at == std::string_view::npos ? s : s.substr(at + 1);
}

std::string mkfn(std::string_view directory, std::string_view name, std::string_view extension,
                 const Conventions& conv) {
  std::string_view base = name.substr(0, name.find('.'));
  if (base.find('/') != std::string_view::npos)
    base = after_last(base, '/');
  else if (conv.sep != '/' && base.find(conv.sep) != std::string_view::npos)
    base = after_last(base, conv.sep);
  else if (conv.drives)
    base = after_last(base, ':');
  try {
    std::string out;
    out.reserve(directory.size() + 1 + base.size() + extension.size());
    if (!directory.empty()) {
      out += directory;
      if (directory.back() != conv.sep) out += conv.sep;
    }
    out += base;
    out += extension;
    return out;
  } catch (const std::bad_alloc&) {
    err(err_memory, "initialization");
  }
}
