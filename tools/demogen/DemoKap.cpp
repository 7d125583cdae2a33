// The demo raster chart as a BSB 3.0 ".KAP" file, written by hand: GDAL can read the
// format but not create it. Mercator, WGS 84; the REF points follow the same projection so
// GDAL derives a square-pixel geotransform from them.
//
// The picture is the S-57 cell drawn by the core library's chart viewer, as a print at the
// chart's scale (one pixel is what a pixel of a 96 dpi screen shows at 1:50,000), with every
// label a paper chart carries; its colours are then reduced to the 127 a KAP can hold.
#include "DemoData.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLib.h"
#include "KvLibNav6/KvViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <unordered_map>
#include <cmath>
#include <memory>
#include <string>

namespace demo {

namespace {

constexpr int MaxColours = 127;  // BSB indices 1..127; index 0 cannot be used

// Mercator on the WGS 84 ellipsoid (what GDAL derives from the REF points), in radians.
constexpr double E = 0.0818191908426215;  // first eccentricity of WGS 84
constexpr double A = 6378137.0;

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

// Ground metres of one chart pixel at the area's middle latitude.
double GroundMetresPerPixel() { return ChartScale * 0.0254 / KapPixelsPerInch; }

class TMercator {
public:
    explicit TMercator(const TArea &a) : FArea(a) {
        const double phi = (a.North + a.South) / 2 * M_PI / 180.0, s = std::sin(phi);
        // Pixels per radian of longitude that give the ground resolution at that latitude.
        FScale = A * std::cos(phi) / std::sqrt(1 - E * E * s * s) / GroundMetresPerPixel();
        FWidth = int(std::lround((a.East - a.West) * M_PI / 180.0 * FScale));
        FHeight = int(std::lround((MercY(a.North) - MercY(a.South)) * FScale));
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TLonLat ToGeo(double x, double y) const {
        const double lon = FArea.West + x / FScale * 180.0 / M_PI;
        const double m = MercY(FArea.North) - y / FScale;
        return {lon, InverseMercY(m)};
    }

private:
    TArea FArea;
    double FScale = 1.0;
    int FWidth = 1, FHeight = 1;
};

struct TDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T> using TPtr = std::unique_ptr<T, TDeleter>;

struct TRec {
    explicit TRec(const QString &s) : Text(s) {}
    operator const TStrWRec &() {
        R = {int32_t(Text.size()), reinterpret_cast<const char16_t *>(Text.utf16())};
        return R;
    }
    QString Text;
    TStrWRec R;
};

TGeoPoint Radians(const TLonLat &p) { return TGeoPoint{p.Lat * M_PI / 180.0, p.Lon * M_PI / 180.0}; }

// The cell drawn through a chart viewer's print path into a picture of the chart's size.
bool RenderCell(const QString &cellFile, const TMercator &m, QImage &out, QString &error) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        error = QStringLiteral("drawing the chart needs a GUI application (fonts)");
        return false;
    }
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/marivo-demogen-XXXXXX"));
    if (!work.isValid()) {
        error = QStringLiteral("no temporary folder: %1").arg(work.errorString());
        return false;
    }
    QDir(work.path()).mkpath(QStringLiteral("Charts"));
    TPtr<IChartManager> manager(ChartManagerCreate(TRec(work.filePath(QStringLiteral("ChartInfo.cif"))),
                                                   TRec(work.filePath(QStringLiteral("Selection"))),
                                                   TRec(work.filePath(QStringLiteral("Charts"))), nullptr, 1,
                                                   nullptr, nullptr, nullptr, nullptr));
    manager->AddS57Folder(TRec(QFileInfo(cellFile).absolutePath()), false, nullptr, nullptr);
    int32_t err = 0;
    manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
    IChart *cell = nullptr;
    for (int i = 0; i < manager->GetChartCount(); ++i) {
        const TStrWRec *name = manager->GetChart(i)->GetFileName();
        if (name && QFileInfo(QString::fromUtf16(name->Text, name->Length)) == QFileInfo(cellFile))
            cell = manager->GetChart(i);
    }
    if (!cell) {
        error = QStringLiteral("the chart manager does not read %1").arg(cellFile);
        return false;
    }
    // A paper chart's presentation: everything, every label, light descriptions.
    TPtr<IS52PresentationLib> s52(S52PresentationLibCreate(TRec(QString())));
    s52->SetDisplayCategory(S52DisplayCategory::Other, 0);
    s52->SetDisplayFlags(S52DisplayFlag::FourDepthShades | S52DisplayFlag::ShowSoundings |
                             S52DisplayFlag::ShowText | S52DisplayFlag::ShowAtoNLabels |
                             S52DisplayFlag::ShowLightDesc | S52DisplayFlag::ShowLandFeatures |
                             S52DisplayFlag::ShowBuoys,
                         0);
    s52->SetSymbolStyle(S52SymbolStyle::Paper);
    s52->SetBoundaryStyle(S52BoundaryStyle::Symbolized);
    s52->Commit();
    TPtr<INavViewer> viewer(NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    viewer->SetS52PresentationLib(s52.get());
    NavObject *charts[] = {cell};
    viewer->SetCharts(charts, 1, err);

    IGeodeticProvider *p1 = nullptr;
    IGeodeticObject *p2 = nullptr;
    IGeodeticDatum *wgs = nullptr, *p4 = nullptr;
    void *p5 = nullptr;
    GeodeticsGetGlobals(p1, p2, wgs, p4, p5);
    TProjectionRef ref;
    GeodeticRefInitMercator(ref, 0.0, wgs);
    TPtr<IGeodeticCalibration> cal(GeodeticCalibrationCreate());
    const double w = m.Width(), h = m.Height();
    cal->Init(TDouble2{0, 0}, TDouble2{w, 0}, TDouble2{w, h}, Radians(m.ToGeo(0, 0)), Radians(m.ToGeo(w, 0)),
              Radians(m.ToGeo(w, h)), m.Width(), m.Height(), ref, err);
    if (err != 0 || cal->HasError()) {
        error = QStringLiteral("the chart's calibration is not valid");
        return false;
    }
    TPtr<IBmp32> bitmap(Bmp32Create(m.Width(), m.Height(), 1));
    bitmap->Fill(0xFFFFFFFF);
    viewer->PrintTile(cal.get(), bitmap.get(), KapPixelsPerInch / 0.0254);
    out = QImage(m.Width(), m.Height(), QImage::Format_RGB32);
    for (int y = 0; y < m.Height(); ++y) {
        const uint8_t *row = bitmap->GetRow(y);
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < m.Width(); ++x) dst[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    return true;
}

// The picture's colours reduced to at most 127: the commonest kept exactly (so the S-52
// colours of areas come through unchanged), every other drawn as the nearest of them.
class TPalette {
public:
    explicit TPalette(const QImage &img) {
        std::unordered_map<QRgb, uint64_t> counts;
        ForEachRun(img, [&](QRgb c, int n) { counts[c] += uint64_t(n); });
        std::vector<std::pair<QRgb, uint64_t>> byCount(counts.begin(), counts.end());
        std::sort(byCount.begin(), byCount.end(), [](const auto &a, const auto &b) {
            return a.second != b.second ? a.second > b.second : a.first < b.first;
        });
        for (size_t i = 0; i < byCount.size() && i < size_t(MaxColours); ++i) {
            Colours.push_back(byCount[i].first);
            FExact[byCount[i].first] = uint8_t(i + 1);
        }
    }
    std::vector<QRgb> Colours;
    // BSB index (from 1) of a colour.
    uint8_t Index(QRgb c) {
        c |= 0xFF000000u;
        if (auto it = FExact.find(c); it != FExact.end()) return it->second;
        int best = 0, bestDistance = INT32_MAX;
        for (size_t k = 0; k < Colours.size(); ++k) {
            const int dr = qRed(Colours[k]) - qRed(c), dg = qGreen(Colours[k]) - qGreen(c),
                      db = qBlue(Colours[k]) - qBlue(c);
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = int(k);
            }
        }
        return FExact[c] = uint8_t(best + 1);
    }
    template <class F>
    static void ForEachRun(const QImage &img, F &&f) {
        for (int y = 0; y < img.height(); ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width();) {
                int n = 1;
                while (x + n < img.width() && row[x + n] == row[x]) ++n;
                f(row[x] | 0xFF000000u, n);
                x += n;
            }
        }
    }

private:
    std::unordered_map<QRgb, uint8_t> FExact;  // palette colours and those already matched
};

void PutVarint(std::string &s, uint32_t v) {
    int k = 0;
    while ((v >> (7 * (k + 1))) != 0) ++k;
    for (int j = k; j >= 0; --j) s += char(((v >> (7 * j)) & 0x7f) | (j ? 0x80 : 0));
}

void PutBE32(std::string &s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s += char((v >> (8 * i)) & 0xff);
}

}  // namespace

bool WriteKapChart(const QString &s57Cell, const QString &file, QString &error) {
    const TArea area = DemoArea();
    const TMercator m(area);
    QImage img;
    if (!RenderCell(s57Cell, m, img, error)) {
        error = QStringLiteral("%1: %2").arg(file, error);
        return false;
    }
    TPalette palette(img);
    const int w = m.Width(), h = m.Height();
    const int nColours = int(palette.Colours.size());

    std::string s;
    auto line = [&](const QString &text) {
        s += text.toStdString();
        s += "\r\n";
    };
    line(QStringLiteral("! Velmer Roads, Saltmere and the River Orle - demo chart, not for navigation"));
    line(QStringLiteral("VER/3.0"));
    line(QStringLiteral("BSB/NA=Velmer Roads and River Orle,NU=VELM0001,RA=%1,%2,DU=%3")
             .arg(w)
             .arg(h)
             .arg(KapPixelsPerInch));
    line(QStringLiteral("KNP/SC=%1,GD=WGS84,PR=MERCATOR,PP=%2,PI=UNKNOWN,SP=UNKNOWN,SK=0.0,"
                        "TA=90.0,UN=METERS,SD=LAT,DX=%3,DY=%3")
             .arg(ChartScale)
             .arg((area.North + area.South) / 2, 0, 'f', 4)
             .arg(GroundMetresPerPixel(), 0, 'f', 2));
    for (int i = 0; i < nColours; ++i)
        line(QStringLiteral("RGB/%1,%2,%3,%4")
                 .arg(i + 1)
                 .arg(qRed(palette.Colours[size_t(i)]))
                 .arg(qGreen(palette.Colours[size_t(i)]))
                 .arg(qBlue(palette.Colours[size_t(i)])));
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
        for (int x = 0; x < w; ++x)
            row[size_t(x)] = x > 0 && scan[x] == scan[x - 1] ? row[size_t(x - 1)] : palette.Index(scan[x]);
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
