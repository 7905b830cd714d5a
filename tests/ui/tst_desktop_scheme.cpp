// Light and dark: the editing window follows the desktop's palette as it changes, default tag colours are
// shown readable on a dark background while chosen ones stay as chosen, a scheme set in the settings holds
// whatever the desktop is, and the shipped icons are drawn in the palette's colour.
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/desktop_scheme.h"
#include "app/ui/mainwindow.h"
#include "platform/ui/symbolic_icon.h"
#include "support/window_desk.h"

namespace quillon {

class TestDesktopScheme : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QPalette desktop_;

  using S = QsciScintillaBase;

  void writeOptions(const QByteArray& editorAndColours) {
    QFile options(dir_.path() + "/OPTIONS.INI");
    QVERIFY(options.open(QIODevice::WriteOnly | QIODevice::Truncate));
    options.write("[Help]\r\nShowTips=0\r\n" + editorAndColours);
  }
  static long style(QsciScintilla& e, int message, int style) {
    return e.SendScintilla(message, static_cast<unsigned long>(style));
  }
  static int styleOf(const char* name) { return 1 + ColorNameIndex(ColorFromName(name)); }

 private slots:
  void init() { desktop_ = QApplication::palette(); }
  void cleanup() {
    desktop_scheme::apply(Scheme::System);
    QApplication::setPalette(desktop_);
  }

  void editingWindowFollowsTheDesktop() {
    writeOptions("[Colors]\r\nHREF=clNavy\r\n");
    testing::WindowDesk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    w.show();
    auto& e = *w.findChild<QsciScintilla*>("RE1");
    const long white = 0xFFFFFF;
    QCOMPARE(style(e, S::SCI_STYLEGETBACK, S::STYLE_DEFAULT), white);
    QCOMPARE(style(e, S::SCI_STYLEGETFORE, styleOf("clRed")), long(ColorFromName("clRed")));
    // The desktop turns dark while the program runs.
    const QPalette dark = desktop_scheme::darkPalette();
    QApplication::setPalette(dark);
    QCoreApplication::sendPostedEvents();
    const auto background = static_cast<ColourValue>(style(e, S::SCI_STYLEGETBACK, S::STYLE_DEFAULT));
    QCOMPARE(background, desktop_scheme::colourValue(dark.color(QPalette::Base)));
    QCOMPARE(style(e, S::SCI_STYLEGETFORE, S::STYLE_DEFAULT),
             long(desktop_scheme::colourValue(dark.color(QPalette::Text))));
    QCOMPARE(style(e, S::SCI_STYLEGETBACK, styleOf("clRed")), long(background));
    const auto red = static_cast<ColourValue>(style(e, S::SCI_STYLEGETFORE, styleOf("clRed")));
    QVERIFY2(contrastRatio(red, background) >= 4.5, "the default red does not read on the dark background");
    QCOMPARE(style(e, S::SCI_STYLEGETFORE, styleOf("clNavy")), long(ColorFromName("clNavy")));
    QCOMPARE(style(e, S::SCI_STYLEGETBACK, S::STYLE_LINENUMBER),
             long(desktop_scheme::colourValue(dark.color(QPalette::Window))));
    QCOMPARE(e.SendScintilla(S::SCI_GETCARETFORE), long(desktop_scheme::colourValue(dark.color(QPalette::Text))));
    // And light again: every colour as named.
    QApplication::setPalette(desktop_scheme::lightPalette());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(style(e, S::SCI_STYLEGETBACK, S::STYLE_DEFAULT), white);
    QCOMPARE(style(e, S::SCI_STYLEGETFORE, styleOf("clRed")), long(ColorFromName("clRed")));
  }

  void aChosenSchemeHoldsWhateverTheDesktopIs() {
    writeOptions("[Editor]\r\nScheme=Dark\r\n");
    {
      testing::WindowDesk desk;
      TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
      w.show();
      QCoreApplication::sendPostedEvents();
      QVERIFY(desktop_scheme::drawnDark(QApplication::palette()));
      QVERIFY(desktop_scheme::drawnDark(w.palette()));
      auto& e = *w.findChild<QsciScintilla*>("RE1");
      QVERIFY(windowColourIsDark(static_cast<ColourValue>(style(e, S::SCI_STYLEGETBACK, S::STYLE_DEFAULT))));
    }
    writeOptions("[Editor]\r\nScheme=Light\r\n");
    QApplication::setPalette(desktop_scheme::darkPalette());
    testing::WindowDesk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    w.show();
    QCoreApplication::sendPostedEvents();
    QVERIFY(!desktop_scheme::drawnDark(QApplication::palette()));
    QVERIFY(!desktop_scheme::drawnDark(w.palette()));
    auto& e = *w.findChild<QsciScintilla*>("RE1");
    QCOMPARE(style(e, S::SCI_STYLEGETBACK, S::STYLE_DEFAULT), 0xFFFFFFL);
  }

  void shippedIconsTakeThePalettesColour() {
    const QString file = QCoreApplication::applicationDirPath() + "/../bin/icons/edit-find-symbolic.svg";
    QVERIFY2(QFile::exists(file), qPrintable(file));
    const QIcon icon = symbolicIcon(file);
    QVERIFY(!icon.isNull());
    QVERIFY(symbolicIcon(dir_.path() + "/no-such.svg").isNull());
    // The mean lightness of the drawn pixels, light palette then dark.
    auto drawnLightness = [&] {
      const QImage image = icon.pixmap(QSize(32, 32), 2.0).toImage();
      if (image.size() != QSize(64, 64)) return -1.0;
      double sum = 0;
      int drawn = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          if (c.alpha() < 200) continue;
          sum += c.lightness();
          ++drawn;
        }
      return drawn > 100 ? sum / drawn : -1.0;
    };
    QApplication::setPalette(desktop_scheme::lightPalette());
    const double onLight = drawnLightness();
    QApplication::setPalette(desktop_scheme::darkPalette());
    const double onDark = drawnLightness();
    QVERIFY2(onLight >= 0 && onLight < 40, qPrintable(QString::number(onLight)));
    QVERIFY2(onDark > 200, qPrintable(QString::number(onDark)));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestDesktopScheme)
#include "tst_desktop_scheme.moc"
