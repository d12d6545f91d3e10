#include <windows.h>

#include "takeout/normal_form.hpp"

namespace {

std::string normalized(std::string_view text, NORM_FORM form) {
  if (all_ascii(text) || text.size() > 32767) return std::string(text);
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int units =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), size);
  if (units <= 0) return std::string(text);  // no valid UTF-8: as it is
  // Decomposing takes at most a few units a character; NormalizeString
  // says how many when its guess is short.
  std::wstring out(static_cast<std::size_t>(units) * 4 + 16, L'\0');
  int length = NormalizeString(form, wide.data(), units, out.data(), static_cast<int>(out.size()));
  if (length <= 0) return std::string(text);
  std::string result(static_cast<std::size_t>(length) * 3, '\0');
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, out.data(), length, result.data(),
                                        static_cast<int>(result.size()), nullptr, nullptr);
  if (bytes <= 0) return std::string(text);
  result.resize(static_cast<std::size_t>(bytes));
  return result;
}

}  // namespace

std::string composed(std::string_view text) {
  return normalized(text, NormalizationC);
}

std::string decomposed(std::string_view text) {
  return normalized(text, NormalizationD);
}
