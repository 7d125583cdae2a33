// The navigation viewer's own layers, checked on the pixels it draws: the demo waterway
// network in its colour with section and structure clicks, the own ship at its position
// with course-up tracking, an alarm zone's tint, hit test and editing, and a notification
// box whose click reports back through the dispatcher.
#include "DemoData.h"
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Ptr = std::unique_ptr<T, Deleter>;

constexpr double Deg = M_PI / 180.0;
constexpr uint32_t Clear = 0xFFFFFFFFu;

struct Rec {
    explicit Rec(QString s) : Text(std::move(s)) {}
    operator const TStrWRec &() {
        R = {int32_t(Text.size()), reinterpret_cast<const char16_t *>(Text.utf16())};
        return R;
    }
    QString Text;
    TStrWRec R;
};

QString Text(const TStrWRec *r) { return r ? QString::fromUtf16(r->Text, r->Length) : QString(); }

// 0xAARRGGBB of the bitmap's pixel.
uint32_t PixelAt(IBmp32 *bmp, int x, int y) {
    const uint8_t *p = bmp->GetRow(y) + 4 * x;
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

TGeoPoint Direct(const TGeoPoint &from, double bearingDeg, double metres) {
    double lat = 0, lon = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.Lat / Deg, from.Lon / Deg, bearingDeg, metres, lat, lon);
    return {lat * Deg, lon * Deg};
}

struct TRecorder {
    std::vector<TNavNotification> Got;
    static void Proc(void *d, TNavNotification *n) { static_cast<TRecorder *>(d)->Got.push_back(*n); }
    std::vector<TNavNotification> OfCode(int32_t code) const {
        std::vector<TNavNotification> out;
        for (const auto &n : Got)
            if (n.Code == code) out.push_back(n);
        return out;
    }
};

void FlushPosted() {
    for (int i = 0; i < 5; ++i) QCoreApplication::sendPostedEvents();
}

// A navigation viewer of w × h over an environment whose dispatcher is recorded.
struct TRig {
    Ptr<INavEnv> Env{NavEnvCreate()};
    Ptr<INavViewer> Viewer{NavViewerCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)};
    Ptr<IBmp32> Bitmap;
    TRecorder Rec;
    int W, H;

    TRig(int w, int h, INavBoat *boat = nullptr, IWptDatabase *userDb = nullptr)
        : Bitmap(Bmp32Create(w, h, 1)), W(w), H(h) {
        Env->GetDispatcher()->Subscribe(TRecorder::Proc, &Rec);
        Viewer->SetViewRect(0, 0, w, h);
        Viewer->SetNavObjects(Env.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, boat, userDb);
        Viewer->SetShowScaleBar(false);
        Viewer->SetShowCompassNeedle(false);
        Viewer->SetClearColor(Clear);
    }
    ~TRig() {
        FlushPosted();
        Env->GetDispatcher()->Unsubscribe(TRecorder::Proc, &Rec);
    }
    // Puts pos at the view centre at metresPerPixel (Mercator metres).
    void CentreOn(const TGeoPoint &pos) {
        const TDouble2 c{W / 2.0, H / 2.0};
        Viewer->Zoom100At(&pos, &c);
    }
    TDouble2 PixelOf(const TGeoPoint &g) {
        TDouble2 p;
        Viewer->GetCalibration()->GeoToPixel(p, g);
        return p;
    }
    uint32_t At(const TDouble2 &p) { return PixelAt(Bitmap.get(), int(std::floor(p.X)), int(std::floor(p.Y))); }
    uint32_t At(const TGeoPoint &g) { return At(PixelOf(g)); }
    void Render() { Viewer->Render(Bitmap.get()); }
    void Move(const TDouble2 &p) {
        int32_t err = 0;
        Viewer->MouseMove(0, int(std::floor(p.X)), int(std::floor(p.Y)), err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    void Click(const TDouble2 &p) {
        int32_t err = 0;
        const int x = int(std::floor(p.X)), y = int(std::floor(p.Y));
        Viewer->MouseMove(0, x, y, err);
        Viewer->MouseDown(ViewerMouseButton::Left, 0, x, y, err);
        ASSERT_EQ(err, KvErr::Ok);
        Viewer->MouseUp(ViewerMouseButton::Left, 0, x, y, err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    // True when a pixel within r of p has exactly the colour.
    bool ColourNear(const TDouble2 &p, int r, uint32_t colour) {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const int x = int(std::floor(p.X)) + dx, y = int(std::floor(p.Y)) + dy;
                if (x >= 0 && y >= 0 && x < W && y < H && PixelAt(Bitmap.get(), x, y) == colour) return true;
            }
        return false;
    }
};

// ---- waterway network ----

class ViewerNetwork : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Demo = new demo::TNetwork(demo::BuildDemoNetwork());
        File = new QString(QDir(testsupport::MakeTempDir(QStringLiteral("viewer-network"))).filePath("demo.kvwwn"));
        QString error;
        if (!demo::WriteNetwork(*Demo, *File, error)) File->clear();
    }
    static void TearDownTestSuite() {
        delete Demo;
        delete File;
    }
    void SetUp() override {
        if (File->isEmpty()) GTEST_SKIP() << "the demo network could not be written";
        int32_t err = -1;
        Net.reset(WWNetworkCreateFromFile(Rec(*File), nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
    }
    // The demo section and the middle of its first segment.
    static const demo::TSection &Section() { return Demo->Sections.at(3); }
    static TGeoPoint SegmentMiddle(const demo::TSection &s) {
        const demo::TLonLat a = s.Line.at(0), b = s.Line.at(1);
        return {(a.Lat + b.Lat) / 2 * Deg, (a.Lon + b.Lon) / 2 * Deg};
    }

    static demo::TNetwork *Demo;
    static QString *File;
    Ptr<IWWNetwork> Net;
};
demo::TNetwork *ViewerNetwork::Demo = nullptr;
QString *ViewerNetwork::File = nullptr;

TEST_F(ViewerNetwork, SectionsAreDrawnInTheirColourOnlyWhileShown) {
    constexpr uint32_t Colour = 0xFF00A000u;
    struct Case {
        const char *name;
        uint32_t flags;
        bool drawn;
    };
    const Case cases[] = {{"sections shown", NavViewerNetworkFlag::Sections, true},
                          {"sections hidden", NavViewerNetworkFlag::Structures, false}};
    const TGeoPoint mid = SegmentMiddle(Section());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TRig rig(400, 300);
        rig.Viewer->SetWaterwayNetwork(Net.get());
        rig.Viewer->SetWWSectionColor(Colour);
        rig.Viewer->SetWWSectionMaxWidth(8);
        rig.Viewer->SetNetworkFlags(c.flags);
        rig.CentreOn(mid);
        rig.Viewer->ZoomAt(10.0, nullptr);  // about 1:12 000: full line width
        rig.Render();
        EXPECT_EQ(rig.At(mid) == Colour, c.drawn) << std::hex << rig.At(mid);
        rig.Move(rig.PixelOf(mid));
        IWWSection *hit = rig.Viewer->GetNetworkSectionAtMouse();
        EXPECT_EQ(hit != nullptr, c.drawn);
        EXPECT_EQ(rig.Viewer->GetHoverState08(), c.drawn);
        if (!hit) continue;
        EXPECT_EQ(Text(hit->GetName()), Section().Name);
        // Half the first segment, measured along the section.
        double half = 0;
        const demo::TLonLat a = Section().Line[0];
        GeographicLib::Geodesic::WGS84().Inverse(a.Lat, a.Lon, mid.Lat / Deg, mid.Lon / Deg, half);
        EXPECT_NEAR(rig.Viewer->GetNetworkDistanceAtMouse(), half, 10.0);
    }
}

TEST_F(ViewerNetwork, ClicksOnStructuresAndSectionsAskForTheirDetails) {
    TRig rig(400, 300);
    rig.Viewer->SetWaterwayNetwork(Net.get());
    rig.Viewer->SetNetworkFlags(NavViewerNetworkFlag::Sections | NavViewerNetworkFlag::Structures);
    IWWStruct *st = Net->GetStruct(0);
    ASSERT_NE(st, nullptr);
    TGeoPoint at;
    GlobalToGeo2(at, st->GetGlobalPosition(), nullptr);
    rig.CentreOn(at);
    rig.Viewer->ZoomAt(10.0, nullptr);
    rig.Render();

    rig.Click(rig.PixelOf(at));
    ASSERT_GE(rig.Viewer->GetSelectedStructureCount(), 1);
    EXPECT_EQ(rig.Viewer->GetSelectedStructure(0), st);
    EXPECT_EQ(rig.Viewer->GetSelectedStructure(rig.Viewer->GetSelectedStructureCount()), nullptr);
    FlushPosted();
    auto structs = rig.Rec.OfCode(NavNotify::ShowStructDetails);
    ASSERT_EQ(structs.size(), 1u);
    EXPECT_EQ(structs[0].P1, intptr_t(st));

    // The middle of a section away from any structure: section details with the distance.
    const TGeoPoint mid = SegmentMiddle(Section());
    rig.CentreOn(mid);
    rig.Render();
    rig.Click(rig.PixelOf(mid));
    FlushPosted();
    const auto sections = rig.Rec.OfCode(NavNotify::ShowSectionDetails);
    if (rig.Viewer->GetSelectedStructureCount() > 0) GTEST_SKIP() << "a structure lies at the section's middle";
    ASSERT_EQ(sections.size(), 1u);
    auto *section = reinterpret_cast<IWWSection *>(sections[0].P1);
    EXPECT_EQ(Text(section->GetName()), Section().Name);
    EXPECT_GT(sections[0].Value, 0.0);
    EXPECT_LT(sections[0].Value, section->GetLength());
}

// ---- own ship ----

class ViewerOwnShip : public ::testing::Test {
protected:
    void SetUp() override {
        const TFloat2 shape[] = {{0, -12}, {4, -6}, {6, 0}, {5, 6}, {3, 12}, {-3, 12}, {-5, 6}, {-6, 0}, {-4, -6}, {0, -12}};
        SetCursorBoat(shape, 10);
        Boat.reset(NavBoatCreate(nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr, 1, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr));
        Boat->SetPosition(Ship);
        const TVector v{3.0f, float(CourseDeg * Deg)};
        Boat->GetState()->SetState(&v, nullptr, nullptr, nullptr, float(CourseDeg * Deg), 0, 0, true, true, 8);
    }
    static constexpr double CourseDeg = 90.0;
    static constexpr uint32_t NoFix = 0xFFFF00FFu;
    const TGeoPoint Ship{52.70 * Deg, 5.30 * Deg};
    Ptr<INavBoat> Boat;
};

TEST_F(ViewerOwnShip, LandsOnItsPixelWithItsCourseVector) {
    TRig rig(400, 300, Boat.get());
    rig.Viewer->SetColorGPSNoFix(NoFix);
    rig.Viewer->SetGPSFlags(NavViewerGPSFlag::Cursor | NavViewerGPSFlag::Vectors);
    // Off the centre, so the ship is found where the calibration puts it.
    rig.CentreOn(Direct(Ship, 200.0, 1500.0));
    rig.Render();
    const TDouble2 at = rig.PixelOf(Ship);
    ASSERT_GT(at.X, 20);
    ASSERT_LT(at.X, 380);
    EXPECT_EQ(rig.At(at), NoFix);
    // The course vector runs east: 6 minutes at 3 m/s, well past the 12-pixel symbol.
    const TDouble2 onVector = rig.PixelOf(Direct(Ship, CourseDeg, 3.0 * 360 * 0.8));
    ASSERT_GT(onVector.X - at.X, 14.0);
    EXPECT_TRUE(rig.ColourNear(onVector, 1, NoFix));
    // Nothing of the ship behind it.
    EXPECT_FALSE(rig.ColourNear(rig.PixelOf(Direct(Ship, CourseDeg + 180, 3.0 * 360 * 0.8)), 1, NoFix));
    TGeoPoint target;
    ASSERT_TRUE(rig.Viewer->GetTrackingTargetPosition(target));
    EXPECT_NEAR(target.Lat, Ship.Lat, 1e-12);
    EXPECT_NEAR(target.Lon, Ship.Lon, 1e-12);
}

TEST_F(ViewerOwnShip, TrackingPutsTheShipAtTheCursorAndTheCourseUp) {
    struct Case {
        const char *name;
        int32_t mode;
        // Where a point ahead on the course lies from the ship, in pixels (unit direction).
        double aheadX, aheadY;
    };
    const Case cases[] = {{"course up", NavViewerTrackingMode::CourseUp, 0.0, -1.0},
                          {"north up", NavViewerTrackingMode::NorthUp, 1.0, 0.0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TRig rig(400, 300, Boat.get());
        rig.Viewer->SetColorGPSNoFix(NoFix);
        rig.Viewer->SetViewRotation(0.3);  // a turned chart, which tracking replaces
        const TFloat2 cursor{0.5f, 0.7f};
        rig.Viewer->SetTrackingCursorPos(&cursor);
        rig.Viewer->SetTrackingMode(c.mode);
        rig.Viewer->SetTrackingEnabled(true);
        EXPECT_TRUE(rig.Viewer->GetTrackingActive());
        EXPECT_FALSE(rig.Viewer->GetCanMove());
        const TDouble2 at = rig.PixelOf(Ship);
        EXPECT_NEAR(at.X, 200.0, 0.5);
        EXPECT_NEAR(at.Y, 210.0, 0.5);
        const TDouble2 ahead = rig.PixelOf(Direct(Ship, CourseDeg, 500.0));
        const double len = std::hypot(ahead.X - at.X, ahead.Y - at.Y);
        ASSERT_GT(len, 1.0);
        EXPECT_NEAR((ahead.X - at.X) / len, c.aheadX, 0.01);
        EXPECT_NEAR((ahead.Y - at.Y) / len, c.aheadY, 0.01);
        rig.Render();
        EXPECT_EQ(rig.At(at), NoFix);
    }
}

TEST_F(ViewerOwnShip, TrackingFollowsTheShipOnEveryTick) {
    TRig rig(400, 300, Boat.get());
    const TFloat2 cursor{0.5f, 0.5f};
    rig.Viewer->SetTrackingCursorPos(&cursor);
    rig.Viewer->SetTrackingMode(NavViewerTrackingMode::NorthUp);
    rig.Viewer->SetTrackingEnabled(true);
    const TGeoPoint moved = Direct(Ship, 0.0, 800.0);
    Boat->SetPosition(moved);
    rig.Viewer->UpdateSecond();
    const TDouble2 at = rig.PixelOf(moved);
    EXPECT_NEAR(at.X, 200.0, 0.5);
    EXPECT_NEAR(at.Y, 150.0, 0.5);
    rig.Viewer->SetTrackingEnabled(false);
    EXPECT_FALSE(rig.Viewer->GetTrackingActive());
    EXPECT_TRUE(rig.Viewer->GetCanMove());
}

TEST_F(ViewerOwnShip, TheTrackBeingRecordedIsDrawnAndPrintedInItsColourAndWidth) {
    constexpr uint32_t Colour = 0xFF00A0FFu;
    // Sailed north, then east to the ship: the check point is on the northward leg, far
    // from the ship's symbol.
    const TGeoPoint start = Direct(Ship, 235.0, 1800.0);
    const TGeoPoint turn = Direct(start, 0.0, 1000.0);
    const TGeoPoint onLeg = Direct(start, 0.0, 500.0);
    Ptr<INavTrack> track(NavTrackCreate1());
    for (const TGeoPoint &g : {start, turn, Ship}) {
        int32_t err = -1;
        track->AddPoint(0.0, TGeoPoint3{g.Lat, g.Lon, 0.0}, err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    track->SetColor(Colour);

    struct Case {
        const char *name;
        bool showActive;
        float trackWidth;  // from the track settings; not positive: the viewer's width
        bool onLine, besideLine;
    };
    const Case cases[] = {{"in the width of the track settings", true, 7.0f, true, true},
                          {"without a width of its own: the viewer's", true, -1.0f, true, false},
                          {"current track hidden", false, 7.0f, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TRig rig(400, 300, Boat.get());
        rig.Viewer->SetTrackLineWidth(3);
        rig.Viewer->SetShowTrackActive(c.showActive);
        rig.CentreOn(Direct(Ship, 235.0, 900.0));
        INavActiveTrackSource *source = rig.Viewer->GetActiveTrackSource();
        ASSERT_NE(source, nullptr);
        EXPECT_FALSE(source->HasTrack());
        rig.Render();
        EXPECT_EQ(rig.At(onLeg), Clear) << "nothing recorded yet";

        Boat->AttachTrack(track.get());
        track->SetWidth(c.trackWidth);
        EXPECT_TRUE(source->HasTrack());
        EXPECT_EQ(source->GetTrack(), track.get());
        rig.Render();
        const TDouble2 at = rig.PixelOf(onLeg);
        const TDouble2 beside{at.X + 2.0, at.Y};
        EXPECT_EQ(rig.At(at) == Colour, c.onLine) << std::hex << rig.At(at);
        EXPECT_EQ(rig.At(beside) == Colour, c.besideLine) << std::hex << rig.At(beside);
        if (c.showActive && c.trackWidth > 0) {
            const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
            QDir().mkpath(dir);
            QImage shot(rig.W, rig.H, QImage::Format_ARGB32);
            for (int y = 0; y < rig.H; ++y) std::memcpy(shot.scanLine(y), rig.Bitmap->GetRow(y), size_t(rig.W) * 4);
            EXPECT_TRUE(shot.save(dir + "/viewer-active-track.png"));
        }

        // The print draws the same overlay onto the printer's page.
        QImage page(rig.W, rig.H, QImage::Format_ARGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            rig.Viewer->PrintOverlays(&painter, rig.Viewer->GetCalibration(), false, true, false);
        }
        const QRgb printed = page.pixel(int(std::floor(at.X)), int(std::floor(at.Y)));
        EXPECT_EQ(printed == Colour, c.onLine) << std::hex << printed;

        Boat->AttachTrack(nullptr);
        EXPECT_FALSE(source->HasTrack());
    }
}

// ---- alarm zones ----

// Zones are made the way the user makes them: clicks in alarm-zone mode on an empty spot
// start one in the user database, further clicks add its corners.
class ViewerAlarmZone : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t err = -1;
        Manager.reset(WptManagerCreate(nullptr, nullptr, 0, 15.5f, 15.5f, Rec(QStringLiteral("DejaVu Sans")), 10.0f, 0,
                                       0xFF000000u, 8.0f, 1, 0xFF0000FFu, 8.0f, 2, 0xFF00FF00u, 5, nullptr, false,
                                       nullptr, nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, KvErr::Ok);
        Db = Manager->NewDatabase(Rec(QStringLiteral("Zones")));
        ASSERT_NE(Db, nullptr);
        Rig = std::make_unique<TRig>(300, 300, nullptr, Db);
        Rig->Viewer->SetPolygonList(List.get());
        Rig->Viewer->SetColorAlarmzoneInside(0x8000FF00u);
        Rig->Viewer->SetColorAlarmzoneOutside(0xFFFF0000u);
        Rig->CentreOn(Centre);
        Rig->Move(Rig->PixelOf(Direct(Centre, 90.0, 2500.0)));
        Rig->Viewer->SetEditMode(NavViewerEditMode::AlarmZones);
        ASSERT_EQ(Rig->Viewer->GetEditAlarmZone(), nullptr);
        for (double bearing : {45.0, 135.0, 225.0, 315.0}) Rig->Click(Rig->PixelOf(Corner(bearing)));
        ASSERT_EQ(Db->GetPolygonCount(), 1);
        Zone = Db->GetPolygon(0);
        ASSERT_EQ(Rig->Viewer->GetEditAlarmZone(), Zone);
        LastCorner = Rig->Viewer->GetSelectedAlarmZonePoint();
        EXPECT_NE(LastCorner, nullptr);
        EXPECT_TRUE(Zone->IsComplete());
        Rig->Viewer->SetEditMode(NavViewerEditMode::None);
    }
    TGeoPoint Corner(double bearing) const { return Direct(Centre, bearing, 700.0); }

    const TGeoPoint Centre{52.60 * Deg, 5.10 * Deg};
    Ptr<IWptManager> Manager;
    IWptDatabase *Db = nullptr;
    IWptPolygon *Zone = nullptr;
    NavObject *LastCorner = nullptr;
    Ptr<IWptPolygonList> List{WptPolygonListCreate(0)};
    std::unique_ptr<TRig> Rig;
};

TEST_F(ViewerAlarmZone, InsideIsTintedAndTheMouseInsideHitsIt) {
    TRig &rig = *Rig;
    EXPECT_EQ(List->GetCount(), 1);
    EXPECT_EQ(rig.Viewer->GetEditAlarmZone(), nullptr);
    rig.Render();
    const uint32_t inside = rig.At(Centre);
    EXPECT_NE(inside, Clear);
    EXPECT_GT((inside >> 8) & 0xFF, 0xF0u) << std::hex << inside;  // green kept
    EXPECT_LT((inside >> 16) & 0xFF, 0xA0u) << std::hex << inside;  // red halved by the tint
    const TGeoPoint away = Direct(Centre, 90.0, 2500.0);
    EXPECT_EQ(rig.At(away), Clear);

    struct Case {
        const char *name;
        TGeoPoint where;
        bool hit;
    };
    const Case cases[] = {{"centre", Centre, true},
                          {"near a corner inside", Direct(Centre, 45.0, 600.0), true},
                          {"outside", away, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        rig.Move(rig.PixelOf(c.where));
        EXPECT_EQ(rig.Viewer->GetAlarmZoneAtMouse(), c.hit ? Zone : nullptr);
        EXPECT_EQ(rig.Viewer->GetHoverState07(), c.hit);
    }
}

TEST_F(ViewerAlarmZone, EditingTakesUpTheZoneUnderTheMouseAndSelectsCorners) {
    TRig &rig = *Rig;
    rig.Move(rig.PixelOf(Centre));
    rig.Viewer->SetEditMode(NavViewerEditMode::AlarmZones);
    ASSERT_EQ(rig.Viewer->GetEditAlarmZone(), Zone);
    EXPECT_EQ(rig.Viewer->GetSelectedAlarmZonePoint(), nullptr);

    rig.Click(rig.PixelOf(Corner(135.0)));
    NavObject *second = rig.Viewer->GetSelectedAlarmZonePoint();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, LastCorner);
    rig.Click(rig.PixelOf(Corner(315.0)));
    EXPECT_EQ(rig.Viewer->GetSelectedAlarmZonePoint(), LastCorner);
    // A click away from the corners adds one, which becomes the selected corner.
    rig.Click(rig.PixelOf(Direct(Centre, 0.0, 1200.0)));
    NavObject *added = rig.Viewer->GetSelectedAlarmZonePoint();
    EXPECT_NE(added, nullptr);
    EXPECT_NE(added, LastCorner);
    EXPECT_EQ(Db->GetPolygonCount(), 1);
    FlushPosted();
    EXPECT_FALSE(rig.Rec.OfCode(NavNotify::VisiblePolygonsChanged).empty());

    // A zone deleted behind the viewer's back is no longer the edited one.
    int32_t err = -1;
    List->Remove(Zone);
    Zone->DeleteFromDatabase(err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(rig.Viewer->GetEditAlarmZone(), nullptr);
    EXPECT_EQ(rig.Viewer->GetSelectedAlarmZonePoint(), nullptr);
    rig.Render();
    EXPECT_EQ(rig.At(Centre), Clear);
}

// ---- notifications ----

TEST(ViewerNotifications, AnAlarmBoxIsDrawnAndItsClickReportsBack) {
    TRig rig(400, 300);
    Ptr<INavNotificationCenter> centre(NavNotificationCenterCreate());
    Ptr<INavPredictedTime> time(NavPredictedTimeCreate(nullptr));
    centre->SetResources(rig.Env.get(), nullptr, nullptr, time.get());
    rig.Viewer->SetNotificationCenter(centre.get());
    // Inside the box's padding: the top box starts 10 pixels from the top, centred.
    const TDouble2 inBox{13.5, 16.5};
    rig.Render();
    EXPECT_EQ(rig.At(inBox), Clear);

    centre->Show(NavUserNotify::CrossTrackAlarm, Rec(QString()));
    rig.Viewer->UpdateSecond();
    rig.Render();
    const uint32_t box = rig.At(inBox);
    EXPECT_GT((box >> 16) & 0xFF, 0xC0u) << std::hex << box;
    EXPECT_LT((box >> 8) & 0xFF, 0x50u) << std::hex << box;
    rig.Move(inBox);
    EXPECT_TRUE(rig.Viewer->GetHoverState10());

    rig.Click(inBox);
    TLoopRecord tick;
    tick.ElapsedSec = 1.0f;
    centre->Tick(tick);
    FlushPosted();
    const auto reports = rig.Rec.OfCode(NavNotify::UserNotificationReport);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].P2, NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(reports[0].P3, 0);  // the alarm's sound went off
    // A click beside the boxes reports nothing more.
    rig.Click(TDouble2{200.5, 290.5});
    centre->Tick(tick);
    FlushPosted();
    EXPECT_EQ(rig.Rec.OfCode(NavNotify::UserNotificationReport).size(), 1u);
}

}  // namespace
