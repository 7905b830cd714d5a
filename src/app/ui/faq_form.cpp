#include "app/ui/faq_form.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/named.h"

namespace quillon {

namespace {

const char* kQuestionsAndAnswers =
    "Q: What is a project?\n"
    "A: A project is your web site as an outline of pages. Each page has a title, shown in the outline, and a link "
    "to its HTML file on your disk. The outline is kept in a .out file and the links in a .fil file of the same name "
    "in the projects folder.\n\n"
    "Q: How do I make a project from pages I already have?\n"
    "A: Use Tools, Website Project Builder. Pick the files, put them in order, name them and indent the pages that "
    "belong under another page.\n\n"
    "Q: Why are my tags not coloured?\n"
    "A: Tick the Color box above the editing window, or press Color Tags Now. Colouring a very large page can take a "
    "moment; the Stop button ends it.\n\n"
    "Q: Will Quillon Pro change bytes of my page that I did not touch?\n"
    "A: No. A page opened and saved unchanged is written back exactly as it was, line ends and 8-bit letters "
    "included.\n\n"
    "Q: What does the letter beside the editing window mean?\n"
    "A: It is the preview mode. T previews a temporary copy of the text in the editor, N the file as last saved, and "
    "S saves the file first. Double-click the letter to change it.\n\n"
    "Q: How do I upload my pages?\n"
    "A: Open the FTP screen from the Tools menu, add a host profile, choose the files to send, connect and press "
    "Transfer Files. Pages you save are put on the FTP list for you when that setting is on.\n\n"
    "Q: Can I undo a site-wide replace?\n"
    "A: Only from its backup: tick \"Backup all files before replacing\" and the files are copied first into a dated "
    "folder under the backup folder.\n\n"
    "Q: Where are my settings kept?\n"
    "A: In DEFAULT.INI and OPTIONS.INI in the program folder. The Settings dialog changes them for you.";

}  // namespace

TFormFAQ::TFormFAQ(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormFAQ");
  setWindowTitle("FAQ");
  auto* v = new QVBoxLayout(this);
  auto* text = named(new QPlainTextEdit(kQuestionsAndAnswers, this), "MemoFAQ", "Questions and answers");
  text->setReadOnly(true);
  v->addWidget(text);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = named(new QPushButton("OK", this), "ButtonOK");
  ok->setDefault(true);
  row->addWidget(ok);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  resize(520, 420);
}

}  // namespace quillon
