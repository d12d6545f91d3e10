#include "platform/real_system.hpp"

#include <algorithm>
#include <cstring>

#include "platform/beside.hpp"
#include "platform/console.hpp"
#include "platform/durable.hpp"
#include "platform/handles.hpp"
#include "platform/look.hpp"
#include "platform/modified_time.hpp"
#include "platform/paths.hpp"
#include "platform/process.hpp"

namespace {

system_calls make_system() {
  system_calls c;
  c.open_folder = [](const char* path) { return handle_of(open_listing(path)); };
  c.open_subfolder = [](const folder_handle* parent, const dir_entry& entry, const char* path) {
    return handle_of(open_sublisting(listing_of(parent), entry, path));
  };
  c.next_entry = [](folder_handle* folder) { return next_entry(listing_of(folder)); };
  c.listing_error = [](const folder_handle* folder) { return listing_error(listing_of(folder)); };
  c.close_folder = [](folder_handle* folder) { close_listing(listing_of(folder)); };
  c.folders_held = std::clamp(descriptor_room() / 16, 1, 64);
  c.check = check_write_time;
  c.read_time = read_modified_time;
  c.write_time = write_modified_time;
  c.look = look_at_entry;
  c.read_created = read_creation_time;
  c.write_created = write_creation_time;
  c.precision = platform_precision;
  c.read_beside = read_beside;
  c.missing = is_missing;
  c.done_beside = close_beside;
  c.open_appending = open_appending;
  c.lock = lock_for_appending;
  c.append = append_text;
  c.sync = sync_to_disk;
  c.cut_back = cut_back;
  c.size_of = size_of;
  c.identify = [](int descriptor, file_identity& identity) {
    return identify(descriptor, identity.device, identity.file);
  };
  c.sync_folder_of = sync_folder_of;
  c.close = close_descriptor;
  c.open_reading = open_reading;
  c.open_data = open_data;
  c.open_updating = open_updating;
  c.replace = replace_file;
  c.replaces_open_files = replaces_open_files;
  c.read_at = read_at;
  c.error_text = error_text;
  c.interrupted = interrupted;
  c.folder_error = platform_folder_error;
  c.read_only_error = platform_read_only_error;
  c.foreign_link_error = platform_foreign_link_error;
  c.not_regular_error = not_regular_error;
  c.runner = runner_id();
  const std::string_view separators = path_separators();
  c.separator = separators.back();
  return c;
}

run_output make_console() {
  run_output o;
  o.out = [](std::string_view lines) { return print_out(lines) ? 0 : errno; };
  o.err = [](std::string_view line) {
    clear_progress();
    print_err(line);
  };
  o.progress = show_progress;
  o.err_is_terminal = is_terminal(stderr);
  o.out_is_terminal = is_terminal(stdout);
  return o;
}

}  // namespace

const system_calls& real_system() {
  static const system_calls calls = make_system();
  return calls;
}

const run_output& console_output() {
  static const run_output output = make_console();
  return output;
}
