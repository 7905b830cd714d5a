#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "base/colour_names.h"

namespace quillon {

// The editing window as far as an insertion reads it: its bytes and its selection.
struct EditView {
  std::string_view text;
  size_t selStart = 0;
  size_t selLength = 0;
};

// The same, owning its text (the result of applying an insertion).
struct EditState {
  std::string text;
  size_t selStart = 0;
  size_t selLength = 0;
  bool operator==(const EditState&) const = default;
  operator EditView() const { return {text, selStart, selLength}; }
};

// One change to the window: replace [start, start + removeLength) by text, then select
// [selStart, selStart + selLength). Applied to a large document it costs the size of the change only.
struct Insertion {
  size_t start = 0;
  size_t removeLength = 0;
  std::string text;
  size_t selStart = 0;
  size_t selLength = 0;
};

EditState applyInsertion(const EditView& state, const Insertion& insertion);

enum class CaretRule { SelectInserted, BeforeLastFour };  // Mail To and Comment use the second

// The 16 texts inserted at a point rather than around the selection.
bool isPointText(std::string_view text);

// InsertTag: point texts go at the selection's start ("<BR>" at its end), the selection staying in place;
// every other text replaces the selection and ends selected (or with the caret before its last four bytes).
Insertion insertTag(const EditView& state, std::string_view text, CaretRule rule = CaretRule::SelectInserted);

// Opening tag + the selected text + closing tag, inserted in wrap mode.
Insertion wrapSelection(const EditView& state, std::string_view open, std::string_view close,
                        CaretRule rule = CaretRule::SelectInserted);

// Comment: around the selection, or «<!--  -->» with the caret after "<!--" when nothing is selected.
Insertion comment(const EditView& state);

// The text WrapLinesInTag puts in place of the selection; "NEW" gives the new-file template.
std::string wrapLinesText(std::string_view selected, std::string_view name, std::string_view newFileTemplate);
// Replaces the selection by that text; the caret ends after it.
Insertion wrapLinesInTag(const EditView& state, std::string_view name, std::string_view newFileTemplate);

std::string tableGridText(int rows, int columns);
// The grid goes in at the selection's start, the selected text staying after it; the caret ends after it.
Insertion insertTableGrid(const EditView& state, int rows, int columns);

// «"#FF8000"»: nine bytes with the quotes; replaces the selection and ends selected.
std::string colourPickerText(ColourValue colour);

// "<!--Last Modified: Monday, Dec 7, 2026, at 01:23 AM-->" from a local time and the locale's names.
std::string lastModifiedComment(const std::tm& time, std::string_view weekdayName, std::string_view monthAbbreviation);

// "<A HREF="page.htm"></A>", or "<IMG WIDTH=w HEIGHT=h SRC="logo.gif">" for ".gif" and ".jpg" in any case.
bool isLinkableImage(std::string_view fileName);
std::string linkText(std::string_view fileName);
std::string imageText(std::string_view fileName, int width, int height);

}  // namespace quillon
