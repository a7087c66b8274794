// The allocation counter is the test support's (tests/support).
#pragma once

#include "tests/support/allocation_counter.h"
