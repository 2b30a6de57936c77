#pragma once

#include <functional>

namespace vantrels {

// What both vantrels-book programs do first: a standard descriptor the caller closed is held
// on /dev/null (so no file opened later takes its place and receives the book), Ctrl-C and
// kill remove a temporary output file, and the C++ streams are not synchronised with stdio.
void PrepareBookProcess();

// Runs the command `run` and returns its exit status; when the process runs out of memory, the
// command's outputs are discarded as it unwinds and it fails with "vantrels-book: out of
// memory" (status 1) rather than a message that blames the file.
int RunBookCommand(const std::function<int()>& run);

}  // namespace vantrels
