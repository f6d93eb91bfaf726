#pragma once
// TStrings: an ordered list of UTF-8 strings, each with an optional object.
// Entries of the form name=value are looked up by name ignoring case.
// TStringList keeps its entries in memory, their texts in one block;
// widget layers derive their own TStrings that read and write the control.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/text/LineText.h"
#include "rtl/objects/Persistent.h"

namespace rtl {

class TStream;

class TStrings : public TPersistent {
  RTL_CLASS(TStrings)
 public:
  // Line break used by Text; reading Text also accepts CR LF and CR.
  static constexpr const char* LineBreak = "\n";

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* obj);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Move(int from, int to);
  void Exchange(int a, int b);

  std::string operator[](int index) const { return Get(index); }
  int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* obj);
  void InsertObject(int index, const std::string& s, TObject* obj);
  void AddStrings(const TStrings& other);
  // Replaces every entry with the lines, in one change. A list that keeps
  // its entries takes the lines' text over as its own block: hand the lines
  // over (std::move) and nothing is copied.
  virtual void SetLines(TLineText lines);
  void Assign(const TPersistent& source) override;
  bool Equals(const TStrings& other) const;

  virtual int IndexOf(const std::string& s) const;  // ignores case
  int IndexOfName(const std::string& name) const;   // ignores case
  int IndexOfObject(const TObject* obj) const;
  std::string Names(int index) const;           // text before the first "="
  std::string ValueFromIndex(int index) const;  // text after the first "="
  std::string Values(const std::string& name) const;
  // Sets the value of the first entry of that name; an empty value deletes
  // it, a new name appends an entry.
  void SetValue(const std::string& name, const std::string& value);

  std::string Text() const;  // entries joined, each followed by LineBreak
  virtual void SetText(const std::string& text);
  std::string CommaText() const;
  std::vector<std::string> ToVector() const;

  void BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
  }
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);
  void SaveToFile(const std::string& fileName) const;
  void LoadFromFile(const std::string& fileName);

 protected:
  virtual void SetUpdateState(bool updating);
  // Compares two entries the way look-ups do (locale-aware, ignoring case).
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  [[noreturn]] void IndexError(int index) const;

 private:
  int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  RTL_CLASS(TStringList)
 public:
  TStringList() = default;
  explicit TStringList(std::initializer_list<std::string> items);
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  // The entry itself, for readers that need no copy of it; valid until the
  // list next changes.
  std::string_view Strings(int index) const;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Move(int from, int to) override;
  void SetLines(TLineText lines) override;
  int IndexOf(const std::string& s) const override;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  void Sort();
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool on) { caseSensitive_ = on; }
  // When true the list deletes the objects of its entries.
  void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }

  std::function<void(TStringList&)> OnChange;

 protected:
  int CompareStrings(std::string_view a, std::string_view b) const override;
  void SetUpdateState(bool updating) override;

 private:
  // An entry: its text is text_[begin, begin + length). The texts of all
  // entries share one block, so that a list of thousands of lines is filled
  // with one copy rather than one allocation per line.
  struct Item {
    size_t begin = 0;
    size_t length = 0;
    TObject* object = nullptr;
  };
  std::string_view TextOf(const Item& item) const { return std::string_view(text_).substr(item.begin, item.length); }
  // Makes `s` the text of `item`: in its own place when it fits, else at
  // the end of the block.
  void StoreText(Item& item, std::string_view s);
  // Packs the block once most of it is text that no entry holds any more.
  void DropUnusedText();
  void Changed();
  bool FindSorted(std::string_view s, int& index) const;
  void FreeObject(TObject* obj);

  std::string text_;
  size_t unusedBytes_ = 0;  // of text_, held by no entry
  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

}  // namespace rtl
