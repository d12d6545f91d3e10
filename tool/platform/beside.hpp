// Reading a small file that lies beside a listed one, such as the JSON
// sidecar of a photo: found through the folder the walk holds open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/modified_time.hpp"

// The largest file read beside: sidecars are a few kilobytes.
inline constexpr std::size_t beside_limit = 1 << 20;

// What reading beside keeps from file to file, for one thread: the
// buffer (grown as needed), and on POSIX the descriptors read and done
// with, which are closed together: bit k of done stands for first + k.
struct beside_reader {
  std::vector<char> buffer;
  int first = -1;
  std::uint64_t done = 0;
};

// Reads the file called name in the folder of file, whole, into the
// reader's buffer; its text is the first length bytes. 0, or an error
// code: one for which is_missing holds when there is no such file, EFBIG
// past beside_limit. Never blocks on a pipe or device of that name.
int read_beside(const file_ref& file, const std::string& name, beside_reader& reader,
                std::size_t& length);

// Closes what the reader still holds open; called when the walk is over.
void close_beside(beside_reader& reader);

// Whether an error of read_beside says that there is no such file.
bool is_missing(int error);
