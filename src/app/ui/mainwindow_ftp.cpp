// The FTP list of the main window: files and images added to it, and the FTP screen that sends them.
#include <Qsci/qsciscintilla.h>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>

#include "app/command_names.h"
#include "app/ui/files_tab.h"
#include "app/ui/mainwindow.h"
#include "base/text_bytes.h"
#include "editor/ui/editor_bytes.h"
#include "project/page_scans.h"
#include "project/site_files.h"
#include "publish/ui/ftp_form.h"
#include "publish/ui/ftp_image_loc_form.h"

namespace quillon {

std::vector<CommandRecord> TForm1::ftpCommands() {
  return {{cmd::BitBtnFTPAddClick, "Add Selected File to FTP List", "", "list-add", call(&TForm1::BitBtnFTPAddClick)},
          {cmd::AddImagesfromopenHTMLfiletoFTPlist1Click, "Add Images from open HTML file to FTP list", "", "",
           call(&TForm1::AddImagesfromopenHTMLfiletoFTPlist1Click)},
          {cmd::FTP1Click, "FTP File Transfer", "", "network-transmit", call(&TForm1::FTP1Click)},
          {cmd::PublishSite1Click, "Publish Site...", "", "document-send", call(&TForm1::PublishSite1Click)}};
}

// The deepest folder holding every page of the project, or nothing without pages.
std::string TForm1::siteFolder() const { return commonFolder(projectPageLinks()); }

std::vector<std::string> TForm1::projectPageLinks() const {
  std::vector<std::string> links;
  const PageTree& pages = project_->tree();
  for (size_t i = 0; i < pages.size(); ++i)
    if (!pages[i].link.empty()) links.push_back(pages[i].link);
  return links;
}

bool TForm1::showPage(const std::string& path) {
  if (path == session_->state().path) return true;
  return openPage(path, {});
}

// The FTP screen opened to publish: once connected, Publish Site compares the site with the server.
void TForm1::PublishSite1Click() {
  TFormFTP::Start start{programDir_, settings_.startLocation, siteFolder(), true};
  if (start.siteFolder.empty()) start.siteFolder = files_->folder();
  if (start.siteFolder.empty()) start.siteFolder = settings_.startLocation;
  TFormFTP dialog(platform_, start, autoFtp_, this);
  platform_.modal.runModal(dialog);
}

// Every opening makes a new dialog, and with it a new client.
void TForm1::FTP1Click() {
  TFormFTP dialog(platform_, {programDir_, settings_.startLocation, {}, false}, autoFtp_, this);
  platform_.modal.runModal(dialog);
}

void TForm1::BitBtnFTPAddClick() {
  if (PageControl1->currentIndex() == 1) {
    const std::string file = chosenFile();
    if (file.empty()) {
      platform_.prompts.info("You must select a file from the file list first (images or HTML files OK).");
      return;
    }
    autoFtp_.add(file);
    return;
  }
  const int page = selectedPage();
  if (page < 0) {
    platform_.prompts.info("You must click on a file within your project first..");
    return;
  }
  autoFtp_.add(project_->tree()[static_cast<size_t>(page)].link);
}

// The images named in the open page, looked for in the folder the user gives, go on the FTP list.
void TForm1::AddImagesfromopenHTMLfiletoFTPlist1Click() {
  TFormFTPImageLoc dialog(platform_, settings_.ftpImages, settings_.images, this);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted) return;
  const std::string folder = dialog.folder();
  std::vector<std::string> names = scanImages(editor_bytes::text(*RE1));
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  // Names are lower-cased by the scan: the file itself may be named in other letters.
  for (const std::string& name : names) autoFtp_.add(findIgnoringCase(folder, name));
  setSetting(&RunSettings::ftpImages, folder);
}

}  // namespace quillon
