#pragma once

#include <QDialog>

#include "builders/body_tag.h"
#include "builders/hand_back.h"
#include "builders/ui/multi_image.h"
#include "platform/ui/platform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillon {

// "Power Body Tag": the BODY tag's background (a colour or a tiled image) and text colours, optionally in a
// page skeleton. The five colours are kept in OPTIONS.INI; the relative image path is the caller's to keep.
class TFormBody : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string programDir;
    std::string relativePath;  // the remembered one, empty when none
    std::string startFolder;
  };
  TFormBody(Platform& platform, const Start& start, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  std::string relativePath() const;  // EditPath as the dialog leaves it
  BodyTagRecord record() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rebuild();
  void chooseColour(ColourValue& value);
  void showColours();
  void RadioButtonClick();
  void ButtonSelectImageClick();
  void BitBtnInsertClick(bool insert);
  void saveColours();

  Platform& platform_;
  Start start_;
  BuilderHandBack handBack_;
  BodyColours colours_;
  std::string image_;
  TMultiImage picture_;
  QLabel* PanelPreview = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* ButtonSelectColor = nullptr;
  QPushButton* ButtonSelectImage = nullptr;
  QLabel* LabelTextColor = nullptr;
  QLabel* LabelLinkColor = nullptr;
  QLabel* LabelVisitedLink = nullptr;
  QLabel* LabelActiveLink = nullptr;
  QLabel* LabelImage = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QCheckBox* CheckPath = nullptr;
  QLineEdit* EditPath = nullptr;
  QCheckBox* CheckEndBodyTag = nullptr;
  QCheckBox* CheckHTML = nullptr;
  QCheckBox* CheckHead = nullptr;
  QCheckBox* CheckTitle = nullptr;
  QCheckBox* CheckMeta = nullptr;
  QLineEdit* EditTitle = nullptr;
  QLineEdit* EditDesc = nullptr;
  QLineEdit* EditKey = nullptr;
  QLineEdit* EditBodyTag = nullptr;
};

}  // namespace quillon
