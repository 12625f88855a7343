#include "tools/logic/PrayerWindowFit.h"

#include <algorithm>

namespace tavilo {

ClientFit FitClient(PixelSize content, PixelSize frame, PixelSize bars, PixelSize workArea) {
  bool vertical = false;
  bool horizontal = false;
  // A bar on one axis narrows the other: twice settles it.
  for (int round = 0; round < 2; ++round) {
    vertical = content.height + frame.height + (horizontal ? bars.height : 0) > workArea.height;
    horizontal = content.width + frame.width + (vertical ? bars.width : 0) > workArea.width;
  }
  const PixelSize window{
      std::min(content.width + frame.width + (vertical ? bars.width : 0), workArea.width),
      std::min(content.height + frame.height + (horizontal ? bars.height : 0), workArea.height)};
  const PixelSize view{
      std::max(window.width - frame.width - (vertical ? bars.width : 0), 0),
      std::max(window.height - frame.height - (horizontal ? bars.height : 0), 0)};
  return {window, view, horizontal, vertical};
}

int ScrolledPosition(int position, ScrollRequest request, int to, int content, int view, int line) {
  const int last = std::max(content - view, 0);
  switch (request) {
    case ScrollRequest::kLineBack: position -= line; break;
    case ScrollRequest::kLineForward: position += line; break;
    case ScrollRequest::kPageBack: position -= std::max(view - line, line); break;
    case ScrollRequest::kPageForward: position += std::max(view - line, line); break;
    case ScrollRequest::kTo: position = to; break;
    case ScrollRequest::kStart: position = 0; break;
    case ScrollRequest::kEnd: position = last; break;
  }
  return std::clamp(position, 0, last);
}

int PositionShowing(int position, int view, int start, int end) {
  if (start < position || end - start > view) return start;
  if (end > position + view) return end - view;
  return position;
}

}  // namespace tavilo
