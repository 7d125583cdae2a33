// The view settings dialog and the single-viewer dialog on the real main viewer frame over
// the demo data: what OK writes to the environment, the viewer and the store, what Cancel
// leaves, the conversions the pages make, and what the user types wrongly.
#include "SettingsDialogSupport.h"

#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FraSettingsCommonColors.h"
#include "shell/FraSettingsCommonRoutes.h"
#include "shell/FraSettingsCommonScale.h"
#include "shell/FraSettingsCommonScreen.h"
#include "shell/FraSettingsCommonTracks.h"
#include "shell/FraSettingsViewer.h"
#include "shell/FraSettingsViewerCharts.h"
#include "shell/FraSettingsViewerGPS.h"
#include "shell/FraSettingsViewerRoutes.h"
#include "shell/FraSettingsViewerWaypoints.h"
#include "shell/FrmSettingsView.h"
#include "shell/FrmSettingsViewChartViewer.h"
#include "shell/SettingsColorSwatch.h"
#include "tests/chartview/ViewerFrameFixture.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

using CC = TCommonSettingsCategory;
using VC = TViewerSettingsCategory;

QString StoredString(const QString &key) {
    QString v;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, key, RegName(u"Category"), QStringLiteral("<none>"), v);
    return v;
}

int32_t StoredInt(const QString &key, const char16_t *name) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key, RegName(QString::fromUtf16(name)), -12345);
}

float StoredSingle(const QString &key, const char16_t *name) {
    return RegReadSingleDef(GetAppReg(), AppRegRoot::Product, key, RegName(QString::fromUtf16(name)), -1.0f);
}

double StoredDouble(const QString &key, const char16_t *name) {
    return RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, key, RegName(QString::fromUtf16(name)), -1.0);
}

void WriteCategory(const QString &key, const QString &name) {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, key, RegName(u"Category"), name, err);
}

void Type(TCustomEditEx *edit, const QString &text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Leaves the edit as a focus change does.
void Leave(TCustomEditEx *edit) {
    edit->DoExit();
    if (edit->OnExit) edit->OnExit(edit);
}

template <class TPage>
TPage *CommonPage(TFormSettingsView &form, CC category) {
    form.FrameCommon->SelectCategory(int(category));
    return dynamic_cast<TPage *>(form.FrameCommon->Page(int(category)));
}

template <class TPage>
TPage *ViewerPage(TFrameSettingsViewer *frame, VC category) {
    frame->SelectCategory(int(category));
    return dynamic_cast<TPage *>(frame->Page(int(category)));
}

class SettingsView : public ViewerFrameFixture {
protected:
    void SetUp() override {
        ViewerFrameFixture::SetUp();
        MakeFrame(QSize(640, 480));
    }
    void TearDown() override {
        TSettingsColorSwatch::SetColorPrompter(nullptr);
        TFormSettingsView::SetPrompter(nullptr);
        TFormSettingsViewChartViewer::SetPrompter(nullptr);
        QLocale::setDefault(QLocale::c());
        ViewerFrameFixture::TearDown();
    }
    bool Run(const std::function<void(TFormSettingsView &)> &steps, bool ok = true) {
        return RunSettingsDialog<TFormSettingsView>(steps, ok, *Env, Frame, nullptr, nullptr);
    }
    const QString Key = QStringLiteral("ViewerMain");
};

}  // namespace

TEST_F(SettingsView, OnlyTheMainViewerGivenShowsTwoTabsAndOkWritesEnvironmentAndViewer) {
    TSettingsColorSwatch::SetColorPrompter([](QWidget *, QColor &c) {
        c = QColor(10, 20, 30);
        return true;
    });
    ASSERT_TRUE(Run([](TFormSettingsView &form) {
        QStringList visible;
        for (int i = 0; i < form.PageControl->count(); ++i)
            if (form.PageControl->isTabVisible(i)) visible << form.PageControl->tabText(i);
        EXPECT_EQ(visible, (QStringList{"Common", "Main chartviewer"}));
        EXPECT_EQ(form.windowTitle(), "View");
        EXPECT_EQ(form.ButtonHelp->text(), "&Help (F1)");
        EXPECT_EQ(form.FrameViewer[1], nullptr);
        auto *colors = CommonPage<TFrameSettingsCommonColors>(form, CC::Colors);
        QTest::mouseClick(colors->ButtonColorViewer, Qt::LeftButton);
        auto *routes = CommonPage<TFrameSettingsCommonRoutes>(form, CC::Routes);
        routes->TrackBarLegLineWidth->setValue(7);
        auto *charts = ViewerPage<TFrameSettingsViewerCharts>(form.FrameViewer[0], VC::Charts);
        charts->CheckBoxAllChartBounds->click();
    }));
    // The environment: the colour as ARGB, red in the high byte.
    EXPECT_EQ(uint32_t(Env->ColorClear), 0xFF0A141Eu);
    EXPECT_EQ(uint32_t(StoredInt(QStringLiteral("Colors"), u"Clear")), 0xFF0A141Eu);
    // The viewer: what the common tab and the viewer tab changed, stored under its key.
    EXPECT_EQ(Frame->GetLegWidth(), 7);
    EXPECT_EQ(StoredInt(Key, u"LegWidth"), 7);
    EXPECT_TRUE(Frame->GetShowChartBounds());
    EXPECT_TRUE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"ShowChartBounds"), false));
}

TEST_F(SettingsView, StoredCategoriesOpenTheirTileAndCancelKeepsOnlyTheNewTile) {
    struct Case {
        QString stored;
        CC expected;
    };
    for (const Case &c : {Case{"COMTRACKS", CC::Tracks}, Case{"comColors", CC::Colors},
                          Case{"comWWNetwork", CC::Screen}, Case{"genNone", CC::Screen},
                          Case{"", CC::Screen}, Case{"garbage", CC::Screen}}) {
        WriteCategory(QStringLiteral("View"), c.stored);
        Run([&](TFormSettingsView &form) {
            EXPECT_EQ(form.FrameCommon->SelectedCategory(), int(c.expected)) << c.stored.toStdString();
            EXPECT_TRUE(form.FrameCommon->Page(int(c.expected))->isVisible());
        }, false);
        EXPECT_EQ(StoredString(QStringLiteral("View")), c.stored) << "opening writes nothing";
    }
    struct ViewerCase {
        QString stored;
        VC expected;
    };
    for (const ViewerCase &c : {ViewerCase{"viewGRIB", VC::GPSCursor}, ViewerCase{"viewAIS", VC::GPSCursor},
                                ViewerCase{"viewTides", VC::GPSCursor}, ViewerCase{"VIEWROUTES", VC::Routes},
                                ViewerCase{"viewNone", VC::GPSCursor}, ViewerCase{"x", VC::GPSCursor}}) {
        WriteCategory(Key, c.stored);
        Run([&](TFormSettingsView &form) {
            EXPECT_EQ(form.FrameViewer[0]->SelectedCategory(), int(c.expected)) << c.stored.toStdString();
        }, false);
    }

    const int32_t width = Frame->GetLegWidth();
    const uint32_t clear = uint32_t(Env->ColorClear);
    EXPECT_FALSE(Run([&](TFormSettingsView &form) {
        auto *routes = CommonPage<TFrameSettingsCommonRoutes>(form, CC::Routes);
        routes->TrackBarLegLineWidth->setValue(width + 3);
        ViewerPage<TFrameSettingsViewerRoutes>(form.FrameViewer[0], VC::Waypoints);
    }, false));
    EXPECT_EQ(StoredString(QStringLiteral("View")), "comRoutes");
    EXPECT_EQ(StoredString(Key), "viewWaypoints");
    EXPECT_EQ(Frame->GetLegWidth(), width);
    EXPECT_EQ(uint32_t(Env->ColorClear), clear);
}

TEST_F(SettingsView, ConversionTablesOfThePages) {
    struct Scale {
        float scale;
        int index;
    };
    for (const Scale &c : {Scale{0.5f, 0}, Scale{0.8f, 0}, Scale{0.9f, 2}, Scale{1.0f, 3}, Scale{1.1f, 4},
                           Scale{1.25f, 4}, Scale{2.0f, 6}, Scale{2.5f, 6}})
        EXPECT_EQ(TFrameSettingsCommon::CursorScaleToIndex(c.scale), c.index) << c.scale;
    EXPECT_FLOAT_EQ(TFrameSettingsCommon::ClampRefreshInterval(0.05f), 0.1f);
    EXPECT_FLOAT_EQ(TFrameSettingsCommon::ClampRefreshInterval(30.0f), 10.0f);
    EXPECT_EQ(TFrameSettingsCommonScreen::TransparencyPosition(102), 60);
    EXPECT_EQ(TFrameSettingsCommonScreen::OpacityOf(0), 255);
    EXPECT_EQ(TFrameSettingsCommonScreen::OpacityOf(100), 0);
    EXPECT_FLOAT_EQ(TFrameSettingsCommonScreen::NightscreenIntensityOf(2), 0.03f);
    const float perKnot10 = TFrameSettingsCommonScale::PixelScaleOf(10, KvUnit::Knot);
    EXPECT_NEAR(perKnot10, 0.0514, 0.0001);
    EXPECT_EQ(TFrameSettingsCommonScale::PixelsOf(perKnot10, KvUnit::Knot), 10);
    EXPECT_EQ(TFrameSettingsCommonColors::CourseLineWidthPosition(1.5f), 3);
    EXPECT_EQ(TFrameSettingsViewerWaypoints::SectorWidthText(10), "1.0 cm/h10m");
    EXPECT_EQ(TFrameSettingsViewerWaypoints::SectorWidthText(120), "12.0 cm/h10m");
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    EXPECT_EQ(TFrameSettingsViewerWaypoints::SectorWidthText(10), "1,0 cm/h10m");
    EXPECT_EQ(TFrameSettingsCommonColors::CourseLineWidthText(1.5f), "1,5");
    EXPECT_EQ(TFrameSettingsCommonScale::UnitName(KvUnit::Knot), "kn");
    EXPECT_EQ(TFrameSettingsCommonScale::UnitName(0x12345), "");
}

TEST_F(SettingsView, PagesShowAndStoreWhatTheUserSets) {
    Env->NightscreenIntensity = 0.5f;
    Env->UnitSpeed = KvUnit::Knot;
    Env->UnitDistanceLarge = KvUnit::NauticalMile;
    Frame->SetSmartLabelTransparency(102);
    Frame->SetRhumblineWidth(1.5f);
    Frame->SetDistanceCircles(926.0);
    Frame->SetDistanceCirclesAuto(false);
    Frame->SetGPSFlags(Frame->GetGPSFlags() | ViewerSettingsBit::GPSDistanceCircles);
    ASSERT_TRUE(Run([](TFormSettingsView &form) {
        auto *screen = CommonPage<TFrameSettingsCommonScreen>(form, CC::Screen);
        EXPECT_EQ(screen->TrackBarSmartBackgroundTransparency->value(), 60);
        EXPECT_EQ(screen->PanelSmartBackgroundTransparencyValue->text(), "60%");
        screen->TrackBarNightscreenIntensity->setValue(2);
        EXPECT_EQ(screen->PanelNightscreenIntensityValue->text(), "3%");
        EXPECT_EQ(screen->TrackBarNightscreenIntensity->value(), 2);
        auto *colors = CommonPage<TFrameSettingsCommonColors>(form, CC::Colors);
        EXPECT_EQ(colors->TrackBarCourseLineWidth->value(), 3);
        EXPECT_EQ(colors->LabelCourseLineWidthValue->text(), "1.5");
        colors->TrackBarCourseLineWidth->setValue(7);
        auto *scale = CommonPage<TFrameSettingsCommonScale>(form, CC::Scale);
        scale->RadioTimeScale->click();
        Type(scale->EditPixelScale, "10");
        Leave(scale->EditPixelScale);
        auto *gps = ViewerPage<TFrameSettingsViewerGPS>(form.FrameViewer[0], VC::GPSCursor);
        EXPECT_EQ(gps->EditDistanceCircleDistance->text(), "0.50");
        EXPECT_EQ(gps->LabelDistanceUnit->text(), UnitToStr(KvUnit::NauticalMile));
        EXPECT_TRUE(gps->EditDistanceCircleDistance->isEnabled());
        Type(gps->EditDistanceCircleDistance, "1");
        // Still being typed when OK is pressed.
    }));
    EXPECT_FLOAT_EQ(Env->NightscreenIntensity, 0.03f);
    EXPECT_FLOAT_EQ(Frame->GetRhumblineWidth(), 3.5f);
    EXPECT_NEAR(Frame->GetDistanceCircles(), 1852.0, 0.01);
    EXPECT_NEAR(StoredDouble(Key, u"DistanceCircles"), 1852.0, 0.01);
    EXPECT_EQ(StoredInt(Key, u"ScaleMode"), 0);
    EXPECT_NEAR(StoredSingle(Key, u"ScalePixV"), 0.0514, 0.0001);
    Run([](TFormSettingsView &form) {
        auto *screen = CommonPage<TFrameSettingsCommonScreen>(form, CC::Screen);
        EXPECT_EQ(screen->TrackBarNightscreenIntensity->value(), 3);
        auto *scale = CommonPage<TFrameSettingsCommonScale>(form, CC::Scale);
        EXPECT_EQ(scale->EditPixelScale->GetIntValue(), 10);
        EXPECT_TRUE(scale->RadioTimeScale->isChecked());
    }, false);
}

TEST_F(SettingsView, UntouchedValuesGoBackExactlyAsRead) {
    Frame->SetCursorScale(1.1);
    Frame->SetTrackPointInterval(45);
    Env->SetSlowInterval(0.05f);
    const float pixelScale = StoredSingle(Key, u"ScalePixV");
    // Great circles and leg type are set elsewhere; clicks on the routes page keep them.
    Frame->SetRouteExtraFlags(Frame->GetRouteExtraFlags() | 0x400 | 0x80);
    Frame->SetRouteFlags(Frame->GetRouteFlags() | 0x1);
    ASSERT_TRUE(Run([](TFormSettingsView &form) {
        auto *screen = CommonPage<TFrameSettingsCommonScreen>(form, CC::Screen);
        EXPECT_EQ(screen->TrackBarCursorScale->value(), 4);
        auto *tracks = CommonPage<TFrameSettingsCommonTracks>(form, CC::Tracks);
        EXPECT_EQ(tracks->ComboBoxTrackPointInterval->currentIndex(), -1);
        CommonPage<TFrameSettingsCommonScale>(form, CC::Scale);
        auto *routes = ViewerPage<TFrameSettingsViewerRoutes>(form.FrameViewer[0], VC::Routes);
        routes->CheckBoxExtraPlumbline->click();
        routes->CheckBoxNameLabels->click();
    }));
    EXPECT_FLOAT_EQ(Frame->GetCursorScale(), 1.1f);
    EXPECT_EQ(Frame->GetTrackPointInterval(), 45);
    EXPECT_FLOAT_EQ(Env->GetSlowInterval(), 0.05f);
    EXPECT_FLOAT_EQ(StoredSingle(Key, u"ScalePixV"), pixelScale);
    const uint32_t extra = Frame->GetRouteExtraFlags();
    EXPECT_EQ(extra & 0x480u, 0x480u) << "bits the page does not own stay";
    EXPECT_TRUE(extra & ViewerSettingsBit::RouteExtraPlumbline);
}

TEST_F(SettingsView, BadInputIsClampedAndACancelledColourChangesNothing) {
    Frame->SetDistanceCirclesAuto(false);
    Frame->SetGPSFlags(Frame->GetGPSFlags() | ViewerSettingsBit::GPSDistanceCircles);
    const uint32_t fix = uint32_t(Env->ColorGPSFix);
    TSettingsColorSwatch::SetColorPrompter([](QWidget *, QColor &c) {
        c = Qt::red;
        return false;
    });
    ASSERT_TRUE(Run([](TFormSettingsView &form) {
        auto *colors = CommonPage<TFrameSettingsCommonColors>(form, CC::Colors);
        QTest::mouseClick(colors->ButtonColorGPSFix, Qt::LeftButton);
        auto *scale = CommonPage<TFrameSettingsCommonScale>(form, CC::Scale);
        Type(scale->EditTimeScaleCount, "abc99");
        Leave(scale->EditTimeScaleCount);
        EXPECT_EQ(scale->EditTimeScaleCount->GetIntValue(), 20);
        auto *gps = ViewerPage<TFrameSettingsViewerGPS>(form.FrameViewer[0], VC::GPSCursor);
        Type(gps->EditDistanceCircleCount, "500");
        Leave(gps->EditDistanceCircleCount);
        EXPECT_EQ(gps->EditDistanceCircleCount->GetIntValue(), 20);
    }));
    EXPECT_EQ(uint32_t(Env->ColorGPSFix) & 0xFFFFFF, fix & 0xFFFFFF);
    EXPECT_EQ(StoredInt(Key, u"ScaleTimeCount"), 20);
    EXPECT_EQ(Frame->GetDistanceCirclesCount(), 20);

    // Without a notification centre the section is hidden and both filters are off.
    INavNotificationCenter *centre = Env->NotificationCenter;
    Env->NotificationCenter = nullptr;
    Run([](TFormSettingsView &form) {
        auto *screen = CommonPage<TFrameSettingsCommonScreen>(form, CC::Screen);
        EXPECT_FALSE(screen->PanelNotifications->isVisible());
        EXPECT_FALSE(screen->LabelNotifications->isVisible());
        EXPECT_FALSE(form.FrameCommon->Settings().ShowNotificationsAlarm);
        EXPECT_FALSE(form.FrameCommon->Settings().ShowNotificationsOther);
    });
    Env->NotificationCenter = centre;
}

TEST_F(SettingsView, TheSingleViewerDialogAppliesOnOkOnly) {
    const uint32_t waypoints = Frame->GetWaypointFlags();
    EXPECT_FALSE(RunSettingsDialog<TFormSettingsViewChartViewer>(
        [](TFormSettingsViewChartViewer &form) {
            EXPECT_EQ(form.windowTitle(), "Properties Main chart viewer");
            auto *page = ViewerPage<TFrameSettingsViewerWaypoints>(form.FrameViewer, VC::Waypoints);
            page->CheckBoxWaypoints->click();
        },
        false, *Env, *Frame, nullptr, nullptr));
    EXPECT_EQ(Frame->GetWaypointFlags(), waypoints);
    // OK stores every value again, also one the store had lost.
    int32_t err = 0;
    RegDeleteValue(GetAppReg(), AppRegRoot::Product, Key, RegName(u"MaxHeightRadiusMM"), err);
    ASSERT_TRUE(RunSettingsDialog<TFormSettingsViewChartViewer>(
        [](TFormSettingsViewChartViewer &form) {
            auto *page = ViewerPage<TFrameSettingsViewerWaypoints>(form.FrameViewer, VC::Waypoints);
            page->CheckBoxWaypointNameLabels->click();
        },
        true, *Env, *Frame, nullptr, nullptr));
    EXPECT_EQ(Frame->GetWaypointFlags() & 0x2, (waypoints & 0x2) ^ 0x2);
    const bool names = Frame->GetWaypointFlags() & 0x2;
    EXPECT_EQ((Frame->GetNetworkFlags() & ViewerSettingsBit::NetworkSectionNamesLabels) != 0, names);
    EXPECT_EQ(StoredInt(Key, u"MaxHeightRadiusMM"), Frame->GetMaxHeightRadiusMM());
}
