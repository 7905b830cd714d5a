// The builders' picture: real files load and measure, broken ones say which reader failed, BMP saves.
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
};

}  // namespace quillon

QTEST_MAIN(quillon::TestMultiImage)
#include "tst_multi_image.moc"
