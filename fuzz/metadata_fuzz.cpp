// Fuzzes what --exif reads from untrusted bytes: a file's data, as exiv2
// reads it through the tool's own calls, and an XMP sidecar's text. Input:
// a byte that says which (a photo, a video, a sidecar), then the bytes.
// Whatever exiv2 makes of them, an answer comes back: a real time, none,
// or a fault said in a phrase; never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "metadata/exiv2_tags.hpp"
#include "names/calendar.hpp"

namespace {

// The calls a descriptor_io reads through, over the fuzzer's bytes.
system_calls calls_over(std::string_view data) {
  system_calls calls;
  calls.read_at = [data](int, std::int64_t offset, std::size_t size, std::string& text) {
    const auto from = static_cast<std::size_t>(offset);
    text.assign(from < data.size() ? data.substr(from, size) : std::string_view());
    return 0;
  };
  return calls;
}

void check(const metadata_answer& answer) {
  if (answer.found && !answer.fault.empty()) std::abort();
  if (answer.found && check_calendar(answer.found->time) != date_fault::none) std::abort();
  if (answer.found && answer.found->tag.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  prepare_exiv2();
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const int which = data[0] % 3;
  if (which == 2) {
    check(read_sidecar_capture_time(rest));
    return 0;
  }
  const system_calls calls = calls_over(rest);
  const auto length = static_cast<std::int64_t>(rest.size());
  if (which == 1) {
    check(read_video_capture_time(
        [&calls](std::int64_t offset, std::size_t count, std::string& text) {
          return calls.read_at(3, offset, count, text);
        },
        length));
  } else {
    check(read_photo_capture_time(std::make_unique<descriptor_io>(calls, 3, length, "fuzz")));
  }
  return 0;
}
