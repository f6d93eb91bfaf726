#pragma once
// The Structure-view node of a dataset, with one child node per field.
#include "designide/TreeIntf.h"

namespace designide {

class TDataSetSprig : public TComponentSprig {
  RTL_CLASS(TDataSetSprig)
 public:
  using TComponentSprig::TComponentSprig;
  // One TFieldSprig per field of the dataset, in field order.
  void FigureChildren() override;
};

// The node of a dataset's field: named by its FieldName.
class TFieldSprig : public TComponentSprig {
  RTL_CLASS(TFieldSprig)
 public:
  using TComponentSprig::TComponentSprig;
  std::string Name() override;
  std::string UniqueName() override;
};

}  // namespace designide
