#include "tool/console.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Console, QuotedKeepsAMessageOnOneLine) {
  EXPECT_EQ(in_quotes("./2010-09-10 13.40.jpg"), "'./2010-09-10 13.40.jpg'");
  EXPECT_EQ(in_quotes("./a\tb\nc\x01\x7f"), "'./a\\tb\\nc\\x01\\x7f'");
  EXPECT_EQ(in_quotes("./caf\xc3\xa9.jpg"), "'./caf\xc3\xa9.jpg'");  // other bytes as they are
}

}  // namespace
