#include "tool/console.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Console, QuotedKeepsAMessageOnOneLine) {
  EXPECT_EQ(quoted("./2010-09-10 13.40.jpg"), "'./2010-09-10 13.40.jpg'");
  EXPECT_EQ(quoted("./a\tb\nc\x01\x7f"), "'./a\\tb\\nc\\x01\\x7f'");
  EXPECT_EQ(quoted("./caf\xc3\xa9.jpg"), "'./caf\xc3\xa9.jpg'");  // other bytes as they are
}

}  // namespace
