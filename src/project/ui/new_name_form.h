#pragma once

#include <QDialog>
#include <string>

#include "platform/ui/platform.h"

class QCheckBox;
class QLineEdit;

namespace quillon {

// The page dialog: a title and the path of an existing HTML file, for adding or changing a page. Made once
// at start and reset each time it is shown.
class TFormNewName : public QDialog {
  Q_OBJECT
 public:
  enum class Focus { Title, Link };
  TFormNewName(Platform& platform, QWidget* parent = nullptr);

  // Before showing: the file filter, and the fields for adding (link = start folder) or changing. With
  // `eightBitTitles` (the outline's titles are 8-bit), a typed title is written in 8 bits where it can be.
  void prepare(const std::string& fileFilter, const std::string& startFolder, const std::string& title,
               const std::string& link, Focus focus, bool changing, bool eightBitTitles = false);
  bool cancelled() const { return cancelled_; }
  const std::string& resultTitle() const { return title_; }
  const std::string& resultLink() const { return link_; }

 private:
  void selectFile();
  void accept() override;
  void reject() override;

  Platform& platform_;
  std::string filter_;
  std::string startFolder_;
  std::string title_;
  std::string link_;
  std::string shownTitle_;  // the bytes the edits were filled from
  std::string shownLink_;
  bool cancelled_ = false;
  bool eightBitTitles_ = false;
  QLineEdit* EditTitle = nullptr;
  QLineEdit* EditLink = nullptr;
};

// The removal confirmation, with its "do not show" box.
class TFormConfirm : public QDialog {
  Q_OBJECT
 public:
  TFormConfirm(bool confirmOn, QWidget* parent = nullptr);
  bool noConfirm() const;

 private:
  QCheckBox* CheckNoConfirm = nullptr;
};

}  // namespace quillon
