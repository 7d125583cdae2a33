// The import wizard's text run on the demo environment, entered through the type page's
// controls (the text choice is hidden from the user): route files and waypoint files through
// the format, properties and selection pages into the user database, with the report.
#include "ImportFixture.h"

#include "base/registry/KvRegistry.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraImportFiles.h"
#include "exchange/FraImportFormat.h"
#include "exchange/FraImportPropertiesWaypoint.h"
#include "exchange/FraImportType.h"
#include "exchange/FrmImport.h"
#include "exchange/FrmImportText.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/TextImportSteps.h"
#include "shell/MarivoNavEnv.h"

#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

using importtest::ImportFixture;

class ImportTextWizard : public ImportFixture {
protected:
    void SetUp() override {
        ImportFixture::SetUp();
        if (HasFatalFailure()) return;
        FOldDuplicate = TFormMsgDuplicate::SetPrompter([this](TFormMsgDuplicate &form) {
            Asked.push_back(form.Kind());
            return QuestionAnswer;
        });
        // A profile of each kind with semicolons, remembered as the last used one.
        for (auto [m, setting] : {std::pair{Env->WaypointProfiles, u"ProfileWaypoint"},
                                  std::pair{Env->RouteProfiles, u"ProfileRoute"}}) {
            ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m, QStringLiteral("Semicolons"));
            if (m == Env->RouteProfiles) TxtFormatProfileInitRoute(p, true);
            else TxtFormatProfileInitWaypoint(p, true);
            TxtFormatProfileSetFieldSeparator(p, u';');
            TxtFormatProfileSetDecimalSeparator(p, u'.');
            int32_t err = 0;
            m->SaveToFile(err);
            RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"),
                           RegName(QString::fromUtf16(setting)), QStringLiteral("Semicolons"), err);
        }
        Wizard = std::make_unique<TFormImport>(*Env);
        Wizard->resize(800, 550);
        Wizard->show();
    }
    void TearDown() override {
        Wizard.reset();
        TFormMsgDuplicate::SetPrompter(std::move(FOldDuplicate));
        ImportFixture::TearDown();
    }
    // Type page (text, waypoints or routes) → file list → format page.
    void ToFormatPage(bool routes, const QStringList &files) {
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Type);
        Wizard->FrameImportType->RadioButtonText->setChecked(true);
        (routes ? Wizard->FrameImportType->RadioButtonTextRoutes : Wizard->FrameImportType->RadioButtonTextWaypoints)
            ->setChecked(true);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportPage::Files);
        Wizard->FrameImportFiles->Files = files;
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportTextPage::Format);
    }
    QString File(const char *name, const QByteArray &bytes) {
        const QString file = Source + QLatin1String(name);
        WriteBytes(file, bytes);
        return file;
    }
    int32_t RoutesNamed(const QStringList &names) {
        IWptDatabase *db = Wizard->UserDatabase;
        int32_t n = 0;
        for (int32_t i = 0; i < db->GetRouteCount(); ++i)
            if (names.contains(WptObjectGetName(db->GetRoute(i)))) ++n;
        return n;
    }

    std::unique_ptr<TFormImport> Wizard;
    std::vector<TDuplicateKind> Asked;
    int QuestionAnswer = QDialog::Accepted;

private:
    TFormMsgDuplicate::TPrompter FOldDuplicate;
};

}  // namespace

TEST_F(ImportTextWizard, TwoRouteFilesGiveTwoRoutesAndTheReport) {
    ToFormatPage(true, {File("Texel.txt", "A;53;4.8;50\nB;53.1;4.8;50\nC;53.2;4.9;50\n"),
                        File("Vlieland.csv", "D;53.3;5;50\nE;53.3;5.1;50\nF;53.3;5.2;50\n")});
    Wizard->ButtonNext->click();
    EXPECT_EQ(Wizard->CurrentPage(), ImportTextPage::PropertiesRoute);
    Wizard->ButtonNext->click();
    ASSERT_EQ(Wizard->CurrentPage(), ImportTextPage::Select);
    EXPECT_EQ(Wizard->ButtonNext->text(), QStringLiteral("Import"));
    Wizard->ButtonNext->click();
    ASSERT_FALSE(Texts().isEmpty());
    EXPECT_EQ(Texts().last(), QStringLiteral("Import completed.\n\n\r 2 route(s) imported."));
    EXPECT_EQ(Wizard->result(), QDialog::Accepted);
    EXPECT_EQ(RoutesNamed({"Texel", "Vlieland"}), 2);
}

TEST_F(ImportTextWizard, WaypointsTakeOneNewGroupThenTheGroupQuestionCancelledAborts) {
    // Column 3 holds the group.
    const QString file = File("marks.txt", "N1;53;4.8;Cardinals\nN2;53.1;4.8;Cardinals\n");
    for (int run = 0; run < 2; ++run) {
        ToFormatPage(false, {file});
        ITxtFormatField *field = TextImportStepsOf(*Wizard)->Format->CurrentProfile()->GetField(3);
        for (int32_t k = 0; k < field->GetKindCount(); ++k)
            if (TxtFormatFieldGetKindKey(field, k) == QStringView(TxtFormatKindKey::Group)) field->SetKindIndex(k);
        TextImportStepsOf(*Wizard)->Format->ClearFiles();
        QString failed, text;
        int32_t err = 0;
        ASSERT_TRUE(TextImportStepsOf(*Wizard)->Format->LoadFiles({file}, failed, err, text));
        Answers = {mrNo};  // keep the profile as saved
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportTextPage::PropertiesWaypoint);
        TextImportStepsOf(*Wizard)->PropertiesWaypoint->GroupData->setChecked(true);
        Wizard->ButtonNext->click();
        ASSERT_EQ(Wizard->CurrentPage(), ImportTextPage::Select);
        if (run == 1) QuestionAnswer = QDialog::Rejected;
        Wizard->ButtonNext->click();
        if (run == 0) {
            EXPECT_EQ(Texts().last(), QStringLiteral("Import completed.\n\n\r 2 waypoint(s) imported.\n\r 1 "
                                                     "waypointgroup(s) imported.\n\r 0 waypoint type(s) imported."));
            EXPECT_TRUE(Asked.empty());
            int32_t index = -1;
            ASSERT_TRUE(WptDatabaseFindGroup(Wizard->UserDatabase, QStringLiteral("Cardinals"), index));
            EXPECT_EQ(Wizard->UserDatabase->GetWaypointGroup(index)->GetWaypointCount(), 2);
            Wizard = std::make_unique<TFormImport>(*Env);
            Wizard->show();
        } else {
            // The waypoints are there as well and come first: the cancelled question is theirs.
            ASSERT_FALSE(Asked.empty());
            EXPECT_EQ(Asked.front(), dkWaypoint);
            EXPECT_TRUE(Texts().last().startsWith(QStringLiteral("Import aborted.\n")));
            EXPECT_EQ(Wizard->CurrentPage(), ImportPage::Type);
        }
    }
}
