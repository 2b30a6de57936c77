#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace vantrels {

// A file that is written completely or not at all. The bytes go to a temporary file in the
// target's folder, which replaces the target only when every write, the close and the flush to
// disk have succeeded; any failure removes the temporary file and leaves the target as it was.
// A killed run leaves at most a hidden temporary file beside an untouched target.
//
// The temporary file is made, flushed and renamed through a descriptor of the target's folder,
// so every target name the system accepts works, however long its folder's path. A replaced
// file's permission bits (without setuid, setgid and sticky) go to the new file, and so do its
// owner and group when the process may give them (as root). A hard link to the replaced file
// keeps the old contents, as with every program that replaces files by renaming.
//
// Writers that open a file by name (a PDF engine, a library) write to temporary_path() and the
// owner commits afterwards.
class OutputFile {
 public:
  explicit OutputFile(std::string target);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Checks the target before anything is written and creates the temporary file. The target
  // must be a regular file or a new name in an existing folder, and none of `inputs` (same
  // device and inode, so another spelling or a link is caught too). Fails with kUsage when the
  // target is an input ("it is the input file IN"), else kRejected with the reason ("Is a
  // directory", "not a regular file (a named pipe)").
  Status Open(const std::vector<std::string>& inputs = {});

  // The file being written until Commit; empty before Open.
  const std::string& temporary_path() const { return temporary_path_; }

  // Appends to the temporary file through a buffer, so the system sees few large writes. A
  // failed write fails with the system's reason, here or at the Write or Commit that flushes.
  Status Write(std::string_view bytes);

  // For a writer that wrote by name and left its file incomplete: records why writing there
  // fails now (one more write is tried, so a full disk says so), or `description` when that
  // write succeeds, and removes the temporary file.
  void FailIncomplete(const std::string& description);

  // Flushes the temporary file to disk, renames it over the target and flushes the folder.
  // Fails with the reason when a step fails; before the rename the target is unchanged, after
  // it (in_place()) the new file is the target but may not survive a crash yet.
  Status Commit();

  // Removes the temporary file; the target stays as it was.
  void Discard();

  const std::string& target() const { return target_; }
  // True once Commit has renamed the new file over the target.
  bool in_place() const { return in_place_; }

  // The temporary file a signal handler removes: its folder's descriptor and its name.
  struct Pending {
    int folder = -1;
    char name[256] = {};
  };

 private:
  Status Fail(std::string reason);
  Status FailErrno(int error);
  Status OpenFolder();
  Status CreateTemporary();
  Status WriteOut(std::string_view bytes);
  Status Flush();

  std::string target_;
  // Where the rename goes: the target, or the file a symbolic link target points at.
  std::string final_path_;
  std::string temporary_path_;
  int folder_ = -1;
  int fd_ = -1;
  std::string buffer_;
  bool in_place_ = false;
  std::optional<Failure> failure_;
  Pending pending_;
};

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary files of outputs not yet committed
// before the process ends as the signal would end it, so an interrupted run leaves nothing
// behind. For programs that own their signals (the command line); SIGKILL cannot be caught.
void RemoveTemporaryOutputsOnSignals();

}  // namespace vantrels
