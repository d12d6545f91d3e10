#include "cli/path_words.hpp"

#include "cli/advice.hpp"
#include "cli/commands.hpp"
#include "names/quoting.hpp"

namespace {

bool is_path(std::string_view word, std::string_view separators) {
  return word == "." || word == ".." || word.find_first_of(separators) != std::string_view::npos;
}

// The command that stamps that folder: the words that take effect and the
// extensions, with --directory.
std::string run_there(const typed_options& o, std::string_view separators,
                      const std::string& folder) {
  const selection_rule selection{o.words, o.shift_given, o.front_cut, o.back_cut};
  std::vector<std::string> words = {"--directory", folder};
  for (const std::string& word : kept_words(selection)) words.push_back(word);
  for (const std::string& word : o.words) {
    if (is_extension_word(word) && !is_path(word, separators)) words.push_back(word);
  }
  return command_line(words);
}

}  // namespace

std::optional<std::string> path_word_error(const typed_options& o, std::string_view separators,
                                           path_looker look) {
  for (const std::string& word : o.words) {
    if (!is_extension_word(word) || !is_path(word, separators)) continue;
    const std::string quoted = in_quotes(word);
    if (word == ".") {
      return "'.' is the current folder, not an extension: velmora runs there already; name "
             "extensions, as in 'velmora jpg', or none to stamp every dated name";
    }
    switch (look(word)) {
      case path_kind::folder:
        return quoted + " is a folder, not an extension: to stamp the files in it, run " +
               run_there(o, separators, word);
      case path_kind::file:
        return quoted +
               " is a file, not an extension: velmora takes extensions (as in 'velmora jpg') "
               "and stamps the names in a folder that end in them";
      case path_kind::none:
        break;
    }
    return quoted + " is no extension (it holds a folder separator), and no such folder exists";
  }
  return std::nullopt;
}
