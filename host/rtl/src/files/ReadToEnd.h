#pragma once
// The one read loop behind whole-file reading.
#include <string>

namespace rtl {

// Reads the rest of `fd` into `out`, sized first for `expected` bytes and one
// more, so that a regular file of that size takes one read and the next sees
// its end; anything longer grows as it comes. 0, or the errno of the failed
// read (`out` then holds what was read before it).
int ReadToEnd(int fd, size_t expected, std::string& out);

}  // namespace rtl
