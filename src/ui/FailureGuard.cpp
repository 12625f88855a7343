#include "ui/FailureGuard.h"

#include <exception>
#include <string>

namespace tavilo {

namespace {

constexpr wchar_t kFailureNotice[] =
    L"خطایی رخ داد و کار خواسته‌شده انجام نشد؛ برنامه به کار خود ادامه می‌دهد.\n\n";

struct FailureNoticeState {
  MessageFn notice;
  bool told = false;
};

FailureNoticeState& State() {
  static FailureNoticeState state;
  return state;
}

// The exception being handled, in words.
std::wstring CaughtFailureText() {
  std::string what = "unknown exception";
  try {
    throw;
  } catch (const std::exception& failure) {
    what = failure.what();
  } catch (...) {
  }
  std::wstring text(what.size() + 1, L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, what.data(), static_cast<int>(what.size()),
                                         text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

}  // namespace

void SetFailureNotice(MessageFn notice) { State() = {std::move(notice), false}; }

void NoticeCaughtFailure() noexcept {
  try {
    const std::wstring what = CaughtFailureText();
    OutputDebugStringW((L"Tavilo: " + what + L"\n").c_str());
    FailureNoticeState& state = State();
    // Told before the box shows: the box's own message loop may meet the
    // same failure again.
    if (state.told || !state.notice) return;
    state.told = true;
    state.notice(kFailureNotice + what);
  } catch (...) {
    // Not even the notice could be shown; the program still goes on.
  }
}

}  // namespace tavilo
