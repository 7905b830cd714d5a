// The builders' picture: real files load and measure, broken ones say which reader failed, BMP saves.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "builders/image_size.h"
#include "builders/ui/multi_image.h"

namespace quillon {

struct Recorder : Prompts {
  std::vector<std::string> said;
  Answer message(MessageKind, const std::string&, const std::string& text, Buttons) override {
    said.push_back(text);
    return Answer::Ok;
  }
};

class TestMultiImage : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void loadsMeasuresAndSaves() {
    Recorder prompts;
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
    Recorder prompts;
    TMultiImage image(prompts);
    QVERIFY(!image.load((dir_.path() + "/missing.gif").toStdString()));
    QCOMPARE(image.name(), std::string("file not found"));
    QVERIFY(prompts.said.empty());
    QFile bad(dir_.path() + "/bad.gif");
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("definitely not an image");
    bad.close();
    QVERIFY(!image.load(bad.fileName().toStdString()));
    QCOMPARE(prompts.said.back(), std::string("Reading gif file failed"));
    QVERIFY(image.picture().isNull());
    QVERIFY(!image.saveBmp((dir_.path() + "/x.bmp").toStdString()));
    QCOMPARE(prompts.said.back(), std::string("Writing bmp file failed"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestMultiImage)
#include "tst_multi_image.moc"
