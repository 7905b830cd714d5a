#pragma once

#include <functional>
#include <string>

#include "base/program_folders.h"
#include "platform/prompts.h"
#include "project/project_model.h"

namespace quillon {

struct RunSettings;
class SettingsWriter;

enum class LeaveReason { NewProject, OpenProject, Exit, HelpProject };

// The open site project and the commands that replace, load and save it. Project files always go into the
// projects directory, and the caption and the recent list name them there.
class ProjectSession {
 public:
  ProjectSession(const ProgramFolders& folders, RunSettings& settings, const SettingsWriter& writer, Prompts& prompts,
                 FileDialogs& dialogs);

  PageTree& tree() { return tree_; }
  const PageTree& tree() const { return tree_; }
  const std::string& name() const { return name_; }
  bool modified() const { return modified_; }
  void setModified() { modified_ = true; }
  bool helpMode() const { return helpMode_; }
  bool saveEnabled() const { return saveEnabled_; }
  void enableSave() { saveEnabled_ = true; }
  const std::string& caption() const { return caption_; }
  std::string projectsDir() const { return programDir_ + "projects/"; }
  std::string helpDir() const { return helpDir_; }

  // Runs before the project is replaced or the program closes: the save question, then the reminder.
  // False when the user chose to save and the save was cancelled or failed: the caller must not leave.
  bool leave(LeaveReason reason);
  // The main open dialog's filter; Open selects its second entry, "Project Files".
  void setOpenFilter(std::string filter) { openFilter_ = std::move(filter); }
  void setBackupReminder(std::function<void(const std::string& projectName)> reminder) {
    reminder_ = std::move(reminder);
  }

  bool newProject();
  bool open();
  bool save();
  bool saveAs();
  // Entry k (0 to 3) of the recent list; an empty entry does nothing.
  bool reopen(size_t k);
  // Loads the help project in help mode (the caller has run the document's close check).
  bool openHelp();

  // A help link ("intro.brn", extension exactly ".brn") opened in help mode stands for the help folder.
  bool isHelpPage(const std::string& link) const;

  static constexpr const char* kHelpRefusal = "Sorry, this is the HELP file and cannot be changed.";

 private:
  bool writeFiles();
  bool saveUnder(const std::string& name);
  void recordRecent(const std::string& path);
  bool takeLoaded(const std::string& outlinePath);
  std::optional<std::string> askSaveName(const char* title, bool withFilter);

  std::string programDir_;
  std::string helpDir_;
  RunSettings& settings_;
  const SettingsWriter& writer_;
  Prompts& prompts_;
  FileDialogs& dialogs_;
  std::function<void(const std::string&)> reminder_;
  PageTree tree_;
  std::string openedFrom_;  // the outline file the project was opened from or last saved as
  std::string name_;
  bool modified_ = false;
  bool helpMode_ = false;
  bool saveEnabled_ = false;
  std::string caption_ = kAppTitle;
  std::string loadError_;
  std::string openFilter_ = "HTML Files|*.html|Project Files|*.out|All Files|*.*";
};

}  // namespace quillon
