#pragma once
// Closing the last handle on a replaced file frees its cached pages and its
// blocks, which for a file of some megabytes takes milliseconds. A saved
// file keeps a handle on the file it replaces and lets it go here, on a
// thread of its own, so that a save returns without waiting for that.
namespace rtl {

// Closes `fd` soon, on the releaser's thread. The thread starts with the
// first file and ends with the process, closing whatever is still queued.
void ReleaseFileLater(int fd);

}  // namespace rtl
