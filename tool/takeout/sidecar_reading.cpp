#include "takeout/sidecar_reading.hpp"

#include <charconv>
#include <nlohmann/json.hpp>
#include <utility>

namespace {

using json = nlohmann::json;

// Follows the parse and keeps the two values wanted: read as events, a
// sidecar costs one pass and builds no tree.
struct taken_reader {
  using number_integer_t = json::number_integer_t;
  using number_unsigned_t = json::number_unsigned_t;
  using number_float_t = json::number_float_t;
  using string_t = json::string_t;
  using binary_t = json::binary_t;
  enum class next { other, title, taken_object, timestamp };
  sidecar_reading reading;
  int depth = 0;
  next pending = next::other;
  bool in_taken = false;  // inside photoTakenTime
  bool seen_taken_object = false;
  bool has_taken = false;

  void fault(sidecar_fault f) {
    if (reading.fault == sidecar_fault::none) reading.fault = f;
  }

  // A value that is neither a string nor an integer, for the key before it.
  void other_value() {
    if (pending == next::title) fault(sidecar_fault::bad_title);
    if (pending == next::timestamp || pending == next::taken_object) {
      fault(sidecar_fault::bad_taken_time);
    }
    pending = next::other;
  }

  void taken_value(std::int64_t seconds) {
    if (has_taken) fault(sidecar_fault::twice);
    has_taken = true;
    reading.taken = seconds;
  }

  bool null() { return other_value(), true; }
  bool boolean(bool) { return other_value(), true; }
  bool number_float(number_float_t, const string_t&) { return other_value(), true; }
  bool binary(binary_t&) { return other_value(), true; }
  bool number_integer(number_integer_t value) {
    if (pending == next::timestamp) {
      taken_value(value);
      pending = next::other;
      return true;
    }
    return other_value(), true;
  }
  bool number_unsigned(number_unsigned_t value) {
    if (pending == next::timestamp && value <= INT64_MAX) {
      return number_integer(static_cast<number_integer_t>(value));
    }
    return other_value(), true;
  }
  bool string(string_t& value) {
    if (pending == next::title) {
      if (reading.title) fault(sidecar_fault::twice);
      reading.title = std::move(value);
    } else if (pending == next::timestamp) {
      std::int64_t seconds = 0;
      const char* end = value.data() + value.size();
      const auto [at, error] = std::from_chars(value.data(), end, seconds);
      if (value.empty() || error != std::errc{} || at != end) {
        fault(sidecar_fault::bad_taken_time);
      } else {
        taken_value(seconds);
      }
    } else {
      other_value();
    }
    pending = next::other;
    return true;
  }
  bool start_object(std::size_t) {
    if (depth == 0) reading.fault = sidecar_fault::none;
    if (pending == next::taken_object) {
      if (seen_taken_object) fault(sidecar_fault::twice);
      seen_taken_object = in_taken = true;
    } else {
      other_value();
    }
    pending = next::other;
    ++depth;
    return true;
  }
  bool end_object() {
    if (--depth == 1) in_taken = false;
    return true;
  }
  bool start_array(std::size_t) {
    if (depth == 0) fault(sidecar_fault::not_json);
    other_value();
    ++depth;
    return true;
  }
  bool end_array() {
    --depth;
    return true;
  }
  bool key(string_t& name) {
    pending = next::other;
    if (depth == 1 && name == "title") pending = next::title;
    if (depth == 1 && name == "photoTakenTime") pending = next::taken_object;
    if (depth == 2 && in_taken && name == "timestamp") pending = next::timestamp;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
    return false;
  }
};

}  // namespace

sidecar_reading read_sidecar(std::string_view text) {
  taken_reader reader;
  reader.reading.fault = sidecar_fault::not_json;  // until an object begins
  bool parsed = false;
  try {
    parsed = json::sax_parse(text.begin(), text.end(), &reader);
  } catch (const json::exception&) {
    parsed = false;
  }
  if (!parsed) return {sidecar_fault::not_json, 0, std::nullopt};
  if (reader.reading.fault == sidecar_fault::none && !reader.has_taken) {
    reader.reading.fault = sidecar_fault::no_taken_time;
  }
  if (reader.reading.fault == sidecar_fault::none && reader.reading.taken == 0) {
    reader.reading.fault = sidecar_fault::no_date;
  }
  return std::move(reader.reading);
}
