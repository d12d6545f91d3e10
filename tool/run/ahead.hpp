// Listing ahead of the walk. Where each listing is a round trip (a share),
// a walk that lists each folder only as it reaches it keeps the workers
// waiting at every folder of a tree of small ones. So the walk reads a
// few entries of its folder ahead of itself, and listers, threads of
// their own, open the subfolders among them, look at them and read their
// first entries while the walk is still in the folders before; the walk
// takes each as it comes to it, in listing order. What a run says and
// does is what it says and does without.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "run/subfolder.hpp"
#include "system/system.hpp"

// An entry read ahead of the walk. A subfolder among them is handed to a
// lister: its opened is the lister's until it is ready.
struct entry_ahead {
  dir_entry entry;
  const folder_handle* parent = nullptr;
  std::string path;      // the entry's, for the platforms that open by path
  bool opening = false;  // handed to a lister
  bool ready = false;    // the lister is done with it (under the listers' lock)
  opened_folder opened;  // what the walk does not take is closed with the window
};

// The entries of one folder read ahead of the walk, in listing order. A
// list: it stays where it is for the listers, and costs nothing empty,
// one for each level of a deep tree. Its first entries may have been read
// by the lister that opened it: they come before the listing's next.
struct folder_ahead {
  std::list<entry_ahead> entries;
  std::vector<dir_entry> first;
  std::size_t first_taken = 0;
  bool front_taken = false;  // the walk has the first; it goes at the next take
  bool ended = false;        // the listing ran out while read ahead
};

struct listers {
  std::mutex lock;
  std::condition_variable work;   // folders wait, or the listers close
  std::condition_variable ready;  // a folder is ready, or every lister idles
  std::deque<entry_ahead*> waiting;
  int busy = 0;
  bool closing = false;
  std::vector<std::thread> threads;
  bool refused = false;  // no thread could be started: each folder is listed by the walk
  int open = 0;          // the walk's: folders opened ahead and not yet let go

  listers() = default;
  listers(const listers&) = delete;
  listers& operator=(const listers&) = delete;
  ~listers();  // closes, and joins every lister
};

// The walk's next entry of folder (at path, "./a/"): the first read ahead,
// else the listing's next; null at its end. With look_ahead, entries are
// read ahead first, and the subfolders among them handed to listers.
const dir_entry* take_entry(listers& listing, const system_calls& system, folder_handle* folder,
                            folder_ahead& ahead, bool look_ahead, const std::string& path);

// The subfolder the walk took last, opened ahead: waited for, and the
// walk's to take; null where it was not opened ahead.
opened_folder* taken_ahead(listers& listing, folder_ahead& ahead);

// Waits until no lister works: before the walk goes where listings may be
// parked.
void wait_listers(listers& listing);

// Closes what was opened ahead and not walked into: on every way out of
// a folder.
void drop_ahead(listers& listing, const system_calls& system, folder_ahead& ahead);
