// Loading, drawing and measuring in the core library's 32-bit bitmaps, and the bridge
// between QImage pixel formats and the library's pixel-format codes. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QImage>
#include <QString>

class QFont;

// Top-left of the text at (x, y); colour ARGB; callers pass value 0.
void Bmp32DrawText(IBmp32 *bmp, const QString &text, int32_t x, int32_t y, const QFont *font,
                   uint32_t colour, int32_t value = 0);
// Flag and format values as IBmp32::DrawTextRect takes them.
void Bmp32DrawTextRect(IBmp32 *bmp, const QString &text, const TRect &rect, int32_t flag,
                       int32_t format1, int32_t format2, int32_t format3, const QFont *font);
TSize Bmp32TextExtent(IBmp32 *bmp, const QString &text, const QFont *font);

// ".jpg" and ".jpeg" in any case go through Bmp32LoadJPEG; every other file through the
// bitmap's own loader (BMP, TGA with tgaFlag, and what Qt's readers recognise). err is the
// library's error value; on failure the bitmap keeps its pixels.
void Bmp32LoadFromFile(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                       TImageInfo *info = nullptr, bool tgaFlag = false);
void Bmp32LoadFromFile2(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                        int32_t v1, int32_t flag);
// The TGA pictures of the program's resources (sound buttons, default waypoint icon).
void Bmp32LoadFromFile3(IBmp32 *bmp, const QString &fileName, int32_t value, int32_t &err,
                        int32_t v1);
// A JPEG that cannot be read or decoded gives KvErr::ImageDecode and leaves the bitmap as
// it was; no exception leaves. info, when given: {NotABuffer, 0, width, height, 0}.
void Bmp32LoadJPEG(IBmp32 *bmp, const QString &fileName, TImageInfo *info, int32_t &err);

// The bitmap's pixels as a QImage copy (ARGB32 premultiplied); null for an empty bitmap.
QImage Bmp32ToImage(IBmp32 *bmp);
// Replaces the bitmap's size and pixels by those of image (any format).
void Bmp32FromImage(IBmp32 *bmp, const QImage &image);

// The library's code for a QImage format: 4-bit none in Qt; Indexed8/Grayscale8 8-bit,
// RGB555 15-bit, RGB16 16-bit, RGB888/BGR888 24-bit, the 32-bit formats 32-bit; mono and
// every other format 0.
int32_t PixelFormatToCore(QImage::Format format);
// The layout of image's pixels: rows top-down (orientation 0), so the library's converters
// get the address of the last row, which is the highest one.
TImageInfo PixelFormatInfo(const QImage &image);
