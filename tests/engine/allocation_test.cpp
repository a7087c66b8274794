// Tests arrive with the allocation code.
#include <gtest/gtest.h>
