// The viewer controls on their own and over the real navigation viewer: painting before
// start, the wheel, keys, resizes, the chart-loaded message and failed mouse calls.
#include "ViewerFrameFixture.h"

#include "TestSupport.h"
#include "base/kvlib/KvErrors.h"
#include "chartview/NavViewerControl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLayout>
#include <QKeyEvent>
#include <QTest>
#include <cmath>

using namespace chartviewtest;

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

// A parent that notes every wheel event reaching it.
class TWheelParent : public QWidget {
public:
    int Wheels = 0;

protected:
    void wheelEvent(QWheelEvent *event) override {
        ++Wheels;
        event->accept();
    }
};

// The navigation control whose core mouse calls fail while Fail is set.
class TFailingControl : public TNavViewerControl {
public:
    using TNavViewerControl::TNavViewerControl;
    bool Fail = false;
    int Calls = 0;

protected:
    int32_t ViewerMouse(TMouseCall call, int32_t button, uint32_t shift, int32_t x,
                        int32_t y) override {
        ++Calls;
        if (Fail && call != TMouseCall::Up) return 1;
        return TNavViewerControl::ViewerMouse(call, button, shift, x, y);
    }
};

// A control whose core viewer cannot be made.
class TNoViewerControl : public TNavViewerControl {
public:
    using TNavViewerControl::TNavViewerControl;

protected:
    IS3DChartViewer *CreateViewer(IS3D *, int32_t, IS3DTileManager *, IS3DOSMTileManager *,
                                  IS57ChartLoader *, IS3DChartDataCache *) override {
        return nullptr;
    }
};

}  // namespace

TEST(ViewerControl, ViewerThatCannotBeMadeRaisesAndLeavesTheControlUnstarted) {
    TNoViewerControl control;
    control.resize(50, 40);
    EXPECT_THROW(control.StartViewer(nullptr, 0, nullptr, nullptr, nullptr, nullptr), Exception);
    EXPECT_FALSE(control.Started());
    EXPECT_EQ(control.Bitmap(), nullptr);
    EXPECT_EQ(control.grab().toImage().pixelColor(25, 20), control.Color);
}

TEST(ViewerControl, NeverStartedControlPaintsItsColourAndOnlyReportsInput) {
    TWheelParent parent;
    auto *control = new TNavViewerControl(&parent);
    control->Color = QColor(200, 30, 40);
    parent.resize(200, 100);
    control->resize(200, 100);
    parent.show();
    const QImage picture = control->grab().toImage();
    EXPECT_EQ(picture.pixelColor(100, 50), QColor(200, 30, 40));

    int wheels = 0;
    control->OnMouseWheel = [&](uint32_t, int32_t, int32_t, int32_t) { ++wheels; };
    EXPECT_FALSE(SendWheel(control, QPoint(10, 10), 120));
    SendMouse(control, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(control, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    QTest::keyClick(control, Qt::Key_Left);
    EXPECT_EQ(wheels, 1);
    EXPECT_EQ(parent.Wheels, 0);
    EXPECT_EQ(control->GetCalibration(), nullptr);
    EXPECT_EQ(control->GetScale(), 0.0);
    EXPECT_EQ(control->GetCenterPoint(), nullptr);
}

TEST(ViewerControl, WheelIsConsumedAndReportsClientPointAndSignedDeltaOfAnySize) {
    TWheelParent parent;
    auto *control = new TNavViewerControl(&parent);
    control->setGeometry(20, 30, 300, 200);
    parent.resize(400, 300);
    parent.show();
    struct Seen {
        int32_t x, y, delta;
    };
    std::vector<Seen> seen;
    control->OnMouseWheel = [&](uint32_t, int32_t x, int32_t y, int32_t delta) {
        seen.push_back({x, y, delta});
    };
    for (int delta : {120, -120, 15, -7}) EXPECT_FALSE(SendWheel(control, QPoint(40, 60), delta));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].x, 40);
    EXPECT_EQ(seen[0].y, 60);
    EXPECT_EQ(seen[1].delta, -120);
    EXPECT_EQ(seen[2].delta, 15);
    EXPECT_EQ(seen[3].delta, -7);
    EXPECT_EQ(parent.Wheels, 0);
}

TEST(ViewerControl, MillimetresAndPixelsRoundHalfToEven) {
    // 127 dpi makes 5 pixels a millimetre, so the halves are exact.
    QImage device(10, 10, QImage::Format_ARGB32);
    device.setDotsPerMeterX(5000);
    device.setDotsPerMeterY(5000);
    ASSERT_EQ(device.logicalDpiX(), 127);
    struct Case {
        const char *name;
        float mm;
        int32_t pixels;
    };
    const Case cases[] = {{"an inch", 25.4f, 127}, {"half down to even", 0.5f, 2},
                          {"half up to even", 1.5f, 8}, {"zero", 0.0f, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MMToPixelsX(&device, c.mm), c.pixels);
        EXPECT_EQ(MMToPixelsY(&device, c.mm), c.pixels);
    }
    EXPECT_FLOAT_EQ(PixelsToMMX(&device, 127), 25.4f);
    EXPECT_FLOAT_EQ(PixelsToMMY(&device, 5), 1.0f);
    QImage at96(10, 10, QImage::Format_ARGB32);
    at96.setDotsPerMeterX(3780);
    ASSERT_EQ(at96.logicalDpiX(), 96);
    EXPECT_EQ(MMToPixelsX(&at96, 25.4f), 96);
}

TEST(ViewerControl, ShiftStateHasButtonsAndModifiers) {
    EXPECT_EQ(ViewerShiftOf(Qt::LeftButton, Qt::ShiftModifier),
              ViewerShiftState::LeftButton | ViewerShiftState::Shift);
    EXPECT_EQ(ViewerShiftOf(Qt::RightButton | Qt::MiddleButton,
                            Qt::ControlModifier | Qt::AltModifier),
              ViewerShiftState::RightButton | ViewerShiftState::MiddleButton |
                  ViewerShiftState::Ctrl | ViewerShiftState::Alt);
    EXPECT_EQ(ViewerShiftOf(Qt::NoButton, Qt::KeypadModifier), 0u);
}

using NavViewerControlOnCore = ViewerFrameFixture;

TEST_F(NavViewerControlOnCore, ArrowKeysPanFiftyPixelsAndCtrlOrNumpadZooms) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    v.setFocus();
    std::vector<int> passedOn;
    v.OnKeyDown = [&](int key, Qt::KeyboardModifiers) {
        if (key != Qt::Key_Control) passedOn.push_back(key);
    };
    const QPointF centre(v.width() / 2.0, v.height() / 2.0);
    struct Pan {
        const char *name;
        Qt::Key key;
        QPointF moved;
    };
    const Pan pans[] = {{"left", Qt::Key_Left, {50, 0}},
                        {"right", Qt::Key_Right, {-50, 0}},
                        {"up", Qt::Key_Up, {0, 50}},
                        {"down", Qt::Key_Down, {0, -50}}};
    for (const Pan &p : pans) {
        SCOPED_TRACE(p.name);
        const TGeoPoint before = GeoAt(v, centre.x(), centre.y());
        QTest::keyClick(&v, p.key);
        const TDouble2 now = PixelOf(v, before);
        EXPECT_NEAR(now.X, centre.x() + p.moved.x(), 0.5);
        EXPECT_NEAR(now.Y, centre.y() + p.moved.y(), 0.5);
    }
    struct Zoom {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        double factor;
    };
    const Zoom zooms[] = {{"ctrl up", Qt::Key_Up, Qt::ControlModifier, ViewerZoomInFactor},
                          {"ctrl down", Qt::Key_Down, Qt::ControlModifier, ViewerZoomOutFactor},
                          {"numpad plus", Qt::Key_Plus, Qt::KeypadModifier, ViewerZoomInFactor},
                          {"numpad minus", Qt::Key_Minus, Qt::KeypadModifier,
                           ViewerZoomOutFactor}};
    for (const Zoom &z : zooms) {
        SCOPED_TRACE(z.name);
        const double before = v.GetScale();
        QTest::keyClick(&v, z.key, z.mods);
        EXPECT_NEAR(before / v.GetScale(), z.factor, 1e-6);
    }
    EXPECT_TRUE(passedOn.empty());
    const double scale = v.GetScale();
    QTest::keyClick(&v, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(&v, Qt::Key_Plus);  // the main keyboard's plus is no zoom key
    EXPECT_EQ(passedOn, (std::vector<int>{Qt::Key_Left, Qt::Key_Plus, Qt::Key_Plus}));
    EXPECT_DOUBLE_EQ(v.GetScale(), scale);
}

TEST_F(NavViewerControlOnCore, ResizeReachesViewerOnlyOnRealChangeAndRecentresWhileTracking) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    int resizes = 0;
    v.OnResize = [&] { ++resizes; };
    Host->resize(Host->size());
    EXPECT_EQ(resizes, 0);

    const TGeoPoint ship = GeoAt(v, 100, 100);
    Env->Boat->SetPosition(ship);
    Frame->SetTrackingEnabled(true);
    ASSERT_TRUE(v.GetTrackingActive());
    const TFloat2 plot = *v.GetTrackingCursorPos();
    Host->resize(640, 480);
    EXPECT_EQ(resizes, 1);
    ASSERT_EQ(v.Bitmap()->GetWidth(), v.width());
    ASSERT_EQ(v.Bitmap()->GetHeight(), v.height());
    const TDouble2 at = PixelOf(v, ship);
    EXPECT_NEAR(at.X, v.width() * plot.X, 0.5);
    EXPECT_NEAR(at.Y, v.height() * plot.Y, 0.5);
}

TEST_F(NavViewerControlOnCore, ChartLoadedMessageGivesOneRepaintAndTheEvent) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    TPaintCounter counter;
    v.installEventFilter(&counter);
    std::vector<int32_t> loaded;
    v.OnChartLoaded = [&](int32_t value) { loaded.push_back(value); };
    QCoreApplication::postEvent(&v, new QEvent(QEvent::Type(ViewerMessage::ChartLoaded)));
    QCoreApplication::sendPostedEvents(&v);
    EXPECT_EQ(counter.Paints, 1);
    EXPECT_EQ(loaded, std::vector<int32_t>{0});
    v.removeEventFilter(&counter);
}

TEST_F(NavViewerControlOnCore, FailedMouseCallIsReportedOnceAndEndsOnlyThatGesture) {
    TFailingControl control;
    control.resize(300, 200);
    control.show();
    control.StartViewer(Env->Engine3D, 5, Env->TileManager, Env->OSMTileManager,
                        Env->S57ChartLoader, Env->ChartDataCache);
    testsupport::TExpectReports reports;
    control.Fail = true;
    SendMouse(&control, QEvent::MouseButtonPress, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    const int callsAfterDown = control.Calls;
    SendMouse(&control, QEvent::MouseMove, QPoint(60, 50), Qt::NoButton, Qt::LeftButton);
    SendMouse(&control, QEvent::MouseMove, QPoint(70, 50), Qt::NoButton, Qt::LeftButton);
    SendMouse(&control, QEvent::MouseButtonRelease, QPoint(70, 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(reports.Count(), 1);
    EXPECT_EQ(control.Calls, callsAfterDown) << "the broken gesture went on reaching the viewer";

    control.Fail = false;
    const TGeoPoint before = GeoAt(control, 150, 100);
    Drag(&control, QPoint(150, 100), QPoint(40, 0));
    EXPECT_NEAR(PixelOf(control, before).X, 190.0, 0.5) << "the next gesture pans again";
    EXPECT_EQ(reports.Count(), 1);
}

TEST_F(NavViewerControlOnCore, ViewerKeepsShowingAfterTheControlMovesToAnotherParent) {
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    v.ZoomToChart(v.GetChart(0));
    const QImage before = v.grab().toImage();
    QWidget other;
    other.resize(v.size());
    v.setParent(&other);
    v.move(0, 0);
    other.show();
    v.show();
    EXPECT_EQ(v.grab().toImage(), before);
    std::vector<int32_t> loaded;
    v.OnChartLoaded = [&](int32_t value) { loaded.push_back(value); };
    QCoreApplication::postEvent(&v, new QEvent(QEvent::Type(ViewerMessage::ChartLoaded)));
    QCoreApplication::sendPostedEvents(&v);
    EXPECT_EQ(loaded.size(), 1u) << "the viewer's messages still arrive";
    v.setParent(Frame->PanelViewer);
    Frame->PanelViewer->layout()->addWidget(&v);
}
