#include "editor/document_session.h"

#include "app/file_io.h"
#include "app/settings.h"
#include "app/text_bytes.h"
#include "publish/auto_ftp_list.h"

namespace quillon {

const char* const DocumentSession::kSaveQuestion = "Save changes to open HTML file before closing?";

DocumentSession::DocumentSession(std::string programDir, const RunSettings& settings, Prompts& prompts,
                                 FileDialogs& dialogs, AutoFtpList& autoFtp, std::function<std::string_view()> text)
    : programDir_(std::move(programDir)),
      settings_(settings),
      prompts_(prompts),
      dialogs_(dialogs),
      autoFtp_(autoFtp),
      text_(std::move(text)) {
  state_.path = untitledPath();
}

std::string DocumentSession::untitledPath() const { return programDir_ + "new." + settings_.ext; }

void DocumentSession::resetToNew() {
  state_.path = untitledPath();
  state_.readOnly = false;
  state_.modified = false;
}

void DocumentSession::opened(const std::string& path) {
  state_.path = path;
  state_.modified = false;
  state_.readOnly = false;
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

bool DocumentSession::write() {
  const WriteResult result = writeFileAtomic(state_.path, text_());
  if (!result.ok) prompts_.error("Cannot create file \"" + state_.path + "\". " + result.error + ".");
  return result.ok;
}

Answer DocumentSession::queryClose(CloseRequest request) {
  if (state_.readOnly) return Answer::Yes;
  if (!state_.modified) return Answer::No;

  Answer answer = request == CloseRequest::SaveCommand
                      ? Answer::Yes
                      : prompts_.message(MessageKind::Confirm, kAppTitle, kSaveQuestion, Buttons::YesNoCancel);
  if (answer == Answer::Yes) {
    if (isUntitled()) {
      const auto chosen = askSaveName();
      if (!chosen) return Answer::Cancel;
      state_.path = *chosen;
    }
    // A failed write ends the command with the document still modified, so nothing is lost.
    if (!write()) return Answer::Cancel;
    if (settings_.ftpAuto) autoFtp_.add(state_.path);
  }
  if (answer != Answer::Cancel) state_.modified = false;
  return answer;
}

bool DocumentSession::saveAs() {
  const auto chosen = askSaveName();
  if (!chosen) return false;
  state_.path = *chosen;
  if (!write()) return false;
  state_.modified = false;
  return true;
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
