#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "platform/prompts.h"

class QLabel;
class QPushButton;
class QTextBrowser;

namespace quillon {

// "Help On Top": the help pages one at a time, with Next and Prev, floating above the main window
// without blocking it.
class TFormHelpOnTop : public QWidget {
  Q_OBJECT
 public:
  struct Start {
    std::string helpDir;       // ends in '/'
    bool helpMode = false;     // the help project is open
    std::string documentName;  // the open document's file name
  };
  TFormHelpOnTop(Prompts& prompts, const Start& start, QWidget* parent = nullptr);
  // False when the page list could not be read; the window has then said so and closes itself.
  bool opened() const { return opened_; }
  size_t page() const { return page_; }

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showPage(size_t index);

  Prompts& prompts_;
  std::string helpDir_;
  std::vector<std::string> pages_;
  size_t page_ = 0;
  bool opened_ = false;
  int resizes_ = 0;
  QTextBrowser* REHelp = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QLabel* LabelHint = nullptr;
};

}  // namespace quillon
