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

namespace vantrels {

namespace {

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

// A hidden name beside the target that says which file it will become. Only printable ASCII of
// the target's name is kept, so a writer that converts names to text opens this very file.
std::string TemporaryName(const std::string& folder, const std::string& final_path) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937 random{std::random_device{}() ^
                                          static_cast<unsigned>(::getpid())};
  std::string base = final_path.substr(final_path.rfind('/') + 1);
  if (base.size() > 200) base.resize(200);
  for (char& c : base) {
    if (c < '!' || c > '~') c = '_';
  }
  std::string name = folder + "/." + base + ".";
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  for (int n = 0; n < 8; ++n) name += kLetters[pick(random)];
  return name + ".tmp";
}

// The temporary files a signal handler removes: plain pointers into the owners' strings, which
// stay put while registered, so the handler only loads and unlinks (both signal-safe).
constexpr size_t kSignalSlots = 8;
std::array<std::atomic<const char*>, kSignalSlots> pending_temporaries{};

void Register(const std::string& path) {
  for (std::atomic<const char*>& slot : pending_temporaries) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, path.c_str())) return;
  }
}

void Unregister(const std::string& path) {
  for (std::atomic<const char*>& slot : pending_temporaries) {
    const char* mine = path.c_str();
    slot.compare_exchange_strong(mine, nullptr);
  }
}

void RemoveTemporariesAndEnd(int signal) {
  for (std::atomic<const char*>& slot : pending_temporaries) {
    if (const char* path = slot.load()) ::unlink(path);
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

bool OutputFile::Fail(OutputFailure failure, std::string reason) {
  failure_ = failure;
  reason_ = std::move(reason);
  Discard();
  return false;
}

bool OutputFile::FailErrno(OutputFailure failure, int error) {
  return Fail(failure, std::strerror(error));
}

bool OutputFile::Open(const std::vector<std::string>& inputs) {
  if (fd_ >= 0 || committed_ || failure_ != OutputFailure::kNone) {
    return Fail(OutputFailure::kRefused, "the output was already opened");
  }
  if (target_.empty()) return Fail(OutputFailure::kRefused, "no file name given");
  final_path_ = target_;

  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  const int stat_error = exists ? 0 : errno;
  struct stat link {};
  const bool is_link = ::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
  if (exists) {
    if (S_ISDIR(info.st_mode)) return FailErrno(OutputFailure::kRefused, EISDIR);
    // Checked before opening anything: opening a FIFO for writing waits for a reader.
    if (!S_ISREG(info.st_mode))
      return Fail(OutputFailure::kRefused, NotRegularReason(info.st_mode));
    for (const std::string& input : inputs) {
      struct stat other {};
      if (::stat(input.c_str(), &other) == 0 && other.st_dev == info.st_dev &&
          other.st_ino == info.st_ino) {
        return Fail(OutputFailure::kSameAsInput, input);
      }
    }
    // A file the user cannot write stays protected, although its folder would allow a rename.
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
      return FailErrno(OutputFailure::kRefused, errno);
    }
    if (is_link) {
      // Through a link the file it points at is replaced; the link stays.
      char resolved[PATH_MAX];
      if (::realpath(target_.c_str(), resolved) == nullptr) {
        return FailErrno(OutputFailure::kRefused, errno);
      }
      final_path_ = resolved;
    }
  } else if (stat_error != ENOENT) {
    return FailErrno(OutputFailure::kRefused, stat_error);
  } else if (is_link) {
    return Fail(OutputFailure::kRefused, "a symbolic link to a file that does not exist");
  }

  folder_ = FolderOf(final_path_);
  struct stat folder {};
  if (::stat(folder_.c_str(), &folder) != 0) return FailErrno(OutputFailure::kRefused, errno);
  if (!S_ISDIR(folder.st_mode)) return FailErrno(OutputFailure::kRefused, ENOTDIR);

  for (int attempt = 0; fd_ < 0; ++attempt) {
    temporary_ = TemporaryName(folder_, final_path_);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
      const int error = errno;
      temporary_.clear();
      return FailErrno(OutputFailure::kRefused, error);
    }
  }
  // The replacement keeps the permissions of the file it replaces; new files follow the umask.
  if (exists) (void)::fchmod(fd_, info.st_mode & 07777);
  Register(temporary_);
  return true;
}

bool OutputFile::Write(std::string_view bytes) {
  if (failure_ != OutputFailure::kNone) return false;
  if (fd_ < 0) return Fail(OutputFailure::kWriteFailed, "the file is not open");
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailErrno(OutputFailure::kWriteFailed, errno);
    if (n == 0) return FailErrno(OutputFailure::kWriteFailed, EIO);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void OutputFile::FailIncomplete(const std::string& description) {
  if (failure_ != OutputFailure::kNone) return;
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
  Fail(OutputFailure::kWriteFailed, reason);
}

bool OutputFile::Commit() {
  if (failure_ != OutputFailure::kNone) return false;
  if (fd_ < 0) return Fail(OutputFailure::kWriteFailed, "the file is not open");
  // A writer that wrote by name must have written the file created here, not a replacement.
  struct stat mine {};
  struct stat named {};
  if (::fstat(fd_, &mine) != 0 || ::lstat(temporary_.c_str(), &named) != 0 ||
      mine.st_dev != named.st_dev || mine.st_ino != named.st_ino) {
    return Fail(OutputFailure::kWriteFailed,
                "the temporary file " + temporary_ + " was removed or replaced");
  }
  if (::fsync(fd_) != 0) return FailErrno(OutputFailure::kWriteFailed, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return FailErrno(OutputFailure::kWriteFailed, errno);
  if (::rename(temporary_.c_str(), final_path_.c_str()) != 0) {
    return FailErrno(OutputFailure::kWriteFailed, errno);
  }
  committed_ = true;
  Unregister(temporary_);
  temporary_.clear();
  // The rename is durable only once the folder is on disk; file systems without a folder flush
  // answer EINVAL. The new file is in place either way.
  const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return FailErrno(OutputFailure::kWriteFailed, errno);
  const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
  const int error = errno;
  ::close(dir);
  if (!synced) return FailErrno(OutputFailure::kWriteFailed, error);
  return true;
}

void OutputFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty() && !committed_) ::unlink(temporary_.c_str());
  Unregister(temporary_);
  temporary_.clear();
}

}  // namespace vantrels
