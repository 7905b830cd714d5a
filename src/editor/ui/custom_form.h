#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

class QLineEdit;
class QListWidget;

namespace quillon {

// "Custom Tags": in add mode a name with a start and an end tag (the fields complete the tags as they are
// typed); in delete mode the list of entries to thin out.
class TFormCustom : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Add, Delete };
  TFormCustom(Mode mode, Prompts& prompts, const std::vector<std::string>& entries = {}, QWidget* parent = nullptr);
  // Add mode, after "&Add Tag": the new entry «name * <start><end>».
  const std::string& newEntry() const { return newEntry_; }
  // Delete mode, after "&OK": the entries left.
  std::vector<std::string> entries() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BitBtnAddTagClick();
  void ListBox1DblClick();

  Prompts& prompts_;
  std::string newEntry_;
  QLineEdit* EditName = nullptr;
  QLineEdit* EditStart = nullptr;
  QLineEdit* EditEnd = nullptr;
  QListWidget* ListBox1 = nullptr;
};

}  // namespace quillon
