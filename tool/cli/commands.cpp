#include "cli/commands.hpp"

#include "cli/advice.hpp"
#include "names/quoting.hpp"

std::string command_line(const std::vector<std::string>& words) {
  std::string line = "velmora";
  for (const std::string& word : words) line.append(" ").append(word);
  return in_quotes(line);
}

std::vector<std::string> kept_words(const selection_rule& options) {
  const auto kind = [](const std::string& word) {
    return word.front() == '+' ? '-' : word.front();
  };
  std::vector<std::string> kept;
  const std::vector<std::string>& words = options.words;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (is_extension_word(words[i])) continue;
    bool later = false;
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      later = later || (!is_extension_word(words[j]) && kind(words[j]) == kind(words[i]));
    }
    if (!later) kept.push_back(words[i]);
  }
  return kept;
}
