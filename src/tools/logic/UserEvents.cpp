#include "tools/logic/UserEvents.h"

#include <utility>

#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr wchar_t kNotReadYet[] = L"رویدادها هنوز خوانده نشده‌اند";
constexpr wchar_t kTodayEvents[] = L" رویداد امروز";
constexpr wchar_t kKeptForNextStart[] =
    L"تغییرها در پرونده زیر ماند و اجرای بعدی Tavilo آن‌ها را بازمی‌گرداند:";
constexpr wchar_t kLostOnExit[] = L"تغییرهای ذخیره‌نشده با خروج از دست می‌روند.";
constexpr wchar_t kLeaveAnyway[] = L"با این حال از Tavilo خارج می‌شوید؟";
constexpr wchar_t kLeftToRight = L'\u200E';  // a path reads left to right

}  // namespace

UserEvents::UserEvents() : occurrences_(std::span<const Event>()) {}

void UserEvents::Load(Platform& platform) {
  store_ = std::make_unique<EventStore>(platform);
  store_->Load();
  saveFailure_.clear();
  occurrences_ = EventOccurrences(store_->Events());
}

std::span<const Event> UserEvents::Events() const {
  return store_ ? store_->Events() : std::span<const Event>();
}

std::vector<std::size_t> UserEvents::OnDay(int32_t day, int correctionDays) const {
  return occurrences_.OnDay(day, correctionDays);
}

std::wstring UserEvents::StatusText() const {
  std::wstring text = store_ ? store_->StatusText() : std::wstring();
  if (store_ && store_->HasUnsavedChanges() && !saveFailure_.empty()) {
    if (!text.empty()) text += L'\n';
    text += saveFailure_;
  }
  return text;
}

EventChange UserEvents::Add(Event event) {
  if (!store_) return {false, false, kNotReadYet};
  return Changed(store_->Add(std::move(event)));
}

EventChange UserEvents::Replace(std::size_t position, Event event) {
  if (!store_) return {false, false, kNotReadYet};
  return Changed(store_->Replace(position, std::move(event)));
}

EventChange UserEvents::Remove(std::size_t position) {
  if (!store_) return {false, false, kNotReadYet};
  return Changed(store_->Remove(position));
}

EventChange UserEvents::SaveAgain() {
  if (!store_) return {};
  return Changed(store_->SaveAgain());
}

std::wstring UserEvents::UnsavedOnExitText() const {
  if (!store_ || !store_->HasUnsavedChanges()) return {};
  std::wstring text = store_->SaveFailure() + L".\n" + kLeftToRight + store_->FilePath() + L"\n\n";
  if (store_->ChangesKeptForNextStart()) {
    text += std::wstring(kKeptForNextStart) + L"\n" + kLeftToRight + store_->FilePath() +
            L".tmp\n\n";
  } else {
    text += std::wstring(kLostOnExit) + L"\n\n";
  }
  return text + kLeaveAnyway;
}

EventChange UserEvents::MarkReminderShown(std::size_t position, const EventDate& day) {
  if (!store_) return {false, false, kNotReadYet};
  return store_->MarkReminderShown(position, day);
}

EventChange UserEvents::Changed(EventChange change) {
  if (!change.applied) return change;
  occurrences_ = EventOccurrences(store_->Events());
  saveFailure_ = change.saved ? std::wstring() : change.message;
  return change;
}

UserEvents& ProgramEvents() {
  static UserEvents events;
  return events;
}

std::wstring TodayEventsText(std::size_t count) {
  if (count == 0) return {};
  return PersianDigits(std::to_wstring(count)) + kTodayEvents;
}

}  // namespace tavilo
