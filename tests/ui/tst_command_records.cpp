// Every command the window places has its area's record with a handler, every record is placed somewhere,
// and the records' captions and shortcuts fit together: one command per shortcut, and no Alt+letter
// shortcut hidden behind a menu's access key.
#include <QTemporaryDir>
#include <QTest>
#include <cctype>
#include <map>
#include <set>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "platform/ui/qt_platform.h"
#include "support/window_desk.h"

namespace quillon {

class TestCommandRecords : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  using Desk = testing::WindowDesk;

 private slots:
  void everyPlacedCommandHasARecordAndEveryRecordAPlace() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    CommandRegistry& commands = w.commands();
    QVERIFY2(commands.unplaced().empty(), commands.unplaced().empty() ? "" : commands.unplaced().front().c_str());
    const std::vector<std::string> placed = placedCommands();
    QCOMPARE(commands.commands().size(), placed.size());
    for (const CommandInfo& c : commands.commands()) {
      QVERIFY2(commands.works(c.name), c.name.c_str());
      QVERIFY2(!c.caption.empty() && c.caption != c.name, c.name.c_str());
      QVERIFY2(c.caption.find('&') == std::string::npos, c.name.c_str());
    }
  }

  void shortcutsAreUniqueAndNoneIsShadowedByAMenu() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    std::map<std::string, std::string> byShortcut;
    for (const CommandInfo& c : w.commands().commands()) {
      if (c.shortcut.empty()) continue;
      const auto [it, fresh] = byShortcut.emplace(c.shortcut, c.name);
      QVERIFY2(fresh, qPrintable(QString::fromStdString(c.shortcut + " bound to " + it->second + " and " + c.name)));
    }
    QVERIFY(byShortcut.count("Ctrl+N") && byShortcut.count("F3") && byShortcut.count("Ctrl+\\"));
    // Alt+letter opens the menu whose caption marks that letter.
    std::set<char> keys;
    for (const MenuItem& top : mainMenu()) {
      const std::string caption =
          top.isSubmenu() ? top.caption : w.commands().mainAction(top.command)->text().toStdString();
      const size_t amp = caption.find('&');
      QVERIFY2(amp != std::string::npos, caption.c_str());
      const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
      QVERIFY2(keys.insert(key).second, qPrintable(QString::fromStdString(caption + ": access key used twice")));
    }
    for (const auto& [shortcut, name] : byShortcut)
      if (shortcut.size() == 5 && shortcut.rfind("Alt+", 0) == 0)
        QVERIFY2(!keys.count(shortcut[4]), qPrintable(QString::fromStdString(shortcut + " is shadowed by a menu")));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestCommandRecords)
#include "tst_command_records.moc"
