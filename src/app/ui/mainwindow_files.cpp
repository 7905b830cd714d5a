// The Files tab: a small file browser from which files are opened, linked or measured into image tags.
#include <Qsci/qsciscintilla.h>
#include <QLabel>
#include <QMenu>

#include <QAction>
#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/files_tab.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "builders/file_reference.h"
#include "builders/image_size.h"
#include "editor/insertion.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/page_checks.h"

namespace quillon {

void TForm1::wireFilesPane() {
  FilesTab::Hooks hooks;
  hooks.startFolder = [this] { return settings_.filesUseSel ? settings_.filesSelected : settings_.filesLocation; };
  hooks.fillMenu = [this](QMenu& menu, bool isPage) {
    commands_->fillMenu(menu, fileListMenu(), true);
    // Only a page can be analysed: an image or another file leaves the item disabled.
    for (QAction* action : menu.actions())
      if (action->data().toString() == toQString(cmd::AnalyzeWebPage1Click.text))
        action->setEnabled(isPage && action->isEnabled());
  };
  hooks.showSize = [this](std::int64_t size) {
    statusPanels_[0]->setText(toQString(fileSizeText(size)));
    statusPanels_[1]->setText("Page Location:  ");
  };
  hooks.open = [this] { ListBox2DblClick(); };
  files_ = new FilesTab(*this, 1, std::move(hooks));
}

std::string TForm1::chosenFile() const { return files_->chosenFile(); }

std::vector<CommandRecord> TForm1::filesCommands() {
  return {{cmd::BitBtnInsertLinkImageClick, "Insert Image", "", "insert-link",
           call(&TForm1::BitBtnInsertLinkImageClick), kChangesText}};
}

void TForm1::ListBox2DblClick() {
  const std::string path = chosenFile();
  if (path.empty()) return;
  setSetting(&RunSettings::filesLocation, files_->folder());
  switch (openKindFor(path)) {
    case FileOpenKind::Image:
      openImageBuilder(path);
      return;
    case FileOpenKind::Other:
      if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                    "This does not appear to be a valid HTML file type. Do you wish to open it in the "
                                    "editing window anyways?",
                                    Buttons::YesNo) != Answer::Yes)
        return;
      break;
    case FileOpenKind::Html:
      break;
  }
  // A file of the user's own is never a read-only help page, whatever was shown before.
  openPage(path, {});
}

void TForm1::BitBtnInsertLinkImageClick() {
  const std::string path = chosenFile();
  if (path.empty()) return;
  const std::string name(fileNamePart(path));
  // The tag's reference finds the file whatever its name holds ('#', '%', 8-bit bytes).
  const std::string reference = referenceToFileName(name);
  std::string text;
  if (isLinkableImage(name)) {
    const auto size = measureImageFile(path);
    if (!size) {
      platform_.prompts.info("Error opening file. File is corrupt or cannot handle this file type.");
      return;
    }
    text = imageText(reference, size->width, size->height);
  } else {
    text = linkText(reference);
  }
  const EditView view = editView();
  applyInsertion({view.selStart, 0, text, view.selStart, text.size()});
}

}  // namespace quillon
