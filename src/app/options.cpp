#include "app/options.h"

#include <algorithm>
#include <tuple>

#include "base/ini_file.h"
#include "base/text_bytes.h"

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
  r.tagColours = s.tagColourNames;
  r.editorFont = s.editorFont;
  r.editorSize = s.editorSize;
  r.lineNumbers = s.lineNumbers;
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

const char* previewLetter(const std::string& option) {
  return option == "auto" ? "S" : option == "nosave" ? "N" : "T";
}

namespace {

using Entry = std::tuple<const char*, const char*, std::string>;

WriteResult writeEntries(const std::string& path, const std::vector<Entry>& entries) {
  std::vector<IniFile::Entry> all;
  for (const auto& [section, key, value] : entries) all.push_back({section, key, value});
  return IniFile::writeValues(path, all);
}

const char* flag(bool on) { return on ? "1" : "0"; }

}  // namespace

std::string unstorableOption(const OptionsRecord& r) {
  const std::pair<const char*, const std::string*> texts[] = {
      {"Template", &r.templatePath}, {"Images folder", &r.imagePath}, {"Default Files folder", &r.defaultFiles},
      {"Default extension", &r.defaultExt}, {"FTP program", &r.ftpPath}, {"Image editor", &r.imageEditor},
      {"Image map editor", &r.imagemap}, {"Netscape", &r.netscape}, {"MS Internet Explorer", &r.msie}};
  auto bad = [](const std::string& t) { return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos; };
  for (const auto& [name, text] : texts)
    if (bad(*text)) return name;
  for (const auto& e : r.extensions)
    if (bad(e)) return "HTML extensions";
  return {};
}

namespace {

struct OptionsWrite {
  std::vector<Entry> options, defaults;
};

// Sets the run-time values from the record and gives the entries each settings file gets.
OptionsWrite takeOptions(const OptionsRecord& r, RunSettings& s) {
  OptionsWrite w;
  s.previewOption = r.previewOption;
  s.htmlTemp = r.templatePath;
  if (!r.imagePath.empty()) {
    const char last = r.imagePath.back();
    s.images = (last == '/' || last == '\\') ? r.imagePath : r.imagePath + "/";
  }
  s.filesConfirm = r.confirm;
  s.promptFreq = clampPromptFreq(r.promptFreq);
  s.msieControl = !r.hideMsieControl;
  s.editProblem = r.largeFiles;
  s.strong = r.strong;
  s.em = r.em;
  s.ftpAuto = r.ftpAuto;
  s.tagColourNames = r.tagColours;
  s.ext = r.defaultExt.empty() ? "html" : (r.defaultExt[0] == '.' ? r.defaultExt.substr(1) : r.defaultExt);
  if (s.ext.empty()) s.ext = "html";
  s.filesUseSel = !r.defaultFiles.empty() && r.useDefaultFiles;

  std::vector<Entry>& options = w.options;
  options = {{"Backup", "Type", std::to_string(s.backupType)}, {"Backup", "PromptFreq", std::to_string(s.promptFreq)}};
  for (size_t i = 0; i < kTagColourKeys.size(); ++i) options.emplace_back("Colors", kTagColourKeys[i], r.tagColours[i]);
  options.emplace_back("Location", "HTMLTemp", s.htmlTemp);
  s.editorFont = r.editorFont.empty() ? std::string("Sans Serif") : r.editorFont;
  s.editorSize = std::clamp(r.editorSize, kSmallestEditorSize, kLargestEditorSize);
  s.lineNumbers = r.lineNumbers;
  options.emplace_back("Editor", "Font", s.editorFont);
  options.emplace_back("Editor", "Size", std::to_string(s.editorSize));
  options.emplace_back("Editor", "LineNumbers", flag(s.lineNumbers));
  std::vector<Entry>& defaults = w.defaults;
  if (!r.defaultFiles.empty()) {
    // The folder last picked (or the value the dialog opened with): typing in the box only changes the view.
    defaults.emplace_back("Files", "Selected", s.filesSelected);
    defaults.emplace_back("Files", "UseSel", flag(s.filesUseSel));
  }
  const std::vector<Entry> always = {{"Helpers", "FTPPath", r.ftpPath},
                                     {"TAGS", "STRONG", flag(s.strong)},
                                     {"TAGS", "EM", flag(s.em)},
                                     {"HTML", "FTPAUTO", flag(s.ftpAuto)},
                                     {"Files", "Confirm", flag(s.filesConfirm)},
                                     {"Fix", "EditProblem", flag(s.editProblem)},
                                     {"HTML", "MSIEControl", flag(s.msieControl)},
                                     {"Location", "PreviewOption", s.previewOption},
                                     {"Helpers", "Editor", r.imageEditor},
                                     {"Helpers", "Imagemap", r.imagemap},
                                     {"Location", "Images", r.imagePath},
                                     {"HTML", "Ext", s.ext}};
  defaults.insert(defaults.end(), always.begin(), always.end());
  s.editor = r.imageEditor;
  s.ftpPath = r.ftpPath;
  s.imagemap = r.imagemap;
  return w;
}

// The entries of `now` that `before` does not hold as they are.
std::vector<Entry> changed(const std::vector<Entry>& now, const std::vector<Entry>& before) {
  std::vector<Entry> out;
  auto same = [](const Entry& a, const Entry& b) {
    return std::string_view(std::get<0>(a)) == std::get<0>(b) && std::string_view(std::get<1>(a)) == std::get<1>(b) &&
           std::get<2>(a) == std::get<2>(b);
  };
  for (const Entry& e : now)
    if (std::none_of(before.begin(), before.end(), [&](const Entry& b) { return same(e, b); })) out.push_back(e);
  return out;
}

}  // namespace

WriteResult applyOptions(const OptionsRecord& r, RunSettings& s, const std::string& programDir, const OptionsRecord& shown) {
  WriteResult result{true, {}, {}};
  auto keep = [&](const WriteResult& w) {
    if (result.ok && !w.ok) result = w;
  };
  if (r.extensions != shown.extensions) keep(writeFileAtomic(programDir + "htmlext.dat", joinCrLf(r.extensions)));
  RunSettings before = s;
  const OptionsWrite was = takeOptions(shown, before);
  const OptionsWrite now = takeOptions(r, s);
  if (const auto entries = changed(now.options, was.options); !entries.empty())
    keep(writeEntries(programDir + "OPTIONS.INI", entries));
  if (const auto entries = changed(now.defaults, was.defaults); !entries.empty())
    keep(writeEntries(programDir + "DEFAULT.INI", entries));
  return result;
}

}  // namespace quillon
