// The demo BSB chart's companions: a manifest that names them, a legend file and a packed
// HTML page of additional information.
#include "ChartInfoWriters.h"
#include "DemoData.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QBuffer>
#include <QPainter>
#include <functional>

namespace demo {

namespace {

QImage Symbol(int width, int height, const std::function<void(QPainter &)> &draw) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return image;
}

std::vector<QByteArray> LegendPictures() {
    std::vector<QByteArray> out;
    // Buoys as the chart draws them: red can, green cone, yellow special mark.
    out.push_back(BmpBytes(Symbol(24, 24, [](QPainter &p) {
        p.setBrush(QColor(220, 30, 30));
        p.drawRect(7, 5, 10, 14);
    }), 24));
    out.push_back(BmpBytes(Symbol(24, 24, [](QPainter &p) {
        p.setBrush(QColor(30, 160, 60));
        p.drawPolygon(QPolygon({QPoint(12, 3), QPoint(20, 20), QPoint(4, 20)}));
    }), 24));
    out.push_back(BmpBytes(Symbol(24, 24, [](QPainter &p) {
        p.setBrush(QColor(240, 200, 0));
        p.drawEllipse(QPoint(12, 12), 8, 8);
    }), 8));
    // Depth colours: drying, shallow, deep.
    for (QColor c : {QColor(150, 190, 120), QColor(140, 200, 240), QColor(255, 255, 255)})
        out.push_back(BmpBytes(Symbol(40, 16, [c](QPainter &p) {
            p.setBrush(c);
            p.drawRect(0, 0, 39, 15);
        }), 24));
    // A bridge and a lock.
    out.push_back(BmpBytes(Symbol(32, 20, [](QPainter &p) {
        p.setPen(QPen(Qt::black, 2));
        p.drawArc(QRect(4, 6, 24, 20), 0, 180 * 16);
    }), 1));
    out.push_back(BmpBytes(Symbol(32, 20, [](QPainter &p) {
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(6, 4, 20, 12);
        p.drawLine(16, 4, 16, 16);
    }), 1));
    return out;
}

std::vector<TLegendText> Texts(const char *en, const char *nl, const char *de) {
    return {{QStringLiteral("English"), QString::fromUtf8(en)},
            {QStringLiteral("Nederlands"), QString::fromUtf8(nl)},
            {QStringLiteral("Deutsch"), QString::fromUtf8(de)}};
}

TLegendStringSpec Str(const char *en, const char *nl, const char *de) { return {Texts(en, nl, de)}; }

TLegendNodeSpec Symbol(int image, int alignment, TLegendStringSpec text) {
    TLegendNodeSpec n;
    n.ImageIndex = image;
    n.Kind = alignment;
    n.Strings = {std::move(text)};
    return n;
}

TLegendSpec DemoLegend() {
    TLegendSpec spec;
    spec.Flags = 3 << 1;
    spec.Title = QStringLiteral("Velmerland coast and Dunmeer");
    spec.Bitmaps = LegendPictures();

    TLegendNodeSpec buoyage{QStringLiteral("buoyage"), 2, -1, Texts("Buoyage", "Betonning", "Betonnung"), {}, {}};
    TLegendNodeSpec lateral{QStringLiteral("lateral"), 2, -1,
                            Texts("Lateral marks", "Laterale markering", "Lateralzeichen"), {}, {}};
    lateral.Children = {Symbol(0, 2, Str("Port-hand buoy", "Bakboordton", "Backbordtonne")),
                        Symbol(1, 2, Str("Starboard-hand buoy", "Stuurboordton", "Steuerbordtonne")),
                        Symbol(2, 2, Str("Special mark", "Bijzondere markering", "Sonderzeichen"))};
    buoyage.Children = {lateral};

    TLegendNodeSpec depths{QStringLiteral("depths"), 2, -1, Texts("Depths", "Dieptes", "Tiefen"), {}, {}};
    TLegendNodeSpec table{QStringLiteral("depthtable"), 2, -1, {}, {}, {}};
    table.Strings = {Str("Colour", "Kleur", "Farbe"), Str("Depth", "Diepte", "Tiefe"),
                     Str("Meaning", "Betekenis", "Bedeutung")};
    auto row = [](int image, const char *depth, TLegendStringSpec meaning) {
        TLegendNodeSpec n;
        n.ImageIndex = image;
        n.Kind = 0;
        n.Strings = {{{{QStringLiteral("English"), QString::fromUtf8(depth)}}}, std::move(meaning)};
        return n;
    };
    table.Children = {row(3, "< 0 m", Str("Drying", "Droogvallend", "Trockenfallend")),
                      row(4, "0 - 5 m", Str("Shallow water", "Ondiep water", "Flachwasser")),
                      row(5, "> 5 m", Str("Deep water", "Diep water", "Tiefwasser"))};
    depths.Children = {table};

    TLegendNodeSpec works{QStringLiteral("works"), 2, -1, Texts("Structures", "Kunstwerken", "Bauwerke"), {}, {}};
    works.Children = {Symbol(6, 0, Str("Bridge", "Brug", "Brücke")),
                      Symbol(7, 0, Str("Lock", "Sluis", "Schleuse"))};
    spec.Nodes = {buoyage, depths, works};
    return spec;
}

QByteArray InfoPicture() {
    QImage image(160, 90, QImage::Format_RGB32);
    image.fill(QColor(140, 200, 240));
    QPainter p(&image);
    p.setBrush(QColor(230, 220, 170));
    p.drawPolygon(QPolygon({QPoint(90, 0), QPoint(160, 0), QPoint(160, 90), QPoint(70, 90), QPoint(100, 45)}));
    p.end();
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

TPackedHtmlSpec DemoInfoPage() {
    const QByteArray page =
        "<html><head><title>Velmerland</title></head><body>\n"
        "<p class=\"title\"><b>Velmerland coast and Dunmeer</b></p>\n"
        "<p>The harbour entrance silts up after westerly gales; keep to the dredged approach "
        "and mind the cross current off the pier heads.</p>\n"
        "<p><img src=\"images/harbour.png\" alt=\"Harbour\" /></p>\n"
        "<p>Lock and bridge hours: see <a href=\"https://example.org/velmerland\">the "
        "waterways authority</a>.</p>\n"
        "</body></html>\n";
    return {"PckdHTML", 0x01000000, {}, {{QStringLiteral("VELM0001_info.html"), page, {}},
                                         {QStringLiteral("images\\harbour.png"), InfoPicture(), {}}}};
}

QJsonObject DemoChartEntry(const QString &kapName) {
    return {{QStringLiteral("file"), kapName},
            {QStringLiteral("legend"), QStringLiteral("VELM0001.leg")},
            {QStringLiteral("infoFiles"),
             QJsonArray{QJsonObject{{QStringLiteral("title"), QStringLiteral("Harbour notes")},
                                    {QStringLiteral("file"), QStringLiteral("VELM0001_info.pkh")}}}},
            {QStringLiteral("disclaimer"),
             QStringLiteral("This chart is not to be used for navigation without the official notices.")},
            {QStringLiteral("license"), QStringLiteral("Licensed for one installation.")},
            {QStringLiteral("digitizedBy"), QStringLiteral("Velmerland Chart Works")},
            {QStringLiteral("heightUnits"), QStringLiteral("Meters")},
            {QStringLiteral("sourceChartName"), QStringLiteral("Velmerland Coast and Dunmeer")},
            {QStringLiteral("sourceNotice"), QStringLiteral("Reproduced by permission of the Velmerland Waterways Authority")},
            {QStringLiteral("magneticVariation"),
             QJsonObject{{QStringLiteral("degrees"), -2.34},
                         {QStringLiteral("annualChange"), 0.12},
                         {QStringLiteral("date"), QStringLiteral("2024-01-01")}}},
            {QStringLiteral("formatVersion"), QStringLiteral("2.0.0.0")}};
}

}  // namespace

bool WriteDemoChartInfo(const QString &kapFile, QJsonObject &chartEntry, QString &error) {
    const QDir dir = QFileInfo(kapFile).absoluteDir();
    if (!WriteBytes(dir.filePath(QStringLiteral("VELM0001.leg")), LegendFileBytes(DemoLegend()), error) ||
        !WriteBytes(dir.filePath(QStringLiteral("VELM0001_info.pkh")), PackedHtmlBytes(DemoInfoPage()), error))
        return false;
    chartEntry = DemoChartEntry(QFileInfo(kapFile).fileName());
    return true;
}

}  // namespace demo
