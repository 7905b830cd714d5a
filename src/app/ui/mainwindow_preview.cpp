// Previews in the embedded and external browsers, the helper programs, and the help and feedback windows.
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/faq_form.h"
#include "app/ui/mainwindow.h"
#include "app/ui/preview_pane.h"
#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/product.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/qt_text.h"
#include "publish/preview_file.h"
#include "publish/program_launch.h"

namespace quillon {

namespace {

const char* kSupportAddress = "support@quillonpro.example";

}  // namespace

std::vector<CommandRecord> TForm1::previewCommands() {
  return {
      {cmd::BitBtnIEClick, "MS Explorer Preview", "", "web-browser", call(&TForm1::BitBtnIEClick)},
      {cmd::BitBtnNSClick, "Netscape Preview", "", "applications-internet", call(&TForm1::BitBtnNSClick)},
      {cmd::LauchImageEditor1Click, "Lauch &Image Editor", "", "", call(&TForm1::LauchImageEditor1Click)},
      {cmd::LaunchFTPProgram1Click, "Launch &FTP Program", "", "", call(&TForm1::LaunchFTPProgram1Click)},
      {cmd::LaunchImageMapEditor1Click, "Launch Image &Map Editor", "", "", call(&TForm1::LaunchImageMapEditor1Click)},
      {cmd::Instructions1Click, "&Instructions", "", "help-browser", call(&TForm1::Instructions1Click)},
      {cmd::FrequentlyAskedQuestions1Click, "Frequently Asked Questions", "", "",
       call(&TForm1::FrequentlyAskedQuestions1Click)},
      {cmd::BugsSuggestionsFeedback1Click, "&Bugs/Suggestions/Feedback", "", "",
       call(&TForm1::BugsSuggestionsFeedback1Click)}};
}

bool TForm1::browserAvailable() const { return preview_->available(); }
bool TForm1::browserShown() const { return preview_->shown(); }

void TForm1::wirePreviewPane() {
  PanelIE->installEventFilter(this);
  LabelBrowserMode->installEventFilter(this);
  preview_ = new PreviewPane(*this, *RE1, platform_, folders_.modules);
}

// Which file the browser loads, writing the editor's text first where the mode asks for it; nothing when a
// file the preview needs could not be written (said).
std::optional<std::string> TForm1::preparePreview(bool embedded, std::string& failure) {
  const DocumentState& state = session_->state();
  PreviewDocument document{state.path, session_->isUntitled(), session_->modified(), settings_.startLocation,
                           programDir_};
  if (!document.startFolder.empty() && document.startFolder.back() != '/') document.startFolder += '/';
  const PreviewPlan plan = planPreview(document, previewModeOf(settings_.previewOption), embedded);
  const std::string text =
      plan.writeText || !plan.helpCopy.empty() ? std::string(documentText_.bytes()) : std::string();
  if (plan.saveDocument && session_->modified()) QueryCloseHTML(CloseRequest::SaveCommand);
  for (const std::string& target : {plan.writeText ? plan.file : std::string(), plan.helpCopy}) {
    if (target.empty()) continue;
    if (target == plan.helpCopy) makeDirectories(std::string(folderPart(target)));
    // A temporary the program makes: a link in its place is replaced, never written through. It is as
    // private as the page it copies (an untitled page is the user's alone).
    const unsigned mode = document.untitled ? 0600u : permissionsOf(document.path).value_or(0600u);
    const WriteResult written = writeFileReplacing(target, text, mode);
    if (!written.ok) {
      failure = cannotWriteText(written, "preview copy", target);
      return std::nullopt;
    }
  }
  return plan.file;
}

void TForm1::PanelIEClick() {
  if (!preview_->available()) {
    platform_.prompts.info(
        std::string("You do not appear to have Microsoft Internet Explorer v3.0 (or higher) installed. "
                    "You cannot use this MSIE browser preview screen without it. We recommend you "
                    "download a free copy at:  ") +
        kBrowserMakerAddress);
    return;
  }
  if (session_->isUntitled() && editor_bytes::length(*RE1) == 0) {
    platform_.prompts.info("There is no open HTML data to preview.");
    return;
  }
  std::string failure;
  const auto file = preparePreview(true, failure);
  if (!file) {
    // One message for the failure, with its cause.
    platform_.prompts.info(
        "Unable to load MS Internet Explorer preview window. Please be sure MSIE v3.0 or greater is "
        "installed correctly to use this feature.\r\n\r\n" +
        failure);
    return;
  }
  std::string engineFailure;
  if (!preview_->show(fileUrl(*file), settings_.msieControl, engineFailure)) {
    platform_.prompts.info(
        "Unable to load file in internal MS Internet Explorer v3.0. Please be sure MSIE v3.0 or "
        "greater is installed correctly." +
        (engineFailure.empty() ? std::string() : "\r\n\r\n" + engineFailure));
  }
}

void TForm1::LabelBrowserModeDblClick() {
  const PreviewMode next = nextPreviewMode(previewModeOf(settings_.previewOption));
  setSetting(&RunSettings::previewOption, previewModeText(next));
  LabelBrowserMode->setText(toQString(previewModeLetter(next)));
}

// The browser program gets the file's address as its one argument; with none configured, after the
// settings were offered, the desktop's own browser shows it.
void TForm1::externalPreview(std::string RunSettings::*browser, const char* missing, const char* failed) {
  if ((settings_.*browser).empty()) {
    platform_.prompts.info(missing);
    openOptions(OptionsTab::WebBrowsers);
  }
  std::string failure;
  const auto file = preparePreview(false, failure);
  if (!file) {
    platform_.prompts.error(failure);
    return;
  }
  const std::string url = fileUrl(*file);
  const std::string& program = settings_.*browser;
  const bool started =
      program.empty() ? QDesktopServices::openUrl(QUrl(toQString(url))) : launchProgram(program, {url}).empty();
  if (!started) platform_.prompts.info(failed);
}

void TForm1::BitBtnNSClick() {
  externalPreview(&RunSettings::netscape, "You must locate Netscape Navigator first...Press OK to continue..",
                  "Error launching file to Netscape.");
}

void TForm1::BitBtnIEClick() {
  externalPreview(&RunSettings::msie, "You must locate MS Internet Explorer first...Press OK to continue..",
                  "Error launching file to MSIE.");
}

void TForm1::launchHelper(const std::string& path) {
  if (path.empty()) {
    platform_.prompts.info(
        "You have not selected a helper app for this yet. We will now jump to the OPTIONS screen where "
        "you can select an application to associate with this menu item.");
    openOptions(OptionsTab::HelperApps);
    return;
  }
  std::string reason;
  {
    BusyCursor busy;
    reason = launchProgram(path, {}, std::string(folderPart(path)));
  }
  if (!reason.empty()) platform_.prompts.error(reason);
}

void TForm1::LauchImageEditor1Click() { launchHelper(settings_.editor); }
void TForm1::LaunchFTPProgram1Click() { launchHelper(settings_.ftpPath); }
void TForm1::LaunchImageMapEditor1Click() { launchHelper(settings_.imagemap); }

void TForm1::Instructions1Click() {
  platform_.prompts.info(
      "The help file for this program is presented in an outline form. Select WELCOME TO QUILLON PRO "
      "from the Help menu to see this outline.");
}

void TForm1::FrequentlyAskedQuestions1Click() {
  TFormFAQ faq(this);
  platform_.modal.runModal(faq);
}

void TForm1::BugsSuggestionsFeedback1Click() {
  platform_.prompts.info(
      std::string("Help us make Quillon Pro the best web site manager and HTML editor around. E-mail us "
                  "with any bugs, comments, or suggestions. We value your opinions. Contact us at:  ") +
      kSupportAddress);
}

}  // namespace quillon
