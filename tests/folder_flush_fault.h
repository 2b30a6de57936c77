#pragma once

namespace vantrels {

// Makes every flush of a folder (fsync on a directory) in this test program fail with `error`,
// or pass through to the system again with 0; a failing disk cannot be had otherwise.
void FailFolderFlushes(int error);

}  // namespace vantrels
