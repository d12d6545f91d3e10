#include "cli/advice.hpp"

#include <algorithm>
#include <vector>

#include "cli/commands.hpp"
#include "names/quoting.hpp"

namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_but_for_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view last_component(std::string_view word) {
  const std::size_t slash = word.find_last_of("/\\");
  return slash == std::string_view::npos ? word : word.substr(slash + 1);
}

// A word that names a file, or a pattern of them that the shell left alone.
bool looks_like_file(std::string_view word) {
  const std::string_view name = last_component(word);
  const std::size_t dot = name.rfind('.');
  return name.find_first_of("*?") != std::string_view::npos ||
         (dot != std::string_view::npos && dot > 0 && dot + 1 < name.size());
}

bool looks_like_folder(std::string_view word, const selection_clues& clues) {
  return word == clues.folder_word || word == "." || word == ".." ||
         word.find_first_of("/\\") != std::string_view::npos;
}

std::string file_advice(const selection_rule& options) {
  std::vector<std::string> words = kept_words(options);
  for (const std::string& word : options.words) {
    if (!is_extension_word(word) || !looks_like_file(word)) continue;
    const std::string_view name = last_component(word);
    const std::string extension(name.substr(name.rfind('.') + 1));
    if (extension.find_first_of("*?") != std::string::npos) continue;
    if (std::find(words.begin(), words.end(), extension) == words.end()) words.push_back(extension);
  }
  return "; the words look like file names, but velmora takes extensions: run " +
         command_line(words);
}

std::string folder_advice(const selection_rule& options, std::string_view folder) {
  std::vector<std::string> words = {"--directory", std::string(folder)};
  for (const std::string& word : kept_words(options)) words.push_back(word);
  return "; " + in_quotes(folder) + " looks like a folder: to stamp the files in it, run " +
         command_line(words);
}

// The words quoted, a few of them where there are many (a shell expands
// '*.jpg' into every name): "'a.jpg', 'b.jpg', 'c.jpg' and 117 more".
std::string some_of(const std::vector<std::string>& words) {
  const std::size_t shown = words.size() > 4 ? 3 : words.size();
  std::string text;
  for (std::size_t i = 0; i < shown; ++i) text += (i > 0 ? ", " : "") + in_quotes(words[i]);
  if (shown < words.size()) text += " and " + std::to_string(words.size() - shown) + " more";
  return text;
}

// An extension is written without its dot: '.jpg' matches no name.
std::string dot_advice(const std::vector<std::string>& extensions) {
  for (const std::string& word : extensions) {
    if (word.size() > 1 && word.front() == '.' && word.find('.', 1) == std::string::npos) {
      return "; an extension is written without its dot, as in " + in_quotes(word.substr(1));
    }
  }
  return {};
}

}  // namespace

bool is_extension_word(std::string_view word) {
  return word.empty() || word.find_first_of("+-}{") != 0;
}

std::string_view extension_in_other_case(const selection_rule& options,
                                         std::string_view extension) {
  for (const std::string& word : options.words) {
    if (equal_but_for_case(word, extension)) return extension;
  }
  return {};
}

std::string nothing_selected(const selection_rule& options, bool recursive, std::string_view folder,
                             const selection_clues& clues) {
  std::string line = "no file in " + in_quotes(folder) + (recursive ? " or below it" : "");
  if (options.words.empty() || (options.words.size() == 1 && options.shift_given)) {
    return line + " has an extension";
  }
  // Every word is an extension to match; shifts and cuts are named only
  // when there is nothing else to name.
  std::vector<std::string> extensions;
  for (const std::string& word : options.words) {
    if (is_extension_word(word)) extensions.push_back(word);
  }
  const bool only_options = extensions.empty();
  if (only_options) extensions = options.words;
  line += extensions.size() == 1 ? " has the extension " : " has any of the extensions ";
  line += some_of(extensions);
  if (only_options) {
    std::vector<std::string> words = kept_words(options);
    const bool replaced = words.size() < options.words.size();
    words.push_back("jpg");
    return line + ": every word is also an extension to match, so name the extensions too, " +
           "as in " + command_line(words) +
           (replaced ? " (a later shift or cut replaces an earlier one)" : "");
  }
  for (const std::string& word : extensions) {
    if (looks_like_file(word)) return line + file_advice(options);
  }
  for (const std::string& word : extensions) {
    if (looks_like_folder(word, clues)) return line + folder_advice(options, word);
  }
  if (const std::string dot = dot_advice(extensions); !dot.empty()) return line + dot;
  if (!clues.other_case.empty()) {
    line += "; extensions match exactly, case included, and the folder has names ending in " +
            in_quotes("." + clues.other_case);
  }
  return line;
}

std::string unmatched_words(const selection_rule& options, const selection_clues& clues) {
  const std::vector<std::string>& words = options.words;
  std::vector<std::string> unmatched;
  for (std::size_t i = 0; i < words.size() && i < clues.matched.size(); ++i) {
    if (!is_extension_word(words[i])) continue;
    bool matched = false;  // a word given twice matched where its twin did
    for (std::size_t j = 0; j < words.size() && j < clues.matched.size(); ++j) {
      matched = matched || (clues.matched[j] && words[j] == words[i]);
    }
    if (!matched && std::find(unmatched.begin(), unmatched.end(), words[i]) == unmatched.end()) {
      unmatched.push_back(words[i]);
    }
  }
  if (unmatched.empty()) return {};
  std::string line =
      unmatched.size() == 1 ? "no file had the extension " : "no file had any of the extensions ";
  return line + some_of(unmatched) + dot_advice(unmatched);
}
