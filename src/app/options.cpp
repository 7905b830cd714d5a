#include "app/options.h"

#include <algorithm>
#include <tuple>

#include "base/ini_file.h"
#include "base/settings.h"
#include "base/text_bytes.h"
#include "editor/colour_scheme.h"

namespace quillon {

OptionsRecord optionsFrom(const RunSettings& s, const std::vector<std::string>& extensions) {
  OptionsRecord r;
  r.extensions = extensions;
  r.templatePath = s.htmlTemp;
  r.imagePath = s.images;
  r.defaultFiles = s.filesSelected;
  r.defaultExt = s.ext;
  r.ftpPath = s.ftpPath;
  r.imageEditor = s.editor;
  r.imagemap = s.imagemap;
  r.netscape = s.netscape;
  r.msie = s.msie;
  r.useDefaultFiles = s.filesUseSel;
  r.confirm = s.filesConfirm;
  r.strong = s.strong;
  r.em = s.em;
  r.ftpAuto = s.ftpAuto;
  r.largeFiles = s.editProblem;
  r.hideMsieControl = !s.msieControl;
  r.previewOption = s.previewOption;
  r.promptFreq = clampPromptFreq(s.promptFreq);
  r.backupType = s.backupType;
  r.tagColours = s.tagColourNames;
  r.editorFont = s.editorFont;
  r.editorSize = s.editorSize;
  r.lineNumbers = s.lineNumbers;
  r.undoRuns = std::clamp(s.undoRuns, 1, kMostUndoRuns);
  r.colourAsYouType = s.colourAsYouType;
  r.completeTags = s.completeTags;
  r.openInNewTab = s.openInNewTab;
  r.restorePages = s.restorePages;
  r.scheme = std::string(schemeName(schemeNamed(s.scheme)));
  return r;
}

std::string addExtension(std::vector<std::string>& list, const std::string& typed) {
  if (list.size() >= kMaxExtensions)
    return "There are only 15 different extensions allowed. Please delete one before adding another.";
  if (typed.empty()) return "Please enter a valid extension in the space to the right of the ADD button.";
  list.push_back(typed[0] == '.' ? typed.substr(1) : typed);
  return {};
}

int clampPromptFreq(int value) { return value > 15 ? 15 : value < 1 ? 1 : value; }

std::string unstorableOption(const OptionsRecord& r) {
  const std::pair<const char*, const std::string*> texts[] = {
      {"Template", &r.templatePath},        {"Images folder", &r.imagePath}, {"Default Files folder", &r.defaultFiles},
      {"Default extension", &r.defaultExt}, {"FTP program", &r.ftpPath},     {"Image editor", &r.imageEditor},
      {"Image map editor", &r.imagemap},    {"Netscape", &r.netscape},       {"MS Internet Explorer", &r.msie}};
  auto bad = [](const std::string& t) { return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos; };
  for (const auto& [name, text] : texts)
    if (bad(*text)) return name;
  for (const auto& e : r.extensions)
    if (bad(e)) return "HTML extensions";
  return {};
}

namespace {

// Sets the run-time values the dialog owns from its record.
void takeOptions(const OptionsRecord& r, RunSettings& s) {
  s.previewOption = r.previewOption;
  s.htmlTemp = r.templatePath;
  if (!r.imagePath.empty()) s.images = r.imagePath;  // stored as typed; the run-time value gains its slash later
  s.filesConfirm = r.confirm;
  s.promptFreq = clampPromptFreq(r.promptFreq);
  s.backupType = r.backupType;
  s.msieControl = !r.hideMsieControl;
  s.editProblem = r.largeFiles;
  s.strong = r.strong;
  s.em = r.em;
  s.ftpAuto = r.ftpAuto;
  s.tagColourNames = r.tagColours;
  s.ext = r.defaultExt.empty() ? "html" : (r.defaultExt[0] == '.' ? r.defaultExt.substr(1) : r.defaultExt);
  if (s.ext.empty()) s.ext = "html";
  // The folder last picked (or the value the dialog opened with): typing in the box only changes the view.
  s.filesUseSel = !r.defaultFiles.empty() && r.useDefaultFiles;
  s.editorFont = r.editorFont.empty() ? std::string("Sans Serif") : r.editorFont;
  s.editorSize = std::clamp(r.editorSize, kSmallestEditorSize, kLargestEditorSize);
  s.lineNumbers = r.lineNumbers;
  s.undoRuns = std::clamp(r.undoRuns, 1, kMostUndoRuns);
  s.colourAsYouType = r.colourAsYouType;
  s.completeTags = r.completeTags;
  s.openInNewTab = r.openInNewTab;
  s.restorePages = r.restorePages;
  s.scheme = r.scheme;
  s.editor = r.imageEditor;
  s.ftpPath = r.ftpPath;
  s.imagemap = r.imagemap;
  s.netscape = r.netscape;
  s.msie = r.msie;
}

}  // namespace

WriteResult applyOptions(const OptionsRecord& r, RunSettings& s, const std::string& programDir,
                         const OptionsRecord& shown) {
  WriteResult result{true, {}, {}};
  if (r.extensions != shown.extensions) result = writeFileAtomic(programDir + "htmlext.dat", joinCrLf(r.extensions));
  // Only what was changed in the dialog is written: both records are applied to the same values and compared.
  RunSettings was = s;
  takeOptions(shown, was);
  // The default files folder is the one picked while the dialog was open, written when the box holds one.
  if (!r.defaultFiles.empty()) was.filesSelected = shown.defaultFiles;
  takeOptions(r, s);
  const WriteResult stored = SettingsWriter(programDir).storeChanges(was, s);
  if (!s.images.empty() && s.images.back() != '/' && s.images.back() != '\\') s.images += '/';
  return result.ok ? stored : result;
}

}  // namespace quillon
