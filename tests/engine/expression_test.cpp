// Tests arrive with the expression code.
#include <gtest/gtest.h>
