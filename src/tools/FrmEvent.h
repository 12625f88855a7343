// The event editor: title, note, calendar, date, repeat and reminder of one
// of the user's events, new or kept. Enter saves (Ctrl+Enter in the note,
// where Enter starts a new line), Esc and the close box leave without
// saving. A save that is refused or fails keeps the form and says why under
// it; a saved event closes the editor. One editor is open at a time: asking
// for another brings the open one to the front with its draft.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "events/Event.h"
#include "platform/Platform.h"
#include "tools/logic/EventForm.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmEvent final : public ToolWindowBase<FrmEvent> {
 public:
  // Control identifiers, in tab order; the labels take no focus.
  enum Control : int {
    kTxtTitle = 201,
    kTxtNote,
    kCboCalendar,
    kTxtDate,
    kCboRepeat,
    kCboReminder,
    kTxtTime,
    kCmdSave,
    kCmdCancel,
    kLblTitle,
    kLblNote,
    kLblCalendar,
    kLblDate,
    kLblDateHint,
    kLblRepeat,
    kLblReminder,
    kLblTime,
    kLblMessage,
  };
  static const ToolWindowDesign kDesign;

  explicit FrmEvent(Platform& platform);
  ~FrmEvent() override;

  // Opens the editor on a new event on `day`, or on the event at `position`
  // of ProgramEvents(); an open editor comes to the front instead.
  void EditNew(int32_t day);
  void EditEvent(std::size_t position);
  // The event at `position` was deleted: the editor follows its event.
  void EventRemoved(std::size_t position);

  // Saves the form; a saved event closes the editor. False when the form
  // stays, with the reason shown.
  bool Save();
  // The form differs from what it was opened with.
  bool HasChanges() const;
  // The program ends: changes are saved as they are when the title is not
  // empty, and otherwise dropped.
  void KeepDraft();

  // The editor that is open, if any.
  static FrmEvent* OpenEditor() { return open_; }

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void Form_Destroyed();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void Edit(std::optional<std::size_t> position, int32_t day);
  void ShowForm(const EventForm& form);
  EventForm Form() const;
  void CalendarChanged();
  void ShowMessage(std::wstring_view text);
  // Save without closing: true when the event is on the disk.
  bool Store();

  static inline FrmEvent* open_ = nullptr;
  std::optional<std::size_t> editing_;  // nothing for a new event
  int32_t day_ = 0;
  EventForm opened_;
  EventCalendar shownCalendar_ = EventCalendar::Shamsi;
  std::optional<EventDate> reminderShown_;  // kept through an edit
};

// The exit path's step for the editor (Exit, the end of the session, a close
// request from outside): the open editor's draft is kept (KeepDraft), and a
// save that failed earlier is tried once more.
void KeepEventDraftOnExit();

// The menu's Exit, after KeepEventDraftOnExit: with changes still unsaved,
// asks whether to leave anyway. True to leave.
bool LeaveDespiteUnsavedEvents(Platform& platform, HWND owner);

}  // namespace tavilo
