// The text steps of the import wizard, driven through their own entry as the wizard drives
// them: files to format page, properties, selection, import and the merge with its report.
#include "TextImportFixture.h"

#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraImportFormat.h"
#include "exchange/FraImportPropertiesWaypoint.h"
#include "exchange/FraImportSelect.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/TextImportSteps.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QWidget>

using namespace textimporttest;
using TPage = TTextImportSteps::TPage;

namespace {

class TextImportSteps : public TextImportFixture {
protected:
    void SetUp() override {
        TextImportFixture::SetUp();
        UserManager = NewWptManager();
        ImportManager = NewWptManager();
        User = WptManagerNewDatabase(UserManager.get(), QStringLiteral("User"));
        Steps = std::make_unique<TTextImportSteps>(
            &Owner, TTextImportSteps::TContext{nullptr, User, ImportManager.get(), Waypoints.get(), Routes.get()});
        TFormMsgDuplicate::SetPrompter([this](TFormMsgDuplicate &form) {
            Asked.push_back(form.Kind());
            return QuestionAnswer;
        });
    }
    void TearDown() override {
        Steps.reset();
        TFormMsgDuplicate::SetPrompter({});
        TextImportFixture::TearDown();
    }

    QWidget Owner;
    TNavPtr<IWptManager> UserManager, ImportManager;
    IWptDatabase *User = nullptr;
    std::unique_ptr<TTextImportSteps> Steps;
    std::vector<TDuplicateKind> Asked;
    int QuestionAnswer = QDialog::Accepted;
};

}  // namespace

TEST_F(TextImportSteps, TwoRouteFilesGiveTwoRoutesNamedAfterTheirFiles) {
    AddProfile(Routes.get(), QStringLiteral("Semi"), u';');
    SetSetting(u"ProfileRoute", QStringLiteral("Semi"));
    const QStringList files = {WriteFile("Texel.txt", "A;53;4.8;50\nB;53.1;4.8;50\nC;53.2;4.9;50\n"),
                               WriteFile("Vlieland.csv", "D;53.3;5;50\nE;53.3;5.1;50\nF;53.3;5.2;50\n")};
    ASSERT_TRUE(Steps->ShowFormatPage(5, files));
    EXPECT_EQ(Steps->Page(), TPage::Format);
    EXPECT_EQ(Steps->Next(), TPage::PropertiesRoute);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    EXPECT_EQ(Steps->Select->Model()->rowCount(), 2);
    // Back and forward again: every item checked again.
    Steps->Select->Model()->item(0)->child(0, 0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Steps->Previous(), TPage::PropertiesRoute);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    for (const TPointData &i : Steps->PointItems) EXPECT_TRUE(i.Import);
    EXPECT_EQ(Steps->Next(), TPage::Select) << "import built";
    ASSERT_TRUE(Steps->HasObjects());
    QString report;
    EXPECT_EQ(Steps->Finish(report), 0);
    EXPECT_EQ(report, QStringLiteral("\n\r 2 route(s) imported."));
    QStringList names;
    for (int32_t i = 0; i < User->GetRouteCount(); ++i) {
        names << WptObjectGetName(User->GetRoute(i));
        EXPECT_EQ(User->GetRoute(i)->GetPointCount(), 3);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"Texel", "Vlieland"}));
}

TEST_F(TextImportSteps, WaypointsWithAGroupFromTheDataAndACancelledQuestion) {
    ITxtFormatProfile *p = AddProfile(Waypoints.get(), QStringLiteral("Grouped"), u';');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Grouped"));
    // Column 3 (sub name by default) holds the group.
    ITxtFormatField *field = p->GetField(3);
    for (int32_t k = 0; k < field->GetKindCount(); ++k)
        if (TxtFormatFieldGetKindKey(field, k) == QStringView(TxtFormatKindKey::Group)) field->SetKindIndex(k);
    const QString file = WriteFile("buoys.txt", "N1;53;4.8;Buoys\nN2;53.1;4.8;Buoys\n");
    ASSERT_TRUE(Steps->ShowFormatPage(4, {file}));
    Answers = {mrNo};  // do not save the changed profile
    EXPECT_EQ(Steps->Next(), TPage::PropertiesWaypoint);
    EXPECT_TRUE(Steps->PropertiesWaypoint->GroupData->isEnabled());
    EXPECT_FALSE(Steps->PropertiesWaypoint->ProxData->isEnabled());
    Steps->PropertiesWaypoint->GroupData->setChecked(true);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    QString report;
    EXPECT_EQ(Steps->Finish(report), 0);
    EXPECT_EQ(report, QStringLiteral("\n\r 2 waypoint(s) imported.\n\r 1 waypointgroup(s) imported."
                                     "\n\r 0 waypoint type(s) imported."));
    EXPECT_TRUE(Asked.empty());

    // The same again: the user database has the group and the waypoints; cancel the question.
    ASSERT_TRUE(Steps->ShowFormatPage(4, {file}));
    EXPECT_EQ(Steps->Next(), TPage::PropertiesWaypoint);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    EXPECT_EQ(Steps->Next(), TPage::Select);
    QuestionAnswer = QDialog::Rejected;
    report.clear();
    EXPECT_EQ(Steps->Finish(report), KvErr::Cancelled);
    ASSERT_FALSE(Asked.empty());
    EXPECT_TRUE(report.startsWith(QStringLiteral("\n\r 0 waypoint(s) imported.")));
}

TEST_F(TextImportSteps, AnUnreadableFileStaysOnTheFileList) {
    ASSERT_FALSE(Steps->ShowFormatPage(4, {WriteFile("ok.txt", "A;1;2\n"), Dir.filePath("missing.txt")}));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Cannot open the file '%1'.\r\n\r\n").arg(Dir.filePath("missing.txt"))));
    EXPECT_EQ(Steps->Page(), TPage::None);
}
