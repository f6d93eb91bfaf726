#pragma once
// Lines built in one buffer, each closed by recording where it ends: a
// writer of thousands of lines appends to one string instead of making a
// string per line. An entry may itself hold line breaks; only EndLine
// separates entries.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rtl {

class TLineText {
 public:
  // The text of the line being written; append to it, then EndLine.
  std::string& Current() { return text_; }
  void EndLine() { ends_.push_back(text_.size()); }
  void AddLine(std::string_view line) {
    text_.append(line);
    EndLine();
  }
  // Appends every line of `other`.
  void AddLines(const TLineText& other) {
    const size_t offset = text_.size();
    text_.append(other.text_);
    for (size_t end : other.ends_) ends_.push_back(offset + end);
  }
  // Drops every line, keeping the storage for the next ones.
  void Clear() {
    text_.clear();
    ends_.clear();
  }
  void Reserve(size_t bytes, size_t lines) {
    text_.reserve(bytes);
    ends_.reserve(lines);
  }

  size_t Count() const { return ends_.size(); }
  size_t Bytes() const { return text_.size(); }
  // Every line's text, one after the other, and where line `index` ends in
  // it: a reader may take the lines in one piece.
  std::string_view Text() const { return text_; }
  size_t End(size_t index) const { return ends_[index]; }
  // Hands the text of every line over to a reader that keeps it as it is
  // (End still answers; the text is then gone from here).
  std::string TakeText() { return std::move(text_); }
  std::string_view Line(size_t index) const {
    const size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }

 private:
  std::string text_;
  std::vector<size_t> ends_;
};

}  // namespace rtl
