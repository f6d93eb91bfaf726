#pragma once
// Byte classes of SQL text. Bytes of multi-byte UTF-8 characters count as
// letters, so names in any script stay one identifier.
namespace dralvo::sql {

inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool IsIdentStart(char c) { return IsAsciiLetter(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80; }
inline bool IsIdentPart(char c) { return IsIdentStart(c) || IsDigit(c) || c == '$'; }

}  // namespace dralvo::sql
