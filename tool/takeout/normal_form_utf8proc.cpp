#include <utf8proc.h>
#include <cstdlib>

#include "takeout/normal_form.hpp"

namespace {

std::string mapped(std::string_view text, int options) {
  if (all_ascii(text)) return std::string(text);
  utf8proc_uint8_t* out = nullptr;
  const utf8proc_ssize_t length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                   static_cast<utf8proc_ssize_t>(text.size()), &out,
                   static_cast<utf8proc_option_t>(UTF8PROC_STABLE | options));
  if (length < 0) return std::string(text);  // no valid UTF-8: as it is
  std::string result(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
  std::free(out);
  return result;
}

}  // namespace

std::string composed(std::string_view text) {
  return mapped(text, UTF8PROC_COMPOSE);
}

std::string decomposed(std::string_view text) {
  return mapped(text, UTF8PROC_DECOMPOSE);
}
