#include "builders/image_size.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

using namespace std::string_literals;

// A real 1 by 1 GIF.
const std::string kGif =
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;"s;

std::string jpegWith(uint8_t sofMarker, int width, int height) {
  std::string j = "\xFF\xD8"s;
  j += "\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"s;  // APP0
  j += "\xFF\xFF"s;                                                      // a fill byte before the next marker
  j += "\xFF\xDB\x00\x04\x00\x00"s;                                      // a table segment to skip
  j += std::string("\xFF") + static_cast<char>(sofMarker) + "\x00\x11\x08"s;
  j += static_cast<char>(height >> 8);
  j += static_cast<char>(height & 0xFF);
  j += static_cast<char>(width >> 8);
  j += static_cast<char>(width & 0xFF);
  j += "\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01"s;
  return j + "\xFF\xDA\x00\x02"s;
}

TEST(ImageSize, EachFormatFromItsHeader) {
  auto gif = measureImage(kGif);
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->kind, ImageKind::Gif);
  EXPECT_EQ(gif->width, 1);
  const std::string png = "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x01\x2c\x00\x00\x00\xc8\x08\x06\x00\x00\x00"s;
  auto p = measureImage(png);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 300);
  EXPECT_EQ(p->height, 200);
  std::string bmp = "BM"s + std::string(12, '\0') + "\x28\x00\x00\x00\x40\x00\x00\x00\xe0\xff\xff\xff"s;
  auto b = measureImage(bmp);  // a top-down bitmap has a negative height
  ASSERT_TRUE(b);
  EXPECT_EQ(b->width, 64);
  EXPECT_EQ(b->height, 32);
}

TEST(ImageSize, EveryJpegFrameKind) {
  for (uint8_t marker : {0xC0, 0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
    auto j = measureImage(jpegWith(marker, 640, 480));
    ASSERT_TRUE(j) << int(marker);
    EXPECT_EQ(j->kind, ImageKind::Jpeg);
    EXPECT_EQ(j->width, 640);
    EXPECT_EQ(j->height, 480);
  }
}

TEST(ImageSize, TruncatedAndLyingFilesFail) {
  const std::string j = jpegWith(0xC2, 10, 10);
  const size_t sizeEnd = j.find("\xFF\xC2"s) + 9;  // marker, length, precision, height, width
  for (size_t cut = 0; cut < sizeEnd; ++cut) EXPECT_FALSE(measureImage(j.substr(0, cut))) << cut;
  EXPECT_TRUE(measureImage(j.substr(0, sizeEnd)));
  EXPECT_FALSE(measureImage(kGif.substr(0, 8)));
  EXPECT_FALSE(measureImage("<HTML>not an image</HTML>"));
  EXPECT_FALSE(measureImage("GIF89a\x00\x00\x05\x00"s));    // zero width
  EXPECT_FALSE(measureImage("\xFF\xD8\xFF\xDA\x00\x02"s));  // a scan before any frame
  // A PNG named .gif is measured as what it is.
  EXPECT_EQ(measureImage("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x05\x00\x00\x00\x07"s)->kind,
            ImageKind::Png);
  EXPECT_FALSE(measureImageFile("/nonexistent/file.gif"));
}

}  // namespace
}  // namespace quillon
