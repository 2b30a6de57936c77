#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrels {

enum class OutputFailure {
  kNone,
  // The target is one of the inputs: a usage error; nothing was written.
  kSameAsInput,
  // The target cannot be written at all (a FIFO, a directory, a missing folder, no permission).
  kRefused,
  // Writing, flushing or renaming failed; the target is as it was.
  kWriteFailed,
};

// A file that is written completely or not at all. The bytes go to a temporary file in the
// target's folder, which replaces the target only when every write, the close and the flush to
// disk have succeeded; any failure removes the temporary file and leaves the target as it was.
// A killed run leaves at most a hidden temporary file beside an untouched target.
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
  // device and inode, so another spelling or a link is caught too). False with failure() and
  // reason() set otherwise.
  bool Open(const std::vector<std::string>& inputs = {});

  // The file being written until Commit; empty before Open.
  const std::string& temporary_path() const { return temporary_; }

  // Appends to the temporary file; false with the system's reason on any short or failed write.
  bool Write(std::string_view bytes);

  // For a writer that wrote by name and left its file incomplete: records why writing there
  // fails now (one more write is tried, so a full disk says so), or `description` when that
  // write succeeds, and removes the temporary file.
  void FailIncomplete(const std::string& description);

  // Flushes the temporary file to disk, renames it over the target and flushes the folder.
  // False with the reason when any step fails; the target is then unchanged.
  bool Commit();

  // Removes the temporary file; the target stays as it was.
  void Discard();

  const std::string& target() const { return target_; }
  OutputFailure failure() const { return failure_; }
  // The system's reason ("No space left on device"), or for kSameAsInput the input's path.
  const std::string& reason() const { return reason_; }

 private:
  bool Fail(OutputFailure failure, std::string reason);
  bool FailErrno(OutputFailure failure, int error);

  std::string target_;
  // Where the rename goes: the target, or the file a symbolic link target points at.
  std::string final_path_;
  std::string folder_;
  std::string temporary_;
  int fd_ = -1;
  bool committed_ = false;
  OutputFailure failure_ = OutputFailure::kNone;
  std::string reason_;
};

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary files of outputs not yet committed
// before the process ends as the signal would end it, so an interrupted run leaves nothing
// behind. For programs that own their signals (the command line); SIGKILL cannot be caught.
void RemoveTemporaryOutputsOnSignals();

}  // namespace vantrels
