#pragma once
// The client library's status vector: whether a call failed, its message as
// one line, and whether a given error code is among its entries.
#include <ibase.h>

#include <string>

namespace dralvo {

class TFirebirdStatus {
 public:
  TFirebirdStatus() { Clear(); }
  ISC_STATUS* Vector() { return vector_; }
  void Clear();
  bool Failed() const { return vector_[0] == 1 && vector_[1] != 0; }
  // Every line of the message, joined with "; ".
  std::string Message() const;
  // Whether `code` is one of the error codes of the vector.
  bool Has(ISC_STATUS code) const;

 private:
  ISC_STATUS_ARRAY vector_;
};

}  // namespace dralvo
