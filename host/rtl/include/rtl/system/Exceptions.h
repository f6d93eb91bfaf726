#pragma once
// The platform's exception kinds. Every failure in this code base is one of
// these; the message is UTF-8 text meant for the person at the keyboard.
#include <stdexcept>
#include <string>

namespace rtl {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

#define RTL_EXCEPTION(Name, Base)            \
  class Name : public Base {                 \
   public:                                   \
    using Base::Base;                        \
  };

RTL_EXCEPTION(EInvalidCast, Exception)
RTL_EXCEPTION(EAbstractError, Exception)
RTL_EXCEPTION(EConvertError, Exception)
RTL_EXCEPTION(EListError, Exception)
RTL_EXCEPTION(EComponentError, Exception)
RTL_EXCEPTION(EPropertyError, Exception)
RTL_EXCEPTION(EInOutError, Exception)
RTL_EXCEPTION(EFOpenError, EInOutError)
RTL_EXCEPTION(EFCreateError, EInOutError)
RTL_EXCEPTION(EIniFileException, Exception)
RTL_EXCEPTION(ERegistryException, Exception)
RTL_EXCEPTION(EPackageError, Exception)
RTL_EXCEPTION(EParserError, Exception)
RTL_EXCEPTION(EDatabaseError, Exception)

// Raised by Assert(): the message names the unit and the line, as
// "Assertion failure (DVUpdSEd, line 542)".
class EAssertionFailed : public Exception {
 public:
  EAssertionFailed(const std::string& message, const std::string& unit, int line);
  const std::string& Unit() const noexcept { return unit_; }
  int Line() const noexcept { return line_; }

 private:
  std::string unit_;
  int line_;
};

// The platform's Assert: raises EAssertionFailed naming unit and line.
void Assert(bool condition, const std::string& unit, int line,
            const std::string& message = "Assertion failure");

// A silent exception that only stops an operation; never reported.
RTL_EXCEPTION(EAbort, Exception)

}  // namespace rtl
