#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "io/unique_fd.h"

namespace sondrix {

// Sequential reads of one file in large pieces: the text header is scanned from a buffer, and
// the sample blocks go straight from the file into their destination. The same reads serve bytes
// already in memory, so that fuzzing and tests need no files.
class ByteReader {
 public:
  // Opens a regular file; anything else (a FIFO, a device, a folder) is refused without being
  // waited on. Empty on success, else the system's reason or NotRegularFileError().
  std::error_code open(const std::filesystem::path& path);
  // Reads `bytes`, which must outlive the reader, as if they were a file's contents.
  void openBytes(std::string_view bytes);

  std::int64_t offset() const { return offset_; }  // bytes consumed so far
  std::int64_t size() const { return size_; }
  std::int64_t remaining() const { return size_ - offset_; }

  enum class LineRead { Line, EndOfFile, TooLong };
  // Appends bytes up to the next LF (not included) to `line`, which may not grow beyond
  // `maxLength` bytes: a longer line fills `line` to that length and gives TooLong, and the
  // next call goes on where this one stopped. EndOfFile may come with the last line's bytes
  // appended when that line has no LF.
  LineRead readLine(std::string& line, std::size_t maxLength);
  // Exactly `count` bytes into `dest`; false when the file ends first.
  bool read(void* dest, std::int64_t count);
  // Up to `count` bytes into `dest`, fewer only at the end of the file (as its size was when
  // opened) or on a read error; returns how many.
  std::size_t readUpTo(char* dest, std::size_t count);
  bool skip(std::int64_t count);
  // Exactly `count` bytes from `offset` of the file into `dest`; false when the file ends first or
  // cannot be read. Threads may call it at once. It comes after the sequential reads, not between
  // them: on Windows it moves the position they read from.
  bool readAt(std::int64_t offset, void* dest, std::int64_t count) const;

 private:
  bool refill();

  // Reads up to `count` bytes from the file; fewer only at its end or on a read error.
  std::size_t readFile(char* dest, std::size_t count);

  UniqueFd fd_;
  std::vector<char> buffer_;
  const char* data_ = nullptr;  // the buffer, or the bytes in memory
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::int64_t offset_ = 0;
  std::int64_t size_ = 0;
};

}  // namespace sondrix
