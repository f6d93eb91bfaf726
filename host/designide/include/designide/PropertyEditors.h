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

class TPropertyEditor;
// Receives the editors of an object's sub-properties (GetProperties).
using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor>)>;

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
  // Whether the Object Inspector may complete typed text from the value
  // list; true by default.
  virtual bool AutoFill() { return true; }
  // Whether every edited component holds the same value (otherwise the
  // Object Inspector shows the value blank).
  virtual bool AllEqual();
  // The editors of the value's own properties (paSubProperties); none by
  // default.
  virtual void GetProperties(const TGetPropProc& proc);

  // The edited objects (index 0 is the one the Object Inspector shows).
  rtl::TPersistent* GetComponent(int index) const;
  int PropCount() const { return static_cast<int>(components_.size()); }
  const rtl::TPropInfo& GetPropInfo() const { return *props_.front(); }
  const rtl::TTypeInfo& GetPropType() const { return *props_.front()->Type; }
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
  // Object values (the platform reads and writes them as ordinals). An
  // owned sub-object without a setter of its own (a string list, a
  // collection) is written by assigning the value into it, as a setter of
  // such a property does.
  rtl::TObject* GetObjValue() const;
  void SetObjValue(rtl::TObject* value);
  // The property's value of component `index`.
  rtl::TObject* GetObjValueAt(int index) const;
  int64_t GetOrdValueAt(int index) const;
  // Writes one component's value; the caller calls Modified once.
  void SetOrdValueAt(int index, int64_t value);
  // An editor of another class for the same property of the same
  // components (a set's element editors).
  std::unique_ptr<TPropertyEditor> MakeSibling(const rtl::TClass& editorClass) const;

 private:
  friend std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const rtl::TClass&, IDesigner*,
                                                               std::vector<rtl::TPersistent*>, const rtl::TPropInfo&);
  IDesigner* designer_ = nullptr;
  std::vector<rtl::TPersistent*> components_;
  // Each component's own description of the property: classes that
  // declare a property of the same name separately have accessors of
  // their own.
  std::vector<const rtl::TPropInfo*> props_;
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

// Whole numbers.
class TIntegerProperty : public TPropertyEditor {
  RTL_CLASS(TIntegerProperty)
 public:
  // Raises EPropertyError for text that is not a whole number.
  void SetValue(const std::string& value) override;
};

// Object-valued properties: shown as "(TClassName)", edited through their
// own properties.
class TClassProperty : public TPropertyEditor {
  RTL_CLASS(TClassProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // The published properties that the objects of every edited component
  // have in common, each with its editor.
  void GetProperties(const TGetPropProc& proc) override;
};

// Creates an editor of class `editorClass` (a TPropertyEditor descendant
// with a factory) for `prop` of the components (at least one).
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const rtl::TClass& editorClass, IDesigner* designer,
                                                      std::vector<rtl::TPersistent*> components,
                                                      const rtl::TPropInfo& prop);

// The editor class the Object Inspector uses for a property of a class:
// the registered one (FindPropertyEditorClass), else the framework's own
// for the property's kind.
const rtl::TClass& GetPropertyEditorClass(const rtl::TClass& componentClass, const rtl::TPropInfo& prop);

// Hands `proc` an editor for each published property that every one of the
// objects has (same name and type) and that a selection of that many may
// edit (paMultiSelect when there are several); the first object's order.
// Properties whose editors differ between the objects' classes are left
// out.
void GetComponentProperties(const std::vector<rtl::TPersistent*>& objects, IDesigner* designer,
                            const TGetPropProc& proc);

}  // namespace designide
