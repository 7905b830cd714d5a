// A name chosen in the file picker comes back with its own bytes, UTF-8 or not.
#include <sys/stat.h>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/ui/file_name_bytes.h"
#include "platform/ui/qt_platform.h"

namespace quillon {

class TestFileNameBytes : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string root() const { return dir_.path().toStdString(); }
  static QString asQtReadsIt(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  }

 private slots:
  // Qt cannot remove names that are not UTF-8 either.
  void cleanupTestCase() { std::filesystem::remove_all(root()); }

  void bytesOfEachPartAreFoundInItsFolder() {
    const std::string folder = root() + "/d\xe9p\xf4t";  // Latin-1 folder and page names
    QVERIFY(::mkdir(folder.c_str(), 0700) == 0);
    const std::string page = folder + "/caf\xe9.htm";
    std::ofstream(page) << "x";
    QVERIFY(asQtReadsIt(page).contains(QChar::ReplacementCharacter));
    QCOMPARE(fileNameBytes(asQtReadsIt(page)), page);

    // A new name typed into a save dialog, in a folder that exists, keeps the folder's bytes.
    QCOMPARE(fileNameBytes(asQtReadsIt(folder) + "/new.htm"), folder + "/new.htm");
    // UTF-8 names are as written.
    const std::string utf8 = root() + "/caf\xc3\xa9.htm";
    std::ofstream(utf8) << "x";
    QCOMPARE(fileNameBytes(asQtReadsIt(utf8)), utf8);

    // Two names that read alike: neither is guessed.
    std::ofstream(folder + "/caf\xe8.htm") << "x";
    QCOMPARE(fileNameBytes(asQtReadsIt(page)), folder + "/" + toUtf8Of(asQtReadsIt("caf\xe9.htm")));
  }

  void thePickerHandsBackTheBytes() {
    const std::string page = root() + "/r\xe9sum\xe9.htm";
    std::ofstream(page) << "x";
    QWidget parent;
    QWidget* parentPointer = &parent;
    QtFileDialogs dialogs(parentPointer);
    FileDialogRequest request;
    request.title = "Open";
    request.filter = "All Files|*.*";
    request.initialDir = root();
    request.fileName = std::string("r\xe9sum\xe9.htm");
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto chosen = dialogs.choose(request);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, page);
  }

 private:
  static std::string toUtf8Of(const QString& text) { return text.toUtf8().toStdString(); }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestFileNameBytes)
#include "tst_file_name_bytes.moc"
