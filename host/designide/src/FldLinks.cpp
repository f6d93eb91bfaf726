#include "designide/FldLinks.h"

#include "db/DataSource.h"
#include "rtl/objects/ClassBuilder.h"

namespace designide {

const rtl::TClass& TFieldLinkProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TFieldLinkProperty>("TFieldLinkProperty", &TStringProperty::StaticClass()).Creatable().Build();
  return cls;
}

namespace {
TFieldLinkDesignerHandler& DesignerHandler() {
  static TFieldLinkDesignerHandler handler;
  return handler;
}
[[noreturn]] void Abstract(const char* what) {
  throw rtl::EAbstractError(std::string("TFieldLinkProperty.") + what + " is not implemented by this editor");
}
}  // namespace

void SetFieldLinkDesignerHandler(TFieldLinkDesignerHandler handler) { DesignerHandler() = std::move(handler); }

TPropertyAttributes TFieldLinkProperty::GetAttributes() { return paDialog | paRevertable; }

void TFieldLinkProperty::Edit() {
  auto& handler = DesignerHandler();
  if (!handler) throw rtl::EComponentError("No field link designer is available in this host");
  changed_ = handler(*this);
  if (changed_) Modified();
}

db::TDataSet* TFieldLinkProperty::GetDataSet() const { return rtl::As<db::TDataSet>(GetComponent(0)); }

db::TDataSet* TFieldLinkProperty::GetMasterDataSet() const {
  db::TDataSet* detail = GetDataSet();
  const rtl::TPropInfo* prop = detail->ClassType().FindProperty("MasterSource");
  if (prop == nullptr || !prop->GetObj) return nullptr;
  auto* source = dynamic_cast<db::TDataSource*>(prop->GetObj(*detail));
  return source != nullptr ? source->DataSet() : nullptr;
}

void TFieldLinkProperty::GetFieldNamesForIndex(rtl::TStrings*) { Abstract("GetFieldNamesForIndex"); }
bool TFieldLinkProperty::GetIndexBased() { return false; }
db::TIndexDefs* TFieldLinkProperty::GetIndexDefs() { Abstract("GetIndexDefs"); }
std::string TFieldLinkProperty::GetIndexFieldNames() { Abstract("GetIndexFieldNames"); }
std::string TFieldLinkProperty::GetIndexName() { Abstract("GetIndexName"); }
std::string TFieldLinkProperty::GetMasterFields() { return GetStrValue(); }
void TFieldLinkProperty::SetIndexFieldNames(const std::string&) { Abstract("SetIndexFieldNames"); }
void TFieldLinkProperty::SetIndexName(const std::string&) { Abstract("SetIndexName"); }
void TFieldLinkProperty::SetMasterFields(const std::string& value) { SetStrValue(value); }

}  // namespace designide
