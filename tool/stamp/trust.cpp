#include "stamp/trust.hpp"

#include "names/quoting.hpp"

folder_trust learn_trust(const set_result& probe) {
  if (probe.error == error_not_held) return folder_trust::checks_each;
  return probe.error == 0 ? folder_trust::keeps : folder_trust::unknown;
}

std::string rounding_note(const std::string& path, const file_time& kept) {
  const std::string_view folder = std::string_view(path).substr(0, path.rfind('/'));
  return "the file system of " + in_quotes(folder) + " keeps times in steps: " + in_quotes(path) +
         " holds " + format_utc(kept) + ", and the folder's other files are rounded alike";
}
