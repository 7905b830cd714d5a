#include "app/options.h"

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

WriteResult applyOptions(const OptionsRecord& r, RunSettings& s, const std::string& programDir) {
  WriteResult result{true, {}};
  auto keep = [&](const WriteResult& w) {
    if (result.ok && !w.ok) result = w;
  };
  keep(writeFileAtomic(programDir + "htmlext.dat", joinCrLf(r.extensions)));

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

  std::vector<Entry> options = {{"Backup", "Type", std::to_string(s.backupType)},
                                {"Backup", "PromptFreq", std::to_string(s.promptFreq)}};
  for (size_t i = 0; i < kTagColourKeys.size(); ++i) options.emplace_back("Colors", kTagColourKeys[i], r.tagColours[i]);
  options.emplace_back("Location", "HTMLTemp", s.htmlTemp);
  keep(writeEntries(programDir + "OPTIONS.INI", options));

  std::vector<Entry> defaults;
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
  keep(writeEntries(programDir + "DEFAULT.INI", defaults));
  s.editor = r.imageEditor;
  s.ftpPath = r.ftpPath;
  s.imagemap = r.imagemap;
  return result;
}

}  // namespace quillon
