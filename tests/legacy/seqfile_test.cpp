#include <gtest/gtest.h>
TEST(Placeholder, Builds2) { SUCCEED(); }
