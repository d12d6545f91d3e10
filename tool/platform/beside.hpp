// Reading a small file that lies beside a listed one, such as the JSON
// sidecar of a photo: found through the folder the walk holds open.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/modified_time.hpp"

// The largest file read beside: sidecars are a few kilobytes.
inline constexpr std::size_t beside_limit = 1 << 20;

// Reads the file called name in the folder of file, whole, into buffer
// (grown as needed and kept, so that a walk allocates once); its text is
// the first length bytes. 0, or an error code: one for which is_missing
// holds when there is no such file, EFBIG past beside_limit. Never blocks
// on a pipe or device of that name.
int read_beside(const file_ref& file, const std::string& name, std::vector<char>& buffer,
                std::size_t& length);

// Whether an error of read_beside says that there is no such file.
bool is_missing(int error);
