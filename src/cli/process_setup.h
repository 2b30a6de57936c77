#pragma once

namespace vantrels {

// What both vantrels-book programs do first: a standard descriptor the caller closed is held
// on /dev/null (so no file opened later takes its place and receives the book), Ctrl-C and
// kill remove a temporary output file, a file too large for `ulimit -f` is a failed write (not
// SIGXFSZ), and the C++ streams are not synchronised with stdio.
void PrepareBookProcess();

}  // namespace vantrels
