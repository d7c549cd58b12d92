#include "io/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace sondrix {
namespace {
// Headers are a few hundred bytes; one buffer of this size covers them in a single read.
constexpr std::size_t kBufferSize = 64 * 1024;
}  // namespace

bool ByteReader::open(const std::filesystem::path& path) {
  in_.open(path, std::ios::binary);
  if (!in_) return false;
  in_.seekg(0, std::ios::end);
  const std::streamoff end = in_.tellg();
  in_.seekg(0, std::ios::beg);
  if (!in_ || end < 0) return false;
  size_ = end;
  buffer_.resize(kBufferSize);
  data_ = buffer_.data();
  return true;
}

void ByteReader::openBytes(std::string_view bytes) {
  // All of it is one buffer that never refills, since no stream is open.
  data_ = bytes.empty() ? "" : bytes.data();
  len_ = bytes.size();
  size_ = static_cast<std::int64_t>(bytes.size());
}

bool ByteReader::refill() {
  if (!in_.is_open()) return false;
  pos_ = 0;
  len_ = 0;
  if (!in_) return false;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  len_ = static_cast<std::size_t>(in_.gcount());
  return len_ > 0;
}

ByteReader::LineRead ByteReader::readLine(std::string& line, std::size_t maxLength) {
  for (;;) {
    if (pos_ == len_ && !refill()) return LineRead::EndOfFile;
    const char* start = data_ + pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
    const std::size_t found = lf ? static_cast<std::size_t>(lf - start) : len_ - pos_;
    const std::size_t room = maxLength - std::min(line.size(), maxLength);
    const std::size_t take = std::min(found, room);
    line.append(start, take);
    pos_ += take;
    offset_ += static_cast<std::int64_t>(take);
    if (take < found) return LineRead::TooLong;
    if (lf) {
      ++pos_;
      ++offset_;
      return LineRead::Line;
    }
  }
}

bool ByteReader::read(void* dest, std::int64_t count) {
  if (count < 0 || count > remaining()) return false;
  auto* out = static_cast<char*>(dest);
  const std::size_t fromBuffer = std::min(static_cast<std::size_t>(count), len_ - pos_);
  std::memcpy(out, data_ + pos_, fromBuffer);
  pos_ += fromBuffer;
  offset_ += static_cast<std::int64_t>(fromBuffer);
  const std::int64_t rest = count - static_cast<std::int64_t>(fromBuffer);
  if (rest == 0) return true;
  // Large blocks bypass the buffer: one read straight into the destination.
  in_.read(out + fromBuffer, static_cast<std::streamsize>(rest));
  const auto got = static_cast<std::int64_t>(in_.gcount());
  offset_ += got;
  return got == rest;
}

bool ByteReader::skip(std::int64_t count) {
  if (count < 0 || count > remaining()) return false;
  const std::size_t fromBuffer = std::min(static_cast<std::size_t>(count), len_ - pos_);
  pos_ += fromBuffer;
  offset_ += static_cast<std::int64_t>(fromBuffer);
  const std::int64_t rest = count - static_cast<std::int64_t>(fromBuffer);
  if (rest == 0) return true;
  in_.seekg(static_cast<std::streamoff>(rest), std::ios::cur);
  if (!in_) return false;
  offset_ += rest;
  return true;
}

}  // namespace sondrix
