#include "designide/DSnDB.h"

#include "db/DataSet.h"
#include "db/Field.h"
#include "rtl/objects/ClassBuilder.h"

namespace designide {

const rtl::TClass& TDataSetSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDataSetSprig>("TDataSetSprig", &TComponentSprig::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TFieldSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TFieldSprig>("TFieldSprig", &TComponentSprig::StaticClass()).Creatable().Build();
  return cls;
}

void TDataSetSprig::FigureChildren() {
  if (!rtl::Is<db::TDataSet>(Item())) return;
  auto* dataSet = static_cast<db::TDataSet*>(Item());
  for (int i = 0; i < dataSet->FieldCount(); ++i)
    Add(CreateSprig(TFieldSprig::StaticClass(), dataSet->Fields(i)));
}

std::string TFieldSprig::Name() {
  return rtl::Is<db::TField>(Item()) ? static_cast<db::TField*>(Item())->FieldName() : std::string();
}

std::string TFieldSprig::UniqueName() {
  std::string own = TComponentSprig::UniqueName();
  return own.empty() ? Name() : own;
}

}  // namespace designide
