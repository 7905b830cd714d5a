#include "builders/ui/speed_bar_form.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "builders/speed_bar.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormSpeedBar::TFormSpeedBar(std::function<void(std::string_view)> onTag,
                             std::function<void(std::string_view)> onAttribute, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("TFormSpeedBar");
  setWindowTitle("Tag Panel");
  setModal(false);
  auto* v = new QVBoxLayout(this);
  auto* pages = new QTabWidget(this);
  pages->setObjectName("PageControl1");
  auto list = [&](const char* name, const std::vector<std::string_view>& items,
                  std::function<void(std::string_view)> act) {
    auto* box = new QListWidget(pages);
    box->setObjectName(name);
    box->setToolTip("Double click an item to post into the editor");
    for (std::string_view item : items) box->addItem(toQString(item));
    connect(box, &QListWidget::itemDoubleClicked, this, [box, &items, act = std::move(act)](QListWidgetItem* item) {
      act(items[static_cast<size_t>(box->row(item))]);
    });
    return box;
  };
  pages->addTab(list("ListBox1", speedBarTags(), std::move(onTag)), "Tags");
  pages->addTab(list("ListBox2", speedBarAttributes(), std::move(onAttribute)), "Attributes");
  v->addWidget(pages);
  resize(220, 360);
}

}  // namespace quillon
