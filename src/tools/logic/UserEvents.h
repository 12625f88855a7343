// The user's events as the windows see them: the store on the disk, the
// occurrences arranged for the month view (arranged again after each change),
// the calendar's notice and today's count for the tooltips. The program has
// one (ProgramEvents), read once after the strip's first paint.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "events/Event.h"
#include "events/EventStore.h"
#include "platform/Platform.h"

namespace tavilo {

class UserEvents {
 public:
  UserEvents();

  // Reads the events file through `platform` (EventStore::Load), replacing
  // whatever was read before.
  void Load(Platform& platform);

  std::span<const Event> Events() const;
  const EventOccurrences& Occurrences() const { return occurrences_; }
  // The positions of the events that occur on a day, in order.
  std::vector<std::size_t> OnDay(int32_t day, int correctionDays) const;

  // The store's notice (recovered, lines not read, only read), then why the
  // last save failed while its changes wait for the next one.
  std::wstring StatusText() const;

  // Why no event may be added or changed (the file could not be read, or a
  // newer version wrote it); empty when they may.
  std::wstring WhyUnchangeable() const { return store_ ? store_->WhyReadOnly() : std::wstring(); }

  // Each saved at once (EventStore); refused before the file is read.
  EventChange Add(Event event);
  EventChange Replace(std::size_t position, Event event);
  EventChange Remove(std::size_t position);
  // Tries once more to save changes a failed save left.
  EventChange SaveAgain();
  // What the program's end would leave unsaved, as the question before it:
  // why the save failed, the file, and whether the next start gets the
  // changes back; empty when everything is saved.
  std::wstring UnsavedOnExitText() const;
  // Records the day an event's reminder was due on and shown
  // (EventStore::MarkReminderShown); what it shows is unchanged.
  EventChange MarkReminderShown(std::size_t position, const EventDate& day);

 private:
  EventChange Changed(EventChange change);

  std::unique_ptr<EventStore> store_;
  EventOccurrences occurrences_;
  std::wstring saveFailure_;
};

UserEvents& ProgramEvents();

// "۲ رویداد امروز"; empty when there is none.
std::wstring TodayEventsText(std::size_t count);

}  // namespace tavilo
