#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "io/byte_reader.h"

namespace sondrix {

// A line longer than this keeps only its first kMaxLineChars characters; the rest up to its LF is
// read past. Real lines are a few dozen characters, and a "line" of this length is binary data:
// beyond 32,767 characters the field split gives up on it anyway, so only a line that would
// still trim (blanks) to within that length reads differently, and holding the whole of it would
// only exhaust memory.
inline constexpr std::size_t kMaxLineChars = std::size_t{1} << 26;

// An open text file read line by line through one buffer.
class TextFile {
 public:
  explicit TextFile(const std::filesystem::path& path) : openError_(reader_.open(path)) {}
  // Reads `bytes`, which must outlive the file, as a file's contents.
  static TextFile fromBytes(std::string_view bytes) { return TextFile(InMemory{}, bytes); }

  bool isOpen() const { return !openError_; }
  // Why the file could not be opened (see ByteReader::open); empty when it is open.
  const std::error_code& openError() const { return openError_; }
  // True once every character has been delivered, or the file could not be read further.
  bool atEnd() const { return ended_ || reader_.remaining() <= 0; }
  // The bytes not yet delivered, as the file's size was when it was opened.
  std::int64_t remaining() const { return ended_ ? 0 : reader_.remaining(); }

 private:
  struct InMemory {};
  TextFile(InMemory, std::string_view bytes) { reader_.openBytes(bytes); }

  friend std::string_view ReadTextLine(TextFile& file, std::string& line);

  // The next bytes as they are, for a reader that splits the lines itself (by the rules above):
  // up to `count` of them into `dest`, fewer only at the end; returns how many.
  std::size_t ReadTextBytes(TextFile& file, char* dest, std::size_t count);
  friend std::size_t ReadTextBytes(TextFile& file, char* dest, std::size_t count);

  ByteReader reader_;
  std::string skipped_;  // what lies beyond kMaxLineChars of an overlong line
  std::error_code openError_;
  bool ended_ = false;
};

// The next line without its line end: LF ends a line, every CR is dropped (so CR LF and LF files
// read alike, and a lone CR does not end a line), and a last line without an end is delivered.
// The text lives in `line`, which the caller reuses from line to line.
std::string_view ReadTextLine(TextFile& file, std::string& line);

// The next bytes as they are, for a reader that splits the lines itself (by the rules above):
// up to `count` of them into `dest`, fewer only at the end; returns how many.
std::size_t ReadTextBytes(TextFile& file, char* dest, std::size_t count);

}  // namespace sondrix
