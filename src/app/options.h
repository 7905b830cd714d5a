#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/settings.h"

namespace quillon {

// What the Settings dialog shows and hands back: one field per control.
struct OptionsRecord {
  std::vector<std::string> extensions;
  std::string templatePath, imagePath, defaultFiles, defaultExt;
  std::string ftpPath, imageEditor, imagemap, netscape, msie;
  bool useDefaultFiles = false, confirm = true, strong = false, em = false, ftpAuto = true, largeFiles = false;
  bool hideMsieControl = false;
  std::string previewOption = "temp";
  int promptFreq = 5;
  int backupType = 1;  // the Back Up choice: 0 none, 1 remind (it acts at once, so the record keeps the shown one)
  std::array<std::string, 6> tagColours;
  std::string editorFont = "Sans Serif";
  int editorSize = 9;
  bool lineNumbers = false;
  int undoRuns = 10;
  bool colourAsYouType = true;
  bool completeTags = true;
  bool openInNewTab = true;
  bool restorePages = true;
  std::string scheme = "System";

  bool operator==(const OptionsRecord&) const = default;
};

// The record the dialog opens with, from the run-time values and "htmlext.dat".
OptionsRecord optionsFrom(const RunSettings& settings, const std::vector<std::string>& extensions);

inline constexpr size_t kMaxExtensions = 15;
inline constexpr int kSmallestEditorSize = 6;
inline constexpr int kLargestEditorSize = 48;
inline constexpr int kMostUndoRuns = 100;
// "&Add": the message to show, or empty when the extension was added (one leading "." dropped).
std::string addExtension(std::vector<std::string>& list, const std::string& typed);
// The number box holds 1 to 15.
int clampPromptFreq(int value);

// The first text of the record that cannot be stored (a line break or NUL would split the settings line),
// by the name the dialog shows it under; empty when every text can be stored.
std::string unstorableOption(const OptionsRecord& record);

// "&Apply": run-time values from the record, then "htmlext.dat", OPTIONS.INI and DEFAULT.INI in that order.
// Only the values that differ from `shown` (what the dialog opened with) are written, so that another
// instance's changes to the others are kept. The first failed write is returned; the run-time values are
// set either way.
WriteResult applyOptions(const OptionsRecord& record, RunSettings& settings, const std::string& programDir,
                         const OptionsRecord& shown);

}  // namespace quillon
