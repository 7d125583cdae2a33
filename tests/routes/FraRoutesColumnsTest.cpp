// The route table's columns: the stored layout, the cell and unit texts, the two-line header
// and the column chooser.
#include "RoutesFixture.h"

#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "routes/FraRoutesTexts.h"
#include "routes/FrmColumns.h"

#include <KvLibNav6/KvAppReg.h>

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

using routestest::RoutesFixture;

namespace {

std::vector<int> VisibleHeader(TFrameRoutes &f) {
    std::vector<int> columns;
    QHeaderView *h = f.Tree()->header();
    for (int place = 0; place < h->count(); ++place)
        if (!h->isSectionHidden(h->logicalIndex(place))) columns.push_back(h->logicalIndex(place));
    return columns;
}

void WriteInt(int column, const char16_t *name, int value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, RouteColumnKey(column),
                    RegName(QString::fromUtf16(name)), value, err);
}

void WriteBool(int column, const char16_t *name, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RouteColumnKey(column), RegName(QString::fromUtf16(name)),
                 value, err);
}

int ReadInt(int column, const char16_t *name) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, RouteColumnKey(column),
                             RegName(QString::fromUtf16(name)), -12345);
}

}  // namespace

TEST_F(RoutesFixture, FreshSettingsShowTheDefaultColumns) {
    StartRun();
    TFrameRoutes &f = MakeFrame();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{0, 1, 4, 6, 7, 22, 24, 25, 26}));
    EXPECT_EQ(f.Tree()->header()->sectionSize(1), 150);
    EXPECT_EQ(f.Tree()->header()->sectionSize(25), 100);
    EXPECT_EQ(RouteColumnKey(7), "Desktop\\ToolWindowRoutes\\Columns\\07");
}

TEST_F(RoutesFixture, StoredLayoutIsReadAndBadValuesStillGiveAUsableHeader) {
    StartRun();
    // Column 34 is unavailable, column 1 cannot be hidden; positions repeat or lie outside
    // the header, widths are absurd.
    WriteBool(34, u"Visible", true);
    WriteBool(1, u"Visible", false);
    WriteBool(2, u"Visible", true);
    WriteInt(2, u"Position", -1);
    WriteInt(4, u"Position", 999);
    WriteInt(6, u"Position", 7);
    WriteInt(4, u"Width", 0);
    WriteInt(6, u"Width", 100000);
    WriteInt(7, u"Width", 33);
    const TRouteColumnLayout layout = RouteLoadColumns();
    std::vector<int> places;
    for (const TRouteColumnState &s : layout) places.push_back(s.Position);
    std::sort(places.begin(), places.end());
    for (int i = 0; i < RouteColumnCount; ++i) EXPECT_EQ(places[size_t(i)], i);
    TFrameRoutes &f = MakeFrame();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{2, 0, 1, 6, 7, 22, 24, 25, 26, 4}));
    QHeaderView *h = f.Tree()->header();
    EXPECT_EQ(h->sectionSize(4), 70);
    EXPECT_EQ(h->sectionSize(6), 70);
    EXPECT_EQ(h->sectionSize(7), 33);
    EXPECT_TRUE(h->isSectionHidden(34));
    EXPECT_FALSE(h->isSectionHidden(1));

    // "Restore columns" writes the defaults and keeps the unavailable ones hidden.
    f.RestoreColumnsAction()->trigger();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{0, 1, 4, 6, 7, 22, 24, 25, 26}));
    EXPECT_EQ(ReadInt(4, u"Position"), 4);
    EXPECT_EQ(ReadInt(4, u"Width"), 70);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RouteColumnKey(34), RegName(u"Visible"), true));
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RouteColumnKey(2), RegName(u"Visible"), true));
    EXPECT_EQ(ReadInt(0, u"Position"), -12345) << "column 0 keeps only what dragging wrote";

    // Resizing and dragging write the layout back.
    h->resizeSection(25, 140);
    EXPECT_EQ(ReadInt(25, u"Width"), 140);
    h->moveSection(h->visualIndex(26), 1);
    EXPECT_EQ(ReadInt(26, u"Position"), 1);
    EXPECT_EQ(ReadInt(0, u"Position"), 0);
}

TEST(RouteTexts, PlanningTextByStateLegKindAndReason) {
    struct TCase {
        int32_t State, LegKind, Reason;
        const char *Text;
    };
    const TCase cases[] = {
        {0, 0, 0, "Motor leg"},
        {0, 1, -1, "Sailing leg"},
        {0, 2, 0, "Tacking leg"},
        {0, 4, 0, "Sailing with spi leg"},
        {0, 3, 0, "---"},
        {0, RteLegKindUnknown, 1, "--- (Structure closed)"},
        {0, 0, 4, "Motor leg (Too high)"},
        {0, 0, 9, "Motor leg (Max. dimensions)"},
        {0, 0, 10, "Motor leg"},
        {2, 0, 3, "UKC alarm"},
        {3, 0, 0, "Unreachable by wind/current"},
        {4, 0, 0, "Unreachable by waterway network"},
        {-1, 0, 0, "Passed"},
        {7, 0, 0, "---"},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(RoutePlanningText(c.State, c.LegKind, c.Reason), QString::fromUtf8(c.Text))
            << c.State << " " << c.LegKind << " " << c.Reason;
    EXPECT_EQ(RoutePlanModeText(4), "Shortest (ignore blockades)");
    EXPECT_EQ(RoutePlanModeText(5), "---");
    EXPECT_EQ(RoutePlanModeText(7), "---");
}

TEST_F(RoutesFixture, LegValuesAreTakenAgainstThePreviousVisibleRow) {
    StartRun();
    IWptRoute *route = MarinaToMarina();
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    const auto &rows = f.Rows();
    const int last = int(rows.size()) - 1;
    ASSERT_EQ(rows[size_t(last)].Point, route->GetPoint(1));
    const double total = rows[size_t(last)].Arrival->DistanceM;
    const double before = rows[size_t(last - 1)].Arrival->DistanceM;
    QString expectedAll, expectedPoints;
    FormatMetresInUnit(Env->UnitDistanceLarge, 1, false, expectedAll, total - before);
    FormatMetresInUnit(Env->UnitDistanceLarge, 1, false, expectedPoints, total);
    // The first point has no arrival: the legs after it have no earlier row with one.
    EXPECT_FALSE(rows[0].Arrival.has_value());
    EXPECT_EQ(f.CellText(0, 5), "---");
    EXPECT_EQ(f.CellText(1, 5), "---");
    EXPECT_EQ(f.CellText(2, 5), [&] {
        QString t;
        FormatMetresInUnit(Env->UnitDistanceLarge, 1, false, t, rows[2].Arrival->DistanceM - rows[1].Arrival->DistanceM);
        return t;
    }());
    EXPECT_EQ(f.CellText(last, 5), expectedAll);
    const QString ttgAll = f.CellText(last, 23);
    f.SetFilter(RteFilter::RoutePointsOnly);
    EXPECT_EQ(f.CellText(last, 5), "---") << "the only earlier visible row has no arrival";
    EXPECT_NE(f.CellText(last, 23), ttgAll);
    EXPECT_EQ(f.CellText(last, 6), expectedPoints);
    EXPECT_EQ(f.CellText(last, 4), "---") << "no direct leg at either side";
    EXPECT_EQ(f.CellText(last, 28), "---");
}

TEST_F(RoutesFixture, DirectPointsShowPositionRadiusAndCourse) {
    StartRun();
    IWptRoute *route = DirectRoute(3);
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    // 0.9 rad north, 0.0805 rad east: positions cross the library in radians.
    const QString lat = f.CellText(1, 2), lon = f.CellText(1, 3);
    EXPECT_TRUE(lat.startsWith("51")) << lat.toStdString();
    EXPECT_TRUE(lat.contains(u'N')) << lat.toStdString();
    EXPECT_TRUE(lon.startsWith("004") || lon.startsWith("4")) << lon.toStdString();
    EXPECT_TRUE(lon.contains(u'E')) << lon.toStdString();
    QString radius;
    FormatMetresInUnit(Env->UnitDistanceSmall, 1, false, radius, route->GetPoint(1)->GetRadius());
    EXPECT_EQ(f.CellText(1, 4), radius);
    EXPECT_NE(f.CellText(2, 7), "---") << "course to steer on a direct leg";
    EXPECT_EQ(f.CellText(2, 7).size(), 4) << "three digits and the degree sign";
    EXPECT_EQ(RouteUnitText(7, f.CellContext(), false), QStringLiteral("\u00B0"));
    EXPECT_EQ(RouteUnitText(25, f.CellContext(), true), "&nbsp;");
    EXPECT_EQ(RouteUnitText(4, f.CellContext(), false), UnitToStr(Env->UnitDistanceSmall));
}

TEST_F(RoutesFixture, HeaderHintShowsACutTitle) {
    StartRun();
    IWptRoute *route = DirectRoute(2);
    TFrameRoutes &f = MakeFrame();
    f.FillRouteList();
    f.SetRoute(route);
    ASSERT_TRUE(f.Header()->isVisible());
    QHeaderView *h = f.Tree()->header();
    h->resizeSection(22, 30);
    f.Header()->grab();
    EXPECT_EQ(f.Header()->Hint(22), RouteColumnTitle(22, false));
    h->resizeSection(22, 300);
    f.Header()->grab();
    EXPECT_TRUE(f.Header()->Hint(22).isEmpty());
    EXPECT_EQ(f.Header()->sizeHint().height(), 30);
}

TEST_F(RoutesFixture, ColumnChooser) {
    StartRun();
    TFrameRoutes &f = MakeFrame();
    // Cancel changes nothing.
    auto old = TFormColumns::SetPrompter([](TFormColumns &form) {
        form.Frame()->SetChecked(1, true);
        return int(QDialog::Rejected);
    });
    f.SelectColumnsAction()->trigger();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{0, 1, 4, 6, 7, 22, 24, 25, 26}));

    // The chooser: the required column stays checked; Up and Down at the ends; Restore sorts.
    TFormColumns::SetPrompter([](TFormColumns &form) {
        TFrameColumns &c = *form.Frame();
        EXPECT_EQ(c.List()->count(), 15);
        EXPECT_EQ(c.List()->currentRow(), 0);
        EXPECT_FALSE(c.UpButton()->isEnabled());
        EXPECT_TRUE(c.DownButton()->isEnabled());
        EXPECT_FALSE(c.SetChecked(0, false)) << "Name";
        c.List()->item(0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(c.List()->item(0)->checkState(), Qt::Checked);
        c.List()->setCurrentRow(c.List()->count() - 1);
        EXPECT_TRUE(c.UpButton()->isEnabled());
        EXPECT_FALSE(c.DownButton()->isEnabled());
        // Latitude checked and moved to the top; Radius unchecked.
        c.List()->setCurrentRow(1);
        EXPECT_EQ(c.List()->item(1)->text(), "Latitude");
        c.List()->item(1)->setCheckState(Qt::Checked);
        c.MoveUp();
        EXPECT_EQ(c.List()->item(0)->text(), "Latitude");
        EXPECT_TRUE(c.SetChecked(3, false));
        TColumnDescList result;
        c.GetResult(result);
        EXPECT_EQ(result.Items(0).Index, 2);
        EXPECT_TRUE(result.Items(0).Visible);
        return int(QDialog::Accepted);
    });
    f.SelectColumnsAction()->trigger();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{0, 2, 1, 6, 7, 22, 24, 25, 26}));
    EXPECT_EQ(ReadInt(2, u"Position"), 1);
    EXPECT_EQ(ReadInt(1, u"Position"), 2);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RouteColumnKey(4), RegName(u"Visible"), true));
    EXPECT_EQ(ReadInt(4, u"Width"), 70);

    TFormColumns::SetPrompter([](TFormColumns &form) {
        TFrameColumns &c = *form.Frame();
        c.RestoreDefaults();
        EXPECT_EQ(c.List()->item(0)->text(), "Name");
        EXPECT_EQ(c.List()->item(3)->checkState(), Qt::Checked) << "Radius";
        EXPECT_EQ(c.List()->item(1)->checkState(), Qt::Unchecked) << "Latitude";
        return int(QDialog::Accepted);
    });
    f.SelectColumnsAction()->trigger();
    EXPECT_EQ(VisibleHeader(f), (std::vector<int>{0, 1, 4, 6, 7, 22, 24, 25, 26}));
    TFormColumns::SetPrompter(std::move(old));
}
