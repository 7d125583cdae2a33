// The import properties pages: what Apply gives the items in every combination of the
// waypoint page's choices, the group name check, the route names per file and the radius
// with its remembered start value.
#include "TextImportFixture.h"

#include "base/controls/KvEdits.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraImportPropertiesRoute.h"
#include "exchange/FraImportPropertiesWaypoint.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

using namespace textimporttest;

namespace {

class ImportProperties : public TextImportFixture {
protected:
    void SetUp() override {
        TextImportFixture::SetUp();
        Manager = textimporttest::NewWptManager();
        ASSERT_TRUE(Manager);
        User = WptManagerNewDatabase(Manager.get(), QStringLiteral("User"));
    }
    IWptWaypointGroup *Group(const QString &name) {
        IWptWaypointGroup *g = User->NewWaypointGroup(nullptr);
        int32_t err = 0;
        WptObjectSetName(g, name, err);
        return g;
    }
    TPointData Data(const QString &file = QStringLiteral("/d/a.txt")) {
        TPointData p;
        p.FileName = file;
        p.GroupName = QStringLiteral("From data");
        p.TypeName = QStringLiteral("Buoy");
        p.ProximityM = 25.0;
        p.RadiusM = 12.0;
        return p;
    }
    void SetDouble(const QString &key, const char16_t *name, double value) {
        int32_t err = 0;
        RegWriteDouble(GetAppReg(), AppRegRoot::Product, key, RegName(QString::fromUtf16(name)), value, err);
    }

    TNavPtr<IWptManager> Manager;
    IWptDatabase *User = nullptr;
};

bool IsNull(const TGUID &g) { return CompareGUID(g, TGUID{}) == 0; }

}  // namespace

TEST_F(ImportProperties, WaypointApplyOverEveryCombinationOfChoices) {
    IWptWaypointGroup *harbours = Group(QStringLiteral("Harbours"));
    TFrameImportPropertiesWaypoint page(User);
    ASSERT_TRUE(page.GroupExisting->isEnabled());
    EXPECT_EQ(page.LabelTypeValue->text(), QStringLiteral("Default type"));
    page.EditGroup->setText(QStringLiteral("  New one  "));
    page.EditProximity->SetValue(120);
    enum { None, New, Existing, FromData };
    QRadioButton *groupButtons[] = {page.GroupNone, page.GroupNew, page.GroupExisting, page.GroupData};
    QRadioButton *proxButtons[] = {page.ProxNone, page.ProxNew, page.ProxData};
    const double proximities[] = {0.0, 120.0, 25.0};
    for (int g = None; g <= FromData; ++g) {
        for (int t = 0; t < 2; ++t) {
            for (int x = 0; x < 3; ++x) {
                groupButtons[g]->setChecked(true);
                (t == 0 ? page.TypeExisting : page.TypeData)->setChecked(true);
                proxButtons[x]->setChecked(true);
                std::vector<TPointData> items = {Data(), Data()};
                page.Apply(items);
                SCOPED_TRACE(testing::Message() << "group " << g << " type " << t << " proximity " << x);
                for (const TPointData &i : items) {
                    const QString groups[] = {QString(), QStringLiteral("New one"), QStringLiteral("Harbours"),
                                              QStringLiteral("From data")};
                    EXPECT_EQ(i.GroupName, groups[g]);
                    if (g == Existing)
                        EXPECT_EQ(CompareGUID(i.GroupGUID, *harbours->GetGUID()), 0);
                    else
                        EXPECT_TRUE(IsNull(i.GroupGUID));
                    EXPECT_EQ(i.DefaultType, t == 0);
                    EXPECT_EQ(i.TypeName, t == 0 ? WptObjectGetName(page.ChosenType()) : QStringLiteral("Buoy"));
                    EXPECT_EQ(IsNull(i.TypeGUID), t != 0 || IsNull(*page.ChosenType()->GetGUID()));
                    EXPECT_EQ(i.ProximityM, proximities[x]);
                }
            }
        }
    }
    EXPECT_EQ(page.ChosenGroup(), nullptr) << "only an existing group is a chosen one";
}

TEST_F(ImportProperties, WaypointGroupChecks) {
    {
        TFrameImportPropertiesWaypoint page(User);
        EXPECT_FALSE(page.GroupExisting->isEnabled()) << "no usable group";
    }
    Group(QStringLiteral("Marinas"));
    TFrameImportPropertiesWaypoint page(User);
    EXPECT_TRUE(page.GroupExisting->isEnabled());
    EXPECT_EQ(page.ComboGroups->currentText(), QStringLiteral("Marinas"));
    page.GroupNew->setChecked(true);
    for (const char *name : {"", "   "}) {
        page.EditGroup->setText(QString::fromUtf8(name));
        Messages.clear();
        EXPECT_FALSE(page.Validate()) << "'" << name << "'";
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith("You have not entered a waypoint group name."));
    }
    page.EditGroup->setText(QStringLiteral("G"));
    EXPECT_TRUE(page.Validate());
    page.SetGroupDataAvailable(false);
    page.SetProximityDataAvailable(true);
    page.SetTypeDataAvailable(false);
    EXPECT_FALSE(page.GroupData->isEnabled());
    EXPECT_TRUE(page.ProxData->isEnabled());
    EXPECT_FALSE(page.TypeData->isEnabled());
}

TEST_F(ImportProperties, RouteNamesPerFileAndTheRadius) {
    TFrameImportPropertiesRoute page;
    std::vector<TPointData> items = {Data("/d/North.txt"), Data("/d/north.TXT"), Data("/e/North.txt"),
                                     Data("/d/North.txt")};
    items[0].RouteName = items[1].RouteName = items[2].RouteName = items[3].RouteName = QStringLiteral("North");
    page.Fill(items);
    ASSERT_EQ(page.Model->rowCount(), 2) << "one row per file, compared without case";
    // The row of /e/North.txt renamed; an empty name is refused and keeps the old one.
    int row = page.Model->item(0, 1)->text() == "/e/North.txt" ? 0 : 1;
    page.SetRouteName(row, QString());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("A route name cannot be empty.\r\n\r\nPlease specify a route name for 'North.txt'."));
    EXPECT_EQ(page.Model->item(row, 0)->text(), QStringLiteral("North"));
    row = page.Model->item(0, 1)->text() == "/e/North.txt" ? 0 : 1;
    page.SetRouteName(row, QStringLiteral("South"));
    page.EditRadius->SetValue(75.5);
    page.Apply(items);
    EXPECT_EQ(items[0].RouteName, "North");
    EXPECT_EQ(items[1].RouteName, "North");
    EXPECT_EQ(items[2].RouteName, "South");
    EXPECT_EQ(items[3].RouteName, "North");
    for (const TPointData &i : items) EXPECT_EQ(i.RadiusM, 75.5);
    page.RadiusData->setChecked(true);
    EXPECT_FALSE(page.EditRadius->isEnabled());
    items[0].RadiusM = 12.0;
    page.Apply(items);
    EXPECT_EQ(items[0].RadiusM, 12.0) << "from the data";
}

TEST_F(ImportProperties, RadiusStartValue) {
    struct Case {
        double stored;  // < 0: none stored
        double routesDefault;  // < 0: none stored
        double expected;
    } cases[] = {{-1, -1, 50}, {0, -1, 50}, {0, 80, 80}, {10001, 80, 80}, {120, 80, 120}, {1, -1, 1}};
    for (const Case &c : cases) {
        int32_t err = 0;
        RegDeleteValue(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"), RegName(u"Radius"), err);
        RegDeleteValue(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"DefaultRadius"), err);
        if (c.stored >= 0) SetDouble(QStringLiteral("Desktop\\Import"), u"Radius", c.stored);
        if (c.routesDefault >= 0) SetDouble(QStringLiteral("Routes"), u"DefaultRadius", c.routesDefault);
        TFrameImportPropertiesRoute page;
        EXPECT_DOUBLE_EQ(double(page.EditRadius->Value()), c.expected) << c.stored << " " << c.routesDefault;
    }
    // Leaving the edit remembers its value.
    TFrameImportPropertiesRoute page;
    page.EditRadius->SetValue(33.0);
    emit page.EditRadius->editingFinished();
    EXPECT_DOUBLE_EQ(RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"),
                                      RegName(u"Radius"), 0.0),
                     33.0);
}
