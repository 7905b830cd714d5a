#pragma once

#include <QFile>
#include <QString>

namespace quillon::testing {

// Settings for a program folder whose main window starts without the tip of the day; false when they
// cannot be written.
inline bool writeQuietStart(const QString& folder) {
  QFile options(folder + "/OPTIONS.INI");
  if (!options.open(QIODevice::WriteOnly)) return false;
  return options.write("[Help]\r\nShowTips=0\r\n") > 0;
}

}  // namespace quillon::testing
