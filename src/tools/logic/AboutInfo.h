// What the About window shows and does, apart from drawing: its texts, the
// search for the system information tool, and the web log command. Programs
// are started and the registry read through the platform seam.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "ui/ApplicationTitle.h"

namespace tavilo {

inline constexpr wchar_t kSysInfoUnavailableMessage[] =
    L"System Information Is Unavailable At This Time";
inline constexpr wchar_t kSysInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr wchar_t kSysInfoValue[] = L"PATH";
inline constexpr wchar_t kSysInfoLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr wchar_t kSysInfoLocationValue[] = L"MSINFO";
inline constexpr wchar_t kSysInfoFileName[] = L"\\MSINFO32.EXE";

// The author's particulars in the credits text and the web log command.
inline constexpr wchar_t kAuthorName[] = L"آرش نیک‌پور";
inline constexpr wchar_t kWebLogAddress[] = L"tavilo.example.org";
inline constexpr wchar_t kWebLogUrl[] = L"http://tavilo.example.org/";
inline constexpr wchar_t kAuthorEmail[] = L"tavilo@example.org";

// "About Tavilo".
std::wstring AboutCaption();
// "Version 1.0.0".
std::wstring VersionCaption(int major, int minor, int revision);
// The credits label: made by, web log, e-mail and a closing line, kept on
// lines of their own by runs of spaces.
std::wstring CreditsText();
// The credits as they are laid out: each long run of spaces, which is there
// to push the next part onto a line of its own, becomes a line break.
std::wstring CreditsLines(const std::wstring& credits);

// A text value under HKEY_LOCAL_MACHINE, opened read-only; nothing when the
// key or the value is missing or holds no text.
std::optional<std::wstring> GetKeyValue(Platform& platform, const std::wstring& KeyName,
                                        const std::wstring& SubKeyRef);

// Starts the system information tool: the path of the first registry value
// as it is, or else the second value's folder joined with "\MSINFO32.EXE"
// when that file exists. The path is started quoted, in a normal window.
// Every failure shows kSysInfoUnavailableMessage (owned by `owner`).
void StartSysInfo(Platform& platform, WindowHandle owner);

// Opens the author's web log: "explorer <address>", minimized.
void OpenWebLog(Platform& platform);

}  // namespace tavilo
