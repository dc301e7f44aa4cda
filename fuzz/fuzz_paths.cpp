// split_path and merge_path on any bytes, under the host's rules and the
// drive-letter rules. The first byte picks the rules; the rest is the path.
// Checked: the parts are consecutive pieces of the path, each of its kind;
// a path within the limits merges back to itself (a last "." or ".." gets
// its separator); merging arbitrary parts never fails.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "paths.h"
#include "test_conventions.h"

namespace {

bool has_sep(std::string_view s, const Conventions& conv) {
  for (char c : s)
    if (is_sep(c, conv)) return true;
  return false;
}

void split_and_merge(std::string_view path, const Conventions& conv) {
  const DesignParts p = split_path(path, conv);
  CHECK(p.drive.size() + p.dir.size() + p.file.size() + p.ext.size() == path.size());
  CHECK(p.drive + p.dir + p.file + p.ext == path);
  CHECK(p.has_drive == !p.drive.empty() && p.has_dir == !p.dir.empty());
  CHECK(p.drive.empty() || (conv.drives && p.drive.size() == 2 && p.drive[1] == ':'));
  CHECK(!has_sep(p.file, conv) && !has_sep(p.ext, conv));
  CHECK(p.ext.find('.', 1) == std::string::npos);
  CHECK(p.ext.empty() || p.ext[0] == '.');
  CHECK(!p.ext.empty() || p.file.find('.') == std::string::npos);
  // dir ends with a separator, or with a last component "." or ".." that
  // belongs to it, and then nothing follows.
  bool dotted = false;
  if (!p.dir.empty() && !is_sep(p.dir.back(), conv)) {
    std::size_t from = p.dir.size();
    while (from > 0 && !is_sep(p.dir[from - 1], conv)) --from;
    const std::string_view last = std::string_view(p.dir).substr(from);
    CHECK((last == "." || last == "..") && p.file.empty() && p.ext.empty());
    dotted = true;
  }
  if (!parts_fit(path, p)) return;
  const std::string merged = merge_path(p.drive, p.dir, p.file, p.ext, conv);
  CHECK(merged == (dotted ? std::string(path) + conv.sep : std::string(path)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Conventions& conv = data[0] & 1 ? win_rules : posix_rules;
  const std::string_view path(reinterpret_cast<const char*>(data + 1), size - 1);
  split_and_merge(path, conv);

  // Four arbitrary parts: the drive's letter and colon lead, ext trails.
  FuzzedDataProvider in(data + 1, size - 1);
  const std::string drive = in.ConsumeRandomLengthString(4);
  const std::string dir = in.ConsumeRandomLengthString(300);
  const std::string file = in.ConsumeRandomLengthString(300);
  const std::string ext = in.ConsumeRemainingBytesAsString();
  const std::string merged = merge_path(drive, dir, file, ext, conv);
  CHECK(drive.empty() || (merged[0] == drive[0] && merged[1] == ':'));
  CHECK(merged.ends_with(ext));
  return 0;
}
