// Small helpers for reading digits and letters out of a name.
#pragma once

#include <cstddef>
#include <string_view>

inline bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

inline bool is_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline bool digit_at(std::string_view text, std::size_t at) {
  return at < text.size() && is_digit(text[at]);
}

// How many digits stand in a row from at on.
inline std::size_t digit_run(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (digit_at(text, end)) ++end;
  return end - at;
}

// The value of count digits from at on (the caller knows they are digits).
inline int number_at(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// Nanoseconds of a fraction's digits (at most nine): "789" is 789,000,000.
inline int fraction_at(std::string_view text, std::size_t at, std::size_t count) {
  int value = number_at(text, at, count);
  for (std::size_t i = count; i < 9; ++i) value *= 10;
  return value;
}
