#include "editor/document_session.h"

#include "base/file_io.h"
#include "base/settings.h"
#include "base/text_bytes.h"

namespace quillon {

const char* const DocumentSession::kSaveQuestion = "Save changes to open HTML file before closing?";
// The file and why it cannot be opened; a page of the project that is gone gets the ways to mend its link.
std::string DocumentSession::cannotOpenMessage(OpenedFrom from, const std::string& path) {
  const OpenCheck check = checkOpenable(path);
  std::string reason;
  switch (check) {
    case OpenCheck::Missing:
      reason = "it does not exist";
      break;
    case OpenCheck::NoPermission:
      reason = "you are not allowed to read it";
      break;
    case OpenCheck::NotRegular:
      reason = isDirectory(path) ? "it is a folder" : "it is not a regular file (a pipe or a device)";
      break;
    case OpenCheck::Ok:
      reason = "it could not be read";
      break;
  }
  const std::string start = "Cannot open \"" + path + "\": " + reason + ".";
  if (from != OpenedFrom::ProjectPage || check != OpenCheck::Missing) return start;
  return start +
         " Has it been moved, renamed, or deleted? Please right-click its page in the site outline and select \"Change "
         "HTML Link\" or go to the SETTINGS menu and select CHANGE FILE PATH to update new file path location for all "
         "files that have been moved.";
}

DocumentSession::DocumentSession(std::string programDir, const RunSettings& settings, Prompts& prompts,
                                 FileDialogs& dialogs, DocumentText& text)
    : programDir_(std::move(programDir)), settings_(settings), prompts_(prompts), dialogs_(dialogs), text_(text) {
  state_.path = untitledPath();
}

std::string DocumentSession::untitledPath() const { return programDir_ + "new." + settings_.ext; }

void DocumentSession::resetToNew() {
  state_.path = untitledPath();
  state_.readOnly = false;
  state_.stamp.reset();
  text_.setSavePoint();
}

std::string DocumentSession::changedOnDiskQuestion(const std::string& path) {
  return "The file \"" + path +
         "\" has been changed by another program since it was opened. Replace it with the text in the editing "
         "window?";
}

void DocumentSession::opened(const std::string& path, bool readOnly) {
  state_.path = path;
  state_.readOnly = readOnly;
  state_.stamp = stampOf(path);
  text_.setSavePoint();
}

bool DocumentSession::isUntitled() const {
  return state_.path.empty() || fileNamePart(state_.path) == "new." + settings_.ext;
}

std::optional<std::string> DocumentSession::askSaveName() {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.title = "Save HTML File As...";
  request.filter = "Project File|*.out|HTML Files|*.html;*;shtml;*.htm;*.sht;*.asp;*.cgi;|All Files|*.*";
  request.filterIndex = 2;
  request.initialDir = std::string(folderPart(state_.path));
  request.fileName = std::string(fileNamePart(state_.path));
  request.defaultExt = settings_.ext;
  request.confirmOverwrite = true;
  auto chosen = dialogs_.choose(request);
  if (chosen && !chosen->empty() && fileNamePart(*chosen).find('.') == std::string_view::npos && !settings_.ext.empty())
    *chosen += "." + settings_.ext;
  if (chosen && chosen->empty()) return std::nullopt;
  return chosen;
}

bool DocumentSession::writeTo(const std::string& path) {
  if (path == state_.path && state_.stamp) {
    const auto now = stampOf(path);
    if (now && *now != *state_.stamp &&
        prompts_.message(MessageKind::Warning, kAppTitle, changedOnDiskQuestion(path), Buttons::YesNo) != Answer::Yes)
      return false;
  }
  const WriteResult result = writeFileAtomic(path, text_.bytes());
  if (!result.ok) {
    prompts_.error("Cannot create file \"" + path + "\". " + result.error + ".");
    return false;
  }
  state_.path = path;
  state_.stamp = stampOf(path);
  text_.setSavePoint();
  return true;
}

Answer DocumentSession::queryClose(CloseRequest request) {
  if (state_.readOnly) return Answer::Yes;
  if (!modified()) return Answer::No;

  Answer answer = request == CloseRequest::SaveCommand
                      ? Answer::Yes
                      : prompts_.message(MessageKind::Confirm, kAppTitle, kSaveQuestion, Buttons::YesNoCancel);
  if (answer == Answer::Yes) {
    std::string path = state_.path;
    if (isUntitled()) {
      const auto chosen = askSaveName();
      if (!chosen) return Answer::Cancel;
      path = *chosen;
    }
    // A failed write ends the command with the document still modified, so nothing is lost.
    if (!writeTo(path)) return Answer::Cancel;
    if (onSaved_) onSaved_(state_.path);
  }
  // On No the text stays modified: the caller replaces it, or keeps it when the replacement fails.
  return answer;
}

bool DocumentSession::saveAs() {
  const auto chosen = askSaveName();
  return chosen && writeTo(*chosen);
}

std::string DocumentSession::newFileTemplate() {
  return joinCrLf({
      "<!--This site and page maintained with Quillon Pro. Details at: https://quillon.example.org/-->",
      "<HTML>",
      "<HEAD>",
      "   <TITLE></TITLE>",
      "</HEAD>",
      "<BODY>",
      "",
      "</BODY>",
      "</HTML>",
  });
}

}  // namespace quillon
