// The navigation-information panel: where the GPS block sits, the fixed dock height, and
// the GPS block's texts, colours and distance correction over the real own ship.
#include "NavInfoFixture.h"
#include "NavInfoWWNullObjects.h"

#include "TestSupport.h"
#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvFormatSettings.h"
#include "chartview/FraNavInfoWW.h"
#include "chartview/FrmNavEdit.h"
#include "shell/MarivoColors.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>

#include <QToolButton>
#include <vector>

namespace {

TEST_F(NavInfoFixture, PlacesTheGPSBlockByTheStoredPosition) {
    struct Case {
        const char *name;
        int stored;  // -1: none stored
        int gpsDetail, wwDetail;
    };
    const Case cases[] = {{"nothing stored: at the bottom", -1, 5, 3},
                          {"1: at the top", 1, 2, 4},
                          {"3 reads as the top", 3, 2, 4},
                          {"5: at the bottom", 5, 5, 3}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int32_t error = 0;
        RegDeleteValue(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\NavInfo"), RegName(u"PanelGPS"),
                       error);
        if (c.stored >= 0) StorePanelGPS(c.stored);
        TFrameNavInfo &panel = MakePanel();
        EXPECT_EQ(panel.DetailOf(panel.GPSStatus()), c.gpsDetail);
        EXPECT_EQ(panel.DetailOf(panel.WaterwayAhead()), c.wwDetail);
        Dock->setWidget(nullptr);
        delete Panel;
    }
}

TEST_F(NavInfoFixture, SwitchingMovesTheGPSBlockStoresTheChoiceAndResizesOnce) {
    TFrameNavInfo &panel = MakePanel();
    ASSERT_EQ(panel.DetailOf(panel.GPSStatus()), 5);
    const int heightBefore = panel.Dock().AppliedHeight();

    int applied = panel.Dock().ApplyCount();
    panel.GPSStatus()->SwitchButton()->click();
    EXPECT_EQ(panel.DetailOf(panel.GPSStatus()), 2);
    EXPECT_LT(panel.GPSStatus()->parentWidget()->y(), panel.WaterwayAhead()->parentWidget()->y());
    EXPECT_EQ(StoredPanelGPS(), 1);
    EXPECT_EQ(panel.Dock().ApplyCount() - applied, 1) << "the blocks' height reports wait for the switch";

    applied = panel.Dock().ApplyCount();
    panel.SwitchGPSPosition();
    EXPECT_EQ(panel.DetailOf(panel.GPSStatus()), 5);
    EXPECT_EQ(StoredPanelGPS(), 5);
    EXPECT_EQ(panel.Dock().ApplyCount() - applied, 1);
    EXPECT_EQ(panel.Dock().AppliedHeight(), heightBefore);
}

TEST_F(NavInfoFixture, TheDockIsExactlyAsTallAsTheVisibleBlocks) {
    TFrameNavInfo &panel = MakePanel();
    const int expanded = panel.Dock().AppliedHeight();
    EXPECT_EQ(Panel->minimumHeight(), expanded);
    EXPECT_EQ(Panel->maximumHeight(), expanded);
    EXPECT_EQ(expanded, 2 + panel.GPSStatus()->parentWidget()->maximumHeight() +
                            panel.WaterwayAhead()->parentWidget()->maximumHeight() +
                            panel.RouteBlock()->parentWidget()->maximumHeight() +
                            panel.RouteOpenBlock()->parentWidget()->maximumHeight());

    panel.GPSStatus()->SetExpanded(false);
    EXPECT_EQ(panel.Dock().AppliedHeight(), expanded - TFrameNavInfoGPSStatus::StatusHeight);

    // Limits the host puts on its client (as a stored layout does) give way at the next tick.
    Panel->setMinimumHeight(0);
    Panel->setMaximumHeight(QWIDGETSIZE_MAX);
    panel.UpdateValues(nullptr, false);
    EXPECT_EQ(Panel->minimumHeight(), expanded - TFrameNavInfoGPSStatus::StatusHeight);
    EXPECT_EQ(Panel->maximumHeight(), expanded - TFrameNavInfoGPSStatus::StatusHeight);

    // With every block hidden the dock keeps its own minimum, not the two border pixels.
    panel.GPSStatus()->parentWidget()->hide();
    panel.WaterwayAhead()->parentWidget()->hide();
    panel.RouteBlock()->parentWidget()->hide();
    panel.RouteOpenBlock()->parentWidget()->hide();
    panel.UpdateHeight();
    EXPECT_EQ(panel.Dock().AppliedHeight(), TFixedHeightDock::MinimumClientHeight);
    EXPECT_EQ(Panel->height(), 8);

    // A drag below the minimum leaves the frame at the minimum.
    panel.SetBounds(0, 0, 3, 2);
    EXPECT_EQ(Panel->height(), 8);
}

TEST_F(NavInfoFixture, AHiddenDockRefreshesNothingButRefreshAllDoes) {
    StartRun();
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    const QString before = gps->LatText();
    EXPECT_EQ(before, QStringLiteral("- --- \u00B0  --.---'"));

    PlaceShip();
    Dock->hide();
    panel.UpdateValues(nullptr, false);
    EXPECT_EQ(gps->LatText(), before);

    panel.RefreshAll();
    EXPECT_NE(gps->LatText(), before);
    const QString shown = gps->LatText();
    Env->Boat->SetPosition(routetest::OnSection(Section(1), 5.0));
    Dock->show();
    panel.UpdateValues(nullptr, false);
    EXPECT_NE(gps->LatText(), shown);
}

// ---- the GPS block ---------------------------------------------------------------------

TEST(NavInfoGPSTexts, KilometreMarksAreCutNotRounded) {
    const QChar sep = LocaleFormatSettings().DecimalSeparator;
    struct Case {
        const char *name;
        double markM;
        QString text;
    };
    const Case cases[] = {{"12 345.67 m", 12345.67, QStringLiteral("km 12") + sep + u'3'},
                          {"just below the next tenth", 12399.99, QStringLiteral("km 12") + sep + u'3'},
                          {"zero", 0.0, QStringLiteral("km 0") + sep + u'0'},
                          {"none", -1.0, QString()}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DistanceMarkText(c.markM), c.text);
    }
}

class TInterval : public navinfotest::TNullWptRouteObject {
public:
    TInterval(int32_t kind, int32_t edge, int32_t id) : Kind(kind), Edge(edge), Id(id) {}
    int32_t GetKind() override { return Kind; }
    int32_t GetIntervalEdge() override { return Edge; }
    int32_t GetIntervalId() override { return Id; }
    int32_t Kind, Edge, Id;
};

class TObjects : public navinfotest::TNullWptRouteObjectList {
public:
    std::vector<TInterval> Items;
    int32_t GetCount() override { return int32_t(Items.size()); }
    IWptRouteObject *GetItem(int32_t i) override { return &Items.at(size_t(i)); }
};

TEST(NavInfoGPSTexts, TheReportSymbolIsHeldBetweenTheEdgesOfANoticeInterval) {
    constexpr int32_t N = WptRouteObjectKind::NoticeInterval, T = WptRouteObjectKind::Turn;
    constexpr int32_t O = WptIntervalEdge::Opens, C = WptIntervalEdge::Closes;
    struct Case {
        const char *name;
        std::vector<TInterval> items;
        int32_t current;
        int32_t hold;
    };
    const Case cases[] = {
        {"inside interval 7", {{N, O, 7}, {T, 0, 0}, {N, C, 7}}, 1, 7},
        {"opened but never closed", {{N, O, 7}, {T, 0, 0}}, 1, 0},
        {"closed before the ship", {{N, O, 7}, {N, C, 7}, {T, 0, 0}}, 2, 0},
        {"the inner interval wins", {{N, O, 3}, {N, O, 9}, {T, 0, 0}, {N, C, 9}, {N, C, 3}}, 2, 9},
        {"another kind with the same edges", {{T, O, 7}, {T, 0, 0}, {T, C, 7}}, 1, 0},
        {"no current object", {{N, O, 7}, {N, C, 7}}, -1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TObjects list;
        list.Items = c.items;
        TNavRouteData data;
        data.Objects = &list;
        data.FirstObjectAhead = c.current;
        EXPECT_EQ(FindReportHold(data), c.hold);
    }
}

TEST_F(NavInfoFixture, WithoutAFixTheGPSBlockShowsDashesInTheNoFixColour) {
    StartRun();
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    gps->UpdateValues(true, nullptr);
    EXPECT_EQ(gps->LatText(), QStringLiteral("- --- \u00B0  --.---'"));
    EXPECT_EQ(gps->LonText(), QStringLiteral("- --- \u00B0  --.---'"));
    EXPECT_EQ(gps->SOGText(), QStringLiteral("---"));
    EXPECT_EQ(gps->COGText(), QStringLiteral("---"));
    EXPECT_EQ(gps->HDOPText(), QStringLiteral("hdop ---"));
    EXPECT_EQ(gps->UsedText(), QStringLiteral("---"));
    EXPECT_EQ(gps->PositionColour(), TColorToColor(NavTextNoFixColor));
    EXPECT_EQ(gps->FixImage(), 0) << "the first update always draws the symbol";
    EXPECT_TRUE(gps->DOGButton()->isVisibleTo(gps));
}

TEST_F(NavInfoFixture, CollapsingTheGPSBlockStoresItAndLeavesTheHeader) {
    TFrameNavInfo &panel = MakePanel();
    TFrameNavInfoGPSStatus *gps = panel.GPSStatus();
    int reports = 0;
    auto previous = gps->OnHeightChanged;
    gps->OnHeightChanged = [&](TFrameNavInfoGPSStatus *g) {
        ++reports;
        previous(g);
    };
    auto stored = [] {
        return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\NavInfo"),
                              RegName(u"GPSStatusVisible"), true);
    };
    EXPECT_EQ(gps->parentWidget()->maximumHeight(), 15 + 132);
    gps->SetExpanded(false);
    EXPECT_EQ(gps->parentWidget()->maximumHeight(), 15);
    EXPECT_FALSE(stored());
    gps->SetExpanded(true);
    EXPECT_EQ(gps->parentWidget()->maximumHeight(), 147);
    EXPECT_TRUE(stored());
    EXPECT_EQ(reports, 2);

    // The next start opens the block as it was left.
    gps->SetExpanded(false);
    Dock->setWidget(nullptr);
    delete Panel;
    EXPECT_FALSE(MakePanel().GPSStatus()->Expanded());
}

// ---- the value entry dialog ------------------------------------------------------------

TEST(NavEditForm, ShowsOnlyTheRowsOfItsFlags) {
    TFormNavEdit distance(QStringLiteral("DOG"), TFormNavEdit::FlagDistance, KvUnit::NauticalMile, KvUnit::Knot,
                          0.0f, 1000.0, 0.0f);
    EXPECT_EQ(distance.height(), 65);
    EXPECT_EQ(distance.PanelDistance->y(), 5);
    EXPECT_TRUE(distance.PanelSpeed->isHidden());
    EXPECT_TRUE(distance.PanelAngle->isHidden());

    TFormNavEdit all(QStringLiteral("All"), 7, KvUnit::Kilometre, KvUnit::Knot, 0.0f, 0.0, 0.0f);
    EXPECT_EQ(all.height(), 40 + 3 * 25);
    EXPECT_EQ(all.PanelSpeed->y(), 5);
    EXPECT_EQ(all.PanelAngle->y(), 30);
    EXPECT_EQ(all.PanelDistance->y(), 55);
}

TEST(NavEditForm, ReturnsTheTypedDistanceInMetresAndNothingOnCancel) {
    auto previous = TFormNavEdit::SetPrompter([](TFormNavEdit &form) {
        form.EditDistance->SetValue(2.5L);
        form.accept();
        return int(QDialog::Accepted);
    });
    float angle = 0.25f, speed = 3.0f;
    double distance = 1.0;
    ASSERT_TRUE(TFormNavEdit::Execute(QStringLiteral("DOG"), angle, TFormNavEdit::FlagDistance, KvUnit::NauticalMile,
                                      KvUnit::Knot, distance, speed));
    EXPECT_NEAR(distance, 4630.0, 0.5);
    EXPECT_EQ(angle, 0.25f) << "hidden rows come back untouched";
    EXPECT_EQ(speed, 3.0f);

    TFormNavEdit::SetPrompter([](TFormNavEdit &form) {
        form.EditDistance->SetValue(99.0L);
        form.reject();
        return int(QDialog::Rejected);
    });
    distance = 1234.5;
    EXPECT_FALSE(TFormNavEdit::Execute(QStringLiteral("DOG"), angle, TFormNavEdit::FlagDistance,
                                       KvUnit::NauticalMile, KvUnit::Knot, distance, speed));
    EXPECT_EQ(distance, 1234.5);
    TFormNavEdit::SetPrompter(previous);
}

TEST_F(NavInfoFixture, ADistanceCorrectionKeepsAnUnchangedTotalToTheMetre) {
    StartRun();
    TFrameNavInfo &panel = MakePanel();
    int changes = 0;
    panel.OnGPSChange = [&](TFrameNavInfo *) { ++changes; };
    // 20 000 km and a bit: a float would move it by metres.
    const double total = 20000000.0 + 1.3;
    Env->Boat->SetDistanceOverGround(total);
    RegWriteDOGTotal(total);

    auto previous = TFormNavEdit::SetPrompter([](TFormNavEdit &form) {
        form.accept();
        return int(QDialog::Accepted);
    });
    panel.GPSStatus()->DOGButton()->click();
    EXPECT_EQ(Env->Boat->GetDistanceOverGround(), total);
    EXPECT_EQ(RegReadDOGTotal(), total);
    EXPECT_EQ(changes, 1);

    TFormNavEdit::SetPrompter([](TFormNavEdit &form) {
        form.EditDistance->SetValue(12.5L);
        form.accept();
        return int(QDialog::Accepted);
    });
    Env->UnitDistanceLarge = KvUnit::Kilometre;
    panel.ApplyUnitSettings();
    panel.GPSStatus()->DOGButton()->click();
    EXPECT_NEAR(Env->Boat->GetDistanceOverGround(), 12500.0, 1e-6);
    EXPECT_NEAR(RegReadDOGTotal(), 12500.0, 1e-6);
    EXPECT_EQ(changes, 2);
    TFormNavEdit::SetPrompter(previous);
}

}  // namespace
