#pragma once
// Runs code reached from a Qt signal (a person's action). Exceptions must not
// cross Qt's event loop: they are reported as the application reports them.
#include <exception>
#include <utility>

namespace vcl {

void ReportGuardedException(const std::exception& error) noexcept;
void ReportUnknownGuardedException() noexcept;

template <class F>
void Guarded(F&& action) noexcept {
  try {
    std::forward<F>(action)();
  } catch (const std::exception& e) {
    ReportGuardedException(e);
  } catch (...) {
    ReportUnknownGuardedException();
  }
}

}  // namespace vcl
