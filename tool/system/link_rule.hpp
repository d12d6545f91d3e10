// Which links a run follows: the rule the Linux kernel applies to links in
// folders others may write to (fs.protected_symlinks). A link is followed
// only when the user who runs velmora owns it, or the owner of what it
// leads to does: so a link that another user planted in a shared folder
// never makes root (or anyone) change a file it was not given, while a
// user's own links (an album of links to photos elsewhere) work wherever
// they lead.
#pragma once

#include "system/system.hpp"

inline bool may_follow(const file_facts& link, unsigned runner) {
  return link.owner == runner || link.owner == link.target_owner;
}
