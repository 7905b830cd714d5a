// Image sizes read from headers agree with Qt's own decoders on real files of each format.
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include "builders/image_size.h"

namespace quillon {

class TestImageSize : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void agreesWithQtOnRealFiles_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("progressive");
    QTest::newRow("png") << "png" << false;
    QTest::newRow("bmp") << "bmp" << false;
    QTest::newRow("baseline jpeg") << "jpg" << false;
    QTest::newRow("progressive jpeg") << "jpg" << true;
  }

  void agreesWithQtOnRealFiles() {
    QFETCH(QString, format);
    QFETCH(bool, progressive);
    QImage image(123, 45, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = dir_.path() + "/image." + format;
    QImageWriter writer(path);
    writer.setProgressiveScanWrite(progressive);
    QVERIFY(writer.write(image));
    const auto measured = measureImageFile(path.toStdString());
    QVERIFY(measured);
    QCOMPARE(QSize(measured->width, measured->height), QImageReader(path).size());
    QCOMPARE(measured->width, 123);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestImageSize)
#include "tst_image_size.moc"
