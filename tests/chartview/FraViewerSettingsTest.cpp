// The chart-viewer frame's stored display settings on the real viewer and settings store.
#include "ViewerFrameFixture.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "chartview/ViewerSettingsTable.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QSet>

namespace VS = ViewerSetting;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString Key = QStringLiteral("ViewerMain");

QSet<QString> StoredNames() {
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), Root, Key, names, err);
    return QSet<QString>(names.begin(), names.end());
}

void StoreBool(const char16_t *name, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, Key, RegName(QString::fromUtf16(name)), value, err);
    ASSERT_EQ(err, 0);
}

void StoreInt(const char16_t *name, int32_t value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, Key, RegName(QString::fromUtf16(name)), value, err);
    ASSERT_EQ(err, 0);
}

bool StoredBool(const char16_t *name) {
    return RegReadBoolDef(GetAppReg(), Root, Key, RegName(QString::fromUtf16(name)), true);
}

}  // namespace

using ViewerSettings = ViewerFrameFixture;

TEST_F(ViewerSettings, EmptySectionGivesTheDefaultsInViewerAndStore) {
    MakeFrame();
    const QSet<QString> names = StoredNames();
    for (const VS::TValue *value : VS::LoadedValues()) {
        const QString name = QString::fromUtf16(value->Name);
        ASSERT_TRUE(names.contains(name)) << name.toStdString();
        const double expected = value->Type == VS::TType::Single ? double(float(value->Default))
                                                                 : value->Default;
        EXPECT_EQ(VS::ReadValue(Key, *value), expected) << name.toStdString();
    }
    for (const VS::TGroup *group : {&VS::AIS, &VS::GPS, &VS::GRIB, &VS::Route, &VS::RouteExtra,
                                    &VS::Tide, &VS::Waypoint, &VS::Network})
        for (const VS::TBit &bit : *group) {
            const QString name = QString::fromUtf16(bit.Name);
            ASSERT_TRUE(names.contains(name)) << name.toStdString();
            EXPECT_EQ(RegReadBoolDef(GetAppReg(), Root, Key, RegName(name), !bit.Default), bit.Default)
                << name.toStdString();
        }
    TFrameViewer &f = *Frame;
    EXPECT_EQ(f.GetAISFlags(), 0u);
    EXPECT_EQ(f.GetGPSFlags(), 0x7u);
    EXPECT_EQ(f.GetGRIBFlags(), 0u);
    EXPECT_EQ(f.GetRouteFlags(), 0x7u);
    EXPECT_EQ(f.GetRouteExtraFlags(), 0x1u);
    EXPECT_EQ(f.GetTideFlags(), 0u);
    EXPECT_EQ(f.GetWaypointFlags(), 0x1u | 0x2 | 0x20 | 0x200 | 0x400);
    EXPECT_EQ(f.GetNetworkFlags(), 0x1u | 0x8 | 0x10 | 0x400 | 0x1000);
    EXPECT_EQ(f.GetWWSectionColor(), 0xFF0080FFu);
    EXPECT_EQ(f.GetWWSectionColorBack(), 0xC0C0C0C0u);
    EXPECT_EQ(f.GetWWSectionColorUnpassable(), 0xFFFF80C0u);
    EXPECT_EQ(f.GetWWSectionMaxWidth(), 2);
    EXPECT_FLOAT_EQ(f.GetCursorScale(), 1.0f);
    EXPECT_EQ(f.GetColorLegActiveMotoring(), 0xFF0000FFu);
    EXPECT_EQ(f.GetColorLegMotoring(), 0xFFFFB0B0u);
    EXPECT_EQ(f.GetColorRhumbline(), 0xFF000000u);
    EXPECT_TRUE(f.GetDistanceCirclesAuto());
    EXPECT_EQ(f.GetDistanceCirclesCount(), 5);
    EXPECT_FLOAT_EQ(f.GetDistanceCircles(), 1852.0f);
    EXPECT_EQ(f.GetLegWidth(), 2);
    EXPECT_EQ(f.GetMaxHeightRadiusMM(), 60);
    EXPECT_TRUE(f.GetShowCompassNeedle());
    EXPECT_FALSE(f.GetShowPolygons());
    EXPECT_TRUE(f.GetShowScaleBar());
    EXPECT_EQ(f.GetSmartLabelTransparency(), 51);
    EXPECT_EQ(f.GetTrackLineWidth(), 1);
    EXPECT_EQ(f.GetTrackPointInterval(), 600);
    EXPECT_EQ(f.GetTrackTimeInterval(), 3600);
    EXPECT_EQ(f.GetChartVisibility(), 0);
    EXPECT_FLOAT_EQ(f.GetSailingBoatScaleFactor(), 20.0f);
}

TEST_F(ViewerSettings, ForcedValuesAreOffAgainAfterTheNextStart) {
    for (const char16_t *name : {u"AISShowTargets", u"TideShow", u"GRIBShow", u"ShowPolygons",
                                 u"ShowScaleValue", u"TrackingAutoPos", u"GPSVectors", u"GPSCourseLine"})
        StoreBool(name, true);
    StoreInt(u"TrackingTarget", 1);
    MakeFrame();
    TFrameViewer &f = *Frame;
    TNavViewerControl &v = Viewer();
    EXPECT_EQ(f.GetAISFlags() & 0x1, 0u);
    EXPECT_EQ(f.GetTideFlags() & 0x1, 0u);
    EXPECT_EQ(f.GetGRIBFlags() & 0x1, 0u);
    EXPECT_FALSE(f.GetShowPolygons());
    EXPECT_FALSE(f.GetShowScaleValue());
    EXPECT_FALSE(v.GetTrackingAutoPos());
    EXPECT_EQ(v.GetTrackingTarget(), 0);
    EXPECT_EQ(f.GetGPSFlags() & 0x20, 0u) << "vectors";
    for (const char16_t *name : {u"AISShowTargets", u"TideShow", u"GRIBShow", u"ShowPolygons",
                                 u"ShowScaleValue", u"TrackingAutoPos", u"GPSVectors"})
        EXPECT_FALSE(StoredBool(name)) << QString::fromUtf16(name).toStdString();
    EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"TrackingTarget"), 9), 0);
    EXPECT_TRUE(StoredBool(u"GPSCourseLine")) << "the user's course line survives";
}

TEST_F(ViewerSettings, LegInfoStandsForTwoViewerBitsAndLoadOnlyBitsAreNeverStored) {
    StoreBool(u"RTEExtraLegInfo", true);
    MakeFrame();
    EXPECT_EQ(Frame->GetRouteExtraFlags() & 0x28, 0x28u);
    const QSet<QString> before = StoredNames();
    Frame->SetRouteExtraFlags(0x28);
    EXPECT_TRUE(StoredBool(u"RTEExtraLegInfo"));
    EXPECT_FALSE(StoredBool(u"RTEExtraTimeLabels"));
    Frame->SetWaypointFlags(Frame->GetWaypointFlags());
    Frame->SetNetworkFlags(Frame->GetNetworkFlags());
    EXPECT_EQ(StoredNames(), before) << "no value for 0x20, waypoint 0x400 or network 0x10";
    EXPECT_TRUE(Frame->GetWaypointFlags() & 0x400);
    EXPECT_TRUE(Frame->GetNetworkFlags() & 0x10);
    // Without waypoint name labels the network's bit 0x10 stays off.
    StoreBool(u"WPTShowNameLabels", false);
    Frame->LoadSettings();
    EXPECT_FALSE(Frame->GetNetworkFlags() & 0x10);
}

TEST_F(ViewerSettings, OnlyCourseUpAndNorthUpAreLoadedAsTrackingMode) {
    MakeFrame();
    TNavViewerControl &v = Viewer();
    struct Case {
        int32_t stored;  // mode + 1
        int32_t before;
        int32_t after;
    };
    const Case cases[] = {{2, 5, 5}, {4, 5, 5}, {5, 2, 2}, {7, 2, 2}, {3, 5, 2}, {6, 2, 5}};
    for (const Case &c : cases) {
        v.SetTrackingMode(c.before);
        StoreInt(u"TrackingMode", c.stored);
        Frame->LoadSettings();
        EXPECT_EQ(v.GetTrackingMode(), c.after) << "stored " << c.stored;
    }
}

TEST_F(ViewerSettings, OutOfRangeValuesAreClampedAndWrittenBack) {
    struct Case {
        const VS::TValue &value;
        double stored;
        double expected;
    };
    const Case cases[] = {{VS::CursorScale, 5.0, 2.0},          {VS::CursorScale, 0.1, 0.8},
                          {VS::ChartVisibility, 15, 10},        {VS::TrackPointInterval, 0, 1},
                          {VS::TrackTimeInterval, -5, 1},       {VS::LegWidth, 50, 20},
                          {VS::TrackLineWidth, 0, 1},           {VS::SmartLabelTransparency, 300, 255},
                          {VS::DistanceCirclesCount, 99, 20},   {VS::WWSectionMaxWidth, -3, 1}};
    for (const Case &c : cases) {
        int32_t err = 0;
        const QString name = QString::fromUtf16(c.value.Name);
        if (c.value.Type == VS::TType::Double)
            RegWriteDouble(GetAppReg(), Root, Key, RegName(name), c.stored, err);
        else
            RegWriteInteger(GetAppReg(), Root, Key, RegName(name), int32_t(c.stored), err);
    }
    MakeFrame();
    for (const Case &c : cases)
        if (&c.value != &VS::CursorScale || c.stored == 0.1)
            EXPECT_EQ(VS::ReadValue(Key, c.value), c.expected) << QString::fromUtf16(c.value.Name).toStdString();
    EXPECT_FLOAT_EQ(Frame->GetCursorScale(), 0.8f);
    EXPECT_EQ(Frame->GetChartVisibility(), 10);
    EXPECT_EQ(Frame->GetTrackPointInterval(), 1);
    EXPECT_EQ(Frame->GetSmartLabelTransparency(), 255);
    Frame->SetCursorScale(5.0f);
    EXPECT_FLOAT_EQ(Frame->GetCursorScale(), 2.0f);
    EXPECT_EQ(VS::ReadValue(Key, VS::CursorScale), 2.0);
}

TEST_F(ViewerSettings, ASecondLoadOverAFullSectionWritesNothing) {
    MakeFrame();
    const int before = VS::WriteCount();
    Frame->LoadSettings();
    EXPECT_EQ(VS::WriteCount(), before);
    Frame->SetLegWidth(3);
    EXPECT_EQ(VS::WriteCount(), before + 1);
    Frame->SetLegWidth(3);
    EXPECT_EQ(VS::WriteCount(), before + 1);
    Frame->SetChartVisibility(4);
    Frame->SetChartVisibility(4);
    EXPECT_EQ(VS::WriteCount(), before + 2) << "the held visibility changes nothing";
    EXPECT_EQ(VS::ReadValue(Key, VS::ChartVisibility), 4);
}

TEST_F(ViewerSettings, DistanceCirclesButtonNeverStoresTheForcedCourseLine) {
    StoreBool(u"GPSCourseLine", false);
    StoreInt(u"ViewerStateCurrent", 1);
    MakeFrame();
    Frame->ApplyViewerState(false);
    ASSERT_TRUE(Viewer().GetGPSFlags() & NavViewerGPSFlag::CourseLine) << "navigation draws it";
    Frame->ActionViewDistanceCircles->trigger();
    EXPECT_FALSE(StoredBool(u"GPSCourseLine"));
    EXPECT_TRUE(Viewer().GetGPSFlags() & NavViewerGPSFlag::CourseLine);
}

TEST_F(ViewerSettings, StoreS57DisplaySettingsWritesNoticeMarksAndTheCategory) {
    MakeFrame();
    IS52PresentationLib *lib = Env->S52Library;
    lib->SetDisplayFlags(lib->GetDisplayFlags(0) | 0x400, 0);
    lib->SetDisplayCategory(1, 0);
    Frame->StoreS57DisplaySettings();
    EXPECT_TRUE(StoredBool(u"S57ShowNoticeMarks"));
    EXPECT_EQ(RegReadIntegerDef(GetAppReg(), Root, Key, RegName(u"S57DisplayCategory"), -1), 1);
}

namespace {

double MeanDifference(const QImage &a, const QImage &b) {
    double sum = 0.0;
    int n = 0;
    for (int y = 0; y < a.height(); y += 5)
        for (int x = 0; x < a.width(); x += 5, ++n)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return n ? sum / n : 0.0;
}

}  // namespace

TEST_F(ViewerSettings, ChartVisibilityFadesTheChartsByTenthsFromNone) {
    MakeFrame(QSize(600, 400), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    v.ZoomToChart(v.GetChart(0));
    const auto picture = [&](int visibility) {
        Frame->SetChartVisibility(visibility);
        v.RefreshCharts();
        v.repaint();
        return v.grab().toImage();
    };
    const QImage none = picture(0);
    const QImage slight = picture(1);
    const QImage full = picture(10);
    const double slightDiff = MeanDifference(none, slight), fullDiff = MeanDifference(none, full);
    EXPECT_GT(fullDiff, 5 * slightDiff) << slightDiff << " vs " << fullDiff;
    EXPECT_GT(fullDiff, 10.0);
    EXPECT_EQ(VS::ReadValue(Key, VS::ChartVisibility), 10);
}
