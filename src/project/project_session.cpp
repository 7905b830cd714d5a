#include "project/project_session.h"

#include "base/settings.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "project/project_files.h"

namespace quillon {

namespace {
const std::string kCaptionPrefix = std::string(kAppTitle) + ":  ";
}

ProjectSession::ProjectSession(const ProgramFolders& folders, RunSettings& settings, const SettingsWriter& writer,
                               Prompts& prompts, FileDialogs& dialogs)
    : programDir_(folders.data),
      helpDir_(folders.shared + "help/"),
      settings_(settings),
      writer_(writer),
      prompts_(prompts),
      dialogs_(dialogs) {}

bool ProjectSession::leave(LeaveReason reason) {
  const bool skipInHelp = reason != LeaveReason::HelpProject;
  if (modified_ && !(helpMode_ && skipInHelp)) {
    std::string question;
    switch (reason) {
      case LeaveReason::NewProject:
        question = "Save changes to open Project?";
        break;
      case LeaveReason::Exit:
        question = "Save changes to this Project?";
        break;
      default:
        question = "Save changes to Project \"" + upperAscii(name_) + "\" ?";
        break;
    }
    // A save that is cancelled or fails keeps the project: leaving would lose it.
    if (prompts_.message(MessageKind::Confirm, kAppTitle, question, Buttons::YesNo) == Answer::Yes && !save())
      return false;
  }
  if (reminder_) reminder_(name_);
  return true;
}

bool ProjectSession::newProject() {
  if (!leave(LeaveReason::NewProject)) return false;
  name_.clear();
  openedFrom_.clear();
  tree_ = PageTree();
  modified_ = false;
  helpMode_ = false;
  caption_ = kCaptionPrefix;
  return true;
}

void ProjectSession::recordRecent(const std::string& path) {
  std::array<std::string, 4> recent = settings_.recent;
  quillon::recordRecent(recent, path);
  const WriteResult r = writer_.setRecent(settings_, recent);
  if (!r.ok) prompts_.error(cannotWriteText(r, "settings file"));
}

bool ProjectSession::takeLoaded(const std::string& outlinePath) {
  ProjectLoad loaded = loadProject(outlinePath);
  if (!loaded.tree) {
    loadError_ = loaded.error;
    return false;
  }
  tree_ = std::move(*loaded.tree);
  tree_.expandAll();
  if (!loaded.warning.empty()) prompts_.message(MessageKind::Warning, kAppTitle, loaded.warning, Buttons::Ok);
  return true;
}

bool ProjectSession::open() {
  if (!leave(LeaveReason::OpenProject)) return false;
  FileDialogRequest request;
  request.title = "Open Project";
  request.filter = openFilter_;
  request.filterIndex = 2;
  request.initialDir = projectsDir();
  const auto chosen = dialogs_.choose(request);
  if (!chosen) return false;
  if (!fileExists(*chosen)) {
    prompts_.info("Error opening this project. Please be sure you selected a valid, existing project.");
    return false;
  }
  // Loaded first, so that a file that does not load leaves the open project as it was.
  if (!takeLoaded(*chosen)) {
    prompts_.info(loadError_);
    return false;
  }
  saveEnabled_ = true;
  modified_ = false;
  helpMode_ = false;
  recordRecent(*chosen);
  name_ = std::string(fileNamePart(*chosen));
  caption_ = kCaptionPrefix + *chosen;
  openedFrom_ = *chosen;
  return true;
}

bool ProjectSession::reopen(size_t k) {
  const std::string path = settings_.recent[k];
  if (path.empty()) return false;
  if (!leave(LeaveReason::OpenProject)) return false;
  if (!takeLoaded(path)) {
    prompts_.info("Cannot find the project \"" + upperAscii(path) +
                  "\".\rPlease locate and open it using the File|Open menu item.");
    return false;
  }
  saveEnabled_ = true;
  modified_ = false;
  recordRecent(path);
  name_ = std::string(fileNamePart(path));
  caption_ = "Brindle Quillon:  " + path;
  openedFrom_ = path;
  helpMode_ = false;
  return true;
}

std::optional<std::string> ProjectSession::askSaveName(const char* title, bool withFilter) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.title = title;
  if (withFilter) {
    request.filter = "Project File|*.out";
    request.defaultExt = "out";
  }
  request.initialDir = projectsDir();
  request.confirmOverwrite = true;
  auto chosen = dialogs_.choose(request);
  if (!chosen || chosen->empty()) return std::nullopt;
  if (chosen->find_first_of("\r\n") != std::string::npos) {
    // The name goes into the settings file's list of recent projects, one per line.
    prompts_.info("A project name cannot hold a line break. Please choose another name.");
    return std::nullopt;
  }
  if (withFilter && fileNamePart(*chosen).find('.') == std::string_view::npos) *chosen += ".out";
  return chosen;
}

bool ProjectSession::writeFiles() {
  const WriteResult result = saveProject(projectsDir() + name_, tree_);
  if (!result.ok) {
    prompts_.error(cannotWriteText(result, "project file"));
    return false;
  }
  modified_ = false;
  return true;
}

bool ProjectSession::save() {
  if (lowerAscii(name_) == "welcome.out") {
    prompts_.info(kHelpRefusal);
    return false;
  }
  if (name_.empty()) {
    const auto chosen = askSaveName("Save Project As..", true);
    if (!chosen) return false;
    return saveUnder(projectFileName(*chosen));
  }
  if (!writeFiles()) return false;
  // A project opened from another folder was written into the projects folder: from now on the caption and
  // the recent list name that file, so that reopening it opens what was saved.
  const std::string written = projectsDir() + name_;
  if (!openedFrom_.empty() && openedFrom_ != written) {
    recordRecent(written);
    caption_ = caption_.substr(0, caption_.size() - openedFrom_.size()) + written;
    openedFrom_ = written;
  }
  return true;
}

// The files always go into the projects folder: the recent list and the caption name the file written
// there, so that reopening it opens what was saved, whatever folder the dialog was in.
bool ProjectSession::saveUnder(const std::string& name) {
  const std::string previous = name_;
  name_ = name;
  if (!writeFiles()) {
    name_ = previous;
    return false;
  }
  recordRecent(projectsDir() + name_);
  caption_ = kCaptionPrefix + projectsDir() + name_;
  openedFrom_ = projectsDir() + name_;
  return true;
}

bool ProjectSession::saveAs() {
  if (helpMode_) {
    prompts_.info(kHelpRefusal);
    return false;
  }
  const auto chosen = askSaveName("Save Project As...", false);
  if (!chosen) return false;
  return saveUnder(projectFileName(*chosen));
}

bool ProjectSession::openHelp() {
  const bool wasHelp = helpMode_;
  helpMode_ = true;
  if (!leave(LeaveReason::HelpProject)) {
    helpMode_ = wasHelp;
    return false;
  }
  modified_ = false;
  name_ = "welcome.out";
  if (!takeLoaded(helpDir() + "welcome.out")) {
    tree_ = PageTree();
    prompts_.info(loadError_);
  }
  caption_ = kCaptionPrefix + helpDir() + "welcome.out";
  return true;
}

bool ProjectSession::isHelpPage(const std::string& link) const {
  return helpMode_ && link.size() >= 4 && link.compare(link.size() - 4, 4, ".brn") == 0;
}

}  // namespace quillon
