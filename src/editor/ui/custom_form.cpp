#include "editor/ui/custom_form.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/custom_tags.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormCustom::TFormCustom(Mode mode, Prompts& prompts, const std::vector<std::string>& entries, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
  setObjectName("TFormCustom");
  setWindowTitle("Custom Tags");
  auto* v = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto button = [&](const char* name, const char* caption) {
    auto* b = named(new QPushButton(caption, this), name);
    buttons->addWidget(b);
    return b;
  };
  if (mode == Mode::Add) {
    v->addWidget(new QLabel("Add a NEW custom tag: ", this));
    auto* form = new QFormLayout;
    EditName = named(new QLineEdit(this), "EditName");
    EditStart = named(new QLineEdit("<>", this), "EditStart");
    EditEnd = named(new QLineEdit("</>", this), "EditEnd");
    form->addRow("Name/Desc.", EditName);
    form->addRow("Start Tag", EditStart);
    form->addRow("End Tag", EditEnd);
    v->addLayout(form);
    auto* note =
        named(new QLabel("NOTE: If you want the End tag to be blank, highlight the text in the data field and hit "
                         "DEL or BACKSPACE to clear it. (START is required)",
                         this),
              "LabelNote");
    note->setWordWrap(true);
    v->addWidget(note);
    EditStart->installEventFilter(this);
    EditEnd->installEventFilter(this);
    auto* add = button("BitBtnAddTag", "&Add Tag");
    add->setDefault(true);
    auto* cancel = button("BitBtnCancel", "Cancel");
    connect(add, &QPushButton::clicked, this, [this] { BitBtnAddTagClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  } else {
    ListBox1 = named(new QListWidget(this), "ListBox1");
    for (const auto& e : entries) {
      auto* item = new QListWidgetItem(toQString(e), ListBox1);
      item->setData(Qt::UserRole, QByteArray(e.data(), static_cast<qsizetype>(e.size())));
    }
    v->addWidget(ListBox1);
    auto* del = button("BitBtnDeleteTag", "&Delete Tag");
    auto* all = button("ButtonDelAll", "Delete &All");
    auto* ok = button("ButtonOK", "&OK");
    auto* cancel = button("ButtonCancelDel", "&Cancel");
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    connect(del, &QPushButton::clicked, this, [this] { ListBox1DblClick(); });
    connect(all, &QPushButton::clicked, this, [this] { ListBox1->clear(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  }
  v->addLayout(buttons);
}

// As keys go up in the tag fields, the tags complete themselves: "<" and ">" added, the caret before the
// ">", and a start tag gives its end tag.
bool TFormCustom::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease && (watched == EditStart || watched == EditEnd)) {
    auto* edit = static_cast<QLineEdit*>(watched);
    if (!edit->text().isEmpty()) {
      const TypedTag tag =
          watched == EditStart ? completeStartTag(toBytes(edit->text())) : completeEndTag(toBytes(edit->text()));
      edit->setText(toQString(tag.text));
      edit->setCursorPosition(toQString(tag.text.substr(0, tag.caret)).size());
      if (watched == EditStart) EditEnd->setText(toQString(tag.endTag));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormCustom::BitBtnAddTagClick() {
  const std::string name = toBytes(EditName->text());
  if (const std::string problem = customTagNameProblem(name); !problem.empty()) {
    prompts_.error(problem);
    EditName->setFocus();
    return;
  }
  const std::string start = toBytes(EditStart->text());
  const std::string end = toBytes(EditEnd->text());
  struct Field {
    const std::string& text;
    const char* name;
    QLineEdit* edit;
  };
  for (const Field& f : {Field{start, "START tag", EditStart}, Field{end, "END tag", EditEnd}})
    if (const std::string problem = lineBreakProblem(f.text, f.name); !problem.empty()) {
      prompts_.error(problem);
      f.edit->setFocus();
      return;
    }
  if (start.empty() || start == "<>") {
    prompts_.error("You have not entered a START tag. This is a required field.");
    EditStart->setFocus();
    return;
  }
  if (end.empty() && prompts_.message(MessageKind::Confirm, kAppTitle,
                                      "You have not entered an END tag. Do you wish to continue without a END tag?",
                                      Buttons::YesNo) != Answer::Yes) {
    EditEnd->setFocus();
    return;
  }
  newEntry_ = customTagEntry(name, start, end);
  accept();
}

void TFormCustom::ListBox1DblClick() {
  if (QListWidgetItem* item = ListBox1->currentItem(); item && item->isSelected()) delete item;
}

std::vector<std::string> TFormCustom::entries() const {
  std::vector<std::string> out;
  for (int i = 0; ListBox1 && i < ListBox1->count(); ++i)
    out.push_back(ListBox1->item(i)->data(Qt::UserRole).toByteArray().toStdString());
  return out;
}

}  // namespace quillon
