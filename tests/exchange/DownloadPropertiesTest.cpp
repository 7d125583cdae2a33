// The download properties page: the group choices, the new group's name check (the group
// itself is made only when the wizard asks), the radius default and the enabled parts.
#include "exchange/FraDownloadProperties.h"

#include "DataSelectFixture.h"
#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "routes/FrmWaypointEditType.h"

#include <KvLibNav6/KvAppReg.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

namespace {

class DownloadPropertiesPage : public dataselecttest::DataSelectFixture {
protected:
    void SetUp() override {
        DataSelectFixture::SetUp();
        ASSERT_TRUE(Store.Opened());
        SetMsgBoxPrompter([this](TMessageForm &form) {
            Shown << form.MessageLabel()->text();
            return mrOk;
        });
    }
    void TearDown() override { SetMsgBoxPrompter({}); }
    int GroupCount() const { return Harbour->GetWaypointGroupCount(); }

    testsupport::TPrivateSettingsStore Store;
    QStringList Shown;
};

}  // namespace

TEST_F(DownloadPropertiesPage, NewGroupNeedsANameAndIsMadeOnlyWhenAsked) {
    TFrameDownloadProperties page(nullptr, Harbour);
    const int before = GroupCount();
    QTest::mouseClick(page.RadioButtonGroupNew, Qt::LeftButton);
    EXPECT_TRUE(page.EditWaypointGroup->isEnabled());
    EXPECT_FALSE(page.Validate());
    ASSERT_EQ(Shown.size(), 1);
    EXPECT_TRUE(Shown[0].startsWith("You have not entered a waypoint group name."));
    page.EditWaypointGroup->setText("Downloaded");
    EXPECT_TRUE(page.Validate());
    EXPECT_TRUE(page.Validate());
    EXPECT_EQ(GroupCount(), before) << "validating makes no group";
    EXPECT_TRUE(page.WantsNewGroup());
    int32_t err = -1;
    IWptWaypointGroup *g = page.CreateNewGroup(err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(GroupCount(), before + 1);
    EXPECT_EQ(page.TargetGroup(), g);
    EXPECT_EQ(WptObjectGetName(g), "Downloaded");
}

TEST_F(DownloadPropertiesPage, ExistingAndNoGroupChoices) {
    Group(Harbour, "Moorings");
    IWptWaypointGroup *bridges = Group(Harbour, "Bridges");
    TFrameDownloadProperties page(nullptr, Harbour);
    EXPECT_TRUE(page.RadioButtonGroupNone->isChecked());
    EXPECT_EQ(page.TargetGroup(), nullptr);
    ASSERT_EQ(page.ComboBoxWaypointGroups->count(), 2);
    EXPECT_TRUE(page.RadioButtonGroupExisting->isEnabled());
    EXPECT_FALSE(page.ComboBoxWaypointGroups->isEnabled());
    page.ComboBoxWaypointGroups->setCurrentIndex(1);
    QTest::mouseClick(page.RadioButtonGroupExisting, Qt::LeftButton);
    EXPECT_TRUE(page.ComboBoxWaypointGroups->isEnabled());
    EXPECT_EQ(page.TargetGroup(), bridges);
    QTest::mouseClick(page.RadioButtonGroupNone, Qt::LeftButton);
    EXPECT_EQ(page.TargetGroup(), nullptr);
    QTest::mouseClick(page.RadioButtonGroupExisting, Qt::LeftButton);
    EXPECT_EQ(page.TargetGroup(), bridges);
    EXPECT_TRUE(page.Validate());
    EXPECT_TRUE(Shown.isEmpty());
}

TEST_F(DownloadPropertiesPage, WithoutGroupsOrStoredRadiusAndPartsDisabled) {
    TFrameDownloadProperties page(nullptr, Import);
    EXPECT_FALSE(page.RadioButtonGroupExisting->isEnabled());
    EXPECT_DOUBLE_EQ(page.GetRadius(), 50.0);
    EXPECT_TRUE(page.WaypointType()->IsDefault());
    EXPECT_EQ(page.LabelTypeValue->text(), "Default type");
    page.SetWaypointPartEnabled(false);
    EXPECT_FALSE(page.ButtonType->isEnabled());
    EXPECT_FALSE(page.RadioButtonGroupNew->isEnabled());
    EXPECT_TRUE(page.EditRadius->isEnabled());
    page.SetRoutePartEnabled(false);
    EXPECT_FALSE(page.EditRadius->isEnabled());
    page.SetWaypointPartEnabled(true);
    EXPECT_TRUE(page.ButtonType->isEnabled());

    int32_t err = -1;
    RegWriteDouble(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"DefaultRadius"), 120.0, err);
    ASSERT_EQ(err, 0);
    TFrameDownloadProperties stored(nullptr, Import);
    EXPECT_DOUBLE_EQ(stored.GetRadius(), 120.0);
}

TEST_F(DownloadPropertiesPage, TypeChosenInTheChooser) {
    IWptWaypointType *buoy = Type(Harbour, "Buoy", Qt::red);
    auto old = TFormWaypointEditType::SetPrompter([buoy](TFormWaypointEditType &form) {
        QAbstractItemModel *m = form.ListView->model();
        const QModelIndexList found =
            m->match(m->index(0, 0), TFormWaypointEditType::ObjectRole,
                     QVariant::fromValue(static_cast<void *>(buoy)), 1, Qt::MatchRecursive | Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        if (!found.isEmpty())
            form.ListView->selectionModel()->select(found[0], QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return int(QDialog::Accepted);
    });
    TFrameDownloadProperties page(nullptr, Harbour);
    page.ButtonType->click();
    TFormWaypointEditType::SetPrompter(old);
    EXPECT_EQ(page.WaypointType(), buoy);
    EXPECT_EQ(page.LabelTypeValue->text(), "Buoy");
}
