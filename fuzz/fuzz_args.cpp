// getap and mkfn on arbitrary lists, separators, directories, names and
// extensions, under the host's rules and the drive-letter rules.
// Checked: walking a list with getap gives back its elements, which hold no
// separator and join to the list again; mkfn gives the directory, one
// separator where needed, a base name cut from the name as the search cuts
// it, and the extension.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "args.h"
#include "check.h"
#include "test_conventions.h"

namespace {

void walk(std::string_view list, char sep) {
  std::string element, joined;
  std::optional<std::string_view> rest = list;
  std::size_t elements = 0;
  while (rest) {
    const std::string_view before = *rest;
    rest = getap(element, before, sep);
    ++elements;
    CHECK(element.find(sep) == std::string::npos);
    CHECK(before.starts_with(element));
    if (rest) {
      // What is left lies in the list itself, just after the separator.
      CHECK(before[element.size()] == sep);
      CHECK(rest->data() == before.data() + element.size() + 1);
      CHECK(rest->size() == before.size() - element.size() - 1);
    } else {
      CHECK(element.size() == before.size());
    }
    joined += element;
    if (rest) joined += sep;
  }
  CHECK(joined == list);
  std::size_t seps = 0;
  for (char c : list) seps += c == sep;
  CHECK(elements == seps + 1);
}

void make_name(std::string_view dir, std::string_view name, std::string_view ext,
               const Conventions& conv) {
  const std::string out = mkfn(dir, name, ext, conv);
  CHECK(out.starts_with(dir) && out.ends_with(ext));
  std::size_t at = dir.size();
  if (!dir.empty() && dir.back() != conv.sep) {
    CHECK(out.size() > at && out[at] == conv.sep);
    ++at;
  }
  CHECK(out.size() >= at + ext.size());
  const std::string_view base = std::string_view(out).substr(at, out.size() - at - ext.size());
  const std::string_view stem = name.substr(0, name.find('.'));
  // The base is the end of the stem, cut after its last '/', else its last
  // separator, else (with drives) its last colon.
  CHECK(stem.ends_with(base));
  CHECK(base.find('/') == std::string_view::npos);
  const bool slash = stem.find('/') != std::string_view::npos;
  const bool sep = stem.find(conv.sep) != std::string_view::npos;
  if (!slash) CHECK(base.find(conv.sep) == std::string_view::npos);
  if (conv.drives && !slash && !sep) CHECK(base.find(':') == std::string_view::npos);
  if (base.size() < stem.size()) {
    const char cut = stem[stem.size() - base.size() - 1];
    CHECK(cut == '/' || cut == conv.sep || (conv.drives && cut == ':'));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const Conventions& conv = in.ConsumeBool() ? win_rules : posix_rules;
  const char sep = in.ConsumeIntegral<char>();
  const std::string dir = in.ConsumeRandomLengthString(300);
  const std::string name = in.ConsumeRandomLengthString(300);
  const std::string ext = in.ConsumeRandomLengthString(16);
  const std::string list = in.ConsumeRemainingBytesAsString();
  walk(list, sep);
  walk(list, conv.listsep);
  make_name(dir, name, ext, conv);
  return 0;
}
