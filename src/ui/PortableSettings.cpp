#include "ui/PortableSettings.h"

#include <charconv>
#include <utility>

#include "platform/DataFolder.h"
#include "platform/SafeReplace.h"
#include "ui/ApplicationTitle.h"

namespace tavilo {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr wchar_t kNotWritable[] =
    L"Tavilo در پوشهٔ خود نمی‌تواند بنویسد؛ تنظیماتی که تغییر می‌دهید تا بستن "
    L"برنامه به کار می‌روند ولی در portable.ini ذخیره نمی‌شوند.";

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// Calls visit(line, value) for every line naming `name`; `line` spans the
// whole line without its end.
template <typename Visit>
void ForEachLineOf(std::string_view text, std::string_view name, Visit visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    const std::string_view content = Trimmed(line);
    const std::size_t equals = content.find('=');
    if (!content.starts_with(';') && !content.starts_with('#') && equals != std::string_view::npos &&
        SameName(Trimmed(content.substr(0, equals)), name)) {
      visit(line, Trimmed(content.substr(equals + 1)));
    }
    at = end + 1;
  }
}

std::string AsciiName(const wchar_t* name) {
  std::string ascii;
  for (; *name; ++name) ascii += static_cast<char>(*name);
  return ascii;
}

int SettingFromIniValue(Setting setting, std::optional<std::string_view> text) {
  const int fallback = Settings{}.Get(setting);
  if (!text || text->empty()) return fallback;
  std::string_view digits = *text;
  if (digits.starts_with('+')) digits.remove_prefix(1);  // from_chars takes '-' only
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return fallback;
  const SettingRule& rule = RuleOf(setting);
  return value >= rule.minimum && value <= rule.maximum ? value : fallback;
}

}  // namespace

std::optional<std::string_view> IniValue(std::string_view text, std::string_view name) {
  std::optional<std::string_view> found;
  ForEachLineOf(text, name, [&](std::string_view, std::string_view value) { found = value; });
  return found;
}

std::string WithIniValue(std::string_view text, std::string_view name, std::string_view value) {
  const std::string line = std::string(name) + '=' + std::string(value);
  std::optional<std::string_view> last;
  ForEachLineOf(text, name, [&](std::string_view whole, std::string_view) { last = whole; });
  if (last) {
    const auto at = static_cast<std::size_t>(last->data() - text.data());
    const bool carriageReturn = last->ends_with('\r');
    return std::string(text.substr(0, at)) + line + (carriageReturn ? "\r" : "") +
           std::string(text.substr(at + last->size()));
  }
  std::string result(text);
  if (!result.empty() && !result.ends_with('\n')) result += kLineEnd;
  return result + line + kLineEnd;
}

Settings SettingsFromIni(std::string_view text) {
  Settings settings;
  for (Setting setting : AllSettings())
    settings.Put(setting, SettingFromIniValue(setting, IniValue(text, AsciiName(RuleOf(setting).valueName))));
  return settings;
}

IniSettingsStore::IniSettingsStore(Platform& platform, std::wstring path)
    : platform_(platform), path_(std::move(path)) {}

Settings IniSettingsStore::Load() {
  text_.clear();
  if (platform_.ReadWholeFile(path_, text_) != kErrorSuccess) text_.clear();
  return SettingsFromIni(text_);
}

bool IniSettingsStore::Store(Setting setting, int value) {
  return StoreText(AsciiName(RuleOf(setting).valueName), std::to_string(value));
}

std::optional<std::string_view> IniSettingsStore::Text(std::string_view name) const {
  return IniValue(text_, name);
}

bool IniSettingsStore::StoreText(std::string_view name, std::string_view value) {
  text_ = WithIniValue(text_, name, value);
  std::wstring failedPath;
  if (ReplaceFileSafely(platform_, path_, text_, true, failedPath) == kErrorSuccess) return true;
  if (!told_) {
    told_ = true;
    platform_.ShowMessageBox(nullptr, kNotWritable, kApplicationTitle,
                             kMbOk | kMbRight | kMbRtlReading);
  }
  return false;
}

void LoadProgramSettings(Platform& platform) {
  if (!ChoosePortableMode(platform)) {
    ProgramSettings() = LoadSettings(platform);
    return;
  }
  std::optional<IniSettingsStore>& store = ProgramIniSettings();
  store.emplace(platform, PortableIniPath(platform));
  ProgramSettings() = store->Load();
  UseSettingWriter([](Setting setting, int value) { return ProgramIniSettings()->Store(setting, value); });
}

std::optional<IniSettingsStore>& ProgramIniSettings() {
  static std::optional<IniSettingsStore> store;
  return store;
}

}  // namespace tavilo
