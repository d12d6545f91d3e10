#include <unistd.h>

#include "platform/look.hpp"
#include "platform/reach_posix.hpp"

using namespace reach;

namespace {

int kind_of_mode(mode_t mode) {
  return static_cast<int>(mode & S_IFMT);
}

}  // namespace

int look_at_entry(const file_ref& file, file_facts& facts) {
  struct stat st;
  if (fstatat(folder_of(file), name_of(file), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  facts = facts_of_look(kind_of_mode(st.st_mode), look_of(st));
  if (facts.kind != kind_link) return 0;
  if (fstatat(folder_of(file), name_of(file), &st, 0) != 0) {
    facts.target_error = errno;
    return 0;
  }
  facts.target_kind = kind_of_mode(st.st_mode);
  facts.target_owner = st.st_uid;
  facts.mtime = from_timespec(st.st_mtim);
  facts.device = st.st_dev;
  facts.file = st.st_ino;
  facts.names = static_cast<unsigned>(st.st_nlink);
  return 0;
}

unsigned runner_id() {
  return geteuid();
}
