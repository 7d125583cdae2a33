#include "ChartInfoWriters.h"

#include <QBuffer>
#include <QSaveFile>
#include <QtEndian>

namespace demo {

namespace {

class TLittleEndianWriter {
public:
    void Int16(uint16_t v) { Raw(qToLittleEndian(v)); }
    void Int32(int32_t v) { Raw(qToLittleEndian(v)); }
    void Int64(int64_t v) { Raw(qToLittleEndian(v)); }
    void Bytes(const QByteArray &b) { FData += b; }
    // Code page 1252 agrees with Latin-1 for every letter the fixtures use.
    void Str(const QString &s) {
        const QByteArray b = s.toLatin1();
        Int32(int32_t(b.size()));
        Bytes(b);
    }
    const QByteArray &Data() const { return FData; }

private:
    template <typename T>
    void Raw(T v) {
        FData.append(reinterpret_cast<const char *>(&v), sizeof v);
    }
    QByteArray FData;
};

void WriteTexts(TLittleEndianWriter &w, const std::vector<TLegendText> &texts) {
    w.Int32(int32_t(texts.size()));
    for (const auto &t : texts) {
        w.Str(t.Language);
        w.Str(t.Text);
    }
}

void WriteNode(TLittleEndianWriter &w, const TLegendNodeSpec &n) {
    w.Str(n.Name);
    w.Int32(n.Kind);
    w.Int32(n.ImageIndex);
    WriteTexts(w, n.Texts);
    w.Int32(int32_t(n.Strings.size()));
    for (const auto &s : n.Strings) WriteTexts(w, s.Texts);
    w.Int32(int32_t(n.Children.size()));
    for (const auto &c : n.Children) WriteNode(w, c);
}

}  // namespace

QByteArray LegendFileBytes(const TLegendSpec &spec) {
    TLittleEndianWriter w;
    w.Bytes(spec.Header);
    w.Int32(int32_t(spec.Version));
    w.Int16(spec.Flags);
    w.Str(spec.Title);
    w.Int32(int32_t(spec.Bitmaps.size()));
    for (const QByteArray &b : spec.Bitmaps) w.Bytes(b);
    w.Int32(int32_t(spec.Nodes.size()));
    for (const auto &n : spec.Nodes) WriteNode(w, n);
    return w.Data();
}

QByteArray BmpBytes(const QImage &image, int bitsPerPixel) {
    QImage converted;
    switch (bitsPerPixel) {
    case 1: converted = image.convertToFormat(QImage::Format_Mono); break;
    case 4:
    case 8: converted = image.convertToFormat(QImage::Format_Indexed8); break;
    default: converted = image.convertToFormat(QImage::Format_RGB32); break;
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    converted.save(&buffer, "BMP");
    return out;
}

QByteArray PackedHtmlBytes(const TPackedHtmlSpec &spec) {
    TLittleEndianWriter w;
    w.Bytes(spec.Magic);
    w.Int32(int32_t(spec.Version));
    w.Int32(spec.Count.value_or(int32_t(spec.Files.size())));
    for (const auto &f : spec.Files) {
        w.Int64(0);
        w.Int64(f.Size.value_or(f.Data.size()));
        w.Str(f.Name);
    }
    for (const auto &f : spec.Files) w.Bytes(f.Data);
    return w.Data();
}

bool WriteBytes(const QString &file, const QByteArray &data, QString &error) {
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(data) == data.size() && out.commit()) return true;
    error = QStringLiteral("%1: %2").arg(file, out.errorString());
    return false;
}

}  // namespace demo
