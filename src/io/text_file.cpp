#include "io/text_file.h"

#include <cstring>

namespace sondrix {
namespace {
// Piece by which the rest of an overlong line is read past.
constexpr std::size_t kSkipPiece = std::size_t{64} * 1024;
}  // namespace

std::string_view ReadTextLine(TextFile& file, std::string& line) {
  line.clear();
  if (file.ended_) return line;
  ByteReader::LineRead got = file.reader_.readLine(line, kMaxLineChars);
  while (got == ByteReader::LineRead::TooLong) {
    file.skipped_.clear();
    got = file.reader_.readLine(file.skipped_, kSkipPiece);
  }
  if (got == ByteReader::LineRead::EndOfFile) file.ended_ = true;
  if (std::memchr(line.data(), '\r', line.size()) != nullptr) std::erase(line, '\r');
  return line;
}

std::size_t ReadTextBytes(TextFile& file, char* dest, std::size_t count) {
  if (file.ended_) return 0;
  const std::size_t got = file.reader_.readUpTo(dest, count);
  if (got < count) file.ended_ = true;
  return got;
}

}  // namespace sondrix
