#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

namespace quillon {

// The floating "Tag Panel": double-click a tag template or an attribute to put it into the editing window.
class TFormSpeedBar : public QDialog {
  Q_OBJECT
 public:
  TFormSpeedBar(std::function<void(std::string_view)> onTag, std::function<void(std::string_view)> onAttribute,
                QWidget* parent = nullptr);
};

}  // namespace quillon
