// What the view settings do to the real main viewer on the demo data: new colours and widths
// show in the picture after one redraw and come back in a new viewer on the same store; and
// pictures of every tile by day and by night for a look by eye.
#include "SettingsDialogSupport.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FraSettingsCommonColors.h"
#include "shell/FraSettingsCommonRoutes.h"
#include "shell/FraSettingsViewer.h"
#include "shell/FraSettingsViewerCharts.h"
#include "shell/FraSettingsViewerGPS.h"
#include "shell/FraSettingsViewerRoutes.h"
#include "shell/FraSettingsViewerWaypoints.h"
#include "shell/FrmSettingsView.h"
#include "shell/FrmSettingsViewChartViewer.h"
#include "shell/SettingsColorSwatch.h"
#include "tests/chartview/ViewerFrameFixture.h"

#include <KvLibNav6/KvWaypoints.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

namespace {

using CC = TCommonSettingsCategory;
using VC = TViewerSettingsCategory;

const QColor Background(201, 33, 163);
const QColor Leg(3, 251, 7);
const QColor Network(250, 120, 2);

// Pixels of about that colour (antialiased edges count when close).
int Count(const QImage &image, const QColor &colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += std::abs(qRed(p) - colour.red()) + std::abs(qGreen(p) - colour.green()) +
                     std::abs(qBlue(p) - colour.blue()) < 24;
        }
    return n;
}

// Counts the paint events of the viewer control.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

class SettingsViewRender : public ViewerFrameFixture {
protected:
    void TearDown() override {
        TSettingsColorSwatch::SetColorPrompter(nullptr);
        TFormSettingsView::SetPrompter(nullptr);
        NightScreen()->SetActive(false);
        ViewerFrameFixture::TearDown();
    }
    // The frame over a network route of the user database, zoomed out so the view shows
    // background around the charts.
    void ShowRoute() {
        MakeFrame(QSize(800, 600));
        Viewer().SetWaterwayNetwork(Env->WaterwayNetwork);  // as the main window does
        IWptRoute *route = Env->UserDatabase->NewRoute(45000.0);
        for (int i = 0; i < 3; ++i) {
            int32_t err = 0;
            route->AddNetworkPoint(Env->WaterwayNetwork->GetSection(i), 10.0, 0, err);
            ASSERT_EQ(err, 0);
        }
        int32_t err = 0;
        route->SetName(testsupport::Rec(QStringLiteral("Along the roads")), err);
        Env->RouteList->Add(route);
        const TRoutePosition *at = route->GetPoint(1)->GetPosition();
        ShipAt = TGeoPoint{at->Lat, at->Lon};
        Frame->RefreshObjects();
        Viewer().ZoomToRoute(route);
        const TDouble2 centre{Viewer().width() / 2.0, Viewer().height() / 2.0};
        Viewer().ZoomAt(0.3, &centre);
    }
    TGeoPoint ShipAt{};
    QImage Picture() {
        Frame->RefreshObjects();
        Viewer().RefreshCharts();
        Viewer().repaint();
        return Viewer().grab().toImage();
    }
};

}  // namespace

TEST_F(SettingsViewRender, NewColoursAndWidthsShowAfterOneRedrawAndAfterARestart) {
    ShowRoute();
    const QImage before = Picture();
    ASSERT_EQ(Count(before, Leg), 0);
    ASSERT_EQ(Count(before, Network), 0);
    const QColor *next = nullptr;
    TSettingsColorSwatch::SetColorPrompter([&](QWidget *, QColor &c) {
        c = *next;
        return true;
    });
    TPaintCounter counter;
    Viewer().installEventFilter(&counter);
    ASSERT_TRUE(RunSettingsDialog<TFormSettingsView>(
        [&](TFormSettingsView &form) {
            form.FrameCommon->SelectCategory(int(CC::Colors));
            auto *colors = dynamic_cast<TFrameSettingsCommonColors *>(form.FrameCommon->Page(int(CC::Colors)));
            next = &Background;
            colors->ButtonColorViewer->click();
            next = &Network;
            colors->ButtonWWNetworkColor->click();
            form.FrameCommon->SelectCategory(int(CC::Routes));
            auto *routes = dynamic_cast<TFrameSettingsCommonRoutes *>(form.FrameCommon->Page(int(CC::Routes)));
            next = &Leg;
            for (TSettingsColorSwatch *s : {routes->PaintBoxMotoring, routes->PaintBoxEditMotoring,
                                            routes->PaintBoxActiveMotoring})
                s->ChooseColor();
            QCoreApplication::processEvents();
            counter.Paints = 0;
        },
        true, *Env, Frame, nullptr, nullptr));
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.Paints > 0; }, 5000));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.Paints, 1) << "one redraw for every setter of the dialog";
    Viewer().removeEventFilter(&counter);

    const QImage after = Picture();
    shelltest::SaveScreenshot(after, QStringLiteral("settings-view-applied-thin"));
    EXPECT_EQ(after.pixelColor(2, 2), Background);
    EXPECT_GT(Count(after, Leg), 20);
    const int networkThin = Count(after, Network);
    EXPECT_GT(networkThin, 20);

    // A wider network line covers more of the view.
    ASSERT_TRUE(RunSettingsDialog<TFormSettingsView>(
        [](TFormSettingsView &form) {
            form.FrameCommon->SelectCategory(int(CC::Colors));
            auto *colors = dynamic_cast<TFrameSettingsCommonColors *>(form.FrameCommon->Page(int(CC::Colors)));
            colors->TrackBarWWMaxWidth->setValue(colors->TrackBarWWMaxWidth->value() + 8);
        },
        true, *Env, Frame, nullptr, nullptr));
    const QImage wide = Picture();
    EXPECT_GT(Count(wide, Network), networkThin * 3 / 2);
    shelltest::SaveScreenshot(wide, QStringLiteral("settings-view-applied"));

    // A new environment and viewer on the same store.
    DestroyFrame();
    Env.reset();
    Env = Make();
    uint8_t mode = 0;
    Env->Start(mode);
    ShowRoute();
    const QImage restarted = Picture();
    EXPECT_EQ(restarted.pixelColor(2, 2), Background);
    EXPECT_GT(Count(restarted, Leg), 20);
    EXPECT_EQ(Count(restarted, Network), Count(wide, Network));
    Env->Shutdown();
}

TEST_F(SettingsViewRender, PicturesOfEveryTileByDayAndByNight) {
    MakeFrame(QSize(640, 480));
    NightScreenStart();
    for (const bool night : {false, true}) {
        NightScreen()->SetActive(night);
        const QString mode = night ? QStringLiteral("night") : QStringLiteral("day");
        RunSettingsDialog<TFormSettingsView>(
            [&](TFormSettingsView &form) {
                const std::pair<CC, const char *> common[] = {{CC::Screen, "screen"}, {CC::Scale, "scale"},
                                                              {CC::Tracks, "tracks"}, {CC::Colors, "colors"},
                                                              {CC::Routes, "routes"}};
                for (const auto &[c, name] : common) {
                    form.FrameCommon->SelectCategory(int(c));
                    EXPECT_TRUE(form.FrameCommon->Page(int(c))->isVisible()) << name;
                    shelltest::SaveScreenshot(&form, QStringLiteral("settings-view-common-%1-%2").arg(name, mode));
                }
                form.PageControl->setCurrentIndex(1);
                const std::pair<VC, const char *> viewer[] = {{VC::GPSCursor, "gps"}, {VC::Waypoints, "waypoints"},
                                                              {VC::Routes, "routes"}, {VC::Tracks, "tracks"},
                                                              {VC::Charts, "charts"}};
                for (const auto &[c, name] : viewer) {
                    form.FrameViewer[0]->SelectCategory(int(c));
                    EXPECT_TRUE(form.FrameViewer[0]->Page(int(c))->isVisible()) << name;
                    shelltest::SaveScreenshot(&form, QStringLiteral("settings-view-viewer-%1-%2").arg(name, mode));
                }
            },
            false, *Env, Frame, nullptr, nullptr);
    }
    NightScreen()->SetActive(false);
    NightScreenStop();
}

TEST_F(SettingsViewRender, EveryOfferedDisplayOptionChangesTheView) {
    ShowRoute();
    // The own ship on the route, heading north-east with wind from the west, vectors on.
    Env->Boat->SetPosition(ShipAt);
    const TVector still{0.0f, 0.0f}, wind{8.0f, float(1.5 * M_PI)}, rel{8.0f, float(1.2 * M_PI)};
    Env->Boat->GetState()->SetState(&still, &still, &wind, &rel, float(M_PI / 4), 0, 0, true, true, 8);
    Frame->SetGPSFlags(Frame->GetGPSFlags() | ViewerSettingsBit::GPSVectors);
    Frame->SetShowScaleBar(true);
    const QPoint mouse(Viewer().width() * 3 / 4, Viewer().height() / 4);
    auto shot = [&] {
        chartviewtest::SendMouse(&Viewer(), QEvent::MouseMove, mouse, Qt::NoButton, Qt::NoButton);
        return Picture();
    };
    struct Case {
        const char *name;
        VC page;
        std::function<QCheckBox *(QWidget *page)> box;
    };
    auto gps = [](QCheckBox *TFrameSettingsViewerGPS::*b) {
        return [b](QWidget *p) { return dynamic_cast<TFrameSettingsViewerGPS *>(p)->*b; };
    };
    auto charts = [](QCheckBox *TFrameSettingsViewerCharts::*b) {
        return [b](QWidget *p) { return dynamic_cast<TFrameSettingsViewerCharts *>(p)->*b; };
    };
    auto routes = [](QCheckBox *TFrameSettingsViewerRoutes::*b) {
        return [b](QWidget *p) { return dynamic_cast<TFrameSettingsViewerRoutes *>(p)->*b; };
    };
    using G = TFrameSettingsViewerGPS;
    using C = TFrameSettingsViewerCharts;
    using R = TFrameSettingsViewerRoutes;
    const Case cases[] = {
        {"course line", VC::GPSCursor, gps(&G::CheckBoxCourseLine)},
        {"IMO circles", VC::GPSCursor, gps(&G::CheckBoxIMOCircles)},
        {"distance circles", VC::GPSCursor, gps(&G::CheckBoxDistanceCircles)},
        {"bearing line", VC::GPSCursor, gps(&G::CheckBoxBearingLine)},
        {"wind vectors", VC::GPSCursor, gps(&G::CheckBoxWindVectors)},
        {"relative wind vane", VC::GPSCursor, gps(&G::CheckBoxRelWindAsVane)},
        {"vectors", VC::GPSCursor, gps(&G::CheckBoxVectors)},
        {"compass needle", VC::Charts, charts(&C::CheckBoxCompassNeedle)},
        {"scale value", VC::Charts, charts(&C::CheckBoxScaleValue)},
        {"scale bar", VC::Charts, charts(&C::CheckBoxScaleBar)},
        {"navigation information", VC::Charts, charts(&C::CheckBoxNavInfo)},
        {"route name labels", VC::Routes, routes(&R::CheckBoxNameLabels)},
        {"route point names", VC::Routes, routes(&R::CheckBoxPointNameLabels)},
        {"routes", VC::Routes, routes(&R::CheckBoxRoutes)},
        {"route network", VC::Routes, routes(&R::CheckBoxWaterwayNetwork)},
    };
    for (const Case &c : cases) {
        const QImage before = shot();
        ASSERT_TRUE(RunSettingsDialog<TFormSettingsViewChartViewer>(
            [&](TFormSettingsViewChartViewer &form) {
                form.FrameViewer->SelectCategory(int(c.page));
                QCheckBox *box = c.box(form.FrameViewer->Page(int(c.page)));
                ASSERT_TRUE(box->isEnabled()) << c.name;
                box->click();
            },
            true, *Env, *Frame, nullptr, nullptr));
        const QImage after = shot();
        EXPECT_NE(before, after) << c.name;
        shelltest::SaveScreenshot(after, QStringLiteral("settings-view-option-%1").arg(QString::fromLatin1(c.name).replace(' ', '-')));
    }
}

TEST_F(SettingsViewRender, WaypointAndStructureOptionsChangeTheView) {
    MakeFrame(QSize(640, 480));
    Viewer().SetWaterwayNetwork(Env->WaterwayNetwork);
    IWWStruct *st = Env->WaterwayNetwork->GetStruct(0);
    ASSERT_NE(st, nullptr);
    TGeoPoint at;
    GlobalToGeo2(at, st->GetGlobalPosition(), nullptr);
    // A named waypoint some 60 m beside the structure, so both are in the picture.
    IWptWaypoint *w = Env->UserDatabase->NewWaypoint(nullptr, {at.Lat + 1e-5, at.Lon + 1.5e-5, 0.0}, nullptr);
    ASSERT_NE(w, nullptr);
    int32_t err = 0;
    w->SetName(testsupport::Rec(QStringLiteral("Quay Ladder")), err);
    Env->WaypointList->Add(w);  // as the waypoint manager's refresh would
    Frame->SetNetworkFlags(Frame->GetNetworkFlags() | ViewerSettingsBit::NetworkStructures |
                           ViewerSettingsBit::NetworkStructureNames);
    const TDouble2 centre{Viewer().width() / 2.0, Viewer().height() / 2.0};
    Viewer().Zoom100At(&at, &centre);
    Viewer().ZoomAt(4.0, &centre);
    using W = TFrameSettingsViewerWaypoints;
    const std::pair<const char *, QCheckBox *W::*> cases[] = {
        {"overview waypoint names", &W::CheckBoxWaypointBigScaleNameLabels},
        {"waypoint names", &W::CheckBoxWaypointNameLabels},
        {"waypoints", &W::CheckBoxWaypoints},
        {"structure names", &W::CheckBoxStructureNames},
        {"structures", &W::CheckBoxStructures},
    };
    for (const auto &[name, box] : cases) {
        const QImage before = Picture();
        ASSERT_TRUE(RunSettingsDialog<TFormSettingsViewChartViewer>(
            [&, box = box, name = name](TFormSettingsViewChartViewer &form) {
                form.FrameViewer->SelectCategory(int(VC::Waypoints));
                auto *page = dynamic_cast<W *>(form.FrameViewer->Page(int(VC::Waypoints)));
                ASSERT_TRUE(page);
                ASSERT_TRUE((page->*box)->isEnabled()) << name;
                (page->*box)->click();
            },
            true, *Env, *Frame, nullptr, nullptr));
        const QImage after = Picture();
        EXPECT_NE(before, after) << name;
        shelltest::SaveScreenshot(after, QStringLiteral("settings-view-option-%1").arg(QString::fromLatin1(name).replace(' ', '-')));
    }
}
