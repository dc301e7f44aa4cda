// The two rule sets the pure path routines are tested under, whatever the host.
#pragma once

#include "platform.h"

inline constexpr Conventions win_rules = {'\\', true, ';', true};
inline constexpr Conventions posix_rules = {'/', false, ':', false};
