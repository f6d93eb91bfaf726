#pragma once
// Property editors: how the Object Inspector shows and changes one
// published property of the selected components. The IDE creates one from
// the class that the look-up finds (CreatePropertyEditor) for each use.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designide/Designer.h"
#include "rtl/objects/Persistent.h"
#include "rtl/objects/TypeInfo.h"

namespace designide {

enum TPropertyAttribute : uint32_t {
  paValueList = 1u << 0,     // offers a drop-down list (GetValues)
  paSubProperties = 1u << 1, // expands to the object's own properties
  paDialog = 1u << 2,        // has an ellipsis button (Edit)
  paMultiSelect = 1u << 3,   // shown when several components are selected
  paAutoUpdate = 1u << 4,
  paSortList = 1u << 5,      // the value list is shown sorted
  paReadOnly = 1u << 6,      // the text cannot be typed
  paRevertable = 1u << 7,
};
using TPropertyAttributes = uint32_t;

using TGetStrProc = std::function<void(const std::string&)>;

class TPropertyEditor : public rtl::TObject {
  RTL_CLASS(TPropertyEditor)
 public:
  TPropertyEditor() = default;

  virtual TPropertyAttributes GetAttributes();
  virtual std::string GetName() const;
  virtual std::string GetValue();
  virtual void SetValue(const std::string& value);
  virtual void GetValues(const TGetStrProc& proc);
  // The ellipsis button; nothing by default.
  virtual void Edit() {}

  // The edited objects (index 0 is the one the Object Inspector shows).
  rtl::TPersistent* GetComponent(int index) const;
  int PropCount() const { return static_cast<int>(components_.size()); }
  const rtl::TPropInfo& GetPropInfo() const { return *prop_; }
  const rtl::TTypeInfo& GetPropType() const { return *prop_->Type; }
  IDesigner* Designer() const { return designer_; }
  // Tells the designer that the module changed.
  void Modified();

 protected:
  // Value of the first component; setters write every component, then
  // call Modified.
  int64_t GetOrdValue() const;
  void SetOrdValue(int64_t value);
  std::string GetStrValue() const;
  void SetStrValue(const std::string& value);
  rtl::TObject* GetObjValue() const;

 private:
  friend std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const rtl::TClass&, IDesigner*,
                                                               std::vector<rtl::TPersistent*>, const rtl::TPropInfo&);
  IDesigner* designer_ = nullptr;
  std::vector<rtl::TPersistent*> components_;
  const rtl::TPropInfo* prop_ = nullptr;
};

// Free-text string properties.
class TStringProperty : public TPropertyEditor {
  RTL_CLASS(TStringProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

// Enumerations (and Boolean): the value is one of the type's names.
class TEnumProperty : public TPropertyEditor {
  RTL_CLASS(TEnumProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EPropertyError for a name the type does not have.
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

// Object-valued properties: shown as "(TClassName)", edited through their
// own properties.
class TClassProperty : public TPropertyEditor {
  RTL_CLASS(TClassProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
};

// Creates an editor of class `editorClass` (a TPropertyEditor descendant
// with a factory) for `prop` of the components (at least one).
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const rtl::TClass& editorClass, IDesigner* designer,
                                                      std::vector<rtl::TPersistent*> components,
                                                      const rtl::TPropInfo& prop);

}  // namespace designide
