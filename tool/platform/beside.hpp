// Reading a small file that lies beside a listed one, such as the JSON
// sidecar of a photo: found through the folder the walk holds open.
// Results are 0 or the platform's error code.
#pragma once

#include <cstddef>
#include <string>

#include "system/system.hpp"

// Reads the file called name in the folder of file, whole, into the
// reader's buffer; its text is the first length bytes. 0, or an error
// code: one for which is_missing holds when there is no such file, EFBIG
// past beside_limit, not_regular_error for a pipe, a device or a folder,
// which is never opened.
int read_beside(const file_ref& file, const std::string& name, beside_reader& reader,
                std::size_t& length);

// The listed file's own data, opened to read: see system_calls::open_data.
int open_data(const file_ref& file, int& descriptor);

// The error of read_beside for a file that is not a regular one.
extern const int not_regular_error;

// Closes what the reader still holds open.
void close_beside(beside_reader& reader);

// Whether an error of read_beside says that there is no such file.
bool is_missing(int error);
