#include "rtl/text/Strings.h"

#include <algorithm>
#include <utility>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/files/Streams.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const TClass& TStrings::StaticClass() {
  static const TClass cls("TStrings", &TPersistent::StaticClass());
  return cls;
}

const TClass& TStringList::StaticClass() {
  static const TClass cls = ClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Creatable().Build();
  return cls;
}

void TStrings::IndexError(int index) const {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& s) {
  TObject* obj = GetObject(index);
  BeginUpdate();
  Delete(index);
  InsertObject(index, s, obj);
  EndUpdate();
}

TObject* TStrings::GetObject(int index) const {
  (void)index;
  return nullptr;
}

void TStrings::PutObject(int index, TObject* obj) {
  (void)index;
  (void)obj;
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  BeginUpdate();
  std::string s = Get(from);
  TObject* obj = GetObject(from);
  Delete(from);
  InsertObject(to, s, obj);
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  if (a == b) return;
  BeginUpdate();
  std::string sa = Get(a), sb = Get(b);
  TObject *oa = GetObject(a), *ob = GetObject(b);
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
  EndUpdate();
}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
  int index = Add(s);
  PutObject(index, obj);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0, n = other.Count(); i < n; ++i) AddObject(other.Get(i), other.GetObject(i));
  EndUpdate();
}

void TStrings::SetLines(TLineText lines) {
  BeginUpdate();
  Clear();
  for (size_t i = 0; i < lines.Count(); ++i) Add(std::string(lines.Line(i)));
  EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStrings*>(&source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*other);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    std::string entry = Get(i);
    auto eq = entry.find('=');
    if (eq != std::string::npos && CompareStrings(entry.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

std::string TStrings::Names(int index) const {
  std::string entry = Get(index);
  auto eq = entry.find('=');
  return eq == std::string::npos ? std::string() : entry.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
  std::string entry = Get(index);
  auto eq = entry.find('=');
  return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

std::string TStrings::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(name + "=" + value);
  } else {
    Put(i, name + "=" + value);
  }
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Get(i);
    text += LineBreak;
  }
  return text;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0, n = Count(); i < n; ++i) {
    if (i > 0) out += ',';
    std::string s = Get(i);
    bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
    if (quote) {
      out += '"';
      for (char c : s) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    } else {
      out += s;
    }
  }
  return out;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(Count()));
  for (int i = 0, n = Count(); i < n; ++i) v.push_back(Get(i));
  return v;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool updating) { (void)updating; }

void TStrings::SaveToStream(TStream& stream) const { stream.WriteString(Text()); }

void TStrings::LoadFromStream(TStream& stream) {
  std::string data = stream.ReadAll();
  if (data.rfind("\xEF\xBB\xBF", 0) == 0) data.erase(0, 3);
  SetText(data);
}

void TStrings::SaveToFile(const std::string& fileName) const { WriteFileAtomic(fileName, Text()); }

void TStrings::LoadFromFile(const std::string& fileName) {
  TStringStream stream(ReadFileToString(fileName));
  LoadFromStream(stream);
}

// ---- TStringList ----------------------------------------------------------

TStringList::TStringList(std::initializer_list<std::string> items) {
  for (const auto& s : items) {
    items_.push_back({text_.size(), s.size(), nullptr});
    text_.append(s);
  }
}

TStringList::~TStringList() {
  if (ownsObjects_)
    for (auto& item : items_) delete item.object;
}

std::string TStringList::Get(int index) const { return std::string(Strings(index)); }

std::string_view TStringList::Strings(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return TextOf(items_[static_cast<size_t>(index)]);
}

void TStringList::StoreText(Item& item, std::string_view s) {
  if (s.size() <= item.length) {
    s.copy(text_.data() + item.begin, s.size());
    unusedBytes_ += item.length - s.size();
  } else {
    unusedBytes_ += item.length;
    item.begin = text_.size();
    text_.append(s);
  }
  item.length = s.size();
}

void TStringList::DropUnusedText() {
  if (unusedBytes_ * 2 <= text_.size()) return;
  std::string packed;
  packed.reserve(text_.size() - unusedBytes_);
  for (Item& item : items_) {
    const size_t begin = packed.size();
    packed.append(TextOf(item));
    item.begin = begin;
  }
  text_ = std::move(packed);
  unusedBytes_ = 0;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (index < 0 || index >= Count()) IndexError(index);
  StoreText(items_[static_cast<size_t>(index)], s);
  DropUnusedText();
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* obj) {
  if (index < 0 || index >= Count()) IndexError(index);
  items_[static_cast<size_t>(index)].object = obj;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) {
    int at = 0;
    if (FindSorted(s, at)) {
      if (duplicates_ == TDuplicates::dupIgnore) return;
      if (duplicates_ == TDuplicates::dupError) throw EListError("String list does not allow duplicates");
    }
    index = at;
  }
  if (index < 0 || index > Count()) IndexError(index);
  items_.insert(items_.begin() + index, Item{text_.size(), s.size(), nullptr});
  text_.append(s);
  Changed();
}

void TStringList::SetLines(TLineText lines) {
  // A sorted list places each line itself.
  if (sorted_) {
    TStrings::SetLines(std::move(lines));
    return;
  }
  for (Item& item : items_) FreeObject(item.object);
  items_.resize(lines.Count());
  size_t begin = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    items_[i] = Item{begin, lines.End(i) - begin, nullptr};
    begin = lines.End(i);
  }
  // The lines' own block becomes the list's: no line is copied.
  text_ = lines.TakeText();
  unusedBytes_ = 0;
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) IndexError(index);
  TObject* obj = items_[static_cast<size_t>(index)].object;
  unusedBytes_ += items_[static_cast<size_t>(index)].length;
  items_.erase(items_.begin() + index);
  DropUnusedText();
  FreeObject(obj);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  auto old = std::move(items_);
  items_.clear();
  text_ = std::string();
  unusedBytes_ = 0;
  for (auto& item : old) FreeObject(item.object);
  Changed();
}

void TStringList::Move(int from, int to) {
  if (from == to) return;
  if (from < 0 || from >= Count()) IndexError(from);
  if (to < 0 || to >= Count()) IndexError(to);
  Item item = items_[static_cast<size_t>(from)];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
  Changed();
}

int TStringList::IndexOf(const std::string& s) const {
  if (sorted_) {
    int at = 0;
    return FindSorted(s, at) ? at : -1;
  }
  for (size_t i = 0; i < items_.size(); ++i)
    if (CompareStrings(TextOf(items_[i]), s) == 0) return static_cast<int>(i);
  return -1;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    sorted_ = true;
    Sort();
  }
  sorted_ = sorted;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(TextOf(a), TextOf(b)) < 0; });
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  if (caseSensitive_) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  return AnsiCompareText(a, b);
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating) Changed();
}

bool TStringList::FindSorted(std::string_view s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(TextOf(items_[static_cast<size_t>(mid)]), s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

void TStringList::Changed() {
  if (!Updating() && OnChange) OnChange(*this);
}

void TStringList::FreeObject(TObject* obj) {
  if (ownsObjects_) delete obj;
}

}  // namespace rtl
