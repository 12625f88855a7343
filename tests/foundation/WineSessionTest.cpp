// The Wine session that runs the Windows tests: a live tick count, the
// locale the runner was asked for, a display, and a Tahoma that draws
// Persian.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[256] = {};
  DWORD length = GetEnvironmentVariableW(name, buffer, 256);
  return length > 0 && length < 256 ? std::wstring(buffer, length) : std::wstring();
}

// "en_GB.UTF-8" -> "en-GB".
std::wstring WindowsLocaleName(std::wstring posix_locale) {
  posix_locale = posix_locale.substr(0, posix_locale.find(L'.'));
  for (wchar_t& c : posix_locale) {
    if (c == L'_') c = L'-';
  }
  return posix_locale;
}

struct LocaleFacts {
  std::wstring short_date;
  UINT ansi_code_page;
};

const std::map<std::wstring, LocaleFacts>& KnownLocales() {
  static const std::map<std::wstring, LocaleFacts> facts = {
      {L"en-US", {L"M/d/yyyy", 1252}},
      {L"en-GB", {L"dd/MM/yyyy", 1252}},
      {L"fa-IR", {L"yyyy/M/d", 1256}},
  };
  return facts;
}

std::wstring RequestedLocale() {
  return WindowsLocaleName(EnvironmentValue(L"LC_ALL"));
}

TEST(WineSession, TickCountIsLiveAndNeverGoesBack) {
  ULONGLONG first = GetTickCount64();
  Sleep(20);
  ULONGLONG second = GetTickCount64();
  EXPECT_GT(first, 0u);
  EXPECT_GE(second, first);
}

TEST(WineSession, UserLocaleIsTheOneTheRunnerWasAskedFor) {
  std::wstring requested = RequestedLocale();
  ASSERT_FALSE(requested.empty()) << "the runner must pin LC_ALL";
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
  EXPECT_EQ(std::wstring(name), requested);
}

TEST(WineSession, LocaleSettingsFollowTheLocale) {
  auto known = KnownLocales().find(RequestedLocale());
  if (known == KnownLocales().end()) {
    GTEST_SKIP() << "no reference facts for this locale";
  }
  wchar_t short_date[80] = {};
  ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, short_date, 80), 0);
  EXPECT_EQ(std::wstring(short_date), known->second.short_date);
  EXPECT_EQ(GetACP(), known->second.ansi_code_page);
}

TEST(WineSession, TheSessionProvidesADisplay) {
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
  HWND window = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(DestroyWindow(window));
}

// Xvfb has no window manager; a window Wine thinks is managed makes every
// hide or destroy wait two seconds for one.
TEST(WineSession, WindowsAreNotLeftToAWindowManager) {
  wchar_t value[8] = {};
  DWORD size = sizeof(value);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed",
                         RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), L"N");
}

// Wine's own Tahoma draws Persian letters without their dots, so the
// session maps Tahoma to DejaVu Sans Condensed. The family name follows the
// request; the full name is the one of the font file actually drawing.
TEST(WineSession, TahomaIsDrawnWithAFaceThatHasEveryPersianLetter) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ARABIC_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, L"Tahoma");
  ASSERT_NE(font, nullptr);
  HGDIOBJ previous = SelectObject(dc, font);

  UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> storage(size);
  auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(storage.data());
  ASSERT_EQ(GetOutlineTextMetricsW(dc, size, metrics), size);
  std::wstring full_name(reinterpret_cast<const wchar_t*>(storage.data() +
                         reinterpret_cast<UINT_PTR>(metrics->otmpFullName)));

  // The letters Persian adds to Arabic, and Persian yeh and kaf.
  const std::wstring letters = L"پچژگیک";
  std::vector<WORD> glyphs(letters.size());
  DWORD converted = GetGlyphIndicesW(dc, letters.c_str(), static_cast<int>(letters.size()),
                                     glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);

  EXPECT_EQ(full_name, L"DejaVu Sans Condensed");
  ASSERT_EQ(converted, letters.size());
  for (size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for U+" << std::hex
                                 << static_cast<unsigned>(letters[i]);
  }
}

}  // namespace
