// The editing window as assistive technology reads it: its text, caret, selection and lines, in characters.
#include <Qsci/qsciscintilla.h>
#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

#include "base/file_io.h"

#include "editor/ui/editor_accessible.h"
#include "editor/ui/editor_bytes.h"

namespace quillon {

class TestEditorAccessible : public QObject {
  Q_OBJECT

  using S = QsciScintillaBase;

 private slots:
  void readsTextCaretSelectionAndLinesInCharacters() {
    editor_accessible::install();
    editor_accessible::install();  // a second call adds nothing
    QsciScintilla editor;
    editor.show();
    // Two-, three- and four-byte characters on the first lines, so byte and character positions part.
    const std::string page = "<p>caf\xc3\xa9 \xe2\x82\xac</p>\r\n<b>\xf0\x9f\x98\x80 x</b>\r\nend";
    editor_bytes::load(editor, page, true);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&editor);
    QVERIFY(face);
    QAccessibleTextInterface* text = face->textInterface();
    QVERIFY(text);
    const QString whole = QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size()));
    // Characters as code points: the emoji counts once, where UTF-16 would count it twice.
    const int characters = static_cast<int>(whole.toUcs4().size());
    QCOMPARE(text->characterCount(), characters);
    QCOMPARE(text->text(0, characters), whole);
    QCOMPARE(face->text(QAccessible::Value), whole);

    // The caret after "x" on the second line.
    const long xByte = static_cast<long>(page.find(" x</b>")) + 2;
    editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(xByte));
    const int xOffset = static_cast<int>(QString::fromUtf8(page.data(), xByte).toUcs4().size());
    QCOMPARE(text->cursorPosition(), xOffset);
    int start = 0, end = 0;
    QCOMPARE(text->textAtOffset(xOffset, QAccessible::LineBoundary, &start, &end),
             QString::fromUtf8("<b>\xf0\x9f\x98\x80 x</b>\r\n"));
    QCOMPARE(start, 15);  // "<p>café €</p>" and its line end
    QCOMPARE(end, 27);
    QCOMPARE(text->textBeforeOffset(xOffset, QAccessible::LineBoundary, &start, &end),
             QString::fromUtf8("<p>caf\xc3\xa9 \xe2\x82\xac</p>\r\n"));
    QCOMPARE(text->textAfterOffset(xOffset, QAccessible::LineBoundary, &start, &end), QString("end"));
    QCOMPARE(text->textAtOffset(4, QAccessible::WordBoundary, &start, &end), QString::fromUtf8("caf\xc3\xa9"));

    // Setting the caret and a selection by offsets lands on the right bytes.
    text->setCursorPosition(9);  // after the euro sign
    QCOMPARE(editor.SendScintilla(S::SCI_GETCURRENTPOS), static_cast<long>(page.find("</p>")));
    text->setSelection(0, 3, 9);
    QCOMPARE(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    QCOMPARE(start, 3);
    QCOMPARE(end, 9);
    QCOMPARE(QString::fromStdString(editor_bytes::selectedText(editor)), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));

    // Typing moves what is read.
    editor.SendScintilla(S::SCI_GOTOPOS, 0UL);
    editor_bytes::replaceSelection(editor, "\xc3\xa9");
    QCOMPARE(text->characterCount(), characters + 1);
    QCOMPARE(text->cursorPosition(), 1);

    // An 8-bit page: a character is a byte.
    editor_bytes::load(editor, "caf\xe9\r\nx", false);
    QCOMPARE(text->characterCount(), 7);
    QCOMPARE(text->text(0, 4), QString::fromLatin1("caf\xe9"));

    // A file is read in as 8-bit bytes and then shown as UTF-8: the offsets read before it must not
    // stay as they were for the window's earlier text.
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/page.htm";
    const std::string second = "\xe2\x82\xac\xe2\x82\xac\r\n<p>na\xc3\xafve</p>\r\n";
    QVERIFY(writeFileAtomic(path, second).ok);
    QCOMPARE(editor_bytes::loadFile(editor, path, {}), editor_bytes::LoadOutcome::Loaded);
    const QString secondText = QString::fromUtf8(second.data(), static_cast<qsizetype>(second.size()));
    QCOMPARE(text->characterCount(), static_cast<int>(secondText.size()));
    QCOMPARE(text->text(0, text->characterCount()), secondText);
    QCOMPARE(text->textAtOffset(6, QAccessible::LineBoundary, &start, &end),
             QString::fromUtf8("<p>na\xc3\xafve</p>\r\n"));
    QCOMPARE(start, 4);
  }

  // Reading by character, word and line as a screen reader steps through a page: each step lands on the
  // next piece, never on the same one again or on nothing.
  void stepsByCharacterWordAndLine() {
    editor_accessible::install();
    QsciScintilla editor;
    editor.show();
    editor_bytes::load(editor, "a\r\nb\xc3\xa9 <p>\r\n", true);
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&editor)->textInterface();
    int start = 0, end = 0;
    // Offsets: a=0 CR=1 LF=2 b=3 é=4 space=5 <=6 p=7 >=8 CR=9 LF=10, length 11.
    QCOMPARE(text->textAtOffset(1, QAccessible::CharBoundary, &start, &end), QString("\r"));
    QCOMPARE(end, 2);
    QCOMPARE(text->textAtOffset(4, QAccessible::CharBoundary, &start, &end), QString::fromUtf8("\xc3\xa9"));
    QCOMPARE(end, 5);
    QCOMPARE(text->textAfterOffset(0, QAccessible::WordBoundary, &start, &end), QString("\r\n"));
    QCOMPARE(start, 1);
    QCOMPARE(text->textAfterOffset(1, QAccessible::WordBoundary, &start, &end), QString::fromUtf8("b\xc3\xa9"));
    QCOMPARE(text->textAtOffset(5, QAccessible::WordBoundary, &start, &end), QString(" "));
    QCOMPARE(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), QString("<"));
    QCOMPARE(start, 6);
    // The empty line after the last line end.
    QCOMPARE(text->textAtOffset(11, QAccessible::LineBoundary, &start, &end), QString());
    QCOMPARE(start, 11);
    QCOMPARE(end, 11);
    QCOMPARE(text->textBeforeOffset(11, QAccessible::LineBoundary, &start, &end),
             QString::fromUtf8("b\xc3\xa9 <p>\r\n"));
    // A caret or selection asked for at a negative offset goes nowhere.
    text->setCursorPosition(3);
    text->setCursorPosition(-5);
    QCOMPARE(text->cursorPosition(), 3);

    // A UTF-8 page's byte order mark is a character, in the text as in the offsets.
    editor_bytes::load(editor, "\xef\xbb\xbf<p>\xc3\xa9</p>", true);
    QCOMPARE(text->characterCount(), 9);
    QCOMPARE(text->text(0, 9), QChar(0xFEFF) + QString::fromUtf8("<p>\xc3\xa9</p>"));
    QCOMPARE(text->text(1, 4), QString("<p>"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestEditorAccessible)
#include "tst_editor_accessible.moc"
