#pragma once

#include <QDialog>
#include <string>

#include "platform/ui/platform.h"

class QLineEdit;

namespace quillon {

// "Image Directory": the folder where the open page's images are, chosen by picking any file in it.
class TFormFTPImageLoc : public QDialog {
  Q_OBJECT
 public:
  TFormFTPImageLoc(Platform& platform, const std::string& folder, std::string imagesFolder, QWidget* parent = nullptr);
  std::string folder() const;

 private:
  Platform& platform_;
  std::string imagesFolder_;
  QLineEdit* EditImageLocation = nullptr;
};

}  // namespace quillon
