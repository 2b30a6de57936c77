#include "folder_flush_fault.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>

namespace vantrels {

namespace {
std::atomic<int> folder_flush_error{0};
}  // namespace

void FailFolderFlushes(int error) {
  folder_flush_error = error;
}

}  // namespace vantrels

// Takes the place of the C library's fsync in the program that links this file.
extern "C" int fsync(int fd) {
  using Fsync = int (*)(int);
  static const Fsync system_fsync = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
  struct stat info {};
  const int error = vantrels::folder_flush_error;
  if (error != 0 && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = error;
    return -1;
  }
  return system_fsync(fd);
}
