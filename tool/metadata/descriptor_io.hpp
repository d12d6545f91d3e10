// exiv2 reads a file through a BasicIo; this one reads the descriptor the
// system opened, through the system's calls, so that wide names on
// Windows, the kept last-access time, the link rule and the seams of a run
// hold for the data too. Read only: every write fails. The one class of
// the tool's own, as exiv2's interface asks for one.
#pragma once

#include <exiv2/basicio.hpp>
#include <string>

#include "system/system.hpp"

class descriptor_io final : public Exiv2::BasicIo {
 public:
  descriptor_io(const system_calls& system, int descriptor, std::int64_t size, std::string path);

  int open() override;
  int close() override;
  long write(const Exiv2::byte* data, long count) override;
  long write(Exiv2::BasicIo& from) override;
  int putb(Exiv2::byte data) override;
  Exiv2::DataBuf read(long count) override;
  long read(Exiv2::byte* buffer, long count) override;
  int getb() override;
  void transfer(Exiv2::BasicIo& from) override;
  int seek(long offset, Position from) override;
  Exiv2::byte* mmap(bool writable = false) override;
  int munmap() override;
  long tell() const override;
  std::size_t size() const override;
  bool isopen() const override;
  int error() const override;
  bool eof() const override;
  std::string path() const override;
#ifdef EXV_UNICODE_PATH
  std::wstring wpath() const override;
#endif

 private:
  const system_calls& system_;
  int descriptor_;
  std::int64_t size_;
  std::string path_;
  std::int64_t at_ = 0;
  bool eof_ = false;
  int error_ = 0;
  std::string block_;  // the block of the file the last read brought in
  std::int64_t block_at_ = 0;
  long reads_ = 0;  // calls to read, to stop a reading that never ends
  long reads_past_end_ = 0;
  std::string mapped_;  // the whole file, while exiv2 asks for it mapped
};
