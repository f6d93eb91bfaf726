#pragma once
// Dvcommon: helpers shared by the runtime and its design-time package.
#include <cstdint>
#include <string>

namespace dralvo {

// Three-state flag: 0 false, 1 true, 2 not known yet.
using TBool3State = uint8_t;
constexpr TBool3State b3False = 0;
constexpr TBool3State b3True = 1;
constexpr TBool3State b3Unknown = 2;

// With quote false: the name unchanged. Otherwise the name in double quotes
// with embedded double quotes doubled; a name already enclosed in double
// quotes is returned as it is.
std::string QuoteIdentifier(const std::string& name, bool quote);

// The object name as the server accepts it; with dropOwner true the owner
// prefix ("owner." before the last unquoted dot) is dropped.
std::string GetValidObjName(const std::string& name, bool dropOwner);

// A table name as typed, without the apostrophes a person may put around it
// or around its dotted parts ('orders', 'main'.'orders'): every apostrophe
// outside a quoted part goes. Inside a double-quoted (or bracketed,
// back-quoted) part an apostrophe is part of the name, and the part itself
// is left to be read by the server's rules.
std::string WithoutApostrophes(const std::string& name);

// A table reference for SQL text: with quote true each part of an
// owner-qualified name ("own.orders") is quoted on its own
// ("own"."orders"), since a name quoted whole names no owner; parts already
// quoted stay as they are.
std::string QuoteObjectName(const std::string& name, bool quote);

// The file a loaded module (shared library) was loaded from.
std::string GetModuleFileNameStr(const void* moduleHandle);

// Reads the product name and version from the version resource of a package
// file without loading it; both are left unchanged when the file has none.
void ReadFileVersInfo(const std::string& fileName, std::string& productName, std::string& productVersion);

}  // namespace dralvo
