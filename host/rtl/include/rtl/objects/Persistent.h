#pragma once
// TPersistent: objects whose state can be copied with Assign and streamed.
#include "rtl/objects/Object.h"

namespace rtl {

class TPersistent : public TObject {
  RTL_CLASS(TPersistent)
 public:
  // Copies the state of source into this object. The default asks the source
  // (AssignTo) and raises EConvertError when neither side knows how.
  virtual void Assign(const TPersistent& source);
  // The object that owns this one in a form (for name paths); null at top.
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const;

 protected:
  virtual void AssignTo(TPersistent& dest) const;
};

}  // namespace rtl
