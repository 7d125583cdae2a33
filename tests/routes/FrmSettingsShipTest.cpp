// The ship profile dialog on a boat definition of the core library: what it shows in the
// user's units, the rising-speeds rule, what OK writes and Cancel does not, values it does
// not show, and the boat picture by day and by night.
#include "CoreTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "TestSupport.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "routes/FrmSettingsShip.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

constexpr float FuelLow = 1.0e-6f, FuelCruise = 2.0e-6f, FuelHigh = 4.0e-6f;  // m³/s: 3.6, 7.2, 14.4 l/h

class SettingsShip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        FOldMsgBox = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return int(mrOk);
        });
        Boat.reset(LPBoatDefCreate(1));
        Boat->SetBoatType(LPBoatDef::KindPower);
        Boat->SetCommercial(false);
        Boat->SetDimensions(10.0f, 3.5f, TFloat2{4.0f, 0.5f});
        Boat->SetDraught(1.2f);
        Boat->SetHeights(2.0f, 1.2f, 0.3f);
        Boat->SetSpeeds(2.0f, 3.0f, 5.0f);
        const TFloat2 curve[4] = {{0, 0}, {2.0f, FuelLow}, {3.0f, FuelCruise}, {5.0f, FuelHigh}};
        Boat->GetFuelCurve()->SetPoints(4, curve);
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"),
                       QStringLiteral("Tern"), err);
    }
    void TearDown() override {
        TFormSettingsShip::SetPrompter(nullptr);
        SetMsgBoxPrompter(std::move(FOldMsgBox));
        NightScreen()->SetActive(false);
    }
    bool Run(std::function<void(TFormSettingsShip &)> act, bool ok, int32_t small = KvUnit::Metre,
             int32_t speed = KvUnit::KilometrePerHour, bool onDimensions = false) {
        TFormSettingsShip::SetPrompter([&](TFormSettingsShip &f) {
            act(f);
            if (!f.Closed()) (ok ? f.ButtonOk : f.ButtonCancel)->click();
            return f.result();
        });
        return TFormSettingsShip::Execute(Boat.get(), 0, false, speed, small, KvUnit::LitrePerHour, small,
                                          onDimensions);
    }
    static QString Text(TNumberEdit *e) { return e->text().replace(QLatin1Char(','), QLatin1Char('.')); }
    static void Type(TNumberEdit *e, const QString &text) {
        e->setText(QString(text).replace(QLatin1Char('.'), e->DecimalSeparator()));
    }
    static QString ShipName() {
        QString name;
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"), QString(),
                         name);
        return name;
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("ship")};
    testsupport::Owned<ILPBoatDef> Boat;
    QStringList Messages;

private:
    TMsgBoxPrompter FOldMsgBox;
};

TEST_F(SettingsShip, ShowsTheProfileInTheUsersUnits) {
    struct Case {
        const char *name;
        int32_t small, speed;
        QStringList dims;    // length, beam, draught, height, X, Y
        QStringList speeds;  // low, cruising, high
    };
    const Case cases[] = {
        {"metres and km/h", KvUnit::Metre, KvUnit::KilometrePerHour,
         {"10.00", "3.50", "1.20", "2.00", "4.00", "0.50"}, {"7.2", "10.8", "18.0"}},
        {"feet and knots", KvUnit::Foot, KvUnit::Knot,
         {"32.81", "11.48", "3.94", "6.56", "13.12", "1.64"}, {"3.9", "5.8", "9.7"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Run([&](TFormSettingsShip &f) {
            EXPECT_EQ(f.windowTitle(), QStringLiteral("Ship"));
            EXPECT_EQ(f.PageControl->currentIndex(), int(TFormSettingsShip::PageGeneral));
            EXPECT_EQ(f.EditShipName->text(), QStringLiteral("Tern"));
            EXPECT_TRUE(f.RadioButtonTypePleasure->isChecked());
            EXPECT_EQ(QStringList({Text(f.EditDimensionLength), Text(f.EditDimensionBeam), Text(f.EditDraught),
                                   Text(f.EditHeight), Text(f.EditDimensionX), Text(f.EditDimensionY)}),
                      c.dims);
            EXPECT_EQ(QStringList({Text(f.EditSpeedLow), Text(f.EditSpeedCruising), Text(f.EditSpeedHigh)}),
                      c.speeds);
            // The curve's values at the three speeds.
            EXPECT_EQ(QStringList({Text(f.EditFuelLow), Text(f.EditFuelCruising), Text(f.EditFuelHigh)}),
                      QStringList({"3.6", "7.2", "14.4"}));
            EXPECT_EQ(f.DimensionUnits[0]->text(), UnitToStr(c.small));
            EXPECT_EQ(f.LabelSpeedUnit[0]->text(), UnitToStr(c.speed));
            EXPECT_EQ(f.LabelFuelUnit[2]->text(), UnitToStr(KvUnit::LitrePerHour));
            EXPECT_TRUE(f.PanelPolar->isHidden()) << "a power boat has no polar row";
        }, false, c.small, c.speed);
    }
}

TEST_F(SettingsShip, SpeedsThatDoNotRiseAreRefused) {
    struct Case {
        const char *name;
        QString low, cruise, high;
        bool accepted;
    };
    const Case cases[] = {
        {"equal low and cruising", "8", "8", "20", false},
        {"equal cruising and high", "8", "12", "12", false},
        {"high below low", "15", "16", "10", false},
        {"rising", "8", "12", "20", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        int page = -1;
        bool stayedOpen = false;
        const bool ok = Run([&](TFormSettingsShip &f) {
            Type(f.EditSpeedLow, c.low);
            Type(f.EditSpeedCruising, c.cruise);
            Type(f.EditSpeedHigh, c.high);
            f.ButtonOk->click();
            page = f.PageControl->currentIndex();
            stayedOpen = !f.Closed();
            // Give up: the dialog is cancelled below.
            if (stayedOpen) f.ButtonCancel->click();
        }, false);
        EXPECT_EQ(ok, c.accepted);
        EXPECT_EQ(stayedOpen, !c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(Messages, QStringList(
                "Please enter increasing values for the low, cruising and high speed of your ship."));
            EXPECT_EQ(page, int(TFormSettingsShip::PageSpeed));
            EXPECT_FLOAT_EQ(Boat->GetVLow(), 2.0f) << "a refused dialog writes nothing";
        } else {
            EXPECT_TRUE(Messages.isEmpty());
            EXPECT_NEAR(Boat->GetVCruise(), 12.0 / 3.6, 1e-5);
        }
    }
}

TEST_F(SettingsShip, OkWritesMetresAndTheFourPointCurveCancelNothing) {
    auto change = [](TFormSettingsShip &f) {
        f.EditShipName->setText(QStringLiteral("Skua"));
        f.RadioButtonTypeCommercial->setChecked(true);
        Type(f.EditDimensionLength, QStringLiteral("40"));
        Type(f.EditDimensionBeam, QStringLiteral("12"));
        Type(f.EditDimensionX, QStringLiteral("30"));
        Type(f.EditDimensionY, QStringLiteral("-2"));
        Type(f.EditDraught, QStringLiteral("5"));
        Type(f.EditHeight, QStringLiteral("10"));
        Type(f.EditSpeedHigh, QStringLiteral("8"));
        Type(f.EditFuelHigh, QStringLiteral("20"));
    };
    EXPECT_FALSE(Run(change, false, KvUnit::Foot, KvUnit::Knot));
    EXPECT_EQ(ShipName(), QStringLiteral("Tern")) << "Cancel writes not even the name";
    EXPECT_FLOAT_EQ(Boat->GetLength(), 10.0f);
    EXPECT_FALSE(Boat->GetCommercial());
    EXPECT_FLOAT_EQ(Boat->GetVHigh(), 5.0f);

    EXPECT_TRUE(Run(change, true, KvUnit::Foot, KvUnit::Knot));
    EXPECT_EQ(ShipName(), QStringLiteral("Skua"));
    EXPECT_TRUE(Boat->GetCommercial());
    EXPECT_NEAR(Boat->GetLength(), 12.192, 1e-4);
    EXPECT_NEAR(Boat->GetWidth(), 3.6576, 1e-4);
    EXPECT_NEAR(Boat->GetGPSPosition()->X, 9.144, 1e-4);
    EXPECT_NEAR(Boat->GetGPSPosition()->Y, -0.6096, 1e-4);
    EXPECT_NEAR(Boat->GetDraught(), 1.524, 1e-4);
    EXPECT_NEAR(Boat->GetHeightStepped(), 3.048, 1e-4);
    // Untouched speeds keep their exact m/s; the changed one comes from knots.
    EXPECT_FLOAT_EQ(Boat->GetVLow(), 2.0f);
    EXPECT_FLOAT_EQ(Boat->GetVCruise(), 3.0f);
    EXPECT_NEAR(Boat->GetVHigh(), 8 * 1852.0 / 3600.0, 1e-5);
    ILPBoatDefCurve *curve = Boat->GetFuelCurve();
    ASSERT_EQ(curve->GetCount(), 4);
    EXPECT_EQ(curve->GetPoint(0).X, 0.0f);
    EXPECT_EQ(curve->GetPoint(0).Y, 0.0f);
    EXPECT_FLOAT_EQ(curve->GetPoint(1).X, 2.0f);
    EXPECT_FLOAT_EQ(curve->GetPoint(1).Y, FuelLow);
    EXPECT_FLOAT_EQ(curve->GetPoint(2).Y, FuelCruise);
    EXPECT_NEAR(curve->GetPoint(3).X, 8 * 1852.0 / 3600.0, 1e-5);
    EXPECT_NEAR(curve->GetPoint(3).Y, 20.0 / 3.6e6, 1e-10);
}

TEST_F(SettingsShip, ValuesTheDialogDoesNotShowSurviveOk) {
    Boat->SetBoatType(LPBoatDef::KindCruising);
    Boat->SetElectric(true);
    Boat->SetMotorLowSOG(1.5f);
    Boat->SetTimeUnstepStep(600);
    Boat->SetMinDepthTolerance(0.4f);
    const TFloat2 nine[9] = {{0, 0}, {1, 0.5e-6f}, {1.5f, 0.7e-6f}, {2, 1e-6f}, {2.5f, 1.5e-6f},
                             {3, 2e-6f}, {4, 3e-6f}, {5, 4e-6f}, {6, 6e-6f}};
    Boat->GetFuelCurve()->SetPoints(9, nine);
    bool sailingRows = false;
    ASSERT_TRUE(Run([&](TFormSettingsShip &f) {
        sailingRows = !f.PanelPolar->isHidden() && !f.PanelSpinnaker->isHidden() && !f.PanelMotorMin->isHidden();
        Type(f.EditDimensionLength, QStringLiteral("11"));
    }, true));
    EXPECT_TRUE(sailingRows) << "a cruising sailing boat shows its rows";
    EXPECT_EQ(Boat->GetKind(), LPBoatDef::KindCruising);
    EXPECT_TRUE(Boat->GetElectric());
    EXPECT_FLOAT_EQ(Boat->GetHeightUnstepped(), 1.2f);
    EXPECT_FLOAT_EQ(Boat->GetHeightSafeMargin(), 0.3f);
    EXPECT_FLOAT_EQ(Boat->GetMotorLowSOG(), 1.5f);
    EXPECT_EQ(Boat->GetTimeUnstepStep(), 600);
    EXPECT_FLOAT_EQ(Boat->GetMinDepthTolerance(), 0.4f);
    EXPECT_EQ(Boat->GetFuelCurve()->GetCount(), 9) << "no speed or consumption changed";
    EXPECT_FLOAT_EQ(Boat->GetLength(), 11.0f);

    // A changed consumption rewrites the curve with the four points.
    ASSERT_TRUE(Run([&](TFormSettingsShip &f) { Type(f.EditFuelLow, QStringLiteral("5")); }, true));
    EXPECT_EQ(Boat->GetFuelCurve()->GetCount(), 4);
}

TEST_F(SettingsShip, BoatPictureInFeetByDayAndByNight) {
    for (bool night : {false, true}) {
        SCOPED_TRACE(night ? "night" : "day");
        NightScreen()->SetActive(night);
        Run([&](TFormSettingsShip &f) {
            f.show();
            EXPECT_EQ(f.PageControl->currentIndex(), int(TFormSettingsShip::PageDimensions));
            const QImage before = f.ImageBoat->pixmap().toImage();
            // The picture follows the edits, in feet as shown.
            Type(f.EditDimensionBeam, QStringLiteral("20"));
            const QImage after = f.ImageBoat->pixmap().toImage();
            EXPECT_NE(before, after);
            const QRgb corner = after.pixel(1, 1);
            if (night)
                EXPECT_NE(corner, qRgb(255, 255, 255)) << "night mode recolours the picture";
            else
                EXPECT_EQ(corner, qRgb(255, 255, 255));
            shelltest::SaveScreenshot(&f, night ? QStringLiteral("SettingsShipDimensionsNight")
                                                : QStringLiteral("SettingsShipDimensionsDay"));
        }, false, KvUnit::Foot, KvUnit::Knot, true);
    }
}

}  // namespace
