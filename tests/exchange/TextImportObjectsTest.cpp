// The objects a text import makes from its items and their way into the user database:
// routes per file, groups and types from the data or chosen on the page, and the report.
#include "TextImportFixture.h"

#include "base/waypoints/KvWaypoints.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/TextImportObjects.h"

#include <QDialog>
#include <QFileInfo>
#include <cmath>

using namespace textimporttest;

namespace {

class TextImportObjects : public TextImportFixture {
protected:
    void SetUp() override {
        TextImportFixture::SetUp();
        UserManager = NewWptManager();
        ImportManager = NewWptManager();
        ASSERT_TRUE(UserManager && ImportManager);
        User = WptManagerNewDatabase(UserManager.get(), QStringLiteral("User"));
        TFormMsgDuplicate::SetPrompter([this](TFormMsgDuplicate &form) {
            Asked.push_back(form.Kind());
            return int(QDialog::Accepted);
        });
    }
    void TearDown() override {
        TFormMsgDuplicate::SetPrompter({});
        TextImportFixture::TearDown();
    }
    TPointData Point(const QString &file, const QString &name, bool import = true) {
        TPointData p;
        p.FileName = file;
        p.RouteName = QFileInfo(file).completeBaseName();
        p.Name = name;
        p.LatitudeRad = 0.91;
        p.LongitudeRad = 0.09;
        p.RadiusM = 40.0;
        p.Import = import;
        return p;
    }
    // Builds, then merges into User.
    int32_t Import(const std::vector<TPointData> &items, int32_t type, QString &report,
                   IWptWaypointGroup *chosen = nullptr) {
        BuildTextImportObjects(items, type, ImportManager.get(), ImportDb, User, 0.0,
                               {Types.get(), Waypoints.get(), Groups.get(), nullptr, Routes.get()});
        TImportMergeContext context;
        context.ImportType = type;
        context.ChosenGroup = chosen;
        return ImportMergeObjects(User, {Types.get(), Waypoints.get(), Groups.get(), nullptr, Routes.get()}, context,
                                  report);
    }
    IWptWaypointGroup *UserGroup(const QString &name) {
        IWptWaypointGroup *g = User->NewWaypointGroup(nullptr);
        int32_t err = 0;
        WptObjectSetName(g, name, err);
        return g;
    }

    TNavPtr<IWptManager> UserManager, ImportManager;
    IWptDatabase *User = nullptr, *ImportDb = nullptr;
    TNavPtr<IWptWaypointTypeList> Types{WptWaypointTypeListCreate(0)};
    TNavPtr<IWptWaypointList> Waypoints{WptWaypointListCreate(0)};
    TNavPtr<IWptWaypointGroupList> Groups{WptWaypointGroupListCreate(0)};
    TNavPtr<IWptRouteList> Routes{WptRouteListCreate(0)};
    std::vector<TDuplicateKind> Asked;
};

}  // namespace

TEST_F(TextImportObjects, RoutesOnePerFileWithTwoCheckedPointsAtLeast) {
    std::vector<TPointData> items;
    for (const char *file : {"/d/North.txt", "/d/South.csv"})
        for (const char *name : {"A", "B", "C"}) items.push_back(Point(QString::fromUtf8(file), QString::fromUtf8(name)));
    items.push_back(Point("/d/Lone.txt", "X"));
    items.push_back(Point("/d/Lone.txt", "Y", false));
    items.push_back(Point("/d/None.txt", "Z", false));
    QString report;
    EXPECT_EQ(Import(items, 5, report), 0);
    EXPECT_EQ(report, QStringLiteral("\n\r 2 route(s) imported."));
    ASSERT_EQ(User->GetRouteCount(), 2);
    QStringList names;
    for (int32_t i = 0; i < User->GetRouteCount(); ++i) {
        IWptRoute *r = User->GetRoute(i);
        names << WptObjectGetName(r);
        EXPECT_EQ(r->GetPointCount(), 3);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"North", "South"}));
    // A second build closes the first scratch database through its manager.
    const int32_t databases = ImportManager->GetDatabaseCount();
    BuildTextImportObjects(items, 5, ImportManager.get(), ImportDb, User, 0.0,
                           {Types.get(), Waypoints.get(), Groups.get(), nullptr, Routes.get()});
    EXPECT_EQ(ImportManager->GetDatabaseCount(), databases);
}

TEST_F(TextImportObjects, GroupsAndTypesFromTheData) {
    std::vector<TPointData> items = {Point("/d/a.txt", "A"), Point("/d/a.txt", "B"), Point("/d/a.txt", "C")};
    for (TPointData &i : items) i.GroupName = QStringLiteral("Buoys");
    items[0].TypeName = QStringLiteral("Cardinal");
    items[1].TypeName = QStringLiteral("Cardinal");
    QString report;
    EXPECT_EQ(Import(items, 4, report), 0);
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(report, QStringLiteral("\n\r 3 waypoint(s) imported.\n\r 1 waypointgroup(s) imported."
                                     "\n\r 1 waypoint type(s) imported."));
    int32_t index = -1;
    ASSERT_TRUE(WptDatabaseFindGroup(User, QStringLiteral("Buoys"), index));
    EXPECT_EQ(User->GetWaypointGroup(index)->GetWaypointCount(), 3) << "one group that every waypoint joins";
    ASSERT_TRUE(WptDatabaseFindType(User, QStringLiteral("Cardinal"), index));

    // The user database has the group now: the group question (kind 1).
    report.clear();
    EXPECT_EQ(Import({Point("/d/b.txt", "D")}, 4, report), 0);
    items = {Point("/d/b.txt", "E")};
    items[0].GroupName = QStringLiteral("Buoys");
    Asked.clear();
    EXPECT_EQ(Import(items, 4, report), 0);
    EXPECT_EQ(Asked, std::vector<TDuplicateKind>{dkWaypointGroup});
}

TEST_F(TextImportObjects, AGroupChosenOnThePageIsUsedWithoutAQuestion) {
    IWptWaypointGroup *harbours = UserGroup(QStringLiteral("Harbours"));
    IWptWaypointGroup *marinas = UserGroup(QStringLiteral("Marinas"));
    std::vector<TPointData> items = {Point("/d/a.txt", "A"), Point("/d/a.txt", "B")};
    // Items that name different groups by identifier get different groups.
    items[0].GroupName = QStringLiteral("Harbours");
    items[0].GroupGUID = *harbours->GetGUID();
    items[1].GroupName = QStringLiteral("Marinas");
    items[1].GroupGUID = *marinas->GetGUID();
    BuildTextImportObjects(items, 4, ImportManager.get(), ImportDb, User, 0.0,
                           {Types.get(), Waypoints.get(), Groups.get(), nullptr, Routes.get()});
    ASSERT_EQ(Groups->GetCount(), 2);

    items[1] = items[0];
    items[1].Name = QStringLiteral("B");
    QString report;
    EXPECT_EQ(Import(items, 4, report, harbours), 0);
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(harbours->GetWaypointCount(), 2);
}
