#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;

namespace quillon {

// The modeless find and replace dialogs ("FindDialog1", "ReplaceDialog1"). Whole word and direction are
// shown, as users expect them, but the search is always forward over whole text.
class FindDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { Find, Replace };
  FindDialog(Kind kind, QWidget* parent);

  QString findText() const;
  QString replaceText() const;
  bool matchCase() const;
  void setFindText(const QString& text);
  // Takes the keyboard, with the text to find selected, so typing replaces it.
  void takeKeyboard();

 signals:
  void findNextPressed();
  void replacePressed();
  void replaceAllPressed();

 private:
  void updateButtons();

  QLineEdit* EditFind = nullptr;
  QLineEdit* EditReplace = nullptr;
  QCheckBox* CheckMatchCase = nullptr;
  QWidget* buttons_[3] = {};
};

}  // namespace quillon
