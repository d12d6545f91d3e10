#include "journal/journal.hpp"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "journal/journal_text.hpp"
#include "platform/console.hpp"
#include "platform/durable.hpp"
#include "platform/paths.hpp"

namespace {

std::string cannot(std::string_view what, const std::string& path, int error) {
  return std::string(what) + in_quotes(path) + ": " + std::strerror(error);
}

}  // namespace

std::optional<std::string> open_journal(const std::string& path, run_journal& journal) {
  journal.path = path;
  // Appending to anything but a journal (a photo, say) would spoil it. A
  // device or a pipe is not read: its write will tell.
  std::error_code ignored;
  std::string start;
  if (std::filesystem::is_regular_file(to_path(path), ignored)) {
    read_start(path, journal_magic.size() + 1, start);
  }
  const bool empty = start.empty();
  if (!empty && start != std::string(journal_magic) + "\n") {
    return "cannot use " + in_quotes(path) + " as a journal: it is not a velmora journal";
  }
  if (const int error = open_appending(path, journal.descriptor)) {
    return cannot("cannot open the journal ", path, error);
  }
  if (empty) journal.pending = std::string(journal_magic) + "\n";
  return std::nullopt;
}

std::optional<std::string> start_journal_run(run_journal& journal, const std::string& folder) {
  journal.pending += folder_line(folder);
  if (const int error = commit_records(journal)) {
    return cannot("cannot write the journal ", journal.path, error);
  }
  return std::nullopt;
}

void add_record(run_journal& journal, std::string_view path, const file_time& before,
                const file_time& set) {
  append_file_line(journal.pending, path, before, set);
  ++journal.pending_records;
}

int commit_records(run_journal& journal) {
  int error = append_text(journal.descriptor, journal.pending);
  if (error == 0) error = sync_to_disk(journal.descriptor);
  journal.pending.clear();
  journal.pending_records = 0;
  return error;
}

void close_journal(run_journal& journal) {
  if (journal.descriptor >= 0) close_appending(journal.descriptor);
  journal.descriptor = -1;
}
