#include "tools/logic/CalendarDataFiles.h"

#include <optional>

#include "calendar/CalendarDataText.h"
#include "events/Utf8.h"
#include "platform/DataFolder.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr wchar_t kNotUsed[] = L" به کار نرفت";
constexpr wchar_t kNotRead[] = L" خوانده نشد";
constexpr wchar_t kNoData[] = L" (داده‌ای در آن نیست)";
constexpr wchar_t kNotUtf8[] = L" (UTF-8 نیست)";
constexpr wchar_t kDoesNotJoin[] = L" (با ماه‌های شناخته‌شده جور نیست)";

std::wstring& Notice() {
  static std::wstring notice;
  return notice;
}

// Each line begins with a right-to-left mark: it starts with the file's Latin
// name, and is still read right to left.
void AddNotice(const std::wstring& line) {
  if (!Notice().empty()) Notice() += L'\n';
  Notice() += L'\u200F' + line;
}

// The file's text; nothing when it is missing or cannot be used (and then
// the notice says so, unless it is missing).
std::optional<std::wstring> ReadDataFile(Platform& platform, const std::wstring& folder,
                                         const wchar_t* name) {
  std::string bytes;
  const long error = platform.ReadWholeFile(folder + L'\\' + name, bytes);
  if (error == kErrorFileNotFound || error == kErrorPathNotFound) return std::nullopt;
  if (error != kErrorSuccess) {
    AddNotice(name + std::wstring(kNotRead));
    return std::nullopt;
  }
  std::optional<std::wstring> text = DecodedUtf8(bytes);
  if (!text) AddNotice(name + std::wstring(kNotUsed) + kNotUtf8);
  return text;
}

void AddFault(const wchar_t* name, const DataFileCheck& check) {
  AddNotice(name + std::wstring(kNotUsed) +
            (check.faultLine == 0
                 ? std::wstring(kNoData)
                 : L" (سطر " + PersianDigits(std::to_wstring(check.faultLine)) + L")"));
}

}  // namespace

void LoadCalendarDataFiles(Platform& platform) {
  Notice().clear();
  UseAnnouncedMonths({});
  UseAnnouncedOccasions({});
  const std::wstring folder = UserDataFolder(platform);
  if (folder.empty()) return;

  if (const auto text = ReadDataFile(platform, folder, kLunarMonthsFileName)) {
    const LunarMonthsData months = ReadLunarMonths(*text);
    if (!months.check.valid) {
      AddFault(kLunarMonthsFileName, months.check);
    } else if (!UseAnnouncedMonths(months.months)) {
      AddNotice(kLunarMonthsFileName + std::wstring(kNotUsed) + kDoesNotJoin);
    }
  }
  if (const auto text = ReadDataFile(platform, folder, kHolidaysFileName)) {
    HolidaysData holidays = ReadHolidays(*text);
    if (holidays.check.valid) {
      UseAnnouncedOccasions(std::move(holidays.lines));
    } else {
      AddFault(kHolidaysFileName, holidays.check);
    }
  }
}

const std::wstring& CalendarDataNotice() { return Notice(); }

}  // namespace tavilo
