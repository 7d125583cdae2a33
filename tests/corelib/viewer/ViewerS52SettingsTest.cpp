// What the S-52 display settings leave out of, or change in, a real S-57 cell as the viewer
// draws it: the NOAA cell of the test data, looked at around its seasonal buoys, its meta
// features, its shallow areas and its contours.
#include "tests/corelib/charts/ChartTestRig.h"
#include "TestSupport.h"
#include "ViewerRig.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvNavEnv.h"
#include "KvLibNav6/KvViewer.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

using namespace viewerrig;

// The seasonal buoy "Slaughter Creek Buoy 7" (green, laid 15 March to 1 December).
constexpr double BuoyLat = 38.4947658, BuoyLon = -76.2782833;
constexpr uint32_t BuoyGreen = 0xFF68E456u;

// A planning clock standing on one day: the only clock the date filter may read here.
class TFixedTime final : public INavPredictedTime {
public:
    explicit TFixedTime(const QDate &day) { Set(day); }
    void Set(const QDate &day) { FTime = double(QDate(1899, 12, 30).daysTo(day)) + 0.5; }
    float GetTimeOffset() override { return 0.0f; }
    int32_t GetMode() override { return NavPredictedTimeMode::RealTime; }
    void SetMode(int32_t) override {}
    TDateTime GetTime() override { return FTime; }

private:
    TDateTime FTime = 0.0;
};

// The cell with "bENC" as the product specification of its DSID: the ISO 8211 record grows
// by the four letters, and its length and the positions of the fields after DSID follow.
QByteArray AsBathymetric(const QByteArray &cell) {
    const int at = cell.left(5).toInt();
    QByteArray r = cell.mid(at, cell.mid(at, 5).toInt());
    const int lenSize = r[20] - '0', posSize = r[21] - '0', tagSize = r[23] - '0';
    const int entry = tagSize + lenSize + posSize, base = r.mid(12, 5).toInt();
    int dsidEntry = -1;
    for (int i = 24; r[i] != '\x1e'; i += entry)
        if (r.mid(i, tagSize) == "DSID") dsidEntry = i;
    if (dsidEntry < 0) return {};
    const int dsidPos = r.mid(dsidEntry + tagSize + lenSize, posSize).toInt();
    // RCNM, RCID, EXPP, INTU; then DSNM, EDTN, UPDN each ended by a unit terminator; then
    // UADT, ISDT, STED and PRSP of fixed width before PSDN.
    int psdn = base + dsidPos + 7;
    for (int k = 0; k < 3; ++k) psdn = r.indexOf('\x1f', psdn) + 1;
    psdn += 8 + 8 + 4 + 1;
    const QByteArray added("bENC");
    r.insert(psdn, added);
    auto put = [&](int where, int width, int value) {
        r.replace(where, width, QByteArray::number(value).rightJustified(width, '0'));
    };
    put(0, 5, int(r.size()));
    for (int i = 24; r[i] != '\x1e'; i += entry) {
        const int len = r.mid(i + tagSize, lenSize).toInt(), pos = r.mid(i + tagSize + lenSize, posSize).toInt();
        if (i == dsidEntry) put(i + tagSize, lenSize, len + int(added.size()));
        else if (pos > dsidPos) put(i + tagSize + lenSize, posSize, pos + int(added.size()));
    }
    return cell.left(at) + r + cell.mid(at + cell.mid(at, 5).toInt());
}

QString ShotDir() {
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    return dir;
}

// The NOAA cell in a viewer of its own, zoomed in on a place, drawn with the settings the
// step leaves in a fresh S-52 library.
class S52SettingsOnTheNoaaCell : public testing::Test {
protected:
    static constexpr int W = 500, H = 400;
    void SetUp() override {
        const QString folder = testsupport::TestDataPath("charts/s57/US4MD81M");
        ASSERT_TRUE(QFileInfo::exists(folder));
        Charts = std::make_unique<TCharts>("viewer-s52-settings");
        Charts->Create();
        Charts->AddS57(folder);
        ASSERT_EQ(Charts->Manager->GetChartCount(), 1);
    }
    // Flags start from the library's defaults without the scale filter, so that zooming in
    // is all that decides what the view holds.
    // The picture is taken and the viewer let go, so that the next one loads the cell anew
    // (a cell still held by a viewer comes back without a load to wait for).
    QImage Draw(double lat, double lon, double zoom,
                                     const std::function<void(IS52PresentationLib &)> &settings) {
        Ptr<IS52PresentationLib> s52(S52PresentationLibCreate(Rec(QString())));
        s52->SetDisplayFlags(s52->GetDisplayFlags(0) & ~S52DisplayFlag::UseSCAMIN, 0);
        settings(*s52);
        s52->Commit();
        auto rig = std::make_unique<TViewerRig>(W, H);
        rig->Viewer->SetS52PresentationLib(s52.get());
        auto list = Charts->All();
        int32_t err = -1;
        rig->Viewer->SetCharts(list.data(), int32_t(list.size()), err);
        EXPECT_EQ(err, KvErr::Ok);
        rig->Viewer->ZoomToS57Chart(Charts->Manager->GetChart(0));
        const TDouble2 at = rig->PixelOf(lat, lon);
        rig->Viewer->Pan(int(std::lround(W / 2.0 - at.X)), int(std::lround(H / 2.0 - at.Y)));
        const TDouble2 centre{W / 2.0, H / 2.0};
        rig->Viewer->ZoomAt(zoom, &centre);
        rig->RenderLoaded();
        return rig->Image();
    }
    // Pixels of the colour within r pixels of the view's centre, where the place stands.
    static int CountNearCentre(const QImage &image, int r, uint32_t colour) {
        int n = 0;
        for (int y = H / 2 - r; y <= H / 2 + r; ++y)
            for (int x = W / 2 - r; x <= W / 2 + r; ++x) n += image.pixel(x, y) == colour;
        return n;
    }
    std::unique_ptr<TCharts> Charts;
};

// Colours of the chart over the view's background.
int ChartPixels(TViewerRig &rig, std::initializer_list<uint32_t> colours) {
    int n = 0;
    for (int y = 0; y < rig.Bitmap->GetHeight(); ++y)
        for (int x = 0; x < rig.Bitmap->GetWidth(); ++x)
            for (uint32_t c : colours) n += PixelAt(rig.Bitmap.get(), x, y) == c;
    return n;
}

struct TBencCase {
    const char *name;
    bool bathymetric;
    bool flag;
    bool drawn;
};

TEST(ViewerS52Filters, BathymetricCellIsDrawnOnlyWithItsFlag) {
    const QString source = testsupport::TestDataPath("charts/s57/US4MD81M/US4MD81M.000");
    QFile in(source);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray plain = in.readAll();
    const QByteArray bathymetric = AsBathymetric(plain);
    ASSERT_EQ(bathymetric.size(), plain.size() + 4);
    const TBencCase cases[] = {
        {"bENC shown", true, true, true},
        {"bENC hidden", true, false, false},
        {"ordinary cell without the flag", false, false, true},
    };
    // Land and the day depth shades of the cell.
    const std::initializer_list<uint32_t> chart = {0xFFC9B97Au, 0xFF82B9F0u, 0xFFACD4F3u, 0xFFD2EAFAu};
    for (const TBencCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString dir = testsupport::MakeTempDir(QStringLiteral("benc"));
        QFile out(dir + "/US4MD81M.000");
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.bathymetric ? bathymetric : plain);
        out.close();
        TCharts charts("viewer-benc");
        charts.Create();
        charts.AddS57(dir);
        ASSERT_EQ(charts.Manager->GetChartCount(), 1);
        EXPECT_EQ(charts.Manager->GetChart(0)->IsBENC(), c.bathymetric);
        Ptr<IS52PresentationLib> s52(S52PresentationLibCreate(Rec(QString())));
        const uint32_t flags = s52->GetDisplayFlags(0) & ~S52DisplayFlag::ShowBENCs;
        s52->SetDisplayFlags(flags | (c.flag ? S52DisplayFlag::ShowBENCs : 0u), 0);
        s52->Commit();
        TViewerRig rig(300, 200);
        rig.Viewer->SetS52PresentationLib(s52.get());
        auto list = charts.All();
        int32_t err = -1;
        rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
        rig.Viewer->ZoomToS57Chart(charts.Manager->GetChart(0));
        rig.RenderLoaded();
        EXPECT_EQ(ChartPixels(rig, chart) > 1000, c.drawn);
    }
}

struct TDateCase {
    const char *name;
    bool filter;
    QDate day;
    bool shown;
};

TEST_F(S52SettingsOnTheNoaaCell, DateFilterHidesASeasonalBuoyOutOfItsSeason) {
    const TDateCase cases[] = {
        {"no filter in January", false, QDate(2026, 1, 15), true},
        {"filter in January", true, QDate(2026, 1, 15), false},
        {"filter on the first day", true, QDate(2026, 3, 15), true},
        {"filter in July", true, QDate(2026, 7, 1), true},
        {"filter on the last day", true, QDate(2026, 12, 1), true},
        {"filter after the last day", true, QDate(2026, 12, 2), false},
    };
    for (const TDateCase &c : cases) {
        SCOPED_TRACE(c.name);
        TFixedTime day(c.day);
        const QImage image = Draw(BuoyLat, BuoyLon, 8.0, [&](IS52PresentationLib &s) {
            s.SetCheckFeatureTime(c.filter);
            s.SetPredictedTime(&day);
        });
        EXPECT_EQ(CountNearCentre(image, 20, BuoyGreen) > 0, c.shown);
        if (c.day.month() == 1) {
            const QString name = c.filter ? "/s52-date-filter-january.png" : "/s52-date-filter-off.png";
            EXPECT_TRUE(image.save(ShotDir() + name));
        }
    }
}

// The explored time moves on while the view stands still: the next picture judges the
// seasonal buoy by the new day, not by the picture drawn before.
TEST_F(S52SettingsOnTheNoaaCell, MovingThePlanningDayRedrawsTheSameView) {
    TFixedTime day(QDate(2026, 7, 1));
    Ptr<IS52PresentationLib> s52(S52PresentationLibCreate(Rec(QString())));
    s52->SetDisplayFlags(s52->GetDisplayFlags(0) & ~S52DisplayFlag::UseSCAMIN, 0);
    s52->SetCheckFeatureTime(true);
    s52->SetPredictedTime(&day);
    s52->Commit();
    TViewerRig rig(W, H);
    rig.Viewer->SetS52PresentationLib(s52.get());
    auto list = Charts->All();
    int32_t err = -1;
    rig.Viewer->SetCharts(list.data(), int32_t(list.size()), err);
    ASSERT_EQ(err, KvErr::Ok);
    rig.Viewer->ZoomToS57Chart(Charts->Manager->GetChart(0));
    const TDouble2 at = rig.PixelOf(BuoyLat, BuoyLon);
    rig.Viewer->Pan(int(std::lround(W / 2.0 - at.X)), int(std::lround(H / 2.0 - at.Y)));
    const TDouble2 centre{W / 2.0, H / 2.0};
    rig.Viewer->ZoomAt(8.0, &centre);
    rig.RenderLoaded();
    ASSERT_GT(CountNearCentre(rig.Image(), 20, BuoyGreen), 0) << "laid in July";
    day.Set(QDate(2026, 1, 15));
    rig.Viewer->Render(rig.Bitmap.get());
    EXPECT_EQ(CountNearCentre(rig.Image(), 20, BuoyGreen), 0) << "lifted in January";
}

// The whole cell with and without its meta features (whatever the category): what changes is
// the meta outline.
TEST_F(S52SettingsOnTheNoaaCell, MetaFeaturesAreOutlinedOnlyWithTheirFlag) {
    constexpr uint32_t MetaBoundary = 0xFFA06428u;
    const double lat = 38.70, lon = -76.40;  // open water of the bay, inside quality areas
    // The base category without symbols or texts, so that nothing stands over the outlines.
    auto draw = [&](uint32_t meta) {
        return Draw(lat, lon, 1.0, [&](IS52PresentationLib &s) {
            s.SetDisplayCategory(S52DisplayCategory::Base, 0);
            s.SetDisplayFlags(S52DisplayFlag::FourDepthShades | meta, 0);
        });
    };
    const QImage hidden = draw(0);
    const QImage shown = draw(S52DisplayFlag::ShowMeta);
    int changed = 0, meta = 0, metaWhenHidden = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t before = hidden.pixel(x, y), after = shown.pixel(x, y);
            changed += before != after;
            meta += before != after && after == MetaBoundary;
            metaWhenHidden += before == MetaBoundary;
        }
    EXPECT_EQ(metaWhenHidden, 0);
    EXPECT_GT(meta, 200);
    // Where coastline and contours cross the outlines they stay on top; most of what changes
    // is the outline's colour.
    EXPECT_GE(meta * 4, changed * 3);
    EXPECT_TRUE(shown.save(ShotDir() + "/s52-meta-shown.png"));
}

// Water shallower than the safety contour is cross-hatched with the flag, and only that water.
TEST_F(S52SettingsOnTheNoaaCell, ShallowPatternHatchesOnlyWaterShallowerThanTheSafetyContour) {
    constexpr uint32_t Pattern = 0xFF5A7896u;
    const std::set<uint32_t> shallowShades = {0xFF82B9F0u, 0xFFACD4F3u, 0xFF83B295u};
    auto draw = [&](uint32_t pattern) {
        return Draw(BuoyLat, BuoyLon, 8.0, [&](IS52PresentationLib &s) {
            s.SetDisplayFlags((s.GetDisplayFlags(0) & ~S52DisplayFlag::UseShallowPattern) | pattern, 0);
        });
    };
    const QImage plain = draw(0);
    const QImage hatched = draw(S52DisplayFlag::UseShallowPattern);
    int hatch = 0, hatchOverOther = 0, hatchWithout = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t before = plain.pixel(x, y), after = hatched.pixel(x, y);
            hatchWithout += before == Pattern;
            if (after != Pattern || before == Pattern) continue;
            ++hatch;
            hatchOverOther += !shallowShades.count(before);
        }
    EXPECT_EQ(hatchWithout, 0);
    EXPECT_GT(hatch, 2000);
    // A stray pixel where a symbol's antialiased edge met the hatch; nothing like an area.
    EXPECT_LE(hatchOverOther * 1000, hatch);
    EXPECT_TRUE(hatched.save(ShotDir() + "/s52-shallow-pattern.png"));
}

// Contour values are written along the contours with their flag, without other labels or
// soundings.
TEST_F(S52SettingsOnTheNoaaCell, ContourLabelsFollowTheirFlag) {
    const uint32_t base = S52DisplayFlag::FourDepthShades;
    const double lat = 38.60, lon = -76.42;
    auto draw = [&](uint32_t flags) {
        return Draw(lat, lon, 3.0, [&](IS52PresentationLib &s) {
            s.SetDisplayCategory(S52DisplayCategory::Standard, 0);
            s.SetDisplayFlags(flags, 0);
        });
    };
    const QImage bare = draw(base);
    const QImage labelled = draw(base | S52DisplayFlag::ShowContourLabels);
    // Dark grey text pixels that the bare picture does not have; nothing else changes.
    int text = 0, other = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (labelled.pixel(x, y) == bare.pixel(x, y)) continue;
            if (qGray(labelled.pixel(x, y)) < 150) ++text;
            else ++other;
        }
    EXPECT_GT(text, 150);
    // Antialiased letter edges are lighter; they stay fewer than the letters' dark cores.
    EXPECT_LT(other, 2 * text);
    EXPECT_TRUE(labelled.save(ShotDir() + "/s52-contour-labels.png"));
}

}  // namespace

struct TSymbolStyleCase {
    const char *name;
    int32_t style;
    bool centred;  // the symbol stands over its position rather than on it
    const char *shot;
};

// The paper-chart buoy stands on its position, edged in black; the simplified one is a small
// shape in the buoy's colour centred on its position and edged in a darker green.
TEST_F(S52SettingsOnTheNoaaCell, BuoysFollowTheSymbolStyle) {
    const TSymbolStyleCase cases[] = {
        {"paper chart", S52SymbolStyle::Paper, false, "/s52-symbols-paper.png"},
        {"simplified", S52SymbolStyle::Simplified, true, "/s52-symbols-simplified.png"},
    };
    std::vector<QImage> images;
    std::vector<int> blacks;
    for (const TSymbolStyleCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Draw(BuoyLat, BuoyLon, 8.0, [&](IS52PresentationLib &s) { s.SetSymbolStyle(c.style); });
        int above = 0, below = 0, black = 0;
        for (int y = H / 2 - 20; y <= H / 2 + 20; ++y)
            for (int x = W / 2 - 20; x <= W / 2 + 20; ++x) {
                const uint32_t px = image.pixel(x, y);
                above += px == BuoyGreen && y < H / 2 - 1;
                below += px == BuoyGreen && y > H / 2 + 1;
                black += std::max({qRed(px), qGreen(px), qBlue(px)}) < 60;
            }
        EXPECT_GT(above, 10);
        EXPECT_EQ(below > 5, c.centred);
        blacks.push_back(black);
        EXPECT_TRUE(image.save(ShotDir() + c.shot));
        images.push_back(image);
    }
    int changed = 0;
    for (int y = H / 2 - 20; y <= H / 2 + 20; ++y)
        for (int x = W / 2 - 20; x <= W / 2 + 20; ++x) changed += images[0].pixel(x, y) != images[1].pixel(x, y);
    EXPECT_GT(changed, 30);
    // The soundings nearby are black in both; the paper buoy's outline only in one.
    EXPECT_GE(blacks[0], blacks[1] + 15);
}
