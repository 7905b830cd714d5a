// A large page re-wrapped with its view far below the top: the unchanged view is repainted a few times a
// second while the re-wrap catches up, input is shown at once, and every line ends up wrapped.
#include <Qsci/qsciscintilla.h>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <vector>

#include "editor/ui/editor_bytes.h"

namespace quillon {

using S = QsciScintillaBase;

class TestWrapCatchUp : public QObject {
  Q_OBJECT

  static long displayLines(QsciScintilla& editor) {
    const long last = editor.SendScintilla(S::SCI_GETLINECOUNT) - 1;
    return editor.SendScintilla(S::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(last)) + 1;
  }

 private slots:
  void repaintsAreGatheredWhileTheRewrapCatchesUp() {
    QsciScintilla editor;
    editor.resize(500, 400);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    // Every line is wider than the window, so each wraps into two display lines once wrapped.
    const std::string line = "<P>Some text of a page with a <A HREF=\"x.html\">link</A> and words that wrap.</P>\r\n";
    std::string text;
    while (text.size() < (3u << 20)) text += line;
    editor_bytes::load(editor, text);
    editor_bytes::setWordWrap(editor, true);
    const long lines = editor.SendScintilla(S::SCI_GETLINECOUNT);
    QTRY_COMPARE_WITH_TIMEOUT(displayLines(editor), 2 * lines - 1, 120000);

    // Replace All's way: the whole text replaced, the caret left near the end.
    for (char& c : text)
      if (c == 'x') c = 'y';
    int paints = 0;
    QElapsedTimer clock;
    std::vector<qint64> paintedAt;
    connect(&editor, &S::SCN_PAINTED, this, [&] {
      ++paints;
      paintedAt.push_back(clock.isValid() ? clock.elapsed() : 0);
    });
    editor_bytes::replaceLargeRange(editor, 0, static_cast<long>(text.size()), text);
    editor_bytes::select(editor, static_cast<long>(text.size()) - 10, 0);
    editor.ensureCursorVisible();
    clock.start();
    QTRY_VERIFY(paints > 0);  // the re-wrap has begun

    // Typed text is painted straight away, re-wrap or not.
    const int before = paints;
    const qint64 typedAt = clock.elapsed();
    QTest::keyClick(editor.viewport(), Qt::Key_Z);
    QTRY_VERIFY2_WITH_TIMEOUT(paints > before, "typing during the re-wrap is shown at once", 300);

    QTRY_COMPARE_WITH_TIMEOUT(displayLines(editor), 2 * lines - 1, 120000);
    const qint64 elapsed = clock.elapsed();
    // Repaints go through at once for a moment after input (as many as the re-wrap's steps then ask for,
    // more on a faster machine); outside that moment, a few gathered repaints a second and slack for the
    // first and last.
    const auto gathered = std::count_if(paintedAt.begin(), paintedAt.end(),
                                        [&](qint64 t) { return t < typedAt || t > typedAt + 300 + 50; });
    QVERIFY2(gathered <= elapsed / 400 + 6,
             qPrintable(QString("%1 repaints, %2 of them outside input, in %3 ms of re-wrap")
                            .arg(paints)
                            .arg(gathered)
                            .arg(elapsed)));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestWrapCatchUp)
#include "tst_wrap_catch_up.moc"
