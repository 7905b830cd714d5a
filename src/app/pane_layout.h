#pragma once

#include <optional>

// Width rules of the left pane. x positions are relative to the main window's left edge.
namespace quillon::pane_layout {

inline constexpr int kSplitterWidth = 5;
inline constexpr int kStartLeftWidth = 200;

// 95% of the window width, truncated.
constexpr int widthLimit(int windowWidth) { return windowWidth * 95 / 100; }

// While the splitter is dragged: the new left pane width, or nothing when the cursor is too far left
// (the pane then keeps its last width, never narrower than 199 pixels).
constexpr std::optional<int> widthWhileDragging(int cursorX) {
  if (cursorX > 203) return cursorX - kSplitterWidth;
  return std::nullopt;
}

// When the drag ends, and when the editing pane is resized.
constexpr int widthAfterDrag(int leftWidth, int windowWidth) {
  return leftWidth > widthLimit(windowWidth) ? widthLimit(windowWidth) : leftWidth;
}

constexpr int widthOnWindowResize(int leftWidth, int windowWidth) {
  return (leftWidth > 205 && leftWidth > widthLimit(windowWidth)) ? widthLimit(windowWidth) : leftWidth;
}

constexpr int widthOnEditorPaneResize(int leftWidth, int windowWidth) {
  return (leftWidth > 200 && leftWidth > widthLimit(windowWidth)) ? widthLimit(windowWidth) : leftWidth;
}

}  // namespace quillon::pane_layout
