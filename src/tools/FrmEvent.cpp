#include "tools/FrmEvent.h"

#include <string>

#include "tools/logic/UserEvents.h"
#include "ui/ApplicationTitle.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmEvent";
constexpr wchar_t kNewCaption[] = L"رویداد جدید";
constexpr wchar_t kEditCaption[] = L"ویرایش رویداد";

// Client area in twips: 360 x 322 pixels at 96 DPI.
constexpr float kClientWidth = 5400;
constexpr float kClientHeight = 4830;

constexpr DWORD kBoxExStyle = kRightToLeftExStyle | WS_EX_CLIENTEDGE;
constexpr DWORD kListStyle = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kLabelStyle = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

// In tab order; a list's height is its dropped-down height. The labels
// stand at the right of their boxes.
constexpr ControlSpec kControls[] = {
    {FrmEvent::kTxtTitle, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kBoxExStyle, 120, 120, 4020,
     360},
    {FrmEvent::kTxtNote, L"EDIT", L"",
     ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_RIGHT | WS_VSCROLL | WS_TABSTOP,
     kBoxExStyle, 120, 570, 4020, 1140},
    {FrmEvent::kCboCalendar, L"COMBOBOX", L"", kListStyle, kRightToLeftExStyle, 2340, 1830, 1800,
     1500},
    {FrmEvent::kTxtDate, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kBoxExStyle, 2340, 2280, 1800,
     360},
    {FrmEvent::kCboRepeat, L"COMBOBOX", L"", kListStyle, kRightToLeftExStyle, 2340, 2730, 1800,
     1500},
    {FrmEvent::kCboReminder, L"COMBOBOX", L"", kListStyle, kRightToLeftExStyle, 1740, 3180, 2400,
     1800},
    {FrmEvent::kTxtTime, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kBoxExStyle, 120, 3180, 900,
     360},
    {FrmEvent::kCmdSave, L"BUTTON", L"ذخیره", kButtonStyle, WS_EX_RTLREADING, 1320, 4320, 1080,
     390},
    {FrmEvent::kCmdCancel, L"BUTTON", L"انصراف", kButtonStyle, WS_EX_RTLREADING, 120, 4320, 1080,
     390},
    {FrmEvent::kLblTitle, L"STATIC", L"عنوان", kLabelStyle, kRightToLeftExStyle, 4260, 150, 1020,
     300},
    {FrmEvent::kLblNote, L"STATIC", L"یادداشت", kLabelStyle, kRightToLeftExStyle, 4260, 600, 1020,
     300},
    {FrmEvent::kLblCalendar, L"STATIC", L"تقویم", kLabelStyle, kRightToLeftExStyle, 4260, 1860,
     1020, 300},
    {FrmEvent::kLblDate, L"STATIC", L"تاریخ", kLabelStyle, kRightToLeftExStyle, 4260, 2310, 1020,
     300},
    {FrmEvent::kLblRepeat, L"STATIC", L"تکرار", kLabelStyle, kRightToLeftExStyle, 4260, 2760,
     1020, 300},
    {FrmEvent::kLblReminder, L"STATIC", L"یادآوری", kLabelStyle, kRightToLeftExStyle, 4260, 3210,
     1020, 300},
    {FrmEvent::kLblTime, L"STATIC", L"ساعت", kLabelStyle, kRightToLeftExStyle, 1080, 3210, 600,
     300},
    {FrmEvent::kLblMessage, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 3660, 5160,
     600},
};

// The lists' items, in the order of EventCalendar, EventRepeat and
// kReminderDaysBefore.
constexpr const wchar_t* kCalendarItems[] = {L"شمسی", L"قمری", L"میلادی"};
constexpr const wchar_t* kRepeatItems[] = {L"بدون تکرار", L"هر سال", L"هر ماه"};
constexpr const wchar_t* kReminderItems[] = {
    L"بدون یادآوری", L"روز رویداد", L"روز رویداد و ۱ روز پیش",
    L"روز رویداد و ۳ روز پیش", L"روز رویداد و ۷ روز پیش"};

int Correction() { return ProgramSettings().lunarCorrection; }

}  // namespace

const ToolWindowDesign FrmEvent::kDesign{
    kClassName,    kNewCaption,        kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,             0,                  kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, FrmEvent::kTxtTitle, FrmEvent::kCmdSave};

FrmEvent::FrmEvent(Platform& platform) : ToolWindowBase(platform) {}

FrmEvent::~FrmEvent() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void FrmEvent::EditNew(int32_t day) { Edit(std::nullopt, day); }

void FrmEvent::EditEvent(std::size_t position) { Edit(position, 0); }

void FrmEvent::Edit(std::optional<std::size_t> position, int32_t day) {
  if (hwnd_) {
    BringToFront();
    return;
  }
  editing_ = position;
  day_ = day;
  Open();
}

void FrmEvent::EventRemoved(std::size_t position) {
  if (!editing_ || *editing_ < position) return;
  if (*editing_ == position) {
    editing_.reset();  // a save adds it again
  } else {
    --*editing_;
  }
}

void FrmEvent::BuildWindow() {
  open_ = this;
  const auto fill = [this](int id, const auto& items) {
    for (const wchar_t* item : items)
      SendDlgItemMessageW(hwnd_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  };
  fill(kCboCalendar, kCalendarItems);
  fill(kCboRepeat, kRepeatItems);
  fill(kCboReminder, kReminderItems);

  const std::span<const Event> events = ProgramEvents().Events();
  if (editing_ && *editing_ < events.size()) {
    const Event& event = events[*editing_];
    reminderShown_ = event.lastReminderShown;
    ShowForm(FormOfEvent(event));
    SetWindowTextW(hwnd_, kEditCaption);
  } else {
    editing_.reset();
    reminderShown_.reset();
    ShowForm(NewEventForm(day_, Correction()));
  }
  opened_ = Form();

  CentreOverActiveWindow();  // the calendar it was asked from
}

void FrmEvent::Form_Destroyed() {
  if (open_ == this) open_ = nullptr;
}

LRESULT FrmEvent::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) {
    const int notification = HIWORD(wparam);
    switch (LOWORD(wparam)) {
      case kCmdSave:
        if (notification == BN_CLICKED) Save();
        return 0;
      case kCmdCancel:
        if (notification == BN_CLICKED) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        return 0;
      case kCboCalendar:
        if (notification == CBN_SELCHANGE) CalendarChanged();
        return 0;
      case kCboReminder:
        if (notification == CBN_SELCHANGE)
          EnableWindow(GetDlgItem(hwnd_, kTxtTime), Form().reminder > 0);
        return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmEvent::ShowForm(const EventForm& form) {
  SetDlgItemTextW(hwnd_, kTxtTitle, form.title.c_str());
  SetDlgItemTextW(hwnd_, kTxtNote, form.note.c_str());
  SetDlgItemTextW(hwnd_, kTxtDate, form.date.c_str());
  SetDlgItemTextW(hwnd_, kTxtTime, form.time.c_str());
  SendDlgItemMessageW(hwnd_, kCboCalendar, CB_SETCURSEL, static_cast<WPARAM>(form.calendar), 0);
  SendDlgItemMessageW(hwnd_, kCboRepeat, CB_SETCURSEL, static_cast<WPARAM>(form.repeat), 0);
  SendDlgItemMessageW(hwnd_, kCboReminder, CB_SETCURSEL, static_cast<WPARAM>(form.reminder), 0);
  EnableWindow(GetDlgItem(hwnd_, kTxtTime), form.reminder > 0);
  shownCalendar_ = form.calendar;
}

EventForm FrmEvent::Form() const {
  const auto text = [this](int id) {
    HWND box = GetDlgItem(hwnd_, id);
    std::wstring value(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    value.resize(static_cast<std::size_t>(
        GetWindowTextW(box, value.data(), static_cast<int>(value.size()))));
    return value;
  };
  const auto chosen = [this](int id) {
    return static_cast<int>(SendDlgItemMessageW(hwnd_, id, CB_GETCURSEL, 0, 0));
  };
  EventForm form;
  form.title = text(kTxtTitle);
  form.note = text(kTxtNote);
  form.calendar = static_cast<EventCalendar>(chosen(kCboCalendar));
  form.date = text(kTxtDate);
  form.repeat = static_cast<EventRepeat>(chosen(kCboRepeat));
  form.reminder = chosen(kCboReminder);
  form.time = text(kTxtTime);
  return form;
}

// The typed date follows to the calendar chosen, as the same day.
void FrmEvent::CalendarChanged() {
  const EventForm form = Form();
  const std::wstring date = DateInCalendar(form.date, shownCalendar_, form.calendar, Correction());
  SetDlgItemTextW(hwnd_, kTxtDate, date.c_str());
  shownCalendar_ = form.calendar;
}

void FrmEvent::ShowMessage(std::wstring_view text) {
  SetDlgItemTextW(hwnd_, kLblMessage, std::wstring(text).c_str());
}

bool FrmEvent::HasChanges() const { return hwnd_ && Form() != opened_; }

bool FrmEvent::Save() {
  if (!Store()) return false;
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  return true;
}

bool FrmEvent::Store() {
  if (!hwnd_) return false;
  const EventForm form = Form();
  FormReading reading = ReadEventForm(form);
  if (!reading.event) {
    ShowMessage(reading.problem);
    return false;
  }
  reading.event->lastReminderShown = reminderShown_;
  UserEvents& events = ProgramEvents();
  const EventChange change = editing_ ? events.Replace(*editing_, std::move(*reading.event))
                                      : events.Add(std::move(*reading.event));
  if (!change.applied) {
    ShowMessage(change.message);
    return false;
  }
  // In memory now, whether saved or not: the next save replaces it.
  if (!editing_) editing_ = events.Events().size() - 1;
  opened_ = form;
  BroadcastEventsChanged();
  ShowMessage(change.message);  // why it was not saved; empty when it was
  return change.saved;
}

void FrmEvent::KeepDraft() {
  if (!HasChanges()) return;
  Store();  // refused when untitled (or undated): dropped with the window
}

void KeepEventDraftOnExit() {
  if (FrmEvent* editor = FrmEvent::OpenEditor()) editor->KeepDraft();
  ProgramEvents().SaveAgain();
}

bool LeaveDespiteUnsavedEvents(Platform& platform, HWND owner) {
  const std::wstring question = ProgramEvents().UnsavedOnExitText();
  if (question.empty()) return true;
  return platform.ShowMessageBox(owner, question, kApplicationTitle,
                                 kMbYesNo | kMbDefButton2 | kMbIconExclamation | kMbRight |
                                     kMbRtlReading) == kIdYes;
}

}  // namespace tavilo
