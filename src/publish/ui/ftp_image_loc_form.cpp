#include "publish/ui/ftp_image_loc_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/text_bytes.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormFTPImageLoc::TFormFTPImageLoc(Platform& platform, const std::string& folder, std::string imagesFolder,
                                   QWidget* parent)
    : QDialog(parent), platform_(platform), imagesFolder_(std::move(imagesFolder)) {
  setObjectName("TFormFTPImageLoc");
  setWindowTitle("Image Directory");
  auto* v = new QVBoxLayout(this);
  auto* note =
      named(new QLabel("Please enter the directory where your image files for this page are located by clicking "
                       "the SELECT button below. Then go to the directory on your hard drive and double-click any "
                       "image file -- the directory will be automatically returned below.",
                       this),
            "LabelNote");
  note->setWordWrap(true);
  v->addWidget(note);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Image Location:", this));
  EditImageLocation = named(new QLineEdit(this), "EditImageLocation");
  setLineBytes(EditImageLocation, folder);
  EditImageLocation->setReadOnly(true);
  row->addWidget(EditImageLocation, 1);
  v->addLayout(row);
  auto* buttons = new QHBoxLayout;
  auto* select = named(new QPushButton("Select Directory", this), "ButtonSelect");
  auto* ok = named(new QPushButton("&OK", this), "BitBtnOK");
  auto* cancel = named(new QPushButton("&Cancel", this), "BitBtnCancel");
  buttons->addWidget(select);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  v->addLayout(buttons);
  // The folder keeps its case: on this system a folder name in other letters is another folder.
  connect(select, &QPushButton::clicked, this, [this] {
    FileDialogRequest request;
    request.title = "Open";
    request.filter = "All Files|*.*";
    request.initialDir = imagesFolder_;
    if (const auto chosen = platform_.fileDialogs.choose(request))
      setLineBytes(EditImageLocation, std::string(folderPart(*chosen)));
  });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (EditImageLocation->text().isEmpty()) {
      platform_.prompts.info(
          "You must select the directory where your images are located, or press CANCEL to exit this "
          "screen.");
      return;
    }
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TFormFTPImageLoc::folder() const {
  std::string f = lineBytes(EditImageLocation);
  if (!f.empty() && f.back() != '/') f += '/';
  return f;
}

}  // namespace quillon
