#include "io/byte_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "io/file_kind.h"
#ifdef _WIN32
#include "io/windows_api.h"
#endif

namespace sondrix {
namespace {
// Headers are a few hundred bytes; one buffer of this size covers them in a single read.
constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

#ifdef _WIN32
// The C library's calls of Windows take wide names, 64-bit sizes from the *64 forms, and counts
// that fit an int.
using FileStatus = struct _stat64;
int statPath(const std::filesystem::path& path, FileStatus& st) {
  return ::_wstat64(path.c_str(), &st);
}
int statFd(int fd, FileStatus& st) { return ::_fstat64(fd, &st); }
int openForReading(const std::filesystem::path& path) {
  // Windows opens FIFOs and devices without waiting, so only the kind check is needed.
  return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
constexpr std::size_t kMaxReadCount = std::size_t{1} << 30;
std::int64_t readSome(int fd, char* dest, std::size_t count) {
  return ::_read(fd, dest, static_cast<unsigned>(std::min(count, kMaxReadCount)));
}
bool seekAhead(int fd, std::int64_t count) { return ::_lseeki64(fd, count, SEEK_CUR) >= 0; }
// A read at an offset of its own: the descriptor's position stays as it is for the other reads.
std::int64_t readSomeAt(int fd, char* dest, std::size_t count, std::int64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  DWORD got = 0;
  const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  const auto asked = static_cast<DWORD>(std::min(count, kMaxReadCount));
  if (::ReadFile(file, dest, asked, &got, &at) == 0) {
    return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  }
  return got;
}
#else
using FileStatus = struct stat;
int statPath(const std::filesystem::path& path, FileStatus& st) {
  return ::stat(path.c_str(), &st);
}
int statFd(int fd, FileStatus& st) { return ::fstat(fd, &st); }
int openForReading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
std::int64_t readSome(int fd, char* dest, std::size_t count) { return ::read(fd, dest, count); }
std::int64_t readSomeAt(int fd, char* dest, std::size_t count, std::int64_t offset) {
  return ::pread(fd, dest, count, static_cast<off_t>(offset));
}
bool seekAhead(int fd, std::int64_t count) {
  return ::lseek(fd, static_cast<off_t>(count), SEEK_CUR) >= 0;
}
#endif

}  // namespace

std::error_code ByteReader::open(const std::filesystem::path& path) {
  // Looked at before it is opened, since opening a FIFO waits for a writer (and opening some
  // devices acts on them); looked at again once open, in case the path changed meanwhile.
  FileStatus st{};
  if (statPath(path, st) != 0) return LastSystemError();
  if (const std::error_code kind = RegularFileCheck(st.st_mode)) return kind;
  fd_.reset(openForReading(path));
  if (!fd_.valid() || statFd(fd_.get(), st) != 0) return LastSystemError();
  if (const std::error_code kind = RegularFileCheck(st.st_mode)) return kind;
  size_ = st.st_size;
  buffer_.resize(kBufferSize);
  data_ = buffer_.data();
  return {};
}

void ByteReader::openBytes(std::string_view bytes) {
  // All of it is one buffer that never refills, since no stream is open.
  data_ = bytes.empty() ? "" : bytes.data();
  len_ = bytes.size();
  size_ = static_cast<std::int64_t>(bytes.size());
}

std::size_t ByteReader::readFile(char* dest, std::size_t count) {
  std::size_t got = 0;
  while (got < count) {
    const std::int64_t n = readSome(fd_.get(), dest + got, count - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

bool ByteReader::refill() {
  if (!fd_.valid()) return false;
  pos_ = 0;
  len_ = readFile(buffer_.data(), buffer_.size());
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
  const auto got =
      static_cast<std::int64_t>(readFile(out + fromBuffer, static_cast<std::size_t>(rest)));
  offset_ += got;
  return got == rest;
}

std::size_t ByteReader::readUpTo(char* dest, std::size_t count) {
  const auto left = static_cast<std::size_t>(std::max<std::int64_t>(remaining(), 0));
  count = std::min(count, left);
  const std::size_t fromBuffer = std::min(count, len_ - pos_);
  std::memcpy(dest, data_ + pos_, fromBuffer);
  pos_ += fromBuffer;
  std::size_t got = fromBuffer;
  if (got < count && fd_.valid()) got += readFile(dest + got, count - got);
  offset_ += static_cast<std::int64_t>(got);
  return got;
}

bool ByteReader::skip(std::int64_t count) {
  if (count < 0 || count > remaining()) return false;
  const std::size_t fromBuffer = std::min(static_cast<std::size_t>(count), len_ - pos_);
  pos_ += fromBuffer;
  offset_ += static_cast<std::int64_t>(fromBuffer);
  const std::int64_t rest = count - static_cast<std::int64_t>(fromBuffer);
  if (rest == 0) return true;
  if (!seekAhead(fd_.get(), rest)) return false;
  offset_ += rest;
  return true;
}

bool ByteReader::readAt(std::int64_t offset, void* dest, std::int64_t count) const {
  if (offset < 0 || count < 0 || count > size_ - std::min(offset, size_)) return false;
  if (count == 0) return true;
  auto* out = static_cast<char*>(dest);
  if (!fd_.valid()) {  // the bytes in memory
    std::memcpy(out, data_ + offset, static_cast<std::size_t>(count));
    return true;
  }
  std::int64_t got = 0;
  while (got < count) {
    const std::int64_t n =
        readSomeAt(fd_.get(), out + got, static_cast<std::size_t>(count - got), offset + got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // the file was cut short since it was opened, or cannot be read
    got += n;
  }
  return true;
}

}  // namespace sondrix
