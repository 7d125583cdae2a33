// Copying imported objects into the user database: the questions asked about names already
// there, the group chosen on the properties page answered without one, cancelling, and the
// report lines per import type.
#include "TestSupport.h"
#include "TextImportFixture.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/ImportMergeObjects.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDialog>
#include <gtest/gtest.h>

namespace {

class ImportMerge : public ::testing::Test {
protected:
    void SetUp() override {
        Manager = textimporttest::NewWptManager();
        ASSERT_TRUE(Manager);
        User = WptManagerNewDatabase(Manager.get(), QStringLiteral("User"));
        Import = WptManagerNewDatabase(Manager.get(), QStringLiteral("Import database"));
        TFormMsgDuplicate::SetPrompter([this](TFormMsgDuplicate &form) {
            Asked.push_back(form.Kind());
            return Answer;
        });
    }
    void TearDown() override { TFormMsgDuplicate::SetPrompter({}); }

    template <class T>
    T *Named(T *object, const QString &name) {
        int32_t err = 0;
        WptObjectSetName(object, name, err);
        EXPECT_EQ(err, 0);
        return object;
    }
    int32_t GroupCount(IWptDatabase *db, const QString &name) {
        int32_t n = 0;
        for (int32_t i = 0; i < db->GetWaypointGroupCount(); ++i)
            if (WptObjectGetName(db->GetWaypointGroup(i)) == name) ++n;
        return n;
    }

    testsupport::TPrivateSettingsStore Store;
    TNavPtr<IWptManager> Manager;
    IWptDatabase *User = nullptr, *Import = nullptr;
    std::vector<TDuplicateKind> Asked;
    int Answer = QDialog::Accepted;
};

}  // namespace

TEST_F(ImportMerge, TheChosenGroupIsUsedWithoutAQuestionAnyOtherIsAskedAbout) {
    IWptWaypointGroup *existing = Named(User->NewWaypointGroup(nullptr), QStringLiteral("Harbours"));
    IWptWaypointGroup *incoming = Named(Import->NewWaypointGroup(nullptr), QStringLiteral("Harbours"));
    IWptWaypoint *w = Named(Import->NewWaypoint(nullptr, TGeoPoint3{0.9, 0.09, 0.0}, nullptr), QStringLiteral("Quay"));
    int32_t err = 0;
    incoming->AddWaypoint(w, err);
    for (bool chosen : {true, false}) {
        TNavPtr<IWptWaypointList> waypoints(WptWaypointListCreate(0));
        TNavPtr<IWptWaypointGroupList> groups(WptWaypointGroupListCreate(0));
        waypoints->Add(w);
        groups->Add(incoming);
        TImportMergeContext context;
        context.ImportType = 4;
        context.ChosenGroup = chosen ? existing : nullptr;
        QString report;
        Asked.clear();
        EXPECT_EQ(ImportMergeObjects(User, {nullptr, waypoints.get(), groups.get(), nullptr, nullptr}, context, report),
                  0);
        SCOPED_TRACE(chosen ? "chosen on the page" : "not chosen");
        if (chosen) {
            EXPECT_TRUE(Asked.empty());
            EXPECT_EQ(report, QStringLiteral("\n\r 1 waypoint(s) imported.\n\r 0 waypointgroup(s) imported."
                                             "\n\r 0 waypoint type(s) imported."));
        } else {
            // The waypoint went in the first time: now it is asked about as well.
            EXPECT_EQ(Asked, (std::vector<TDuplicateKind>{dkWaypoint, dkWaypointGroup}));
        }
    }
    EXPECT_EQ(GroupCount(User, QStringLiteral("Harbours")), 1) << "kept the existing group";
}

TEST_F(ImportMerge, CancellingAQuestionGivesCancelledWithTheReport) {
    Named(User->NewRoute(0.0), QStringLiteral("North"));
    TNavPtr<IWptRouteList> routes(WptRouteListCreate(0));
    for (const char *name : {"South", "North"}) {
        IWptRoute *r = Named(Import->NewRoute(0.0), QString::fromUtf8(name));
        int32_t err = 0;
        r->AddPoint(TGeoPoint3{0.9, 0.09, 0.0}, nullptr, nullptr, err);
        r->AddPoint(TGeoPoint3{0.91, 0.09, 0.0}, nullptr, nullptr, err);
        routes->Add(r);
    }
    TImportMergeContext context;
    context.ImportType = 5;
    Answer = QDialog::Rejected;
    QString report;
    EXPECT_EQ(ImportMergeObjects(User, {nullptr, nullptr, nullptr, nullptr, routes.get()}, context, report),
              KvErr::Cancelled);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], dkRoute);
    EXPECT_EQ(report, QStringLiteral("\n\r 1 route(s) imported.")) << "South went in before the question";
}
