#include "journal/journal_time.hpp"

#include <algorithm>
#include <cstdint>

#include "names/scan.hpp"

namespace {

// Writes value as width digits, zero-padded, ending just before end; two
// digits a step.
void put_digits(char* end, std::int64_t value, int width) {
  static constexpr char pairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  auto v = static_cast<std::uint64_t>(value);
  for (; width >= 2; width -= 2, v /= 100) {
    end -= 2;
    end[0] = pairs[v % 100 * 2];
    end[1] = pairs[v % 100 * 2 + 1];
  }
  if (width == 1) *--end = static_cast<char>('0' + v % 10);
}

}  // namespace

std::string format_journal_time(const file_time& t) {
  std::string text;
  append_journal_time(text, t);
  return text;
}

void append_journal_time(std::string& text, const file_time& t) {
  // By hand: a run formats two of these for every file it stamps.
  const calendar_time c = from_ticks(t.tick);
  const std::int64_t fraction =
      (t.tick - std::chrono::floor<std::chrono::seconds>(t.tick)).count() * 100 + t.nanoseconds;
  const int year_digits = c.year > 9999 ? 5 : 4;
  char out[32] = "0000-00-00T00:00:00.000000000Z";
  char* rest = out + year_digits - 4;  // a five-digit year moves the rest along
  if (year_digits == 5) std::copy(out, out + 30, out + 1);
  put_digits(rest + 4, c.year, year_digits);
  put_digits(rest + 7, c.month, 2);
  put_digits(rest + 10, c.day, 2);
  put_digits(rest + 13, c.hour, 2);
  put_digits(rest + 16, c.minute, 2);
  put_digits(rest + 19, c.second, 2);
  put_digits(rest + 29, fraction, 9);
  text.append(out, static_cast<std::size_t>(year_digits) + 26);
}

std::optional<file_time> parse_journal_time(std::string_view text) {
  // YYYY(Y)-MM-DDThh:mm:ss.nnnnnnnnnZ
  const std::size_t year_digits = digit_run(text, 0);
  if (year_digits < 4 || year_digits > 5 || text.size() != year_digits + 26) return std::nullopt;
  const std::string_view rest = text.substr(year_digits);
  constexpr std::string_view shape = "-dd-ddTdd:dd:dd.dddddddddZ";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == 'd' ? !is_digit(rest[i]) : rest[i] != shape[i]) return std::nullopt;
  }
  calendar_time c{number_at(text, 0, year_digits), number_at(rest, 1, 2),  number_at(rest, 4, 2),
                  number_at(rest, 7, 2),           number_at(rest, 10, 2), number_at(rest, 13, 2),
                  number_at(rest, 16, 9)};
  const std::optional<tick_time> t = to_ticks(c);
  if (!t) return std::nullopt;
  return file_time{*t, c.nanosecond % 100};
}
