#include "defaults.h"

#include <string_view>
#include <vector>

#include "errors.h"
#include "platform.h"

static void write_or_fail(const std::string& name, const std::vector<std::string_view>& lines) {
  if (!write_text_file(name, lines)) err(err_write, name);
}

void create_ctl(const std::string& base) {
  const std::string name = base + ".ctl";
  if (can_open_for_reading("selvary.ctl")) return;
  write_or_fail(name, {
                          "DEVICE: INDESIGN \n",
                          "TIMING_OPT: OFF  \n",
                          "FASTCLOCK_OPT: INDESIGN \n",
                          "UIM_OPT: INDESIGN \n",
                          "FOE_OPT: INDESIGN \n",
                          "LOWPWR: INDESIGN \n",
                          "DRIVE_UNUSED_IO: OFF \n",
                          "IGNORE_PIN_ASSIGNMENT: OFF \n",
                          "IGNORE_TSPEC: ON \n",
                      });
}

void create_cst(const std::string& base) {
  const std::string name = base + ".cst";
  if (can_open_for_reading(name)) return;
  write_or_fail(name, {"TIMESPEC = \"TSO1=FROM:FFS:TO:FFS=100\"; \n"});
}
