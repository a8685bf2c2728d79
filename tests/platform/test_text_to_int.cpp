#include <gtest/gtest.h>

#include "platform/TextToInt.h"

using gw::TextToInt;

TEST(TextToInt, ReadsTheWholeSignedRangeInDecimalAndHex) {
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(TextToInt("0xFFFFFFFF"), -1);
  EXPECT_EQ(TextToInt("$FF"), 255);
  EXPECT_EQ(TextToInt("  +7"), 7);
  EXPECT_EQ(TextToInt("-0x10"), -16);
}

TEST(TextToInt, RefusesEverythingElse) {
  for (const char* bad : {"2147483648", "", "-", "0x", "12a", "1.5", "$", "--1", "7 ", "0x123456789"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(TextToInt(bad), std::nullopt);
  }
}
