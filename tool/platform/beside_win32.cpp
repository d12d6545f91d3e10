#include <windows.h>

#include "listing/utf16_win32.hpp"
#include "platform/beside.hpp"
#include "platform/durable.hpp"

namespace {

constexpr std::size_t first_size = 64 * 1024;

// Reads until a read comes back short: for a file, its end (a JSON
// object cut off sooner would not parse: reported, never misread).
int read_all(HANDLE handle, std::vector<char>& buffer, std::size_t& length) {
  if (buffer.size() < first_size) buffer.resize(first_size);
  length = 0;
  for (;;) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(buffer.size() - length);
    if (!ReadFile(handle, buffer.data() + length, wanted, &got, nullptr)) {
      return static_cast<int>(GetLastError());
    }
    length += got;
    if (length > beside_limit) return ERROR_FILE_TOO_LARGE;
    if (got < wanted) return 0;
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

const int not_regular_error = ERROR_BAD_FILE_TYPE;

// Windows reaches a file by its path: the listed file's, with the name
// in place of its own.
int read_beside(const file_ref& file, const std::string& name, beside_reader& reader,
                std::size_t& length) {
  const std::string_view path(file.path);
  const std::size_t slash = path.find_last_of("/\\");
  std::string beside(path.substr(0, slash == std::string_view::npos ? 0 : slash + 1));
  beside.append(name);
  const HANDLE handle =
      CreateFileW(long_path(beside).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return not_regular_error;
  }
  const int error = read_all(handle, reader.buffer, length);
  CloseHandle(handle);
  return error;
}

int open_data(const file_ref& file, int& descriptor) {
  switch (open_reading(file.path, descriptor)) {
    case 0:
      return 0;
    case ENODEV:
      return not_regular_error;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case EMFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

// Each handle is closed when read: Windows has no call that closes many.
void close_beside(beside_reader&) {}

bool is_missing(int error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_FILENAME_EXCED_RANGE;
}
