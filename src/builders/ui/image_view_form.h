#pragma once

#include <QDialog>

#include "builders/hand_back.h"
#include "builders/image_tag.h"
#include "builders/ui/multi_image.h"
#include "platform/ui/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace quillon {

// "Power Image Tag / Preview Screen": an image browser with a preview and measurements, and the fields of
// an "<IMG>" tag built as they change. The tag handed back is the tag field's text, edits by hand included.
class TFormImageView : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string relativePath;  // the remembered one
    std::string startFolder;
    std::string selectedFile;  // the Files tab's selected file with its folder, or empty
  };
  TFormImageView(Platform& platform, const Start& start, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  std::string relativePath() const;
  ImageTagRecord record() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Loads a picture; on success fills the source, sizes and the three labels ("File " in front of the
  // first two when the file came from the main window).
  bool showImage(const std::string& path, const char* labelPrefix);
  void EditIMGSourceChange();
  void BitBtnInsertClick(bool insert);

  Platform& platform_;
  BuilderHandBack handBack_;
  TMultiImage picture_;
  class FolderBrowser* browser_ = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  QListWidget* DirectoryListBox1 = nullptr;
  QListWidget* FileListBox1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* LabelDim = nullptr;
  QLabel* LabelSize = nullptr;
  QLabel* LabelPath = nullptr;
  QLineEdit* EditIMGSource = nullptr;
  QLineEdit* EditAlt = nullptr;
  QLineEdit* EditIMGWidth = nullptr;
  QLineEdit* EditIMGHeight = nullptr;
  QComboBox* ComboBoxAlign = nullptr;
  QSpinBox* SpinBorder = nullptr;
  QCheckBox* CheckISMAP = nullptr;
  QCheckBox* CheckRelative = nullptr;
  QLineEdit* EditRelativePath = nullptr;
  QLineEdit* EditDummy = nullptr;
};

}  // namespace quillon
