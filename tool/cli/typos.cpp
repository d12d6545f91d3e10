#include "cli/typos.hpp"

#include <algorithm>
#include <vector>

#include "cli/options.hpp"
#include "names/quoting.hpp"

namespace {

struct look_alike {
  std::string_view dash;
  std::string_view name;
};
constexpr look_alike dashes[] = {{"\xE2\x80\x93", "an en dash"},
                                 {"\xE2\x80\x94", "an em dash"},
                                 {"\xE2\x88\x92", "a minus sign"}};

// Edits between a and b (Levenshtein), counting up to limit + 1.
std::size_t edits(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::optional<std::string> dash_typo(std::string_view word) {
  for (const look_alike& d : dashes) {
    if (!word.starts_with(d.dash)) continue;
    std::string_view rest = word.substr(d.dash.size());
    std::string meant(1, '-');
    if (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
      meant.append(rest);  // a shift: '−2'
    } else {
      if (rest.starts_with('-')) rest.remove_prefix(1);
      const std::size_t value = std::min(rest.find('='), rest.size());
      std::string name(2, '-');
      name.append(rest.substr(0, value));
      const std::string nearest = nearest_option(name);
      meant = nearest.empty() ? name : nearest;
      meant.append(rest.substr(value));
    }
    return in_quotes(word) + " begins with " + std::string(d.name) +
           ", not with '-': did you mean " + in_quotes(meant) + "?";
  }
  return std::nullopt;
}

std::string nearest_option(std::string_view name) {
  std::string best;
  std::size_t fewest = 3;
  std::vector<std::string_view> names = {"--help", "--version"};
  for (const option_doc& option : long_options()) names.push_back(option.name);
  for (const std::string_view candidate : names) {
    // The option a prefix names first ('--h' is --help, not --tz), then
    // the nearest by letters.
    const std::size_t n =
        name.size() > 2 && candidate.starts_with(name) ? 0 : edits(name, candidate);
    if (n < fewest) {
      fewest = n;
      best = candidate;
    }
  }
  return best;
}
