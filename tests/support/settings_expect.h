// Field-by-field comparison of two settings records, so a failure names the field that differs.
#pragma once

#include <gtest/gtest.h>

#include "settings/settings.h"

inline void expectSameSettings(const Settings& expected, const Settings& actual) {
  EXPECT_EQ(expected.quantity, actual.quantity);
  EXPECT_EQ(expected.size, actual.size);
  EXPECT_EQ(expected.speed, actual.speed);
  EXPECT_EQ(expected.glow, actual.glow);
  EXPECT_EQ(expected.color, actual.color);
  EXPECT_EQ(expected.symmetry, actual.symmetry);
}
