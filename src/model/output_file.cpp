#include "model/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>

#include "model/user_text.h"

namespace vantrels {

namespace {

// Bytes gathered before the system is asked to write them.
constexpr size_t kBufferSize = 256 * 1024;

std::string NotRegularReason(mode_t mode) {
  if (S_ISFIFO(mode)) return "not a regular file (a named pipe)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "not a regular file (a device)";
  if (S_ISSOCK(mode)) return "not a regular file (a socket)";
  return "not a regular file";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// A hidden name beside the target that says which file it will become. Only printable ASCII of
// the target's name is kept, so a writer that converts names to text opens this very file.
std::string TemporaryName(const std::string& final_path) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937 random{std::random_device{}() ^
                                          static_cast<unsigned>(::getpid())};
  std::string base = NameOf(final_path);
  if (base.size() > 200) base.resize(200);
  for (char& c : base) {
    if (c < '!' || c > '~') c = '_';
  }
  std::string name = "." + base + ".";
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  for (int n = 0; n < 8; ++n) name += kLetters[pick(random)];
  return name + ".tmp";
}

// The replacement takes over the replaced file's permission bits, but never setuid, setgid or
// sticky: a program replaced by a book must not keep running with its owner's rights. Root
// gives it the old owner and group too; anyone else keeps the old group where the system lets
// them (a member of it), as the file's other users expect.
void TakeOverOwnerAndMode(int fd, const struct stat& replaced) {
  if (::geteuid() == 0) {
    (void)::fchown(fd, replaced.st_uid, replaced.st_gid);
  } else if (replaced.st_gid != ::getegid()) {
    (void)::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
  }
  (void)::fchmod(fd, replaced.st_mode & 0777);
}

// The temporary files a signal handler removes: pointers to the owners' Pending records, which
// stay put while registered, so the handler only loads and unlinks (both signal-safe).
constexpr size_t kSignalSlots = 8;
std::array<std::atomic<const OutputFile::Pending*>, kSignalSlots> pending_temporaries{};

void Register(const OutputFile::Pending* pending) {
  for (std::atomic<const OutputFile::Pending*>& slot : pending_temporaries) {
    const OutputFile::Pending* empty = nullptr;
    if (slot.compare_exchange_strong(empty, pending)) return;
  }
}

void Unregister(const OutputFile::Pending* pending) {
  for (std::atomic<const OutputFile::Pending*>& slot : pending_temporaries) {
    const OutputFile::Pending* mine = pending;
    slot.compare_exchange_strong(mine, nullptr);
  }
}

void RemoveTemporariesAndEnd(int signal) {
  for (std::atomic<const OutputFile::Pending*>& slot : pending_temporaries) {
    if (const OutputFile::Pending* pending = slot.load()) {
      ::unlinkat(pending->folder, pending->name, 0);
    }
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryOutputsOnSignals() {
  struct sigaction action {};
  action.sa_handler = RemoveTemporariesAndEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {}

OutputFile::~OutputFile() {
  Discard();
}

Status OutputFile::Fail(std::string reason) {
  if (!failure_) failure_ = Rejected(std::move(reason));
  Discard();
  return *failure_;
}

Status OutputFile::FailErrno(int error) {
  return Fail(std::strerror(error));
}

Status OutputFile::Open(const std::vector<std::string>& inputs) {
  if (folder_ >= 0 || in_place_ || failure_) return Fail("the output was already opened");
  if (target_.empty()) return Fail("no file name given");
  final_path_ = target_;

  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  const int stat_error = exists ? 0 : errno;
  struct stat link {};
  const bool is_link = ::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
  if (exists) {
    if (S_ISDIR(info.st_mode)) return FailErrno(EISDIR);
    // Checked before opening anything: opening a FIFO for writing waits for a reader.
    if (!S_ISREG(info.st_mode)) return Fail(NotRegularReason(info.st_mode));
    for (const std::string& input : inputs) {
      struct stat other {};
      if (::stat(input.c_str(), &other) == 0 && other.st_dev == info.st_dev &&
          other.st_ino == info.st_ino) {
        failure_ = UsageError("it is the input file " + EscapedText(input));
        return *failure_;
      }
    }
    // A file the user cannot write stays protected, although its folder would allow a rename.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return FailErrno(errno);
    if (is_link) {
      // Through a link the file it points at is replaced; the link stays.
      char resolved[PATH_MAX];
      if (::realpath(target_.c_str(), resolved) == nullptr) return FailErrno(errno);
      final_path_ = resolved;
    }
  } else if (stat_error != ENOENT) {
    return FailErrno(stat_error);
  } else if (is_link) {
    return Fail("a symbolic link to a file that does not exist");
  }

  if (Status opened = OpenFolder(); !opened) return opened;
  if (Status created = CreateTemporary(); !created) return created;
  if (exists) TakeOverOwnerAndMode(fd_, info);
  return {};
}

Status OutputFile::OpenFolder() {
  // Read access, not a path-only descriptor: the folder is flushed after the rename.
  folder_ = ::open(FolderOf(final_path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return FailErrno(errno);
  return {};
}

Status OutputFile::CreateTemporary() {
  for (int attempt = 0; fd_ < 0; ++attempt) {
    const std::string name = TemporaryName(final_path_);
    fd_ =
        ::openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt == 100)) return FailErrno(errno);
    if (fd_ >= 0) {
      name.copy(pending_.name, sizeof pending_.name - 1);
      temporary_path_ = FolderOf(final_path_) + "/" + name;
    }
  }
  pending_.folder = folder_;
  Register(&pending_);
  return {};
}

Status OutputFile::WriteOut(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailErrno(errno);
    if (n == 0) return FailErrno(EIO);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return {};
}

Status OutputFile::Flush() {
  Status written = WriteOut(buffer_);
  buffer_.clear();
  return written;
}

Status OutputFile::Write(std::string_view bytes) {
  if (failure_) return *failure_;
  if (fd_ < 0) return Fail("the file is not open");
  if (buffer_.size() + bytes.size() > kBufferSize) {
    if (Status flushed = Flush(); !flushed) return flushed;
  }
  if (bytes.size() >= kBufferSize) return WriteOut(bytes);
  if (buffer_.capacity() < kBufferSize) buffer_.reserve(kBufferSize);
  buffer_.append(bytes);
  return {};
}

void OutputFile::FailIncomplete(const std::string& description) {
  if (failure_) return;
  std::string reason = description;
  if (fd_ >= 0 && ::lseek(fd_, 0, SEEK_END) >= 0) {
    // The writer's own error is lost; the same write now shows what stopped it.
    static const char kProbe[1 << 16] = {};
    const ssize_t n = ::write(fd_, kProbe, sizeof kProbe);
    if (n < 0) {
      reason = std::strerror(errno);
    } else if (::fsync(fd_) != 0) {
      reason = std::strerror(errno);
    }
  }
  (void)Fail(reason);
}

Status OutputFile::Commit() {
  if (failure_) return *failure_;
  if (fd_ < 0) return Fail("the file is not open");
  if (Status flushed = Flush(); !flushed) return flushed;
  // A writer that wrote by name must have written the file created here, not a replacement.
  struct stat mine {};
  struct stat named {};
  if (::fstat(fd_, &mine) != 0 ||
      ::fstatat(folder_, pending_.name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
      mine.st_dev != named.st_dev || mine.st_ino != named.st_ino) {
    return Fail("the temporary file " + EscapedText(temporary_path_) + " was removed or replaced");
  }
  if (::fsync(fd_) != 0) return FailErrno(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return FailErrno(errno);
  if (::renameat(folder_, pending_.name, folder_, NameOf(final_path_).c_str()) != 0) {
    return FailErrno(errno);
  }
  in_place_ = true;
  Unregister(&pending_);
  temporary_path_.clear();
  // The rename is durable only once the folder is on disk; file systems without a folder flush
  // answer EINVAL. The new file is in place either way.
  if (::fsync(folder_) != 0 && errno != EINVAL) return FailErrno(errno);
  Discard();
  return {};
}

void OutputFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_path_.empty() && !in_place_) ::unlinkat(folder_, pending_.name, 0);
  Unregister(&pending_);
  temporary_path_.clear();
  buffer_.clear();
  if (folder_ >= 0) {
    ::close(folder_);
    folder_ = -1;
  }
}

}  // namespace vantrels
