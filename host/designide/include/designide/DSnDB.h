#pragma once
// The Structure-view node of a dataset.
#include "designide/TreeIntf.h"

namespace designide {

class TDataSetSprig : public TComponentSprig {
  RTL_CLASS(TDataSetSprig)
 public:
  using TComponentSprig::TComponentSprig;
};

}  // namespace designide
