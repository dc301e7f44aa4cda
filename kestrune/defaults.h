// The default fitter control file and timing constraint file of a design.
#pragma once

#include <string>

// Writes base.ctl unless the shared control file selvary.ctl can be read.
void create_ctl(const std::string& base);
// Writes base.cst unless it can be read already; an existing one stays.
void create_cst(const std::string& base);
