#include "wfm/byte_order.h"

#include <gtest/gtest.h>

namespace sondrix {
namespace {

TEST(ByteOrder, TakesBytesBigEndianWithTheSignOfTheFirstByte) {
  EXPECT_EQ(Swap16({0x00, 0x01}), 1);
  EXPECT_EQ(Swap16({0x01, 0x00}), 256);
  EXPECT_EQ(Swap16({0xFF, 0xFF}), -1);
  EXPECT_EQ(Swap16({0x80, 0x00}), -32768);
  EXPECT_EQ(Swap32({0x00, 0x00, 0x27, 0x10}), 10000);
  EXPECT_EQ(Swap32({0xFF, 0xFF, 0xFF, 0xF6}), -10);
  EXPECT_EQ(Swap32({0x80, 0x00, 0x00, 0x00}), INT32_MIN);
}

}  // namespace
}  // namespace sondrix
