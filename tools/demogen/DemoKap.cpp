// The demo raster chart as a BSB 3.0 ".KAP" file, written by hand: GDAL can read the
// format but not create it. Mercator, WGS 84; the REF points follow the same projection so
// GDAL derives a square-pixel geotransform from them.
#include "DemoData.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSaveFile>

#include <cmath>
#include <string>

namespace demo {

namespace {

constexpr int ChartWidth = 1200;

// BSB index i + 1 is Palette[i] (index 0 cannot be used in a KAP).
const QRgb Palette[] = {
    qRgb(245, 230, 180),  // land
    qRgb(200, 228, 248),  // deep water (> 5 m)
    qRgb(150, 200, 240),  // shallow water (0-5 m)
    qRgb(110, 170, 230),  // waterways and the lake
    qRgb(40, 40, 40),     // coastline
    qRgb(200, 0, 140),    // bridges
    qRgb(90, 90, 90),     // locks
};

// Mercator on the WGS 84 ellipsoid (what GDAL derives from the REF points), in radians.
constexpr double E = 0.0818191908426215;  // first eccentricity of WGS 84

double MercY(double latDeg) {
    const double phi = latDeg * M_PI / 180.0, es = E * std::sin(phi);
    return std::log(std::tan(M_PI / 4 + phi / 2) * std::pow((1 - es) / (1 + es), E / 2));
}

double InverseMercY(double y) {
    const double t = std::exp(-y);
    double phi = M_PI / 2 - 2 * std::atan(t);
    for (int i = 0; i < 10; ++i) {
        const double es = E * std::sin(phi);
        phi = M_PI / 2 - 2 * std::atan(t * std::pow((1 - es) / (1 + es), E / 2));
    }
    return phi * 180.0 / M_PI;
}

class TMercator {
public:
    explicit TMercator(const TArea &a) : FArea(a) {
        FScale = ChartWidth / ((a.East - a.West) * M_PI / 180.0);
        FHeight = int(std::lround((MercY(a.North) - MercY(a.South)) * FScale));
    }
    int Width() const { return ChartWidth; }
    int Height() const { return FHeight; }
    QPointF ToPixel(const TLonLat &p) const {
        return {(p.Lon - FArea.West) * M_PI / 180.0 * FScale,
                (MercY(FArea.North) - MercY(p.Lat)) * FScale};
    }
    TLonLat ToGeo(double x, double y) const {
        const double lon = FArea.West + x / FScale * 180.0 / M_PI;
        const double m = MercY(FArea.North) - y / FScale;
        return {lon, InverseMercY(m)};
    }

private:
    TArea FArea;
    double FScale = 1.0;
    int FHeight = 1;
};

QPolygonF ToPolygon(const TMercator &m, const std::vector<TLonLat> &line) {
    QPolygonF poly;
    for (const auto &p : line) poly << m.ToPixel(p);
    return poly;
}

// Water west of a line that runs from above the top edge to below the bottom edge.
QPolygonF SeaSide(const TMercator &m, const std::vector<TLonLat> &line) {
    QPolygonF poly = ToPolygon(m, line);
    poly.prepend(QPointF(-1, poly.first().y()));
    poly << QPointF(-1, poly.last().y());
    return poly;
}

QImage Render(const TNetwork &net, const TMercator &m) {
    QImage img(m.Width(), m.Height(), QImage::Format_RGB32);
    img.fill(Palette[0]);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);  // every pixel must be a palette colour
    p.setPen(Qt::NoPen);
    std::vector<TLonLat> coast = DemoCoastline(), contour = DemoContour5m();
    coast.front().Lat = contour.front().Lat = DemoArea().North + 0.01;
    coast.back().Lat = contour.back().Lat = DemoArea().South - 0.01;
    p.setBrush(QColor(Palette[2]));
    p.drawPolygon(SeaSide(m, coast));
    p.setBrush(QColor(Palette[1]));
    p.drawPolygon(SeaSide(m, contour));
    p.setBrush(QColor(Palette[3]));
    p.drawPolygon(ToPolygon(m, DemoLake()));
    for (const auto &s : net.Sections) {
        if (s.WaterBody == 0) continue;  // sea routes are open water already
        const double widthPx = s.Kind == 2 ? 7.0 : 4.0;
        p.setPen(QPen(QColor(Palette[3]), widthPx, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(ToPolygon(m, s.Line));
    }
    p.setPen(QPen(QColor(Palette[4]), 2.0));
    p.drawPolyline(ToPolygon(m, coast));
    p.setPen(Qt::NoPen);
    for (const auto &st : net.Structures) {
        if (st.Kind != 1 && st.Kind != 3) continue;
        p.setBrush(QColor(Palette[st.Kind == 1 ? 5 : 6]));
        const QPointF c = m.ToPixel(st.Pos);
        p.drawRect(QRectF(c.x() - 3, c.y() - 3, 7, 7));
    }
    p.end();
    return img;
}

void PutVarint(std::string &s, uint32_t v) {
    int k = 0;
    while ((v >> (7 * (k + 1))) != 0) ++k;
    for (int j = k; j >= 0; --j) s += char(((v >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
}

void PutBE32(std::string &s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s += char((v >> (8 * i)) & 0xff);
}

}  // namespace

bool WriteKapChart(const TNetwork &net, const QString &file, QString &error) {
    const TArea area = DemoArea();
    const TMercator m(area);
    const QImage img = Render(net, m);
    const int w = m.Width(), h = m.Height();
    constexpr int nColours = int(std::size(Palette));

    std::string s;
    auto line = [&](const QString &text) {
        s += text.toStdString();
        s += "\r\n";
    };
    line(QStringLiteral("! Velmer Roads, Saltmere and the River Orle - demo chart, not for navigation"));
    line(QStringLiteral("VER/3.0"));
    line(QStringLiteral("BSB/NA=Velmer Roads and River Orle,NU=VELM0001,RA=%1,%2,DU=254").arg(w).arg(h));
    const TLonLat c0 = m.ToGeo(0, 0), c1 = m.ToGeo(1, 1);
    const double metresPerPixel = (c0.Lat - c1.Lat) * 111320.0;
    line(QStringLiteral("KNP/SC=50000,GD=WGS84,PR=MERCATOR,PP=%1,PI=UNKNOWN,SP=UNKNOWN,SK=0.0,"
                        "TA=90.0,UN=METERS,SD=MLLW,DX=%2,DY=%2")
             .arg((area.North + area.South) / 2, 0, 'f', 4)
             .arg(metresPerPixel, 0, 'f', 2));
    for (int i = 0; i < nColours; ++i)
        line(QStringLiteral("RGB/%1,%2,%3,%4")
                 .arg(i + 1)
                 .arg(qRed(Palette[i]))
                 .arg(qGreen(Palette[i]))
                 .arg(qBlue(Palette[i])));
    const QPoint refs[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}};
    int n = 1;
    for (const QPoint &r : refs) {
        const TLonLat g = m.ToGeo(r.x(), r.y());
        line(QStringLiteral("REF/%1,%2,%3,%4,%5")
                 .arg(n++)
                 .arg(r.x())
                 .arg(r.y())
                 .arg(g.Lat, 0, 'f', 8)
                 .arg(g.Lon, 0, 'f', 8));
    }
    n = 1;
    for (const QPoint &r : refs) {
        const TLonLat g = m.ToGeo(r.x(), r.y());
        line(QStringLiteral("PLY/%1,%2,%3").arg(n++).arg(g.Lat, 0, 'f', 8).arg(g.Lon, 0, 'f', 8));
    }
    line(QStringLiteral("DTM/0.0,0.0"));
    while (s.size() < 1100) line(QStringLiteral("! "));  // GDAL ignores shorter KAP files
    s += '\x1A';
    s += '\0';
    int bits = 1;
    while ((1 << bits) <= nColours) ++bits;
    s += char(bits);
    const int shift = 7 - bits;
    const uint32_t countMask = (1u << shift) - 1;

    std::vector<uint32_t> rowOffsets;
    std::vector<uint8_t> row(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const QRgb *scan = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            uint8_t v = 1;
            for (int i = 0; i < nColours; ++i)
                if ((scan[x] & 0xffffff) == (Palette[i] & 0xffffff)) v = uint8_t(i + 1);
            row[size_t(x)] = v;
        }
        rowOffsets.push_back(uint32_t(s.size()));
        PutVarint(s, uint32_t(y + 1));
        for (int x = 0; x < w;) {
            const uint8_t v = row[size_t(x)];
            int run = 1;
            while (x + run < w && row[size_t(x + run)] == v) ++run;
            const uint32_t count = uint32_t(run - 1);
            int k7 = 0;
            while ((count >> (7 * k7)) > countMask) ++k7;
            s += char((v << shift) | (count >> (7 * k7)) | (k7 ? 0x80 : 0));
            for (int j = k7 - 1; j >= 0; --j) s += char(((count >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
            x += run;
        }
        s += '\0';
    }
    const uint32_t index = uint32_t(s.size());
    for (uint32_t o : rowOffsets) PutBE32(s, o);
    PutBE32(s, index);

    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(s.data(), qint64(s.size())) != qint64(s.size()) ||
        !out.commit()) {
        error = QStringLiteral("%1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

}  // namespace demo
