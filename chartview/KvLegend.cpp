#include "chartview/KvLegend.h"

#include "base/files/KvBufferedFileStream.h"
#include "base/kvlib/KvErrors.h"
#include "base/texts/KvLanguage.h"

#include <QtEndian>

namespace {

constexpr int32_t CodePage = 1252;
constexpr uint32_t LegendVersion = 0x01000000;
// The smallest records the counts can stand for: a node (name, kind, picture and three
// counts), a text pair, a legend string, a BMP file header.
constexpr int64_t MinNodeBytes = 24, MinPairBytes = 8, MinStringBytes = 4, BmpFileHeaderBytes = 14;

int64_t BytesLeft(TStream &stream) { return stream.GetSize() - stream.GetPosition(); }

// A count from the file, refused when negative or when the records it announces could not
// fit into what is left.
int32_t ReadCount(TStream &stream, int64_t minRecordBytes) {
    const int32_t n = StreamReadLongint(stream);
    if (n < 0 || int64_t(n) * minRecordBytes > BytesLeft(stream))
        throw EStreamError(QStringLiteral("Legend: invalid count %1.").arg(n));
    return n;
}

void ReadExact(TStream &stream, void *buffer, int32_t count) {
    if (stream.Read(buffer, count) != count) throw EStreamError(QStringLiteral("Legend: read beyond end of stream."));
}

void ReadTexts(TStream &stream, TLegendTexts &texts) {
    const int32_t n = ReadCount(stream, MinPairBytes);
    for (int32_t i = 0; i < n; ++i) {
        QString language, text;
        StreamReadStr(stream, CodePage, language);
        StreamReadStr(stream, CodePage, text);
        const int32_t number = StrToLanguageA(language);
        if (number >= 1 && number <= 8) texts[size_t(number - 1)] = text;
    }
}

// A complete BMP file image; its length comes from its own file header.
QImage ReadBitmap(TStream &stream) {
    char header[BmpFileHeaderBytes];
    ReadExact(stream, header, BmpFileHeaderBytes);
    const uint32_t size = qFromLittleEndian<quint32>(header + 2);
    if (header[0] != 'B' || header[1] != 'M' || size < BmpFileHeaderBytes ||
        int64_t(size) - BmpFileHeaderBytes > BytesLeft(stream))
        throw EStreamError(QStringLiteral("Legend: invalid bitmap."));
    QByteArray bytes(header, BmpFileHeaderBytes);
    bytes.resize(qsizetype(size));
    ReadExact(stream, bytes.data() + BmpFileHeaderBytes, int32_t(size - BmpFileHeaderBytes));
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) throw EStreamError(QStringLiteral("Legend: invalid bitmap."));
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QString LegendText(const TLegendTexts &texts, int32_t language) {
    if (language >= 1 && language <= 8 && !texts[size_t(language - 1)].isEmpty())
        return texts[size_t(language - 1)];
    return texts[0];
}

void TLegendString::LoadFromStream(TStream &stream) { ReadTexts(stream, Texts); }

TLegendNode::TLegendNode(TLegend *legend, TLegendNode *parent) : Legend(legend), Parent(parent) {
    if (Legend) Legend->Changed = true;
}

TLegendNode *TLegendNode::AddNode() {
    Nodes.push_back(std::make_unique<TLegendNode>(Legend, this));
    return Nodes.back().get();
}

TLegendString *TLegendNode::AddString() {
    Strings.push_back(std::make_unique<TLegendString>(Legend));
    Legend->Changed = true;
    return Strings.back().get();
}

void TLegendNode::ClearNodes() {
    Nodes.clear();
    Legend->Changed = true;
}

void TLegendNode::ClearStrings() {
    Strings.clear();
    Legend->Changed = true;
}

TLegendNode *TLegendNode::GetNode(int index) const {
    return index >= 0 && index < GetNodeCount() ? Nodes[size_t(index)].get() : nullptr;
}

TLegendString *TLegendNode::GetString(int index) const {
    return index >= 0 && index < GetStringCount() ? Strings[size_t(index)].get() : nullptr;
}

int TLegendNode::GetChildImageWidth() const {
    int width = 0;
    for (const auto &child : Nodes)
        if (const QImage *image = Legend->GetBitmap(child->ImageIndex)) width = std::max(width, image->width());
    return width;
}

void TLegendNode::LoadFromStream(TStream &stream, int depth) {
    if (depth > TLegend::MaxDepth) throw EStreamError(QStringLiteral("Legend: nodes nested too deep."));
    StreamReadStr(stream, CodePage, Name);
    Kind = StreamReadLongint(stream);
    ImageIndex = StreamReadLongint(stream);
    ReadTexts(stream, Texts);
    const int32_t strings = ReadCount(stream, MinStringBytes);
    for (int32_t i = 0; i < strings; ++i) AddString()->LoadFromStream(stream);
    const int32_t children = ReadCount(stream, MinNodeBytes);
    for (int32_t i = 0; i < children; ++i) AddNode()->LoadFromStream(stream, depth + 1);
}

TLegend::TLegend() : Root(std::make_unique<TLegendNode>(this, nullptr)) {}

void TLegend::LoadFromFile(const QString &fileName) {
    TBufferedFileStream stream(fileName, fmOpenRead | fmShareDenyWrite, 8192);
    LoadFromStream(stream);
}

void TLegend::LoadFromStream(TStream &stream) {
    try {
        QByteArray header(16, '\0');
        if (stream.Read(header.data(), 16) != 16 ||
            header.compare(QByteArrayLiteral("LegendFileHeader"), Qt::CaseInsensitive) != 0 ||
            StreamReadVersion(stream) != LegendVersion) {
            Changed = false;
            return;
        }
        // A new load never mixes with what an earlier one left.
        ClearBitmaps();
        ClearNodes();
        uint16_t flags = 0;
        ReadExact(stream, &flags, 2);
        Style = uint8_t((qFromLittleEndian(flags) >> 1) & 0xFF);
        StreamReadStr(stream, CodePage, Title);
        const int32_t bitmaps = ReadCount(stream, BmpFileHeaderBytes);
        for (int32_t i = 0; i < bitmaps; ++i) AddBitmap(ReadBitmap(stream));
        const int32_t nodes = ReadCount(stream, MinNodeBytes);
        for (int32_t i = 0; i < nodes; ++i) Root->AddNode()->LoadFromStream(stream, 1);
    } catch (const std::exception &) {
        // A damaged legend shows as none: the window says "No legend available".
        ClearBitmaps();
        ClearNodes();
    }
    Changed = false;
}

void TLegend::AddBitmap(QImage bitmap) {
    Bitmaps.push_back(std::move(bitmap));
    Changed = true;
}

void TLegend::ClearBitmaps() {
    Bitmaps.clear();
    Changed = true;
}

void TLegend::ClearNodes() { Root->ClearNodes(); }

const QImage *TLegend::GetBitmap(int index) const {
    return index >= 0 && size_t(index) < Bitmaps.size() ? &Bitmaps[size_t(index)] : nullptr;
}
