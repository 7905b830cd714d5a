#include "project/ui/move_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/project_files.h"

namespace quillon {

TFormMove::TFormMove(Platform& platform, std::string programDir, QWidget* parent)
    : QDialog(parent), platform_(platform), programDir_(std::move(programDir)) {
  setObjectName("TFormMove");
  setWindowTitle("Move Pages within Site");
  auto* v = new QVBoxLayout(this);
  auto* intro = named(new QLabel("You can re-arrange and move pages or families of pages up and down, or indent or "
                                 "un-indent a level.",
                                 this),
                      "LabelIntro");
  intro->setWordWrap(true);
  v->addWidget(intro);
  v->addWidget(named(new QLabel("Move Pages:", this), "LabelMove"));
  auto* middle = new QHBoxLayout;
  ListBoxRows = named(new QListWidget(this), "ListBoxRows");
  ListBoxRows->setContextMenuPolicy(Qt::CustomContextMenu);
  middle->addWidget(ListBoxRows, 1);
  auto* side = new QVBoxLayout;
  auto* up = named(new QPushButton("Move Up", this), "ButtonMoveUp");
  auto* down = named(new QPushButton("Move Down", this), "ButtonMoveDown");
  auto* in = named(new QPushButton("Move In", this), "ButtonMoveIn");
  auto* out = named(new QPushButton("Move Out", this), "ButtonMoveOut");
  for (QPushButton* b : {up, down, in, out}) side->addWidget(b);
  side->addStretch();
  middle->addLayout(side);
  v->addLayout(middle);
  auto* note =
      named(new QLabel("NOTE: Remember, an item is the parent of all the indented items below it. If you move "
                       "at item out a level, it will become the parent of all the items below it. You can always "
                       "push the CANCEL button if you make a mistake.",
                       this),
            "LabelNote");
  note->setWordWrap(true);
  v->addWidget(note);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = named(new QPushButton("OK", this), "BitBtnOK");
  auto* cancel = named(new QPushButton("Cancel", this), "BitBtnCancel");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  v->addLayout(buttons);

  connect(up, &QPushButton::clicked, this, [this] { act(&moveUp); });
  connect(down, &QPushButton::clicked, this, [this] { act(&moveDown); });
  connect(in, &QPushButton::clicked, this, [this] { act(&moveIn); });
  connect(out, &QPushButton::clicked, this, [this] { act(&moveOut); });
  connect(ok, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBoxRows, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QMenu menu(this);
    menu.setObjectName("PopupMenuMove");
    connect(menu.addAction("Move Up"), &QAction::triggered, this, [this] { act(&moveUp); });
    connect(menu.addAction("Move Down"), &QAction::triggered, this, [this] { act(&moveDown); });
    menu.addSeparator();
    connect(menu.addAction("Indent 1 Level"), &QAction::triggered, this, [this] { act(&moveIn); });
    connect(menu.addAction("Un-Indent 1 Level"), &QAction::triggered, this, [this] { act(&moveOut); });
    menu.exec(ListBoxRows->viewport()->mapToGlobal(pos));
  });

  const auto outline = readWholeFile(programDir_ + "temp.ttt");
  const auto lines = outline ? parseOutline(*outline) : std::nullopt;
  const auto links = readWholeFile(programDir_ + "temp2.ttt");
  const std::vector<std::string> linkList = links ? parseLinks(*links) : std::vector<std::string>{};
  if (lines) {
    for (size_t i = 0; i < lines->size(); ++i)
      rows_.push_back({(*lines)[i].level, (*lines)[i].title, i < linkList.size() ? linkList[i] : std::string()});
  }
  showRows(0);
  ListBoxRows->setCurrentRow(-1);
}

void TFormMove::showRows(size_t select) {
  ListBoxRows->clear();
  for (const MoveRow& row : rows_) ListBoxRows->addItem(toQString(rowCaption(row)));
  if (select < rows_.size()) ListBoxRows->setCurrentRow(static_cast<int>(select));
}

void TFormMove::act(MoveOutcome (*move)(std::vector<MoveRow>&, size_t)) {
  const int row = ListBoxRows->currentRow();
  if (row <= 0) return;
  const MoveOutcome outcome = move(rows_, static_cast<size_t>(row));
  if (outcome.refusal) {
    platform_.prompts.info(*outcome.refusal);
    return;
  }
  showRows(outcome.select);
}

void TFormMove::BitBtnOKClick() {
  std::string outline, links;
  for (const MoveRow& row : rows_) {
    outline.append(static_cast<size_t>(row.level > 1 ? row.level - 1 : 0), '\t');
    outline += row.title;
    outline += kCrLf;
    links += row.link;
    links += kCrLf;
  }
  const WriteResult written =
      writeFilesTogether({{programDir_ + "temp.ttt", outline}, {programDir_ + "temp2.ttt", links}});
  if (!written.ok) {
    platform_.prompts.error(cannotWriteText(written, "outline file"));
    return;
  }
  accept();
}

}  // namespace quillon
