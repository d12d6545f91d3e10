#include "journal/journal_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(JournalText, EveryNameRoundTripsOnOneLine) {
  std::string every_byte;
  for (int b = 1; b < 256; ++b) every_byte += static_cast<char>(b);
  for (const std::string& name : {std::string("./2010-09-10 13.40.jpg"), std::string("./tab\there"),
                                  std::string("./new\nline"), std::string("./back\\slash \\x41"),
                                  std::string("./Фото 東京 \xF0\x9F\x93\xB7"),
                                  std::string("./\xff\xfe latin-1 \xEB"), every_byte}) {
    const std::string escaped = escape_path(name);
    EXPECT_EQ(escaped.find_first_of("\t\n\r"), std::string::npos) << escaped;
    EXPECT_EQ(unescape_path(escaped), name) << escaped;
  }
  EXPECT_EQ(escape_path("./Фото\t\xff"), "./Фото\\t\\xff");  // readable where it can be
  for (const char* broken : {"\\", "\\q", "\\x4", "\\xzz"}) EXPECT_FALSE(unescape_path(broken));
}

TEST(JournalText, TimesRoundTripToTheNanosecond) {
  const tick_time t = *to_ticks({2010, 9, 10, 13, 40, 0});
  for (const file_time ft :
       {file_time{t, 0}, file_time{t + ticks{1'234'567}, 89}, file_time{tick_time{ticks{0}}, 0},
        file_time{*to_ticks({30827, 12, 31, 23, 59, 59}), 99}}) {
    const std::string text = format_journal_time(ft);
    EXPECT_EQ(parse_journal_time(text), ft) << text;
  }
  EXPECT_EQ(format_journal_time({t + ticks{1'234'567}, 89}), "2010-09-10T13:40:00.123456789Z");
  for (const char* wrong : {"2010-09-10T13:40:00Z", "2010-09-10 13:40:00.000000000Z",
                            "2010-02-30T13:40:00.000000000Z", "yesterday", ""}) {
    EXPECT_FALSE(parse_journal_time(wrong)) << wrong;
  }
}

TEST(JournalText, LinesParseOrAreMalformed) {
  const file_time before{*to_ticks({2001, 2, 3, 4, 5, 6}), 0};
  const file_time set{*to_ticks({2010, 9, 10, 13, 40, 0}), 0};
  std::string line;
  append_file_line(line, "./a\tb.jpg", before, set);
  line.pop_back();  // its newline
  const journal_line parsed = parse_journal_line(line);
  EXPECT_EQ(parsed.kind, line_kind::file);
  EXPECT_EQ(parsed.path, "./a\tb.jpg");
  EXPECT_EQ(parsed.before, before);
  EXPECT_EQ(parsed.set, set);
  EXPECT_EQ(parse_journal_line("folder\t/home/ann/Photos").kind, line_kind::folder);
  EXPECT_EQ(parse_journal_line(journal_magic).kind, line_kind::magic);
  EXPECT_EQ(parse_journal_line("# a note").kind, line_kind::comment);
  for (const char* wrong :
       {"folder", "folder\t", "file\t./a.jpg\t1\t2", "set\t./a", "folder\t/a\tb"}) {
    EXPECT_EQ(parse_journal_line(wrong).kind, line_kind::malformed) << wrong;
  }
}

TEST(JournalText, ARecordStaysInItsFolder) {
  const std::string times = "\t2001-02-03T04:05:06.000000000Z\t2010-09-10T13:40:00.000000000Z";
  for (const char* good : {"./a.jpg", "./2010/..a.jpg", "./a/b..", "./x/.../y"}) {
    EXPECT_EQ(parse_journal_line("file\t" + std::string(good) + times).kind, line_kind::file)
        << good;
  }
  for (const char* bad : {"./../outside/a.jpg", "./a/../../b", "./..", "a.jpg", "/etc/passwd",
                          "./a\\x00b.jpg", ".\\..\\a.jpg", "./a\\\\..\\\\b"}) {
    EXPECT_EQ(parse_journal_line("file\t" + std::string(bad) + times).kind, line_kind::malformed)
        << bad;
  }
  for (const char* folder : {"/home/ann", "C:\\\\Users", "C:/Users", "\\\\\\\\server\\\\share"}) {
    EXPECT_EQ(parse_journal_line("folder\t" + std::string(folder)).kind, line_kind::folder)
        << folder;
  }
  for (const char* folder : {"Photos", "./Photos", "C:Photos", "/home\\x00/ann"}) {
    EXPECT_EQ(parse_journal_line("folder\t" + std::string(folder)).kind, line_kind::malformed)
        << folder;
  }
}

TEST(JournalText, ACreationTimeRidesInAFifthField) {
  const file_time before{*to_ticks({2001, 2, 3, 4, 5, 6}), 0};
  const file_time set{*to_ticks({2010, 9, 10, 13, 40, 0}), 0};
  const file_time created{*to_ticks({1999, 1, 1, 0, 0, 0}), 0};
  std::string line;
  append_file_line(line, "./a.jpg", before, set, created);
  EXPECT_EQ(line,
            "file\t./a.jpg\t2001-02-03T04:05:06.000000000Z\t2010-09-10T13:40:00.000000000Z"
            "\t1999-01-01T00:00:00.000000000Z\n");
  line.pop_back();
  EXPECT_EQ(parse_journal_line(line).created_before, created);
  EXPECT_EQ(parse_journal_line(line + "x").kind, line_kind::malformed);
}

}  // namespace
