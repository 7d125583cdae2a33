// The library's 32-bit bitmap: a QImage in ARGB32 premultiplied, which in memory is bytes
// blue, green, red, alpha per pixel, rows top-down. Other library sources (renderer, icons)
// reach the image through Bmp32Image.
#pragma once

#include "KvLibNav6/KvGraphics.h"

#include <QImage>
#include <memory>

class QPainter;

namespace kv {

class TBmp32Impl final : public IBmp32 {
public:
    TBmp32Impl(int32_t width, int32_t height);
    ~TBmp32Impl() override;

    void Assign(IBmp32 *other) override;
    void Blend(IBmp32 *target, const TRectD &dst, const TRectD &src, int32_t mode,
               int32_t reserved) override;
    void CopyFromDC(DeviceContext dc, const TPoint &dst, const TRect &src) override;
    void FillRect(const TRectD &r, uint32_t fill, uint32_t border, int32_t flags,
                  float borderWidth) override;
    void DrawScaled(IBmp32 *target) override;
    void DrawText(const TStrWRec &text, int32_t x, int32_t y, FontHandle font, uint32_t colour,
                  int32_t value) override;
    void DrawTextRect(const TStrWRec &text, const TRect &r, FontHandle font, int32_t flag,
                      int32_t format1, int32_t format2, int32_t format3) override;
    void Fill(uint32_t colour) override;
    DeviceContext GetDC() override;
    int32_t GetHeight() override { return FImage.height(); }
    int32_t GetPixelFormat() override { return FPixelFormat; }
    void GetDestinationPosition(TPoint &out) override { out = TPoint{}; }
    void GetBounds(TRect &out) override { out = TRect{0, 0, FImage.width(), FImage.height()}; }
    uint8_t *GetRow(int32_t y) override;
    void TextExtent(const TStrWRec &text, FontHandle font, TSize &out) override;
    int32_t GetWidth() override { return FImage.width(); }
    void LoadFromFile(const TStrWRec &file, int32_t value, bool tga, TImageInfo *info,
                      int32_t &err) override;
    void LoadFromFile2(const TStrWRec &file, int32_t value, int32_t flag, int32_t v1,
                       int32_t &err) override;
    void LoadFromFile3(const TStrWRec &file, int32_t value, int32_t v1, int32_t &err) override;
    void SetAlpha(uint8_t alpha) override;
    void SetSize(int32_t w, int32_t h) override;
    void DrawTo(DeviceContext dc, const TRect &dst, const TRect &src) override;
    void FlipHorizontal() override;
    void FlipVertical() override;
    void SetColorAlpha(uint8_t matchAlpha, uint8_t otherAlpha, uint32_t colour) override;

    // Always ARGB32 premultiplied. Ends an open GetDC painter first, so the caller may
    // change or paint on the image.
    QImage &Image();
    // Replaces the pixels (converted to the bitmap's format); ends an open GetDC painter.
    void SetImage(const QImage &image, int32_t pixelFormat);

private:
    void EndDC();
    // Decodes file with Qt's readers into the bitmap; format forces a reader ("tga").
    void LoadWithReader(const QString &file, const char *format, TImageInfo *info,
                        int32_t &err);

    QImage FImage;
    int32_t FPixelFormat = PixelFormat::Bits32;
    std::unique_ptr<QPainter> FDC;
};

// The image of a bitmap made by this library; nullptr for anything else.
QImage *Bmp32Image(IBmp32 *bmp);
// The pixel-format code of a decoded image's format (what a file stored).
int32_t PixelFormatOfImage(QImage::Format format);
// Uncompressed and run-length TGA (true colour, grey, colour-mapped); false for anything
// it cannot read. bitsPerPixel receives the file's pixel depth.
bool ReadTga(const QString &file, QImage &out, int &bitsPerPixel);

}  // namespace kv
