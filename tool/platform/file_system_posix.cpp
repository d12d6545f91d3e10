#include <sys/vfs.h>

#include "platform/file_system.hpp"

namespace {

struct known_kind {
  unsigned long magic;
  const char* name;
};

// From statfs(2) and linux/magic.h.
constexpr known_kind remote_kinds[] = {
    {0x6969, "NFS"},        {0x517B, "SMB"},      {0xFF534D42, "CIFS"}, {0xFE534D42, "SMB2"},
    {0x65735546, "FUSE"},   {0x00C36400, "Ceph"}, {0x01021997, "9P"},   {0x5346414F, "AFS"},
    {0x6B414653, "kAFS"},   {0x73757245, "Coda"}, {0x564C, "NCP"},      {0x47504653, "GPFS"},
    {0x0BD00BD0, "Lustre"}, {0x01161970, "GFS2"}, {0x7461636F, "OCFS2"}};

}  // namespace

bool is_remote_file_system(const char* folder, std::string& kind) {
  struct statfs fs;
  if (statfs(folder, &fs) != 0) return false;
  for (const known_kind& k : remote_kinds) {
    if (static_cast<unsigned long>(fs.f_type) == k.magic) {
      kind = k.name;
      return true;
    }
  }
  return false;
}
