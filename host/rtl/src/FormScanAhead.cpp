#include "FormScanAhead.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace rtl {

TFormScanAhead::TFormScanAhead(const std::string& text, const std::string& source, size_t begin, size_t pieceBytes)
    : text_(text), source_(source), start_(begin) {
  for (size_t at = begin;;) {
    auto piece = std::make_unique<TPiece>();
    piece->Begin = at;
    piece->End = kNoEnd;
    const size_t cut = at + std::max<size_t>(pieceBytes, 1);
    const void* lineEnd = cut < text.size() ? std::memchr(text.data() + cut, '\n', text.size() - cut) : nullptr;
    if (lineEnd != nullptr) piece->End = static_cast<size_t>(static_cast<const char*>(lineEnd) - text.data()) + 1;
    if (piece->End >= text.size()) piece->End = kNoEnd;
    at = piece->End;
    pieces_.push_back(std::move(piece));
    if (at == kNoEnd) break;
  }
  pieces_[0]->State = kTaken;
  thread_ = std::thread([this] { Run(); });
}

TFormScanAhead::~TFormScanAhead() {
  stop_ = true;
  reader_.fetch_add(1);
  reader_.notify_all();
  thread_.join();
}

bool TFormScanAhead::Enter(size_t index) {
  reader_.store(index);
  reader_.notify_all();
  TPiece& piece = *pieces_[index];
  uint8_t state = kFree;
  if (piece.State.compare_exchange_strong(state, kTaken)) return true;
  while ((state = piece.State.load(std::memory_order_acquire)) != kDone) piece.State.wait(state);
  return false;
}

void TFormScanAhead::Leave(size_t index) {
  TPiece& piece = *pieces_[index];
  if (piece.State.load(std::memory_order_acquire) != kDone) return;  // the reader lexed it
  std::vector<TFormToken>().swap(piece.Tokens);
  std::string().swap(piece.Decoded);
}

void TFormScanAhead::Run() {
  for (size_t index = 1; index < pieces_.size(); ++index) {
    size_t reader;
    while ((reader = reader_.load()) + kAhead < index && !stop_) reader_.wait(reader);
    if (stop_) return;
    // A thread that fell behind starts again just ahead of the reader.
    index = std::max(index, reader + 1);
    if (index >= pieces_.size()) return;
    TPiece& piece = *pieces_[index];
    uint8_t state = kFree;
    if (!piece.State.compare_exchange_strong(state, kTaken)) continue;
    Lex(piece);
    piece.State.store(kDone, std::memory_order_release);
    piece.State.notify_all();
  }
}

void TFormScanAhead::Lex(TPiece& piece) const {
  // Decoded strings live in the lexer only until the next one: they are
  // copied into the piece, and their tokens pointed there once it is full.
  std::vector<std::pair<size_t, size_t>> decoded;  // token, offset in piece.Decoded
  try {
    TFormLexer lexer(text_, source_, start_, piece.Begin, piece.End);
    while (lexer.Scan()) {
      piece.Tokens.push_back(lexer.scanned_);
      const TFormToken& token = piece.Tokens.back();
      if (token.Kind == TFormTokenKind::String && token.Text.data() == lexer.decoded_.data()) {
        decoded.emplace_back(piece.Tokens.size() - 1, piece.Decoded.size());
        piece.Decoded.append(token.Text);
      }
      if (token.Kind == TFormTokenKind::End) break;
    }
  } catch (...) {
    piece.Error = std::current_exception();
  }
  for (auto [token, offset] : decoded) {
    std::string_view& text = piece.Tokens[token].Text;
    text = std::string_view(piece.Decoded).substr(offset, text.size());
  }
}

}  // namespace rtl
