// The legend file reader on files built in memory by the tools' writer, good and damaged.
#include "chartview/KvLegend.h"

#include "ChartInfoWriters.h"
#include "base/files/KvStream.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QtEndian>

namespace {

using namespace demo;

QImage Picture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // More than 16 colours, so an 8-bit file is not written with 4 bits.
    for (int x = 0; x < w; ++x) p.fillRect(x, 0, 1, h / 2, QColor(x * 12, 255 - x * 12, 40));
    return image;
}

TLegendNodeSpec Node(const QString &name, int image = -1) {
    TLegendNodeSpec n;
    n.Name = name;
    n.ImageIndex = image;
    n.Texts = {{QStringLiteral("English"), name + QStringLiteral(" en")}};
    return n;
}

// Two top-level nodes, one with a picture row and a table below it.
TLegendSpec GoodSpec() {
    TLegendSpec spec;
    spec.Flags = 0x0A;  // Style 5
    spec.Title = QStringLiteral("Legend");
    spec.Bitmaps = {BmpBytes(Picture(20, 10), 24), BmpBytes(Picture(30, 12), 8)};
    TLegendNodeSpec heading = Node("heading");
    heading.Texts.push_back({QStringLiteral("Nederlands"), QStringLiteral("kop")});
    heading.Texts.push_back({QStringLiteral("Klingon"), QStringLiteral("unknown")});
    heading.Texts.push_back({QStringLiteral("Deutsch"), QStringLiteral("Kopf")});
    TLegendNodeSpec row = Node("row", 1);
    row.Strings = {{{{QStringLiteral("English"), QStringLiteral("a")}}},
                   {{{QStringLiteral("English"), QStringLiteral("b")}}}};
    heading.Children = {row, Node("plain"), Node("picture", 0)};
    spec.Nodes = {heading, Node("second")};
    return spec;
}

std::unique_ptr<TLegend> Load(const QByteArray &bytes) {
    auto legend = std::make_unique<TLegend>();
    TMemoryStream stream(bytes);
    legend->LoadFromStream(stream);
    return legend;
}

void Load(TLegend &legend, const QByteArray &bytes) {
    TMemoryStream stream(bytes);
    legend.LoadFromStream(stream);
}

// The offset just after the node count of a legend without pictures and nodes.
QByteArray WithNodeCount(int32_t count) {
    TLegendSpec spec;
    QByteArray bytes = LegendFileBytes(spec);
    qToLittleEndian(count, bytes.data() + bytes.size() - 4);
    return bytes + QByteArray(64, '\0');
}

TLegendNodeSpec Nested(int depth) {
    TLegendNodeSpec n = Node("n");
    if (depth > 1) n.Children.push_back(Nested(depth - 1));
    return n;
}

}  // namespace

TEST(Legend, GoodFileLoadsTreeTextsPicturesAndStyle) {
    TLegend legend;
    Load(legend, LegendFileBytes(GoodSpec()));
    EXPECT_FALSE(legend.Changed);
    EXPECT_EQ(legend.Style, 5);
    EXPECT_EQ(legend.Title, "Legend");
    ASSERT_EQ(legend.Root->GetNodeCount(), 2);
    TLegendNode *heading = legend.Root->GetNode(0);
    EXPECT_EQ(heading->Name, "heading");
    EXPECT_EQ(heading->Parent, legend.Root.get());
    // The unknown language's pair is skipped, the others stay in their slots.
    EXPECT_EQ(heading->Texts[0], "heading en");
    EXPECT_EQ(heading->Texts[1], "kop");
    EXPECT_EQ(heading->Texts[2], "Kopf");
    EXPECT_EQ(LegendText(heading->Texts, 4), "heading en");  // French falls back to English
    ASSERT_EQ(heading->GetNodeCount(), 3);
    TLegendNode *row = heading->GetNode(0);
    EXPECT_EQ(row->ImageIndex, 1);
    ASSERT_EQ(row->GetStringCount(), 2);
    EXPECT_EQ(row->GetString(1)->Texts[0], "b");
    EXPECT_EQ(row->GetString(2), nullptr);
    EXPECT_EQ(row->GetString(-1), nullptr);
    EXPECT_EQ(heading->GetChildImageWidth(), 30);  // pictures of 30 and 20, one child without
    EXPECT_EQ(legend.Root->GetNode(1)->GetChildImageWidth(), 0);
    EXPECT_EQ(legend.GetBitmap(2), nullptr);
    EXPECT_EQ(legend.GetBitmap(-1), nullptr);
}

TEST(Legend, PicturesOfEveryDepthComeOutAt32Bits) {
    for (int bits : {1, 8, 24}) {
        SCOPED_TRACE(bits);
        TLegendSpec spec;
        spec.Bitmaps = {BmpBytes(Picture(17, 9), bits)};
        // The writer really wrote that depth (biBitCount at byte 28).
        ASSERT_EQ(qFromLittleEndian<quint16>(spec.Bitmaps[0].constData() + 28), bits);
        spec.Nodes = {Node("n", 0)};
        auto legend = Load(LegendFileBytes(spec));
        ASSERT_NE(legend->GetBitmap(0), nullptr);
        EXPECT_EQ(legend->GetBitmap(0)->format(), QImage::Format_ARGB32);
        EXPECT_EQ(legend->GetBitmap(0)->size(), QSize(17, 9));
        EXPECT_EQ(legend->Root->GetNodeCount(), 1);  // the reader stayed in step after the picture
    }
}

TEST(Legend, HeaderIsComparedWithoutCaseAndAForeignVersionLeavesTheLegendAsItWas) {
    TLegendSpec lower = GoodSpec();
    lower.Header = "legendfileheader";
    EXPECT_EQ(Load(LegendFileBytes(lower))->Root->GetNodeCount(), 2);

    TLegend legend;
    Load(legend, LegendFileBytes(GoodSpec()));
    TLegendSpec newer = GoodSpec();
    newer.Version = 0x01000001;
    newer.Nodes.clear();
    Load(legend, LegendFileBytes(newer));
    EXPECT_EQ(legend.Root->GetNodeCount(), 2);
    TLegendSpec foreign = GoodSpec();
    foreign.Header = "NotALegendHeader";
    EXPECT_EQ(Load(LegendFileBytes(foreign))->Root->GetNodeCount(), 0);
}

TEST(Legend, DamagedFilesLeaveAnEmptyLegendEvenAfterAGoodOne) {
    const QByteArray good = LegendFileBytes(GoodSpec());
    TLegendSpec tooDeep;
    tooDeep.Nodes.push_back(Nested(10000));
    TLegendSpec deepEnough;
    deepEnough.Nodes.push_back(Nested(TLegend::MaxDepth));
    QByteArray longBmp = BmpBytes(Picture(8, 8), 24);
    qToLittleEndian<quint32>(1u << 30, longBmp.data() + 2);
    TLegendSpec bmpTooLong;
    bmpTooLong.Bitmaps = {longBmp};
    TLegendSpec notABmp;
    notABmp.Bitmaps = {QByteArray("XX") + QByteArray(60, '\x10')};
    TLegendSpec negativeTexts;
    negativeTexts.Nodes = {Node("n")};
    QByteArray negative = LegendFileBytes(negativeTexts);
    // name "n" (4 + 1), kind, image: the text count follows.
    const qsizetype textCountAt = LegendFileBytes(TLegendSpec{}).size() + 5 + 8;
    qToLittleEndian<qint32>(-1, negative.data() + textCountAt);

    struct Case {
        const char *name;
        QByteArray bytes;
        int nodes;
    };
    const Case cases[] = {{"cut inside a node", good.left(good.size() - 7), 0},
                          {"cut inside the header", good.left(10), 2},  // foreign: unchanged
                          {"negative node count", WithNodeCount(-1), 0},
                          {"huge node count", WithNodeCount(0x7FFFFFFF), 0},
                          {"negative text count", negative, 0},
                          {"nested 10,000 deep", LegendFileBytes(tooDeep), 0},
                          {"nested as deep as allowed", LegendFileBytes(deepEnough), 1},
                          {"bitmap longer than the file", LegendFileBytes(bmpTooLong), 0},
                          {"bitmap without BMP header", LegendFileBytes(notABmp), 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TLegend legend;
        Load(legend, good);
        ASSERT_EQ(legend.Root->GetNodeCount(), 2);
        Load(legend, c.bytes);
        EXPECT_EQ(legend.Root->GetNodeCount(), c.nodes);
        if (c.nodes == 0) {
            EXPECT_TRUE(legend.Bitmaps.empty());
        }
        EXPECT_FALSE(legend.Changed);
    }
}

TEST(Legend, EveryChangeMarksTheLegendChanged) {
    TLegend legend;
    legend.Changed = false;
    legend.Root->AddNode();
    EXPECT_TRUE(legend.Changed);
    legend.Changed = false;
    legend.Root->GetNode(0)->AddString();
    EXPECT_TRUE(legend.Changed);
    legend.Changed = false;
    legend.AddBitmap(Picture(4, 4));
    EXPECT_TRUE(legend.Changed);
    legend.Changed = false;
    legend.ClearNodes();
    EXPECT_TRUE(legend.Changed);
}
