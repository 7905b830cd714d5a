#pragma once

#include <QDialog>

namespace quillon {

// "FAQ": questions users ask about this program, with their answers.
class TFormFAQ : public QDialog {
  Q_OBJECT
 public:
  explicit TFormFAQ(QWidget* parent = nullptr);
};

}  // namespace quillon
