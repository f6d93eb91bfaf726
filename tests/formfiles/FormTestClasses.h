#pragma once
// Small component classes for the form-file tests: every kind of published
// property, a root with an inherited child, and a live-instance count so a
// test can tell that a refused file left nothing behind.
#include <string>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/objects/Collection.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace formtest {

// Objects of these classes alive right now.
int LiveObjects();

// Registers the test classes by name. They stay registered for the whole
// run: unregistering a class also drops its class type information, which
// the property tables of the classes point to.
void RegisterTestClasses();

const rtl::TTypeInfo& AlignTypeInfo();   // alNone, alTop, alClient
const rtl::TTypeInfo& StylesTypeInfo();  // set of fsBold, fsItalic, fsUnderline

class TTestFont : public rtl::TPersistent {
  RTL_CLASS(TTestFont)
 public:
  TTestFont();
  ~TTestFont() override;
  std::string Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }
  int64_t Style() const { return style_; }
  void SetStyle(int64_t v) { style_ = v; }

 private:
  std::string name_ = "Sans";
  int size_ = 8;
  int64_t style_ = 0;
};

class TTestItem : public rtl::TCollectionItem {
  RTL_CLASS(TTestItem)
 public:
  TTestItem();
  ~TTestItem() override;
  std::string Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int Value() const { return value_; }
  void SetValue(int v) { value_ = v; }
  rtl::TCollection* Children() const { return children_.get(); }

 private:
  std::string name_;
  int value_ = 0;
  std::unique_ptr<rtl::TCollection> children_;
};

enum class TAlign { alNone, alTop, alClient };

class TTestWidget : public rtl::TComponent {
  RTL_CLASS(TTestWidget)
 public:
  explicit TTestWidget(rtl::TComponent* owner);
  ~TTestWidget() override;

  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  int Count() const { return count_; }
  void SetCount(int v) { count_ = v; }
  int Revision() const { return 7; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }
  rtl::TStrings* Lines() const { return lines_.get(); }
  rtl::TCollection* Items() const { return items_.get(); }
  TTestFont* Font() const { return font_.get(); }
  TTestWidget* Buddy() const { return buddy_; }
  void SetBuddy(TTestWidget* v);
  // Published as a component reference: a class cannot name its own type
  // information while that is being built, so the setter checks the class.
  rtl::TComponent* BuddyRef() const { return buddy_; }
  void SetBuddyRef(rtl::TComponent* v) { SetBuddy(rtl::As<TTestWidget>(v)); }
  // Written to form files only while the widget is active.
  std::string Note() const { return note_; }
  void SetNote(const std::string& v) { note_ = v; }
  std::string OnChange() const { return onChange_; }
  void SetOnChange(const std::string& v) { onChange_ = v; }

  // What Loaded() saw: called how often, and the buddy's name at the time.
  int LoadedCalls() const { return loadedCalls_; }
  std::string BuddyAtLoaded() const { return buddyAtLoaded_; }
  bool DesigningAtCreate() const { return designingAtCreate_; }
  void Loaded() override;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  bool active_ = false;
  int count_ = 0;
  std::string caption_;
  TAlign align_ = TAlign::alNone;
  std::unique_ptr<rtl::TStringList> lines_;
  std::unique_ptr<rtl::TCollection> items_;
  std::unique_ptr<TTestFont> font_;
  TTestWidget* buddy_ = nullptr;
  std::string onChange_;
  std::string note_;
  int loadedCalls_ = 0;
  std::string buddyAtLoaded_;
  bool designingAtCreate_ = false;
};

// A plain root, and a root whose constructor creates the child "Header".
class TTestModule : public rtl::TComponent {
  RTL_CLASS(TTestModule)
 public:
  explicit TTestModule(rtl::TComponent* owner);
  ~TTestModule() override;
};

class TTestInheritedModule : public TTestModule {
  RTL_CLASS(TTestInheritedModule)
 public:
  explicit TTestInheritedModule(rtl::TComponent* owner);
};

}  // namespace formtest
