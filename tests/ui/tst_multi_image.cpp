// The builders' picture: real files load and measure, broken ones say which reader failed, BMP saves.
#include <sys/stat.h>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "builders/image_size.h"
#include "builders/ui/multi_image.h"
#include "support/scripted_platform.h"

namespace quillon {

class TestMultiImage : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void loadsMeasuresAndSaves() {
    testing::ScriptedPlatform prompts;
    TMultiImage image(prompts);
    const QString png = dir_.path() + "/pic.png";
    QImage(40, 30, QImage::Format_RGB32).save(png);
    QVERIFY(image.load(png.toStdString()));
    QCOMPARE(image.width(), 40);
    QCOMPARE(image.height(), 30);
    QCOMPARE(QString::fromStdString(image.name()), png.toUpper());
    const std::string bmp = (dir_.path() + "/out.bmp").toStdString();
    QVERIFY(image.saveBmp(bmp));
    const auto measured = measureImageFile(bmp);
    QVERIFY(measured && measured->kind == ImageKind::Bmp && measured->width == 40);
    QVERIFY(prompts.said.empty());
  }

  void failuresAreReported() {
    testing::ScriptedPlatform prompts;
    TMultiImage image(prompts);
    QVERIFY(!image.load((dir_.path() + "/missing.gif").toStdString()));
    QCOMPARE(image.name(), std::string("file not found"));
    QVERIFY(prompts.said.empty());
    QFile bad(dir_.path() + "/bad.gif");
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("definitely not an image");
    bad.close();
    QVERIFY(!image.load(bad.fileName().toStdString()));
    QCOMPARE(prompts.lastSaid(), std::string("Reading gif file failed"));
    QVERIFY(image.picture().isNull());
    QVERIFY(!image.saveBmp((dir_.path() + "/x.bmp").toStdString()));
    QCOMPARE(prompts.lastSaid(), std::string("Writing bmp file failed"));
  }

  // A huge picture is measured at its full size but decoded small; empty, truncated and misnamed files
  // and a pipe neither crash nor hang.
  void hostileFiles() {
    testing::ScriptedPlatform prompts;
    TMultiImage image(prompts);
    const QString huge = dir_.path() + "/huge.jpg";
    {
      QImage big(8000, 6000, QImage::Format_RGB32);
      big.fill(Qt::red);
      QVERIFY(big.save(huge, "JPEG", 10));
    }
    QVERIFY(image.load(huge.toStdString()));
    QCOMPARE(image.width(), 8000);
    QCOMPARE(image.height(), 6000);
    QVERIFY(static_cast<long long>(image.picture().width()) * image.picture().height() <=
            TMultiImage::kMaxPicturePixels);
    QVERIFY(image.picture().width() > image.picture().height());

    QFile empty(dir_.path() + "/empty.gif");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(!image.load(empty.fileName().toStdString()));
    QCOMPARE(prompts.lastSaid(), std::string("Reading gif file failed"));

    const QString png = dir_.path() + "/real.png";
    QImage(64, 48, QImage::Format_RGB32).save(png);
    QFile::copy(png, dir_.path() + "/lies.gif");
    QVERIFY(image.load((dir_.path() + "/lies.gif").toStdString()));
    QCOMPARE(image.width(), 64);
    QFile full(png);
    QVERIFY(full.open(QIODevice::ReadOnly));
    const QByteArray bytes = full.readAll();
    QFile cut(dir_.path() + "/cut.png");
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(30));
    cut.close();
    image.load(cut.fileName().toStdString());  // a message or a partial picture, never a crash
    QVERIFY(image.picture().isNull() || image.width() == 64);

    // A GIF whose header claims 20,000 x 20,000 pixels: measured, and never decoded at full size.
    QByteArray gif("GIF89a");
    gif += QByteArray::fromHex("204e204e800000ffffff000000");
    gif += QByteArray::fromHex("2c00000000204e204e0002024401003b");
    QFile giant(dir_.path() + "/giant.gif");
    QVERIFY(giant.open(QIODevice::WriteOnly));
    giant.write(gif);
    giant.close();
    QVERIFY(image.load(giant.fileName().toStdString()));
    QCOMPARE(image.width(), 20000);
    QCOMPARE(image.height(), 20000);
    QVERIFY(static_cast<long long>(image.picture().width()) * image.picture().height() <=
            TMultiImage::kMaxPicturePixels);

    const std::string fifo = (dir_.path() + "/pipe.gif").toStdString();
    QCOMPARE(mkfifo(fifo.c_str(), 0600), 0);
    QVERIFY(!image.load(fifo));
    QCOMPARE(image.name(), std::string("file not found"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestMultiImage)
#include "tst_multi_image.moc"
