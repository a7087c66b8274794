// Tests arrive with the computation code.
#include <gtest/gtest.h>
