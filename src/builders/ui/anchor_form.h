#pragma once

#include <QDialog>

#include "builders/anchor_tag.h"
#include "builders/hand_back.h"
#include "platform/ui/platform.h"

class QLineEdit;
class QRadioButton;

namespace quillon {

// "Power Anchor Tag": a link to an address or a local file, or a named in-page anchor. The built tag shows
// as the fields change; Insert or Copy hands it back.
class TFormAnchor : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string selectedText;  // the editing window's selection: the description
    bool useRelative = false;  // the remembered path flag and path
    std::string relativePath;
    std::string fileFilter;  // "HTML Files|*.htm;*.html|All Files|*.*"
    std::string startFolder;
  };
  TFormAnchor(Platform& platform, const Start& start, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  // What the dialog leaves to remember for the run, whichever way it closed.
  bool useRelative() const;
  std::string relativePath() const;
  AnchorTagRecord record() const;

 private:
  void rebuild();
  void BitBtnHREFClick();
  void BitBtnInsertClick(bool insert);

  Platform& platform_;
  Start start_;
  BuilderHandBack handBack_;
  QLineEdit* EditHREF = nullptr;
  QLineEdit* EditDesc = nullptr;
  QRadioButton* RadioHREF = nullptr;
  QRadioButton* RadioNAME = nullptr;
  QRadioButton* RadioFilename = nullptr;
  QRadioButton* RadioRelative = nullptr;
  QLineEdit* EditRelative = nullptr;
  QLineEdit* EditDummy = nullptr;
};

}  // namespace quillon
