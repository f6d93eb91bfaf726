#pragma once
// The session and database names that a drop may change under a node: of
// the node's own database or dataset and of those below it. A drop that
// fails half-way puts them back, so that nothing is half-moved.
#include <string>
#include <vector>

#include "designide/TreeIntf.h"
#include "rtl/objects/Component.h"

namespace dv {

class TDVPlacementUndo {
 public:
  explicit TDVPlacementUndo(designide::TSprig* Node);
  // Sets every recorded name back. The components took the new names, so
  // they take the old ones too; should one refuse, the others are still
  // restored and the drop's own error is the one reported.
  void Restore() noexcept;

 private:
  struct TNames {
    rtl::TComponent* Component;
    std::string SessionName;
    std::string DatabaseName;
  };
  std::vector<TNames> FNames;
};

}  // namespace dv
