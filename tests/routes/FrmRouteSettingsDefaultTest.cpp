// The default route settings dialog on the demo environment: the library's record shown in
// the user's units, OK changing only the offered fields, Cancel nothing, and the record
// stored at shut-down.
#include "RouteSettingsFixture.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "routes/FrmRouteSettingsDefault.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cstring>

using routestest::RouteSettingsFixture;

namespace {

class RouteSettingsDefault : public RouteSettingsFixture {
protected:
    void TearDown() override {
        TFormRouteSettingsDefault::SetPrompter(nullptr);
        RouteSettingsFixture::TearDown();
    }
    // Runs the dialog with act and closes it with OK, Cancel or the close box (0, 1, 2).
    void Run(std::function<void(TFormRouteSettingsDefault &)> act, int close = 0, bool onPlanner = false) {
        TFormRouteSettingsDefault::SetPrompter([&](TFormRouteSettingsDefault &f) {
            act(f);
            if (close == 2)
                f.close();
            else
                (close == 0 ? f.ButtonOk : f.ButtonCancel)->click();
            return f.result();
        });
        TFormRouteSettingsDefault::Execute(*Env, onPlanner);
    }
    static QString Text(TNumberEdit *e) { return e->text().replace(QLatin1Char(','), QLatin1Char('.')); }
    static void Type(TNumberEdit *e, const QString &text) {
        e->setText(QString(text).replace(QLatin1Char('.'), e->DecimalSeparator()));
    }
    static QListWidgetItem *Body(QListWidget *list, int n) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toInt() == n) return list->item(i);
        return nullptr;
    }
    static TWptRouteDefaults Library() {
        TWptRouteDefaults d;
        _GetWptRouteDefaults(d);
        return d;
    }
    // A record with every hidden field away from its default, including values no writer
    // of the program would produce.
    static TWptRouteDefaults Unusual() {
        TWptRouteDefaults d;
        d.CalcDryingOut = true;
        d.DepthDependentSpeed = true;
        d.DepthTolerance = 0.2f;
        d.MastMode = 5;
        d.MotoringSpeed = 0;
        d.PlannerMode = 6;
        d.RiverCurrentFactor = 7.5f;
        d.SectionInfoDistance = 250;
        d.SrcCurrent = 1;
        d.SrcTideHeight = 2;
        d.SrcWind = 3;
        d.WaterBodies = (1u << 0) | (1u << 3) | (1u << 8);  // the network has no Baltic Sea
        d.WindSurge = 0.4f;
        d.XTEAlarm = true;
        d.PointManualCurrentL = 1.1f;
        d.PointManualCurrentA = 1.2f;
        d.PointManualDepthLAT = 1.3f;
        d.PointManualDepthNAP = 1.4f;
        d.PointManualWindL = 1.5f;
        d.PointManualWindA = 1.6f;
        d.PointOpenLegOptimization = true;
        d.PointRadius = 100.0f;
        d.PointTravelMode = 2;
        d.PointBiSector = true;
        return d;
    }
};

TEST_F(RouteSettingsDefault, ShowsTheRecordInMetresAndInFeet) {
    struct Case {
        const char *name;
        int32_t small, depth;
        QString radius, info, tolerance;
    };
    const Case cases[] = {
        {"metres", KvUnit::Metre, KvUnit::Metre, "100", "250", "0.20"},
        {"feet", KvUnit::Foot, KvUnit::Foot, "328", "820", "0.66"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUnits(c.small, c.depth);
        SetWptRouteDefaults(Unusual());
        Run([&](TFormRouteSettingsDefault &f) {
            EXPECT_EQ(f.windowTitle(), QStringLiteral("Default route settings"));
            EXPECT_EQ(f.PageControl->currentIndex(), 0);
            EXPECT_EQ(Text(f.EditGeneralRadius), c.radius);
            EXPECT_EQ(Text(f.EditSectionInfoDistance), c.info);
            EXPECT_EQ(Text(f.EditDepthTolerance), c.tolerance);
            EXPECT_EQ(f.LabelRadiusUnit->text(), UnitToStr(c.small));
            EXPECT_EQ(f.LabelDepthUnit->text(), UnitToStr(c.depth));
        }, 1);
    }
}

TEST_F(RouteSettingsDefault, OkChangesTheOfferedFieldsOnly) {
    struct Case {
        const char *name;
        int32_t unit;
        QString radius, info, tolerance;  // typed; empty: untouched
        float radiusM;
        int32_t infoM;
        float toleranceM;
    };
    const Case cases[] = {
        {"untouched in feet keeps the exact metres", KvUnit::Foot, {}, {}, {}, 100.0f, 250, 0.2f},
        {"metres typed", KvUnit::Metre, "35", "120", "-0.5", 35.0f, 120, -0.5f},
        {"feet typed", KvUnit::Foot, "100", "500", "1", 30.48f, 152, 0.3048f},
        // The limits are metres: 300 m of waterway info distance, not 300 ft.
        {"feet beyond the limits", KvUnit::Foot, "99999", "2000", {}, 10000.0f, 300, 0.2f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUnits(c.unit, c.unit);
        SetWptRouteDefaults(Unusual());
        Run([&](TFormRouteSettingsDefault &f) {
            if (!c.radius.isEmpty()) Type(f.EditGeneralRadius, c.radius);
            if (!c.info.isEmpty()) Type(f.EditSectionInfoDistance, c.info);
            if (!c.tolerance.isEmpty()) Type(f.EditDepthTolerance, c.tolerance);
        });
        TWptRouteDefaults expected = Unusual();
        expected.PointRadius = c.radiusM;
        expected.SectionInfoDistance = c.infoM;
        expected.DepthTolerance = c.toleranceM;
        const TWptRouteDefaults got = Library();
        EXPECT_NEAR(got.PointRadius, c.radiusM, 1e-3);
        EXPECT_EQ(got.SectionInfoDistance, c.infoM);
        EXPECT_NEAR(got.DepthTolerance, c.toleranceM, 1e-5);
        expected.PointRadius = got.PointRadius;
        expected.DepthTolerance = got.DepthTolerance;
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << "a field the dialog does not show changed";
    }
}

TEST_F(RouteSettingsDefault, PlannerPageListsTheNetworksBodiesAndKeepsTheOthers) {
    SetWptRouteDefaults(Unusual());
    QStringList names;
    Run([&](TFormRouteSettingsDefault &f) {
        EXPECT_EQ(f.PageControl->currentIndex(), 1);
        for (int i = 0; i < f.CheckListBoxWaterbodies->count(); ++i) names << f.CheckListBoxWaterbodies->item(i)->text();
        ASSERT_TRUE(Body(f.CheckListBoxWaterbodies, 0));
        EXPECT_EQ(Body(f.CheckListBoxWaterbodies, 0)->checkState(), Qt::Checked);
        EXPECT_FALSE(Body(f.CheckListBoxWaterbodies, 8)) << "the demo network has no Baltic Sea";
        EXPECT_TRUE(f.RadioButtonSpeedCruising->isChecked());
        Body(f.CheckListBoxWaterbodies, 0)->setCheckState(Qt::Unchecked);
        f.RadioButtonSpeedHigh->setChecked(true);
    }, 0, true);
    // The list's order puts the Dutch inland waterways first.
    EXPECT_EQ(names, QStringList({"Inland waterways Netherlands", "North Sea"}));
    const TWptRouteDefaults got = Library();
    EXPECT_EQ(got.WaterBodies, (1u << 3) | (1u << 8));
    EXPECT_EQ(got.MotoringSpeed, 2);
    EXPECT_EQ(got.PlannerMode, 6);
    EXPECT_EQ(got.MastMode, 5);
    EXPECT_FLOAT_EQ(got.RiverCurrentFactor, 7.5f);
    EXPECT_TRUE(got.CalcDryingOut);
}

TEST_F(RouteSettingsDefault, CancelAndTheCloseBoxChangeNothing) {
    for (int close : {1, 2}) {
        SCOPED_TRACE(close == 1 ? "Cancel" : "close box");
        SetWptRouteDefaults(Unusual());
        Run([&](TFormRouteSettingsDefault &f) {
            Type(f.EditGeneralRadius, QStringLiteral("55"));
            Type(f.EditSectionInfoDistance, QStringLiteral("12"));
            f.RadioButtonSpeedLow->setChecked(true);
            Body(f.CheckListBoxWaterbodies, 3)->setCheckState(Qt::Unchecked);
        }, close);
        const TWptRouteDefaults got = Library();
        const TWptRouteDefaults expected = Unusual();
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0);
    }
}

TEST_F(RouteSettingsDefault, ConfirmedDefaultsSurviveARestart) {
    StartRun();
    SetUnits(KvUnit::Metre, KvUnit::Metre);
    Run([&](TFormRouteSettingsDefault &f) {
        Type(f.EditGeneralRadius, QStringLiteral("42"));
        Type(f.EditSectionInfoDistance, QStringLiteral("120"));
        f.RadioButtonSpeedLow->setChecked(true);
        Body(f.CheckListBoxWaterbodies, 0)->setCheckState(Qt::Unchecked);
    });
    const TWptRouteDefaults before = Library();
    Restart();
    const TWptRouteDefaults after = Library();
    EXPECT_FLOAT_EQ(after.PointRadius, 42.0f);
    EXPECT_EQ(after.SectionInfoDistance, 120);
    EXPECT_EQ(after.MotoringSpeed, 1);
    EXPECT_EQ(after.WaterBodies, before.WaterBodies);
    EXPECT_EQ(after.WaterBodies & 1u, 0u);
}

}  // namespace
