// The track replay panel over real tracks and the real main viewer: its time axis, clock,
// slider and time column, the labels, the follow flags, and the replay the viewer draws.
#include "ViewerFrameFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FraTrackReplay.h"
#include "chartview/NavViewerControl.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <cmath>
#include <gtest/gtest.h>

using namespace chartviewtest;
using namespace TrackReplayRules;

namespace {

constexpr double Second = 1.0 / 86400.0;
constexpr double Day0 = 46000.0;  // a date in 2025

// A track of the given points (time, lat°, lon°); times 0 give a track without times.
INavTrack *MakeTrack(const QString &name, uint32_t argb, std::initializer_list<std::array<double, 3>> points) {
    INavTrack *t = NavTrackCreate1();
    const std::u16string n = name.toStdU16String();
    t->SetName(TStrWRec{int32_t(n.size()), n.c_str()});
    t->SetColor(argb);
    bool timed = false;
    for (const auto &p : points) {
        int32_t err = 0;
        t->AddPoint(p[0], TGeoPoint3{p[1] * M_PI / 180, p[2] * M_PI / 180, 0.0}, err);
        timed = timed || p[0] != 0.0;
    }
    t->SetHasTimes(timed);
    return t;
}

struct TTrackListOwner {
    INavTrackList *List = NavTrackListCreate(0);
    TTrackListOwner() { List->SetOwnsObjects(true); }
    ~TTrackListOwner() { ObjectDelete(List); }
    INavTrack *Add(INavTrack *t) {
        List->Add(t);
        return t;
    }
};

TEST(TrackReplayRules, TimeAxisAndMappings) {
    const TDateTime now = 45000.5;
    TTrackListOwner none, untimed, single, two;
    untimed.Add(MakeTrack(QStringLiteral("a"), 0xFF0000FF, {{0, 52, 5}, {0, 52.1, 5}}));
    single.Add(MakeTrack(QStringLiteral("b"), 0xFF0000FF, {{Day0, 52, 5}}));
    two.Add(MakeTrack(QStringLiteral("c"), 0xFF0000FF, {{Day0 + 0.1, 52, 5}, {Day0 + 0.3, 52.1, 5}}));
    two.Add(MakeTrack(QStringLiteral("d"), 0xFF0000FF, {{Day0, 52, 5}, {Day0 + 0.2, 52.1, 5}}));
    struct TCase {
        const char *Name;
        INavTrackList *List;
        TDateTime Start, End;
    } cases[] = {{"no list", nullptr, now, now + Second},
                 {"empty list", none.List, now, now + Second},
                 // Tracks without times: the present second, never an inverted axis.
                 {"no times", untimed.List, now, now + Second},
                 {"one time stamp", single.List, Day0, Day0 + Second},
                 {"two tracks", two.List, Day0, Day0 + 0.3}};
    for (const TCase &c : cases) {
        const TAxis a = AxisOf(c.List, now);
        EXPECT_DOUBLE_EQ(a.Start, c.Start) << c.Name;
        EXPECT_DOUBLE_EQ(a.End, c.End) << c.Name;
    }
    const TAxis axis{Day0, Day0 + 0.5};
    EXPECT_EQ(SliderPosition(axis, Day0 + 0.25), 250);
    EXPECT_EQ(SliderPosition(axis, Day0 - 1), 0);
    for (int pos : {0, 1, 137, 499, 500}) EXPECT_EQ(SliderPosition(axis, SliderTime(axis, pos)), pos);
    TDateTime t = 0;
    ASSERT_TRUE(ColumnTime(axis, 100, 100, 201, t));
    EXPECT_DOUBLE_EQ(t, axis.Start);
    ASSERT_TRUE(ColumnTime(axis, 300, 100, 201, t));
    EXPECT_DOUBLE_EQ(t, axis.End);
    EXPECT_FALSE(ColumnTime(axis, 100, 100, 1, t)) << "a column one pixel wide gives no time";
    EXPECT_FALSE(ColumnTime(axis, 301, 100, 201, t));
    EXPECT_EQ(OffsetText(0), QString());
    EXPECT_EQ(OffsetText(-90), QStringLiteral(" -90 min"));
    EXPECT_EQ(OffsetText(120), QStringLiteral(" +120 min"));
}

class TrackReplayFixture : public ViewerFrameFixture {
protected:
    void SetUp() override {
        ViewerFrameFixture::SetUp();
        MakeFrame(QSize(800, 600));
        Window = std::make_unique<QMainWindow>();
        Window->resize(700, 400);
        Window->setCentralWidget(new QWidget(Window.get()));
        Dock = new QDockWidget(Window.get());
        Dock->setObjectName(QStringLiteral("DockablePanelTrackReplay"));
        Window->addDockWidget(Qt::BottomDockWidgetArea, Dock);
        // Three tracks near the demo area, recorded over an hour each, overlapping.
        A = Tracks.Add(MakeTrack(QStringLiteral("Morning"), 0xFFFF0000,
                                 {{Day0, 52.00, 5.00}, {Day0 + 600 * Second, 52.01, 5.00}, {Day0 + 3600 * Second, 52.01, 5.05}}));
        B = Tracks.Add(MakeTrack(QStringLiteral("Noon"), 0xFF00A000,
                                 {{Day0 + 1800 * Second, 52.02, 5.00}, {Day0 + 5400 * Second, 52.00, 5.03}}));
        C = Tracks.Add(MakeTrack(QStringLiteral("Single"), 0xFF0000FF, {{Day0 + 4000 * Second, 52.03, 5.02}}));
        Untimed = Tracks.Add(MakeTrack(QStringLiteral("Untimed"), 0xFF808080, {{0, 52, 5}, {0, 52.1, 5}}));
    }
    void TearDown() override {
        Window.reset();
        ViewerFrameFixture::TearDown();
    }
    TFrameTrackReplay &MakePanel() {
        Panel = new TFrameTrackReplay(Dock, *Env, &Viewer());
        Dock->setWidget(Panel);
        Panel->OnReplayTimeChange = [this](TFrameTrackReplay *p) { Reported.push_back(p->ReplayTime()); };
        Window->show();
        Panel->SetTrackList(Tracks.List);
        return *Panel;
    }
    QPoint CellPoint(int row, int x) {
        const QRect r = Panel->List()->visualRect(Panel->Model()->index(row, TTrackReplayModel::ColTime));
        return QPoint(x, r.center().y());
    }

    TTrackListOwner Tracks;
    INavTrack *A = nullptr, *B = nullptr, *C = nullptr, *Untimed = nullptr;
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameTrackReplay *Panel = nullptr;
    std::vector<TDateTime> Reported;
};

TEST_F(TrackReplayFixture, ListsTheTimedTracksOnOneAxis) {
    TFrameTrackReplay &panel = MakePanel();
    ASSERT_EQ(panel.Model()->rowCount(), 3) << "the track without times is left out";
    EXPECT_EQ(panel.Model()->Row(0)->Track, C) << "rows from the last track to the first";
    EXPECT_EQ(panel.Model()->Row(2)->Track, A);
    EXPECT_EQ(panel.SelectedTrack(), C);
    EXPECT_DOUBLE_EQ(panel.Axis().Start, Day0);
    EXPECT_DOUBLE_EQ(panel.Axis().End, Day0 + 5400 * Second);
    EXPECT_DOUBLE_EQ(panel.ReplayTime(), panel.Axis().End) << "the present time is clamped into the axis";
    EXPECT_TRUE(panel.Slider()->isEnabled());
    EXPECT_FALSE(panel.TrackingButton()->isEnabled()) << "a track of one point cannot be followed";
    EXPECT_EQ(panel.TimeText(), QStringLiteral("---"));

    TTrackListOwner untimed;
    untimed.Add(MakeTrack(QStringLiteral("x"), 0xFF000000, {{0, 52, 5}, {0, 52.1, 5}}));
    const TDateTime before = NowUTC();
    panel.SetTrackList(untimed.List);
    EXPECT_EQ(panel.Model()->rowCount(), 0);
    EXPECT_FALSE(panel.Slider()->isEnabled());
    EXPECT_FALSE(panel.Button(3)->isEnabled());
    EXPECT_TRUE(panel.SpeedList()->isEnabled());
    EXPECT_GE(panel.Axis().Start, before - Second);
    EXPECT_LE(panel.Axis().Start, NowUTC() + Second) << "the present UTC second";
    EXPECT_NEAR(panel.Axis().End - panel.Axis().Start, Second, 1e-9);
}

TEST_F(TrackReplayFixture, ClockSliderAndTimeColumn) {
    TFrameTrackReplay &panel = MakePanel();
    const TAxis axis = panel.Axis();
    // Speed takes effect on the next tick.
    panel.SpeedList()->setCurrentIndex(6);
    ASSERT_EQ(panel.SpeedList()->currentText(), QStringLiteral("1s/1m"));
    QTest::mouseClick(panel.Button(0), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(panel.ReplayTime(), axis.Start);
    QTest::mouseClick(panel.Button(3), Qt::LeftButton);
    EXPECT_TRUE(panel.Running());
    panel.TimerTick();
    EXPECT_NEAR((panel.ReplayTime() - axis.Start) * 86400, 60.0, 1e-3);
    // At the end the clock keeps the end and keeps reporting it.
    QTest::mouseClick(panel.Button(4), Qt::LeftButton);
    Reported.clear();
    panel.TimerTick();
    panel.TimerTick();
    EXPECT_EQ(Reported, (std::vector<TDateTime>{axis.End, axis.End}));
    EXPECT_EQ(panel.Slider()->value(), SliderMax);
    // Pausing stops the clock and reports.
    Reported.clear();
    QTest::mouseClick(panel.Button(2), Qt::LeftButton);
    EXPECT_FALSE(panel.Running());
    EXPECT_EQ(Reported.size(), 1u);

    // The slider: the user's position sets the time; a set time moves the slider silently.
    panel.Slider()->setValue(250);
    EXPECT_NEAR(panel.ReplayTime(), SliderTime(axis, 250), 1e-9);
    Reported.clear();
    panel.SetReplayTime(axis.Start + (axis.End - axis.Start) * 0.1);
    EXPECT_EQ(panel.Slider()->value(), 50);
    EXPECT_EQ(Reported.size(), 1u) << "one report, not a second one from the slider";

    // The time column: left edge the start, last pixel the end; a drag follows; the
    // running clock runs again after the release.
    QTest::mouseClick(panel.Button(3), Qt::LeftButton);
    const QRect column = panel.TimeColumn();
    ASSERT_GT(column.width(), 1);
    QWidget *vp = panel.List()->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, CellPoint(1, column.left()), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(panel.Running()) << "the clock waits while the time is dragged";
    EXPECT_DOUBLE_EQ(panel.ReplayTime(), axis.Start);
    SendMouse(vp, QEvent::MouseMove, CellPoint(1, column.right()), Qt::NoButton, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(panel.ReplayTime(), axis.End);
    SendMouse(vp, QEvent::MouseButtonRelease, CellPoint(1, column.right()), Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(panel.Running());
}

TEST_F(TrackReplayFixture, RowValuesLabelsAndFollowFlags) {
    GlobalGPSClock()->SetUTCOffsetSync(false);
    TFrameTrackReplay &panel = MakePanel();
    panel.SelectTrack(A);
    panel.SetReplayTime(Day0 + 300 * Second);
    // A is at its first leg (north), B has not begun.
    EXPECT_TRUE(panel.Model()->Row(2)->Course.startsWith(QStringLiteral("0")));
    EXPECT_TRUE(panel.Model()->Row(2)->Course.endsWith(QStringLiteral("\u00B0")));
    EXPECT_TRUE(panel.Model()->Row(1)->Speed.startsWith(QStringLiteral("--- ")));
    EXPECT_EQ(panel.Model()->Row(1)->Course, QStringLiteral("---\u00B0"));
    for (int offset : {0, -90}) {
        GlobalGPSClock()->SetUTCOffset(offset);
        if (Env->GetUTCOffset() != offset) GTEST_SKIP() << "the offset is the computer's here";
        panel.ApplySettings();
        const TDateTime local = panel.ReplayTime() + offset / 1440.0;
        EXPECT_EQ(panel.TimeText(), FormatDateTime(QStringLiteral("tt"), 1, local) + QStringLiteral(" (UTC") +
                                        (offset ? QStringLiteral(" -90 min") : QString()) + QStringLiteral(")"));
        EXPECT_EQ(panel.DateText(), FormatDateTime(QStringLiteral("dddddd"), 1, local));
    }
    GlobalGPSClock()->SetUTCOffset(0);

    // "Track in": the main viewer replays the selected track; with tracking on its row follows.
    EXPECT_TRUE(panel.TrackingButton()->isEnabled());
    ASSERT_EQ(panel.TrackingMenu()->actions().size(), 1);
    EXPECT_EQ(panel.TrackingMenu()->actions()[0]->text(), QStringLiteral("Main chart viewer"));
    panel.TrackingMenu()->actions()[0]->trigger();
    EXPECT_EQ(Viewer().GetReplayTrack(), A);
    EXPECT_TRUE(Viewer().GetTrackReplayMode());
    panel.CheckTrackingItems();
    EXPECT_TRUE(panel.TrackingMenu()->actions()[0]->isChecked());
    EXPECT_EQ(panel.Model()->Row(2)->Follow, 0) << "tracking is off";
    Viewer().SetTrackingEnabled(true);
    panel.UpdateFollowFlags();
    EXPECT_EQ(panel.Model()->Row(2)->Follow, 1);
    EXPECT_EQ(panel.Model()->Row(1)->Follow, 0);
    panel.SelectTrack(B);
    panel.CheckTrackingItems();
    EXPECT_FALSE(panel.TrackingMenu()->actions()[0]->isChecked());
}

TEST_F(TrackReplayFixture, TheViewerFollowsTheBoatOnTheReplayedTrack) {
    TFrameTrackReplay &panel = MakePanel();
    panel.OnReplayTimeChange = [this](TFrameTrackReplay *p) { Viewer().SetReplayTime(p->ReplayTime()); };
    Viewer().SetTrackList(Tracks.List);
    Viewer().SetTrackingEnabled(true);
    panel.SelectTrack(A);
    panel.TrackingMenu()->actions()[0]->trigger();
    // Between A's second and third point: a quarter of the way, in time.
    panel.SetReplayTime(Day0 + 1350 * Second);
    const TGeoPoint expected{52.01 * M_PI / 180, (5.00 + 0.05 * 0.25) * M_PI / 180};
    const TFloat2 *cursor = Viewer().GetTrackingCursorPos();
    ASSERT_TRUE(cursor);
    const TDouble2 at = PixelOf(Viewer(), expected);
    EXPECT_NEAR(at.X, Viewer().width() * cursor->X, 1.0);
    EXPECT_NEAR(at.Y, Viewer().height() * cursor->Y, 1.0);
    // The boat is drawn there; the track ahead of it is not, unless complete tracks are on.
    Viewer().SetTrackDrawComplete(false);
    const QImage partial = Viewer().grab().toImage();
    shelltest::SaveScreenshot(partial, QStringLiteral("track_replay_viewer"));
    Viewer().SetTrackDrawComplete(true);
    const QImage complete = Viewer().grab().toImage();
    shelltest::SaveScreenshot(complete, QStringLiteral("track_replay_viewer_complete"));
    EXPECT_NE(partial, complete);

    // The screenshots of the panel, day and night, and of the viewer.
    Window->resize(700, 300);
    shelltest::SaveScreenshot(Window->grab().toImage(), QStringLiteral("track_replay_panel"));
    NightScreen()->SetActive(true);
    panel.NightChanged();
    shelltest::SaveScreenshot(Window->grab().toImage(), QStringLiteral("track_replay_panel_night"));
    NightScreen()->SetActive(false);
    panel.NightChanged();
}

}  // namespace
