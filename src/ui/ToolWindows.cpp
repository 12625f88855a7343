#include "ui/ToolWindows.h"

#include <utility>

namespace tavilo {

void ToolWindowRegistry::Register(ToolWindowKind kind, std::unique_ptr<ToolWindow> window) {
  windows_[kind] = std::move(window);
}

ToolWindow* ToolWindowRegistry::Find(ToolWindowKind kind) const {
  const auto found = windows_.find(kind);
  return found == windows_.end() ? nullptr : found->second.get();
}

void ToolWindowRegistry::Show(ToolWindowKind kind) {
  const auto found = windows_.find(kind);
  if (found == windows_.end() || !found->second) return;
  ToolWindow& window = *found->second;
  if (window.IsOpen()) {
    window.BringToFront();
  } else {
    window.Open();
  }
}

}  // namespace tavilo
