// Every command the window places has its area's record with a handler, every record is placed somewhere,
// and the records' captions and shortcuts fit together: one command per shortcut, and no Alt+letter
// shortcut hidden behind a menu's access key.
#include <QAction>
#include <QMenu>
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

  // Locking the text reaches every command that edits the page, in the main menu and in a context menu
  // made while locked or before; what setEnabled asked of a command comes back when the lock goes.
  void lockingTheTextDisablesEveryEditingCommandAndOnlyThose() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    CommandRegistry& commands = w.commands();
    QMenu before;
    commands.fillMenu(before, editorMenu(), true);
    auto twin = [](QMenu& menu, CommandName name) -> QAction* {
      for (QAction* a : menu.actions())
        if (a->data().toString() == QString::fromUtf8(name.text)) return a;
      return nullptr;
    };
    QVERIFY(twin(before, cmd::Paste1Click) && twin(before, cmd::Copy1Click));
    commands.setEnabled(cmd::SaveHTMLFile1Click, false);
    commands.setTextLocked(true);
    for (CommandName editing : {cmd::Paste1Click, cmd::Cut1Click, cmd::BitBtnUndoClick, cmd::BoldTagClick,
                                cmd::Paragraph1Click, cmd::BitBtnPowerTableClick, cmd::Replaceallwith1Click,
                                cmd::BitBtnSpellCheckClick, cmd::BitBtnInsertLinkImageClick})
      QVERIFY2(!commands.enabled(editing), editing.text);
    for (CommandName reading : {cmd::Copy1Click, cmd::BitBtnFindClick, cmd::OpenHTMLFile1Click, cmd::SpeedBar1Click})
      QVERIFY2(commands.enabled(reading), reading.text);
    QVERIFY(!twin(before, cmd::Paste1Click)->isEnabled());
    QVERIFY(twin(before, cmd::Copy1Click)->isEnabled());
    QMenu during;
    commands.fillMenu(during, editorMenu(), true);
    QVERIFY(!twin(during, cmd::Paste1Click)->isEnabled());
    bool ran = false;
    commands.setHandler(cmd::Cut1Click, [&ran] { ran = true; });
    QVERIFY(!commands.trigger(cmd::Cut1Click));
    twin(during, cmd::Cut1Click)->trigger();
    QVERIFY(!ran);
    commands.setTextLocked(false);
    QVERIFY(commands.enabled(cmd::Paste1Click) && twin(during, cmd::Paste1Click)->isEnabled());
    QVERIFY(!commands.enabled(cmd::SaveHTMLFile1Click));
    QVERIFY(commands.trigger(cmd::Cut1Click) && ran);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestCommandRecords)
#include "tst_command_records.moc"
