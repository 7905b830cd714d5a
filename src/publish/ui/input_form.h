#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;

namespace quillon {

// A one-line question: a prompt, an entry field, OK and Cancel. Made once and asked again and again.
class TInputForm : public QDialog {
  Q_OBJECT
 public:
  explicit TInputForm(QWidget* parent = nullptr);
  // Sets the caption and prompt and empties the field before each question.
  void prepare(const std::string& caption, const std::string& prompt);
  std::string text() const;

 private:
  QLabel* Prompt = nullptr;
  QLineEdit* Input = nullptr;
};

}  // namespace quillon
