#pragma once
// The database design package's editors: the dataset component editor and
// the index property editors.
#include "designide/ComponentEditors.h"
#include "designide/PropertyEditors.h"

namespace designide {

// Offers the fields editor as its one verb; double-click opens it.
class TDataSetEditor : public TComponentEditor {
  RTL_CLASS(TDataSetEditor)
 public:
  void ExecuteVerb(int index) override;
  std::string GetVerb(int index) override;
  int GetVerbCount() override;
  virtual const rtl::TClass& GetDSDesignerClass();
};

// A string property whose value list comes from the dataset's index
// definitions (its published "IndexDefs").
class TDBStringProperty : public TStringProperty {
  RTL_CLASS(TDBStringProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
  // Fills the value list; nothing by default.
  virtual void GetValueList(std::vector<std::string>& list);
};

// Index names of the dataset.
class TIndexNameProperty : public TDBStringProperty {
  RTL_CLASS(TIndexNameProperty)
 public:
  void GetValueList(std::vector<std::string>& list) override;
};

// Field lists ("A;B") of the dataset's indexes.
class TIndexFieldNamesProperty : public TDBStringProperty {
  RTL_CLASS(TIndexFieldNamesProperty)
 public:
  void GetValueList(std::vector<std::string>& list) override;
};

}  // namespace designide
