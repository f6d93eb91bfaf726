#pragma once
// Lexing a long form text ahead of its reader, on a second thread. The text
// is cut into pieces at line starts (no token spans a line break, so each
// piece can be lexed on its own), and the thread lexes the pieces a little
// ahead of the reader. The reader takes a piece's tokens when it gets there,
// or lexes the piece itself when the thread has not finished it, so it never
// waits for the thread; an error in a piece is raised only when the reader
// reaches it, as if it had lexed the piece.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FormLexer.h"

namespace rtl {

class TFormScanAhead {
 public:
  struct TPiece {
    size_t Begin = 0;
    size_t End = 0;  // where the next piece begins; kNoEnd for the last one
    // Filled by the thread; once the piece is done, only the reader uses them.
    std::vector<TFormToken> Tokens;
    std::string Decoded;        // the text of strings that needed decoding
    std::exception_ptr Error;  // the lexing error that follows the tokens
    std::atomic<uint8_t> State{kFree};
  };
  static constexpr size_t kNoEnd = SIZE_MAX;

  // Cuts the text from `begin` into pieces of about `pieceBytes` and starts
  // the thread (std::system_error when none can be had); the reader is in
  // piece 0. In step, the thread lexes every later piece and the reader
  // waits for it (tests).
  TFormScanAhead(const std::string& text, const std::string& source, size_t begin, size_t pieceBytes,
                 bool inStep = false);
  // Stops the thread; tokens not taken are dropped.
  ~TFormScanAhead();
  TFormScanAhead(const TFormScanAhead&) = delete;
  TFormScanAhead& operator=(const TFormScanAhead&) = delete;

  const TPiece& Piece(size_t index) const { return *pieces_[index]; }
  // The reader enters piece `index`: false when the thread has lexed it,
  // true when the reader is to lex it itself.
  bool Enter(size_t index);
  // The reader has left piece `index`; its tokens are let go.
  void Leave(size_t index);

 private:
  enum : uint8_t { kFree, kTaken, kDone };
  // The thread stays at most this many pieces ahead of the reader, which
  // bounds the tokens held at once.
  static constexpr size_t kAhead = 2;

  void Run();
  void Lex(TPiece& piece) const;

  const std::string& text_;
  const std::string& source_;
  const size_t start_;  // where the text proper begins, after a byte-order mark
  const bool inStep_;
  std::vector<std::unique_ptr<TPiece>> pieces_;
  // Waits are rare (a piece is many lines), so they go through one lock.
  std::mutex mutex_;
  std::condition_variable changed_;  // the reader moved, a piece was done in step, or stop
  size_t reader_ = 0;                // the piece the reader is in
  bool stop_ = false;
  std::thread thread_;  // last: starts once the members it uses exist
};

}  // namespace rtl
