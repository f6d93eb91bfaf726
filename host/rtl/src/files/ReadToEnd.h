#pragma once
// The one read loop behind whole-file reading.
#include <string>

namespace rtl {

// Reads the rest of `fd` into `out`, sized first for `expected` bytes and one
// more, so that a regular file of that size takes one read and the next sees
// its end; anything longer grows as it comes. 0, or the errno of the failed
// read (`out` then holds what was read before it); EFBIG once more than
// `limit` bytes came.
int ReadToEnd(int fd, size_t expected, size_t limit, std::string& out);

// Why a file is not read: reasons that have no errno of their own.
std::string NotRegular();
std::string TooLarge();

}  // namespace rtl
