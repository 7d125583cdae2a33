// Writers of the two binary formats that come with raster charts: legend files and packed
// HTML containers. The program only reads them; these writers make the demo data set's
// files, the tests' fixtures (also damaged ones, through the fields that say what to write
// wrongly) and the fuzzers' seeds.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace demo {

// One text in a language named as the legend reader expects it ("English", "Nederlands",
// "de", …); any name is written as given, so tests can write unknown ones.
struct TLegendText {
    QString Language;
    QString Text;
};

struct TLegendStringSpec {
    std::vector<TLegendText> Texts;
};

struct TLegendNodeSpec {
    QString Name;
    int32_t Kind = 2;         // picture alignment: 0 left, 1 right, 2 centred
    int32_t ImageIndex = -1;  // -1 = no picture
    std::vector<TLegendText> Texts;
    std::vector<TLegendStringSpec> Strings;
    std::vector<TLegendNodeSpec> Children;
};

struct TLegendSpec {
    QByteArray Header = "LegendFileHeader";  // 16 bytes
    uint32_t Version = 0x01000000;
    uint16_t Flags = 0;
    QString Title;
    std::vector<QByteArray> Bitmaps;  // complete BMP file images
    std::vector<TLegendNodeSpec> Nodes;
};

QByteArray LegendFileBytes(const TLegendSpec &spec);
// A BMP file image of the picture at 1, 4, 8 or 24 bits per pixel.
QByteArray BmpBytes(const QImage &image, int bitsPerPixel);

struct TPackedFileSpec {
    QString Name;  // written as given ("\" and ".." included)
    QByteArray Data;
    std::optional<int64_t> Size;  // the directory's size field; unset = the data's size
};

struct TPackedHtmlSpec {
    QByteArray Magic = "PckdHTML";
    uint32_t Version = 0x01000000;
    std::optional<int32_t> Count;  // the file count written; unset = the real count
    std::vector<TPackedFileSpec> Files;
};

QByteArray PackedHtmlBytes(const TPackedHtmlSpec &spec);

// False with the reason when the file cannot be written.
bool WriteBytes(const QString &file, const QByteArray &data, QString &error);

}  // namespace demo
