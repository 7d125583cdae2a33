// The action states as a pure function of a snapshot of the program's state.
#include "shell/MarivoActionStates.h"
#include "shell/MarivoActionTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Ready, every action available.
TActionSnapshot Ready() {
    TActionSnapshot s;
    s.LayoutReady = true;
    s.Available.assign(ActionTable().size(), true);
    return s;
}

const TActionState &State(const TUiStates &u, const char *name) {
    return u.Actions.at(size_t(ActionIndex(name)));
}

bool PanelVisible(const TUiStates &u, TStatePanel p) {
    return u.PanelVisible[size_t(p)];
}

}  // namespace

TEST(ActionStates, BeforeTheLayoutIsReadyOnlyTheCaptionIsUpdated) {
    TActionSnapshot s = Ready();
    s.LayoutReady = false;
    const TUiStates u = ComputeActionStates(s);
    EXPECT_TRUE(u.UpdateOnlyCaption);
    EXPECT_TRUE(u.Actions.empty());
}

TEST(ActionStates, RouteEditingShowsTheRouteToolbarAndKeepsTheSettingsFlag) {
    struct Case { const char *name; int editMode; bool settingsFlag; bool toolbar; bool settings; };
    const Case cases[] = {{"editing with the flag", 2, true, true, true},
                          {"editing without the flag", 2, false, true, false},
                          {"left editing, flag kept", 0, true, false, false},
                          {"measuring distance", 3, true, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActionSnapshot s = Ready();
        s.EditMode = c.editMode;
        s.PanelShown[size_t(TStatePanel::RouteSettings)] = c.settingsFlag;
        const TUiStates u = ComputeActionStates(s);
        EXPECT_EQ(u.ToolbarRoute, c.toolbar);
        EXPECT_EQ(PanelVisible(u, TStatePanel::RouteSettings), c.settings);
        EXPECT_EQ(State(u, "ActionRouteEditSettings").Checked, c.settingsFlag);
        EXPECT_EQ(State(u, "ActionRouteEdit").Checked, c.editMode == 2);
        EXPECT_EQ(State(u, "ActionNavigationDistance").Checked, c.editMode == 3);
    }
}

TEST(ActionStates, RouteStartShowsStopForAFollowedRouteAndStartForTheTemporaryOne) {
    struct Case { const char *name; bool active, isDefault, selected; int image; const char *caption; bool start, stop; };
    const Case cases[] = {
        {"own route followed", true, false, false, 61, "Stop current route", true, true},
        {"temporary route followed, route selected", true, true, true, 60, "Start selected route", true, false},
        {"temporary route followed, nothing selected", true, true, false, 60, "Start selected route", false, false},
        {"nothing followed, route selected", false, false, true, 60, "Start selected route", true, false},
        {"nothing at all", false, false, false, 60, "Start selected route", false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActionSnapshot s = Ready();
        s.ActiveRoute = c.active;
        s.ActiveRouteIsDefault = c.isDefault;
        s.HasSelectedRoute = c.selected;
        const TUiStates u = ComputeActionStates(s);
        const TActionState &start = State(u, "ActionRouteStart");
        EXPECT_EQ(start.ImageIndex, c.image);
        ASSERT_NE(start.Caption, nullptr);
        EXPECT_STREQ((*start.Caption)[0], c.caption);
        EXPECT_EQ(start.Enabled, c.start);
        EXPECT_EQ(State(u, "ActionRouteStop").Enabled, c.stop);
    }
}

TEST(ActionStates, RouteEditButtonsFollowTheFlagsAndTheTableRoute) {
    struct Case { const char *name; bool route; uint32_t flags; bool vectors; bool add, del, move, vec; };
    const Case cases[] = {
        {"no route in the table", false, 0x1, true, false, false, false, false},
        {"adding", true, 0x1, false, true, true, true, false},
        {"delete on blocks add and move", true, 0x2, true, false, true, false, false},
        {"vectors allowed", true, 0x5, true, true, true, true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActionSnapshot s = Ready();
        s.EditMode = 2;
        s.TableRoute = c.route;
        s.RouteEditFlags = c.flags;
        s.TableVectorsAllowed = c.vectors;
        const TUiStates u = ComputeActionStates(s);
        EXPECT_EQ(State(u, "ActionRouteEditAdd").Enabled, c.add);
        EXPECT_EQ(State(u, "ActionRouteEditDelete").Enabled, c.del);
        EXPECT_EQ(State(u, "ActionRouteEditMove").Enabled, c.move);
        EXPECT_EQ(State(u, "ActionRouteEditVectors").Enabled, c.vec);
        EXPECT_EQ(State(u, "ActionRouteEditAdd").Checked, bool(c.flags & 0x1));
        EXPECT_EQ(State(u, "ActionRouteEditDelete").Checked, bool(c.flags & 0x2));
    }
}

TEST(ActionStates, CommunicationAndSimulationFollowNavigatingAndSimulating) {
    struct Case { bool navigating, simulating; bool commChecked, commEnabled, simChecked, simEnabled; };
    const Case cases[] = {{false, false, false, true, false, true},
                          {true, false, true, true, false, false},
                          {true, true, false, false, true, true},
                          {false, true, false, true, false, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.navigating << c.simulating);
        TActionSnapshot s = Ready();
        s.Calibrated = true;
        s.Navigating = c.navigating;
        s.Simulating = c.simulating;
        const TUiStates u = ComputeActionStates(s);
        EXPECT_EQ(State(u, "ActionInstrumentsCommunication").Checked, c.commChecked);
        EXPECT_EQ(State(u, "ActionInstrumentsCommunication").Enabled, c.commEnabled);
        EXPECT_EQ(State(u, "ActionInstrumentsSimulation").Checked, c.simChecked);
        EXPECT_EQ(State(u, "ActionInstrumentsSimulation").Enabled, c.simEnabled);
        EXPECT_EQ(PanelVisible(u, TStatePanel::Simulation), c.simulating);
    }
}

TEST(ActionStates, ViewerAndEnvironmentValuesDecideChecksAndEnables) {
    struct Case { const char *name; std::function<void(TActionSnapshot &)> set; const char *action; bool enabled, checked; };
    const Case cases[] = {
        {"print needs a chart", [](TActionSnapshot &) {}, "ActionFilePrint", false, false},
        {"print with a chart", [](TActionSnapshot &s) { s.Calibrated = true; }, "ActionFilePrint", true, false},
        {"tides on without layer", [](TActionSnapshot &s) { s.TideFlags = 0x1; }, "ActionViewMainTide", true, false},
        {"tides on with a layer", [](TActionSnapshot &s) { s.TideFlags = 0x9; }, "ActionViewMainTide", true, true},
        {"land features", [](TActionSnapshot &s) { s.S57DisplayFlags = 0x800; }, "ActionS57LandFeatures", true, true},
        {"dusk", [](TActionSnapshot &s) { s.ColorScheme = 1; }, "ActionS57ColorSchemeDusk", true, true},
        {"day not dusk", [](TActionSnapshot &s) { s.ColorScheme = 1; }, "ActionS57ColorSchemeDay", true, false},
        {"logbook recording", [](TActionSnapshot &s) { s.HasLogbook = s.LogbookRecording = true; }, "ActionLogbookActiveStart", false, false},
        {"logbook stop", [](TActionSnapshot &s) { s.HasLogbook = s.LogbookRecording = true; }, "ActionLogbookActiveStop", true, false},
        {"waypoints while editing them", [](TActionSnapshot &s) { s.ViewerEditMode = 1; s.WaypointFlags = 1; }, "ActionViewWaypoints", false, true},
        {"display category never", [](TActionSnapshot &) {}, "ActionS57DisplayCatBASE", false, false},
        {"extension manager before the full set-up", [](TActionSnapshot &) {}, "ActionFileExtensionManager", false, false},
        {"lock toolbars", [](TActionSnapshot &s) { s.ToolbarsLocked = true; }, "ActionViewToolbarLock", true, true},
        {"sound", [](TActionSnapshot &s) { s.SoundEnabled = true; }, "ActionSound", true, true},
        {"find while tracking and simulating", [](TActionSnapshot &s) { s.TrackingEnabled = s.Navigating = s.Simulating = true; }, "ActionViewFind", false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActionSnapshot s = Ready();
        c.set(s);
        const TUiStates u = ComputeActionStates(s);
        EXPECT_EQ(State(u, c.action).Enabled, c.enabled);
        EXPECT_EQ(State(u, c.action).Checked, c.checked);
    }
}

TEST(ActionStates, AnActionWithoutItsImplementationStaysDisabledWhateverTheRuleSays) {
    TActionSnapshot s = Ready();
    s.Calibrated = true;
    s.Available[size_t(ActionIndex("ActionFilePrint"))] = false;
    s.Available[size_t(ActionIndex("ActionChartLegend"))] = false;
    const TUiStates u = ComputeActionStates(s);
    EXPECT_FALSE(State(u, "ActionFilePrint").Enabled);
    EXPECT_FALSE(State(u, "ActionChartLegend").Enabled);
    EXPECT_TRUE(State(u, "ActionChartInformation").Enabled);
}

TEST(ActionStates, ALostPickClosesThePickReportOnly) {
    struct Case { const char *name; bool pick; bool shown; int content; bool hide; };
    const Case cases[] = {{"pick report without pick", false, true, 8, true},
                          {"pick report with pick", true, true, 8, false},
                          {"waypoint page without pick", false, true, 7, false},
                          {"hidden report", false, false, 8, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActionSnapshot s = Ready();
        s.S57PickAvailable = c.pick;
        s.PanelShown[size_t(TStatePanel::LinkDetails)] = c.shown;
        s.LinkDetailsContent = c.content;
        EXPECT_EQ(ComputeActionStates(s).HideLinkDetails, c.hide);
    }
}
