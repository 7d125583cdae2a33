// Writes the seed corpora of fuzz_legend and fuzz_packedhtml with the tools' writers:
//   fuzz_chartinfo_seeds <legend seed dir> <packed seed dir>
#include "ChartInfoWriters.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) return 2;
    QDir().mkpath(argv[1]);
    QDir().mkpath(argv[2]);
    QString error;
    QImage picture(12, 8, QImage::Format_RGB32);
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 8; ++y) picture.setPixel(x, y, qRgb(x * 20, y * 30, 100));
    demo::TLegendSpec legend;
    legend.Title = "Seed";
    for (int bits : {1, 8, 24}) legend.Bitmaps.push_back(demo::BmpBytes(picture, bits));
    demo::TLegendNodeSpec heading{"h", 2, -1, {{"English", "Heading"}, {"Nederlands", "Kop"}}, {}, {}};
    demo::TLegendNodeSpec row{"r", 0, 1, {}, {{{{"English", "a"}}}, {{{"English", "b"}}}}, {}};
    demo::TLegendNodeSpec symbol{"s", 2, 2, {}, {{{{"English", "symbol"}}}}, {}};
    heading.Children = {row, symbol};
    legend.Nodes = {heading};
    bool ok = demo::WriteBytes(QDir(argv[1]).filePath("legend.leg"), demo::LegendFileBytes(legend), error);
    const demo::TPackedHtmlSpec packed{"PckdHTML", 0x01000000, {},
                                       {{"page.html", "<p>x</p>", {}}, {"images\\a.png", "PNG", {}}, {"empty", "", {}}}};
    ok = ok && demo::WriteBytes(QDir(argv[2]).filePath("packed.pkh"), demo::PackedHtmlBytes(packed), error);
    return ok ? 0 : 1;
}
