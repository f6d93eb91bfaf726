#pragma once
// The master-detail field link property. Its Edit runs the field-link
// designer (installed by the widget side), which reads and writes the detail
// side through the virtual accessors below; descendants supply them.
#include <functional>
#include <string>

#include "db/DataSet.h"
#include "db/IndexDefs.h"
#include "designide/PropertyEditors.h"
#include "rtl/text/Strings.h"

namespace designide {

class TFieldLinkProperty : public TStringProperty {
  RTL_CLASS(TFieldLinkProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  // Runs the link designer; Changed() tells afterwards whether it changed
  // the link.
  void Edit() override;
  bool Changed() const { return changed_; }
  // The detail dataset: the edited component.
  db::TDataSet* GetDataSet() const;
  // The master: the dataset of the detail's published "MasterSource";
  // null when it has none.
  db::TDataSet* GetMasterDataSet() const;

  virtual void GetFieldNamesForIndex(rtl::TStrings* list);
  virtual bool GetIndexBased();
  virtual db::TIndexDefs* GetIndexDefs();
  virtual std::string GetIndexFieldNames();
  virtual std::string GetIndexName();
  virtual std::string GetMasterFields();
  virtual void SetIndexFieldNames(const std::string& value);
  virtual void SetIndexName(const std::string& value);
  virtual void SetMasterFields(const std::string& value);

 private:
  bool changed_ = false;
};

// The designer dialog: returns true when the developer accepted a change.
using TFieldLinkDesignerHandler = std::function<bool(TFieldLinkProperty& property)>;
void SetFieldLinkDesignerHandler(TFieldLinkDesignerHandler handler);

}  // namespace designide
