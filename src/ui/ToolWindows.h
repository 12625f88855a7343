// The tool windows reached from the popup menu. Each is one program-wide
// instance: created (and loaded) on first use, brought to the front while it
// is open, and loaded afresh after it has closed itself.
#pragma once

#include <map>
#include <memory>

namespace tavilo {

enum class ToolWindowKind {
  kFrmCalendar,
  kFrmPlay,
  kFrmShutDown,
  kDateConvert,
  kFrmTrans,
  kFrmAbout,
  kFrmPrayer,
};

class ToolWindow {
 public:
  virtual ~ToolWindow() = default;
  // Whether the window is loaded (shown, or hidden but alive).
  virtual bool IsOpen() const = 0;
  // Creates the window (its load handler runs) and shows it modeless, with no
  // owner window.
  virtual void Open() = 0;
  // Shows the loaded window and brings it to the front without loading it again.
  virtual void BringToFront() = 0;
};

class ToolWindowRegistry {
 public:
  void Register(ToolWindowKind kind, std::unique_ptr<ToolWindow> window);
  // Opens the window or brings it to the front. A kind that no window has
  // been registered for does nothing.
  void Show(ToolWindowKind kind);
  // The window registered for a kind, or nullptr.
  ToolWindow* Find(ToolWindowKind kind) const;

 private:
  std::map<ToolWindowKind, std::unique_ptr<ToolWindow>> windows_;
};

}  // namespace tavilo
