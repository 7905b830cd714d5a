// The editing window holds a file's exact bytes: loaded in pieces from the end, saved from its buffer.
#include <Qsci/qsciscintilla.h>
#include <sys/stat.h>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "editor/ui/editor_bytes.h"

namespace quillon {

class TestEditorBytes : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string write(const char* name, const std::string& bytes) {
    const std::string path = dir_.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

 private slots:
  void loadsExactBytesAndPicksTheCodePage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("mixed line ends, no final end") << QByteArray("a\r\nb\nc\rd") << true;
    QTest::newRow("NUL bytes") << QByteArray("x\0y\0\0", 5) << true;
    QTest::newRow("Latin-1") << QByteArray("caf\xe9 \xff") << false;
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << true;
    // Larger than one piece, with a three-byte character across the piece boundary at 1 MiB from the end.
    QByteArray big(3u << 20, 'a');
    big.replace(big.size() - (1 << 20) - 1, 3, "\xe2\x82\xac");
    QTest::newRow("three pieces, UTF-8 split") << big << true;
    QByteArray bad = big;
    bad[100] = '\xff';
    QTest::newRow("three pieces, one bad byte") << bad << false;
  }

  void loadsExactBytesAndPicksTheCodePage() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QsciScintilla editor;
    const std::string path = write("page.html", bytes.toStdString());
    QCOMPARE(editor_bytes::loadFile(editor, path), editor_bytes::LoadOutcome::Loaded);
    QCOMPARE(QByteArray(editor_bytes::text(editor).data(), static_cast<qsizetype>(editor_bytes::text(editor).size())),
             bytes);
    QCOMPARE(editor.SendScintilla(QsciScintillaBase::SCI_GETCODEPAGE) == QsciScintillaBase::SC_CP_UTF8, utf8);
    QCOMPARE(editor_bytes::selectionStart(editor), 0L);
    // Loading is not an undoable change.
    QVERIFY(!editor.SendScintilla(QsciScintillaBase::SCI_CANUNDO));
  }

  void unreadableOrDeclinedFilesLeaveTheWindowAsItWas() {
    using editor_bytes::LoadOutcome;
    QsciScintilla editor;
    editor_bytes::load(editor, "old text");
    const std::string dir = dir_.path().toStdString();
    QCOMPARE(editor_bytes::loadFile(editor, dir + "/missing.html"), LoadOutcome::Unreadable);
    QCOMPARE(editor_bytes::loadFile(editor, dir), LoadOutcome::Unreadable);  // a folder
    // A FIFO with no writer would block a reader for ever: it is refused without being opened.
    QVERIFY(::mkfifo((dir + "/pipe.html").c_str(), 0600) == 0);
    QCOMPARE(editor_bytes::loadFile(editor, dir + "/pipe.html"), LoadOutcome::Unreadable);
    const std::string path = write("long.html", (QByteArray(3000, 'x') + "\r\nshort\r\n").toStdString());
    // Asked first with the size alone (a file too large is refused before it is read), then measured.
    std::vector<FileShape> seen;
    QCOMPARE(editor_bytes::loadFile(editor, path,
                                    [&](const FileShape& shape) {
                                      seen.push_back(shape);
                                      return !shape.measured;
                                    }),
             LoadOutcome::Declined);
    QCOMPARE(seen.size(), 2u);
    QVERIFY(!seen[0].measured);
    QCOMPARE(seen[0].size, 3009u);
    QVERIFY(seen[1].measured);
    QCOMPARE(seen[1].longestLine, 3000u);
    seen.clear();
    QCOMPARE(editor_bytes::loadFile(editor, path,
                                    [&](const FileShape& shape) {
                                      seen.push_back(shape);
                                      return false;
                                    }),
             LoadOutcome::Declined);
    QCOMPARE(seen.size(), 1u);
    QCOMPARE(std::string(editor_bytes::text(editor)), std::string("old text"));
  }

  void replacingTheSelectionKeepsBytesAndMovesTheCaret() {
    QsciScintilla editor;
    editor_bytes::load(editor, std::string("ab\0cd", 5));
    editor_bytes::select(editor, 1, 3);
    QCOMPARE(editor_bytes::selectedText(editor), std::string("b\0c", 3));
    editor_bytes::replaceSelection(editor, "\xe9");  // a Latin-1 byte in a document shown as UTF-8
    QCOMPARE(std::string(editor_bytes::text(editor)), std::string("a\xe9"
                                                                  "d"));
    QCOMPARE(editor_bytes::selectionStart(editor), 2L);
    QCOMPARE(editor.SendScintilla(QsciScintillaBase::SCI_GETCODEPAGE), 0L);
    editor_bytes::replaceSelection(editor, "");
    QCOMPARE(editor_bytes::length(editor), 3L);
    editor_bytes::select(editor, 2, 100);  // clamped to the text
    QCOMPARE(editor_bytes::selectionLength(editor), 1L);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestEditorBytes)
#include "tst_editor_bytes.moc"
