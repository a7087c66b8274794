// Tests arrive with the format code.
#include <gtest/gtest.h>
