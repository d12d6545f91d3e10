// What a look at a file tells: its kind, owner, time and which file it
// is, whatever name reaches it.
#pragma once

#include "decide/tick_time.hpp"
#include "listing/listing.hpp"

// An entry as it is now, looked at without following it (lstat); for a
// link, also what it leads to (stat). Owners are user ids; Windows has
// none, and gives 0.
struct file_facts {
  int kind = kind_unknown;        // the entry's own kind: a link is kind_link
  unsigned long long number = 0;  // its file number, where the system gives one
  unsigned owner = 0;
  file_time mtime;                 // its last-modified time; for a link, its target's
  int target_kind = kind_unknown;  // for a link: the kind of what it leads to
  unsigned target_owner = 0;
  int target_error = 0;  // for a link that leads nowhere: why
  // Which file it is, whatever its names: its device and number, its
  // target's for a link; and how many names it has there.
  unsigned long long device = 0;
  unsigned long long file = 0;
  unsigned names = 1;
};

// One file, whatever name reaches it.
struct file_identity {
  unsigned long long device = 0;
  unsigned long long file = 0;
  friend bool operator==(const file_identity&, const file_identity&) = default;
};

inline file_identity identity_of(const file_facts& facts) {
  return {facts.device, facts.file};
}

// What a look (lstat) at an entry of this kind saw: for an entry that is
// no link, all that look says.
inline file_facts facts_of_look(int kind, const entry_look& look) {
  file_facts facts;
  facts.kind = kind;
  facts.number = look.number;
  facts.owner = look.owner;
  facts.mtime = from_unix_time({look.seconds, look.nanoseconds});
  facts.device = look.device;
  facts.file = look.number;
  facts.names = look.names;
  return facts;
}

// What the listing's own look at an entry saw (see dir_entry).
inline file_facts facts_of_listed(const dir_entry& entry) {
  return facts_of_look(entry.kind, entry.look);
}
