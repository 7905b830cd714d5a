// Start-up sequence and shutdown of the main window.
#include <Qsci/qsciscintilla.h>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

#include "app/command_names.h"
#include "app/html_extensions.h"
#include "app/options.h"
#include "app/pane_layout.h"
#include "app/ui/mainwindow.h"
#include "app/ui/options_form.h"
#include "app/ui/preview_pane.h"
#include "app/ui/snip_pane.h"
#include "app/ui/splash_form.h"
#include "app/ui/tips_form.h"
#include "base/file_io.h"
#include "base/program_folders.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "editor/recovery_copies.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"
#include "publish/preview_file.h"
#include "publish/ui/embedded_browser.h"

namespace quillon {

void TForm1::FormCreate() {
  {
    TFormSplash splash(TFormSplash::Mode::StartUp, this);
    platform_.modal.runModal(splash, true);
  }

  htmlExtensions_ = readHtmlExtensions(programDir_ + "htmlext.dat");
  applyFilters();
  ListBox1->clear();

  snips_->load();

  makeDirectory(programDir_ + "projects");
  makeDirectory(programDir_ + "backup");

  settings_ = loadSettings(programDir_);
  LabelBrowserMode->setText(toQString(previewModeLetter(previewModeOf(settings_.previewOption))));
  applyEditorLook();
  CheckBoxColoredTags->setChecked(settings_.colored);
  CheckWrap->setChecked(settings_.wrap);
  editor_bytes::setWordWrap(*RE1, CheckWrap->isChecked());

  // The browser view itself is made when first shown: starting its engine would double the start-up time.
  if (!preview_->checkInstalled()) {
    platform_.prompts.message(
        MessageKind::Info, kAppTitle,
        std::string(
            "You do not appear to have Microsoft Internet Explorer 3.0 (or higher) installed. You will not be able "
            "to use the built-in MSIE browser preview. We recommend you download a free copy from:  ") +
            kBrowserMakerAddress,
        Buttons::Ok);
  }

  setLeftPaneWidth(pane_layout::kStartLeftWidth);
  PageControl1->setCurrentIndex(0);
  PageControl2->setCurrentIndex(0);

  project_->setOpenFilter(openFilter_);
  session_->resetToNew();
  updateDocumentStatus();

  if (settings_.filesUseSel) settings_.filesLocation = settings_.filesSelected;

  QMenu* fileMenu = nullptr;
  for (QAction* a : menuBar()->actions())
    if (a->menu() && a->text() == "&File") fileMenu = a->menu();
  for (size_t i = 0; i < settings_.recent.size(); ++i) {
    auto* action = fileMenu->addAction(QString());
    action->setObjectName(QString("Reopen%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, i] { Reopen(i); });
    recentActions_.push_back(action);
  }
  refreshRecentMenu();

  // The pages open last time come back before unsaved edits are offered, so those find their tabs.
  QTimer::singleShot(0, this, [this] { restoreOpenPages(); });
  setUpRecovery();
  if (settings_.showTips) QTimer::singleShot(0, this, &TForm1::ShowTipsAtStart);

  refreshProjectState();
  RE1->setFocus();
  // The spell checker's configuration is "spell/spell.cfg", key "default"; the checker reads it and its
  // dictionaries when it is first used.
}

std::vector<CommandRecord> TForm1::programCommands() {
  return {{cmd::Quit1Click, "E&xit", "Alt+X", "", call(&TForm1::Quit1Click)},
          {cmd::ShowTipoftheDay1Click, "Show Tip of the &Day", "", "", call(&TForm1::ShowTipoftheDay1Click)},
          {cmd::About1Click, "&About", "", "", call(&TForm1::About1Click)},
          {cmd::BitBtnOptionsClick, "Settings", "", "preferences-system", call(&TForm1::BitBtnOptionsClick)},
          {cmd::PreferencesSettings1Click, "Settin&gs", "Ctrl+F3", "", call(&TForm1::PreferencesSettings1Click)},
          {cmd::TagColorOptions1Click, "Tag Color Options", "", "", call(&TForm1::TagColorOptions1Click)}};
}

void TForm1::ShowTipsAtStart() { ShowTipoftheDay1Click(); }

void TForm1::ShowTipoftheDay1Click() {
  TTipsForm tips(settings_.showTips, this);
  platform_.modal.runModal(tips);
  setSetting(&RunSettings::showTips, tips.showTips());
}

void TForm1::About1Click() {
  TFormSplash about(TFormSplash::Mode::About, this);
  platform_.modal.runModal(about);
}

void TForm1::openOptions(OptionsTab tab) {
  TFormOptions options(tab, platform_, settings_, programDir_, readHtmlExtensions(programDir_ + "htmlext.dat"),
                       *project_, this);
  const bool applied = platform_.modal.runModal(options) == QDialog::Accepted;
  // The Change File Path tab acts at once, so the outline is refreshed whichever way the dialog closed.
  refreshOutline(selectedPage());
  if (!applied) return;
  htmlExtensions_ = readHtmlExtensions(programDir_ + "htmlext.dat");
  applyFilters();
  project_->setOpenFilter(openFilter_);
  LabelBrowserMode->setText(toQString(previewModeLetter(previewModeOf(settings_.previewOption))));
  applyEditorLook();
}

void TForm1::applyFilters() {
  maskList_ = htmlMaskList(htmlExtensions_);
  filesFilter_ = filesTabFilter(maskList_);
  openFilter_ = quillon::openDialogFilter(maskList_);
  FilterComboBox1->clear();
  const QStringList parts = toQString(filesFilter_).split('|');
  for (int i = 0; i + 1 < parts.size(); i += 2) FilterComboBox1->addItem(parts[i], parts[i + 1]);
}

void TForm1::reportSettingsWrite(const WriteResult& result) {
  if (!result.ok) platform_.prompts.error(cannotWriteText(result, "settings file"));
}

bool TForm1::FormCloseQuery() {
  // A help page is never modified; a page of the user's own opened beside the help project is asked about.
  if (!leaveEveryOpenPage()) return false;
  // The save question, then the backup reminder; a failed or cancelled save keeps the program open.
  const bool left = project_->leave(LeaveReason::Exit);
  if (left) storeOpenPages();
  refreshRecentMenu();
  refreshProjectState();
  return left;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
    recovery_.reset();  // a normal end: no copy is left to offer
  } else {
    event->ignore();
  }
}

void TForm1::Quit1Click() { close(); }

}  // namespace quillon
