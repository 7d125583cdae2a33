// The planner settings dialog: waiting times in whole minutes, the NAP level in the depth
// unit, and OK or Cancel with the values the dialog does not show.
#include "routes/FrmSettingsPlanner.h"

#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

// Every value set, the ten further ones to something no dialog would produce.
TPlannerSettings Filled() {
    TPlannerSettings s;
    s.DelayBridges = 300;
    s.DelayLocks = 1200;
    s.NAPWaterLevel = 1.0f;
    s.ImposeSpeedLimit = true;
    s.ValueA3 = 7;
    s.ValueA4 = 1.5f;
    s.ValueA5 = 2.5f;
    s.ValueA7 = 3.5f;
    s.ValueA8 = 4.5f;
    s.ValueA9 = 5.5f;
    s.ValueA10 = 6.5f;
    s.ValueA11 = 7.5f;
    s.FlagA13 = true;
    s.FlagA14 = true;
    return s;
}

void ExpectFurtherValues(const TPlannerSettings &a, const TPlannerSettings &b) {
    EXPECT_EQ(a.ValueA3, b.ValueA3);
    EXPECT_EQ(a.ValueA4, b.ValueA4);
    EXPECT_EQ(a.ValueA5, b.ValueA5);
    EXPECT_EQ(a.ValueA7, b.ValueA7);
    EXPECT_EQ(a.ValueA8, b.ValueA8);
    EXPECT_EQ(a.ValueA9, b.ValueA9);
    EXPECT_EQ(a.ValueA10, b.ValueA10);
    EXPECT_EQ(a.ValueA11, b.ValueA11);
    EXPECT_EQ(a.FlagA13, b.FlagA13);
    EXPECT_EQ(a.FlagA14, b.FlagA14);
}

class SettingsPlanner : public ::testing::Test {
protected:
    void TearDown() override { TFormSettingsPlanner::SetPrompter(nullptr); }
    bool Run(TPlannerSettings &s, std::function<void(TFormSettingsPlanner &)> act, bool ok,
             int32_t depthUnit = KvUnit::Metre) {
        TFormSettingsPlanner::SetPrompter([&](TFormSettingsPlanner &f) {
            act(f);
            (ok ? f.ButtonOk : f.ButtonCancel)->click();
            return f.result();
        });
        return TFormSettingsPlanner::Execute(nullptr, s, KvUnit::Litre, depthUnit, QStringLiteral("EUR"), false);
    }
};

TEST_F(SettingsPlanner, WaitingTimesShowWholeMinutesAndKeepUntouchedSeconds) {
    struct Case {
        const char *name;
        int32_t stored;
        int moveTo;  // -1: bar not moved
        int shown;
        int32_t returned;
    };
    const Case cases[] = {
        {"90 s untouched", 90, -1, 1, 90},
        {"90 s moved to 2 min", 90, 2, 1, 120},
        {"4000 s shows the end of the bar", 4000, -1, 60, 4000},
        {"a delay of 90000 s is kept", 90000, -1, 60, 90000},
        {"moved down to zero", 300, 0, 5, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TPlannerSettings s = Filled();
        s.DelayBridges = c.stored;
        s.DelayLocks = c.stored;
        int shownBridge = -1, shownLock = -1;
        QString label;
        ASSERT_TRUE(Run(s, [&](TFormSettingsPlanner &f) {
            shownBridge = f.TrackBarTimeBridge->value();
            shownLock = f.TrackBarTimeLock->value();
            if (c.moveTo >= 0) f.TrackBarTimeBridge->setValue(c.moveTo);
            label = f.LabelTimeBridgeValue->text();
        }, true));
        EXPECT_EQ(shownBridge, c.shown);
        EXPECT_EQ(shownLock, c.shown);
        EXPECT_EQ(label, QString::number(c.moveTo >= 0 ? c.moveTo : c.shown) + QStringLiteral(" min."));
        EXPECT_EQ(s.DelayBridges, c.returned);
        EXPECT_EQ(s.DelayLocks, c.stored) << "the lock bar was not moved";
        ExpectFurtherValues(s, Filled());
    }
}

TEST_F(SettingsPlanner, NAPLevelInTheDepthUnit) {
    struct Case {
        const char *name;
        int32_t unit;
        QString typed;  // empty: untouched
        QString shown;
        double metres;
    };
    const Case cases[] = {
        {"metres untouched", KvUnit::Metre, {}, QStringLiteral("1.0"), 1.0},
        {"metres typed", KvUnit::Metre, QStringLiteral("0.2"), QStringLiteral("1.0"), 0.2},
        {"feet untouched keeps the exact metres", KvUnit::Foot, {}, QStringLiteral("3.3"), 1.0},
        {"feet typed", KvUnit::Foot, QStringLiteral("2.0"), QStringLiteral("3.3"), 0.6096},
        {"typed beyond the range is held to it", KvUnit::Metre, QStringLiteral("250"), QStringLiteral("1.0"), 100.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TPlannerSettings s = Filled();
        QString shown, unit;
        ASSERT_TRUE(Run(s, [&](TFormSettingsPlanner &f) {
            shown = f.EditNAPWaterLevel->text().replace(QLatin1Char(','), QLatin1Char('.'));
            unit = f.LabelNAPUnit->text();
            if (!c.typed.isEmpty()) {
                f.EditNAPWaterLevel->setText(QString(c.typed).replace(QLatin1Char('.'), f.EditNAPWaterLevel->DecimalSeparator()));
                f.EditNAPWaterLevel->DoExit();
            }
        }, true, c.unit));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(unit, UnitToStr(c.unit));
        EXPECT_NEAR(s.NAPWaterLevel, c.metres, 1e-5);
        ExpectFurtherValues(s, Filled());
    }
}

TEST_F(SettingsPlanner, CancelLeavesEveryValueAndOkOnlyTheShownOnes) {
    auto change = [](TFormSettingsPlanner &f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Planner"));
        f.TrackBarTimeBridge->setValue(30);
        f.TrackBarTimeLock->setValue(45);
        f.CheckBoxImposeSpeedLimit->setChecked(false);
        f.EditNAPWaterLevel->setText(QStringLiteral("3"));
    };
    TPlannerSettings s = Filled();
    EXPECT_FALSE(Run(s, change, false));
    EXPECT_EQ(s.DelayBridges, 300);
    EXPECT_EQ(s.DelayLocks, 1200);
    EXPECT_EQ(s.NAPWaterLevel, 1.0f);
    EXPECT_TRUE(s.ImposeSpeedLimit);
    ExpectFurtherValues(s, Filled());

    // The close box is a cancel too.
    TFormSettingsPlanner::SetPrompter([&](TFormSettingsPlanner &f) {
        change(f);
        f.close();
        return f.result();
    });
    EXPECT_FALSE(TFormSettingsPlanner::Execute(nullptr, s, KvUnit::Litre, KvUnit::Metre, QString(), true));
    EXPECT_EQ(s.DelayBridges, 300);

    EXPECT_TRUE(Run(s, change, true));
    EXPECT_EQ(s.DelayBridges, 1800);
    EXPECT_EQ(s.DelayLocks, 2700);
    EXPECT_FALSE(s.ImposeSpeedLimit);
    EXPECT_FLOAT_EQ(s.NAPWaterLevel, 3.0f);
    ExpectFurtherValues(s, Filled());
}

}  // namespace
