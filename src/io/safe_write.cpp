#include "io/safe_write.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdio>
#include <new>
#include <random>
#include <string>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include "io/windows_api.h"
#else
#include <unistd.h>
#endif
#ifdef __linux__
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/vfs.h>
#endif

#include "io/file_kind.h"
#include "io/link_walk.h"

namespace sondrix {
namespace {

// Tries at a fresh temporary name; random 64-bit names meet an existing file almost never.
constexpr int kNameAttempts = 8;

std::error_code systemError(int error) { return {error, std::generic_category()}; }

}  // namespace

// One name the signal handler removes. The handler may read nothing but lock-free atomics and
// memory that stays, so entries are never freed: one that is let go is taken again by the next
// temporary, and the list only grows to the most temporaries that were ever named at once.
struct CleanupEntry {
  std::atomic<bool> claimed{false};
  std::atomic<bool> armed{false};
  std::atomic<CleanupEntry*> next{nullptr};
  std::array<std::filesystem::path::value_type, PATH_MAX> path{};
};

namespace {

static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<CleanupEntry*>::is_always_lock_free);
// Entries are only ever put in front, so a walk from any head it saw meets only whole entries.
std::atomic<CleanupEntry*> cleanupList{nullptr};

#ifdef _WIN32
constexpr std::array kCleanupSignals{SIGINT, SIGTERM};
int removeName(const wchar_t* name) { return ::_wunlink(name); }
#else
constexpr std::array kCleanupSignals{SIGINT, SIGTERM, SIGHUP};
int removeName(const char* name) { return ::unlink(name); }
#endif

void removeTemps() {
  for (const CleanupEntry* entry = cleanupList.load(std::memory_order_acquire); entry != nullptr;
       entry = entry->next.load(std::memory_order_acquire)) {
    if (entry->armed.load(std::memory_order_acquire)) removeName(entry->path.data());
  }
}

#ifdef _WIN32
void removeTempsAndDie(int sig) {
  removeTemps();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void installCleanupHandlers() {
  for (const int sig : kCleanupSignals) {
    // A signal that the program ignores or handles itself stays as it is.
    const auto old = std::signal(sig, removeTempsAndDie);
    if (old != SIG_DFL && old != SIG_ERR && old != removeTempsAndDie) std::signal(sig, old);
  }
}
#else
void removeTempsAndDie(int sig) {
  removeTemps();
  // The default action then ends the process as the signal would have, so that its parent sees
  // which signal it was (a shell reports 128 + its number); it arrives when the handler returns.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(sig, &fallback, nullptr);
  ::raise(sig);
}

void installCleanupHandlers() {
  struct sigaction act {};
  act.sa_handler = removeTempsAndDie;
  sigemptyset(&act.sa_mask);
  for (const int sig : kCleanupSignals) sigaddset(&act.sa_mask, sig);
  for (const int sig : kCleanupSignals) {
    struct sigaction old {};
    // A signal that the program ignores (nohup) or handles itself stays as it is.
    if (::sigaction(sig, nullptr, &old) != 0) continue;
    if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
    ::sigaction(sig, &act, nullptr);
  }
}
#endif

// An entry taken for the process, or null when none could be had or the name is too long: the
// file is then written without the cleanup.
CleanupEntry* armCleanup(const std::filesystem::path& path) {
  // Looked at each time rather than once, since the program may have set a signal back since.
  installCleanupHandlers();
  // Whole, since the program may change its current folder before the signal comes.
  std::error_code ec;
  const std::filesystem::path::string_type name = std::filesystem::absolute(path, ec).native();
  if (ec || name.size() >= PATH_MAX) return nullptr;
  CleanupEntry* entry = cleanupList.load(std::memory_order_acquire);
  for (; entry != nullptr; entry = entry->next.load(std::memory_order_acquire)) {
    bool expected = false;
    if (entry->claimed.compare_exchange_strong(expected, true)) break;
  }
  if (entry == nullptr) {
    // Never freed: the handler may be walking the list at any moment.
    entry = new (std::nothrow) CleanupEntry;
    if (entry == nullptr) return nullptr;
    entry->claimed.store(true, std::memory_order_relaxed);
    CleanupEntry* head = cleanupList.load(std::memory_order_relaxed);
    do {
      entry->next.store(head, std::memory_order_relaxed);
    } while (!cleanupList.compare_exchange_weak(head, entry, std::memory_order_release,
                                                std::memory_order_relaxed));
  }
  std::copy(name.c_str(), name.c_str() + name.size() + 1, entry->path.begin());
  entry->armed.store(true, std::memory_order_release);
  return entry;
}

void disarmCleanup(CleanupEntry*& entry) {
  if (entry == nullptr) return;
  entry->armed.store(false, std::memory_order_release);
  entry->claimed.store(false, std::memory_order_release);
  entry = nullptr;
}

// Short and random, so that it neither lengthens a long target name nor meets any file already
// there (an input, another writer's file).
std::string tempName() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::array<char, 17> hex{};
  const auto [end, ec] = std::to_chars(hex.data(), hex.data() + 16, random(), 16);
  return ".sondrix-" + std::string(hex.data(), end) + ".tmp";
}

// The temporary goes beside the file it replaces, so that a rename can put it in place.
std::filesystem::path folderOf(const std::filesystem::path& target) {
  std::filesystem::path dir = target.parent_path();
  return dir.empty() ? "." : dir;
}

#ifdef _WIN32
std::error_code lastWindowsError() {
  return {static_cast<int>(::GetLastError()), std::system_category()};
}

int createNew(const std::filesystem::path& path, mode_t) {
  return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

constexpr std::size_t kMaxWriteCount = std::size_t{1} << 30;  // what one call takes: an int
std::int64_t writeSome(int fd, const char* bytes, std::size_t size) {
  return ::_write(fd, bytes, static_cast<unsigned>(std::min(size, kMaxWriteCount)));
}

std::error_code putInPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
  if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
    return lastWindowsError();
  }
  return {};
}
#else
int createNew(const std::filesystem::path& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

std::int64_t writeSome(int fd, const char* bytes, std::size_t size) {
  return ::write(fd, bytes, size);
}

std::error_code putInPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
  if (::rename(temp.c_str(), target.c_str()) != 0) return LastSystemError();
  return {};
}

#ifdef O_TMPFILE
// 0 or the errno of the first way tried.
int linkUnnamed(int fd, const char* name) {
  std::array<char, 32> proc{};
  std::snprintf(proc.data(), proc.size(), "/proc/self/fd/%d", fd);
  if (::linkat(AT_FDCWD, proc.data(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0) return 0;
  const int viaProc = errno;
  if (viaProc == EEXIST) return viaProc;
  // Without /proc, the descriptor itself can be linked where the process is allowed to.
  if (::linkat(fd, "", AT_FDCWD, name, AT_EMPTY_PATH) == 0) return 0;
  return viaProc;
}
#endif
#endif

}  // namespace

#ifdef _WIN32
bool IsStandardOutput(const std::filesystem::path& path) { return path == "-"; }

std::error_code SafeFile::open(const std::filesystem::path& path, WriteRules rules) {
  discard();
  const bool stream = rules.nonRegular == NonRegularTarget::Stream;
  if (stream && IsStandardOutput(path)) {
    fd_.reset(::_dup(_fileno(stdout)));
    if (!fd_.valid()) return LastSystemError();
    // The text has its CR LF already; a descriptor in text mode would put a CR before each.
    ::_setmode(fd_.get(), _O_BINARY);
    kind_ = Kind::Stream;
    return {};
  }
  struct _stat64 st {};
  if (::_wstat64(path.c_str(), &st) == 0) {
    if (stream && S_ISCHR(st.st_mode)) return openStream(path, false);
    if (const std::error_code kind = RegularFileCheck(st.st_mode)) return kind;
    // A read-only file is not replaced, as the shell's redirection would not write it.
    if (::_waccess(path.c_str(), 2) != 0) return LastSystemError();
  } else if (errno != ENOENT) {
    return LastSystemError();
  }
  // Links are not followed here: a link named is replaced by the file, as Windows programs do.
  target_ = path;
  return createTemp(false, nullptr);
}

std::error_code SafeFile::openStream(const std::filesystem::path& path, bool) {
  // A device (NUL, a console) is written in place; Windows has no FIFOs in its file names.
  fd_.reset(::_wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT));
  if (!fd_.valid()) return LastSystemError();
  kind_ = Kind::Stream;
  return {};
}
#else
bool IsStandardOutput(const std::filesystem::path& path) {
  if (path == "-") return true;
  struct stat named {};
  struct stat out {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 &&
         named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

std::error_code SafeFile::open(const std::filesystem::path& path, WriteRules rules) {
  discard();
  const bool stream = rules.nonRegular == NonRegularTarget::Stream;
  // Written in place, whatever it is: replacing it would cut it off from the shell's redirection.
  if (stream && IsStandardOutput(path)) {
    fd_.reset(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0));
    if (!fd_.valid()) return LastSystemError();
    kind_ = Kind::Stream;
    return {};
  }
  // Each link is vetted before the system follows any: even a stream is not written through
  // another user's link in a shared folder.
  LinkEnd end;
  if (const std::error_code ec = FollowLinks(path, end)) return ec;
  // The system's own view for streams: it also sees through the links of /proc that name no path.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    const bool device = S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode);
    if (stream && device) return openStream(path, S_ISFIFO(st.st_mode));
    if (const std::error_code kind = RegularFileCheck(st.st_mode)) return kind;
  } else if (errno != ENOENT) {
    return LastSystemError();
  }
  target_ = end.path;
  if (end.exists) {
    if (const std::error_code kind = RegularFileCheck(end.st.st_mode)) return kind;
    // As the shell's redirection would: a file the process may not write is not replaced, though
    // its folder would let a rename do it.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return LastSystemError();
  }
  return createTemp(rules.unnamedTemp, end.exists ? &end.st : nullptr);
}

std::error_code SafeFile::openStream(const std::filesystem::path& path, bool fifo) {
  // A FIFO waits for its reader, as a shell's redirection does; a device (a terminal without
  // carrier) might wait for ever, so it opens without waiting and is then written as usual.
  const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC;
  fd_.reset(::open(path.c_str(), fifo ? flags : flags | O_NONBLOCK));
  if (!fd_.valid()) return LastSystemError();
  const int status = ::fcntl(fd_.get(), F_GETFL);
  struct stat st {};
  if (status < 0 || ::fcntl(fd_.get(), F_SETFL, status & ~O_NONBLOCK) != 0 ||
      ::fstat(fd_.get(), &st) != 0) {
    return LastSystemError();
  }
  // Something else put there since it was looked at is not written over in place.
  if (!S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode)) {
    fd_.reset();
    return systemError(EAGAIN);
  }
  kind_ = Kind::Stream;
  return {};
}
#endif

std::error_code SafeFile::createTemp(bool unnamed, const struct stat* old) {
  const std::filesystem::path dir = folderOf(target_);
  // A file that replaces another starts private and takes the old one's bits below; a new one
  // gets the bits of any new file (the umask applies).
  const mode_t mode = old != nullptr ? 0600 : 0666;
#ifdef O_TMPFILE
  if (unnamed) {
    // Where the file system (or the kernel) has no unnamed files (EOPNOTSUPP, EISDIR, EINVAL), a
    // named one will do; any other failure comes again below, with its reason.
    fd_.reset(::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd_.valid()) kind_ = Kind::Unnamed;
  }
#else
  static_cast<void>(unnamed);
#endif
  for (int attempt = 0; !fd_.valid(); ++attempt) {
    if (attempt == kNameAttempts) return systemError(EEXIST);
    temp_ = dir / tempName();
    // Armed before the file exists, so that no moment is left in which a signal would miss it.
    cleanup_ = armCleanup(temp_);
    fd_.reset(createNew(temp_, mode));
    if (fd_.valid()) {
      kind_ = Kind::Named;
      break;
    }
    const int error = errno;
    disarmCleanup(cleanup_);
    temp_.clear();
    if (error != EEXIST) return systemError(error);
  }
#ifndef _WIN32
  if (old != nullptr) {
    // The owner first, since changing it clears the set-ID bits that the mode then restores.
    // Only root may give a file away; anyone may keep its group if they belong to it.
    if (::fchown(fd_.get(), old->st_uid, old->st_gid) != 0) {
      static_cast<void>(::fchown(fd_.get(), static_cast<uid_t>(-1), old->st_gid));
    }
    if (::fchmod(fd_.get(), old->st_mode & 07777) != 0) return LastSystemError();
  }
#endif
  return {};
}

std::error_code SafeFile::write(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const std::int64_t n = writeSome(fd_.get(), bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastSystemError();
    }
    bytes += n;
    written_ += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
  return {};
}

void SafeFile::reserve(std::uint64_t bytes) {
#ifdef __linux__
  if (kind_ != Kind::Unnamed && kind_ != Kind::Named) return;
  if (bytes <= written_ || bytes > static_cast<std::uint64_t>(INT64_MAX)) return;
  // Extents taken at once spare ext4 a reservation for every page written (a third of the
  // kernel's time on a long export). Elsewhere the gain is unmeasured or a loss: on tmpfs the
  // room would be cleared memory.
  struct statfs fs {};
  if (::fstatfs(fd_.get(), &fs) != 0 || fs.f_type != EXT4_SUPER_MAGIC) return;
  // A guess past the process's file size limit would end it with SIGXFSZ.
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
  if (limit.rlim_cur != RLIM_INFINITY) bytes = std::min<std::uint64_t>(bytes, limit.rlim_cur);
  // Even a failed or partial reservation may have grown the file: commit() cuts it back.
  reserved_ = true;
  static_cast<void>(::fallocate(fd_.get(), 0, 0, static_cast<off_t>(bytes)));
#else
  static_cast<void>(bytes);
#endif
}

std::error_code SafeFile::nameUnnamed() {
#ifdef O_TMPFILE
  const std::filesystem::path dir = folderOf(target_);
  // A name of its own first, then the same rename as a named file: linking cannot replace.
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temp_ = dir / tempName();
    cleanup_ = armCleanup(temp_);
    const int error = linkUnnamed(fd_.get(), temp_.c_str());
    if (error == 0) {
      kind_ = Kind::Named;
      return {};
    }
    disarmCleanup(cleanup_);
    temp_.clear();
    if (error != EEXIST) return systemError(error);
  }
#endif
  return systemError(EEXIST);
}

std::error_code SafeFile::commit() {
  if (kind_ == Kind::Closed) return systemError(EBADF);
#ifndef _WIN32
  if (reserved_ && ::ftruncate(fd_.get(), static_cast<off_t>(written_)) != 0) {
    return LastSystemError();
  }
#endif
  if (kind_ == Kind::Unnamed) {
    if (const std::error_code ec = nameUnnamed()) return ec;
  }
  // A file system may report a failed write only when the file is closed.
  if (const int error = fd_.close()) return systemError(error);
  if (kind_ == Kind::Named) {
    if (const std::error_code ec = putInPlace(temp_, target_)) return ec;
    disarmCleanup(cleanup_);
    temp_.clear();
  }
  kind_ = Kind::Closed;
  written_ = 0;
  reserved_ = false;
  return {};
}

void SafeFile::discard() {
  fd_.reset();
  written_ = 0;
  reserved_ = false;
  if (kind_ == Kind::Named) removeName(temp_.c_str());
  disarmCleanup(cleanup_);
  temp_.clear();
  kind_ = Kind::Closed;
}

}  // namespace sondrix
