#include "names/quoting.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Quoting, AsAShellReadsIt) {
  EXPECT_EQ(in_quotes("./2010-09-10 13.40.jpg"), "'./2010-09-10 13.40.jpg'");
  EXPECT_EQ(in_quotes("./it's.jpg"), "'./it'\\''s.jpg'");
  EXPECT_EQ(in_quotes("./a\\b"), "'./a\\b'");  // a backslash is itself between quotes
  EXPECT_EQ(in_quotes("./a\tb\nc\x01\x7f"), "'./a'$'\\t''b'$'\\n''c'$'\\x01\\x7f'");
  EXPECT_EQ(in_quotes("./caf\xc3\xa9.jpg"), "'./caf\xc3\xa9.jpg'");  // UTF-8 as it is
  EXPECT_EQ(in_quotes("./\xff.jpg"), "'./'$'\\xff''.jpg'");          // a byte that is not
  EXPECT_EQ(in_quotes("\n"), "$'\\n'");
  EXPECT_EQ(in_quotes("'"), "\\'");
  EXPECT_EQ(in_quotes(""), "''");
}

TEST(Quoting, AResultLineQuotesOnlyWhatWouldSplitIt) {
  std::string quoted;
  EXPECT_EQ(shown_path("./it's \xff.jpg", quoted), "./it's \xff.jpg");
  EXPECT_EQ(shown_path("./a\nb.jpg", quoted), "'./a'$'\\n''b.jpg'");
  EXPECT_EQ(shown_path("./a\tb.jpg", quoted), "'./a'$'\\t''b.jpg'");
  EXPECT_EQ(shown_last_path("./2010-09-10\t13.40.jpg", quoted), "./2010-09-10\t13.40.jpg");
  EXPECT_EQ(shown_last_path("./a\tb\x1b[31m.jpg", quoted), "'./a'$'\\t''b'$'\\x1b''[31m.jpg'");
  EXPECT_EQ(shown_last_path("./a\rb", quoted), "'./a'$'\\r''b'");
}

}  // namespace
