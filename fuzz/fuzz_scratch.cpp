// make_scratch_name on arbitrary templates, process ids and numbers of
// candidates that already exist.
// Checked: a name exactly when the template ends in six X characters and a
// candidate is free; every candidate keeps the template's length and the
// part before the X characters; the candidates are asked about in order,
// each once; the name carries the candidate letter, a dot and the low 20
// bits of the process id in base 32, lowest digit first.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "paths.h"

namespace {

// The predicate says yes to the first `taken` candidates it is asked about.
std::size_t taken = 0;
std::vector<std::string> asked;

bool exists(const std::string& name) {
  asked.push_back(name);
  return asked.size() <= taken;
}

unsigned digit_value(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  CHECK(c >= 'a' && c <= 'v');
  return static_cast<unsigned>(c - 'a' + 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned pid = in.ConsumeIntegral<unsigned>();
  taken = in.ConsumeIntegralInRange<std::size_t>(0, 28);
  const std::string templ = in.ConsumeRemainingBytesAsString();
  asked.clear();
  const std::optional<std::string> name = make_scratch_name(templ, pid, exists);

  const bool valid = templ.ends_with("XXXXXX");
  CHECK(name.has_value() == (valid && taken < 27));
  CHECK(asked.size() == (valid ? std::min<std::size_t>(taken + 1, 27) : 0));
  if (!valid) return 0;
  const std::size_t at = templ.size() - 6;
  constexpr std::string_view firsts = "0abcdefghijklmnopqrstuvwxyz";
  for (std::size_t i = 0; i < asked.size(); ++i) {
    const std::string& c = asked[i];
    CHECK(c.size() == templ.size() && c.compare(0, at, templ, 0, at) == 0);
    CHECK(c[at] == firsts[i] && c[at + 2] == '.');
    const unsigned low20 = digit_value(c[at + 1]) | digit_value(c[at + 3]) << 5 |
                           digit_value(c[at + 4]) << 10 | digit_value(c[at + 5]) << 15;
    CHECK(low20 == (pid & 0xFFFFFu));
  }
  if (name) CHECK(*name == asked.back());
  return 0;
}
