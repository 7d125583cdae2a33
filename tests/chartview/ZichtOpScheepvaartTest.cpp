// The operation-request panel and the sign-up dialog on the running environment of the
// demo data: one error notification per run of failures, the log and statistics texts and
// orders, starting and stopping the sign-up with what is stored, the dialog's edits, and no
// callback into a destroyed panel. The statistics names come from the real manager fed by
// the services stand-in.
#include "chartview/FraZichtOpScheepvaart.h"
#include "chartview/FrmZichtOpScheepvaart.h"

#include "FakeStructOperations.h"
#include "ServiceStubProcess.h"
#include "base/controls/KvEdits.h"
#include "base/units/KvUnitsTime.h"
#include "base/web/KvWBContainer.h"
#include "base/registry/KvRegistry.h"
#include "tests/shell/NavEnvFixture.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvUnits.h>

#include <QDockWidget>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

using testsupport::TFakeStructOperations;

const QString KeyBoat = QStringLiteral("Boat");
const QString ErrorText = QStringLiteral("Verbindingsfout bij aanmelden bruggen en sluizen");
constexpr TDateTime Noon = 45455.5;  // 12 June 2024, 12:00 UTC

QString Stored(const char16_t *name) {
    QString out;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(QString::fromUtf16(name)),
                     QStringLiteral("(none)"), out);
    return out;
}

bool StoredActive() {
    return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperationActive"), false);
}

void Store(const char16_t *name, const QString &value) {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(QString::fromUtf16(name)), value, err);
}

class ZichtOpScheepvaart : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        TNavEnvSeams seams;
        seams.Factories.NavNotificationCenterCreate = [this]() -> INavNotificationCenter * {
            return new TRecordingCentre(Shown);
        };
        if (UseFake) {
            seams.Factories.NavStructOperationManagerCreate = [this]() -> INavStructOperationManager * {
                Fake = new TFakeStructOperations;
                return Fake;
            };
        }
        Env = Make(std::move(seams));
        ASSERT_TRUE(Env);
        Window = std::make_unique<QMainWindow>();
        Window->resize(560, 480);
        Window->setCentralWidget(new QWidget(Window.get()));
        Dock = new QDockWidget(Window.get());
        Dock->setObjectName(QStringLiteral("DockablePanelZoS"));
        Window->addDockWidget(Qt::RightDockWidgetArea, Dock);
        Panel = new TFrameZichtOpScheepvaart(Dock, *Env);
        Dock->setWidget(Panel);
        Window->show();
        FOldDialog = TFormZichtOpScheepvaart::SetPrompter([this](TFormZichtOpScheepvaart &form) {
            return DialogAnswer ? DialogAnswer(form) : int(QDialog::Rejected);
        });
    }
    void TearDown() override {
        TFormZichtOpScheepvaart::SetPrompter(std::move(FOldDialog));
        Window.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    int Notifications() const {
        int n = 0;
        for (const auto &s : Shown) n += s.Kind == NavUserNotify::Message && s.Text == ErrorText ? 1 : 0;
        return n;
    }
    QString Cell(int row, int column) const {
        return Panel->LogModel->index(row, column).data().toString();
    }

    bool UseFake = true;
    std::unique_ptr<TMarivoNavEnv> Env;
    TFakeStructOperations *Fake = nullptr;  // the environment's
    std::vector<TRecordingCentre::TShown> Shown;
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameZichtOpScheepvaart *Panel = nullptr;
    std::function<int(TFormZichtOpScheepvaart &)> DialogAnswer;

private:
    TFormZichtOpScheepvaart::TPrompter FOldDialog;
};

TEST_F(ZichtOpScheepvaart, OneErrorNotificationPerRunOfFailures) {
    struct Step {
        int Status;
        const char *Text;
    };
    struct Case {
        const char *Name;
        std::vector<Step> Steps;
        int Expected;
    } cases[] = {
        {"two failures", {{500, "Storing"}, {0, "Connection refused"}}, 1},
        {"failure, success, failure", {{500, "Storing"}, {200, ""}, {503, "Onderhoud"}}, 2},
        {"failure without text", {{500, ""}, {500, ""}}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        Fake->Log.clear();
        Fake->Add(Noon, 2, 200);  // a success first: whatever the previous case left
        Shown.clear();
        for (const Step &s : c.Steps) Fake->Add(Noon, 2, s.Status, QString(), QString::fromUtf8(s.Text));
        EXPECT_EQ(Notifications(), c.Expected);
    }
}

TEST_F(ZichtOpScheepvaart, AnEmptyLogShowsZerosAndNoAction) {
    Fake->Changed();
    EXPECT_EQ(Notifications(), 0);
    for (QLabel *value : {Panel->LabelRequestsValue, Panel->LabelUpdatesValue, Panel->LabelCancelsValue,
                          Panel->LabelPassedValue})
        EXPECT_EQ(value->text(), QStringLiteral("0"));
    EXPECT_EQ(Panel->LabelLatestAction->text(), QStringLiteral("Most recent action: ---"));
    EXPECT_EQ(Panel->LabelShips->text(), QStringLiteral("Unieke schepen: 0 (deze maand), 0 (vorige maand)"));
    EXPECT_EQ(Panel->PageControl->currentWidget(), Panel->TabSheetLog);
}

TEST_F(ZichtOpScheepvaart, LogTextsInTimeOrder) {
    const TDateTime eta = Noon + 0.25 / 24;  // a quarter of an hour later
    const QString etaText = QStringLiteral(" (ETA: ") + FormatDateTime(QStringLiteral("hh:nn"), 1, GetLocalDateTime(eta)) + ")";
    // Added out of time order: the list orders by time whatever the column.
    Fake->Add(Noon + 6 / 86400.0, 9, 200, QStringLiteral("Vreemd"));
    for (int kind = 0; kind <= 5; ++kind)
        Fake->Add(Noon + kind / 86400.0, kind, kind == 3 ? 500 : 200, QStringLiteral("Millbrook Bridge"),
                  kind == 3 ? QStringLiteral("Brug gestremd") : QString(), eta);
    const char *actions[] = {"Downloading ISRS codes", "Operation request canceled", "Operation request sent",
                             "Boat state sent", "Operation request updated", "Object passed and canceled", ""};
    ASSERT_EQ(Panel->LogModel->rowCount(), 7);
    for (int row = 0; row < 7; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Cell(row, 1), QString::fromLatin1(actions[row]));
        const bool withEta = row == 2 || row == 4;
        EXPECT_EQ(Cell(row, 2), (row == 6 ? QStringLiteral("Vreemd") : QStringLiteral("Millbrook Bridge")) +
                                    (withEta ? etaText : QString()));
        EXPECT_EQ(Cell(row, 3), row == 3 ? QStringLiteral("Brug gestremd") : QStringLiteral("OK"));
    }
    EXPECT_EQ(Cell(0, 0), FormatDateTime(QStringLiteral("hh:nn:ss"), 1, GetLocalDateTime(Noon)));
    EXPECT_EQ(Panel->LabelRequestsValue->text(), QStringLiteral("1"));
    EXPECT_EQ(Panel->LabelPassedValue->text(), QStringLiteral("1"));
    EXPECT_EQ(Panel->LogModel->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Resultaat"));
    EXPECT_TRUE(Panel->LabelLatestAction->text().startsWith(QStringLiteral("Most recent action: ")));
    EXPECT_FALSE(Panel->LabelLatestAction->text().endsWith(QStringLiteral("---")));
    Panel->PageControl->setCurrentWidget(Panel->TabSheetLog);
    shelltest::SaveScreenshot(Window.get(), QStringLiteral("zos-log"));
}

TEST_F(ZichtOpScheepvaart, ActivateStoresTheValuesAndStartsTheManager) {
    Env->ActiveBoatDef->SetMMSI(244000001);
    Store(u"StructOperPhone", QStringLiteral("+31 20 000"));
    Panel->Activate(QStringLiteral("Zeeëend"), QString(), 1.5f, 244000002);
    EXPECT_TRUE(Fake->IsActive());
    EXPECT_EQ(Fake->Mode, 1);
    EXPECT_EQ(Fake->ShipName, QStringLiteral("Zeeëend"));
    EXPECT_FLOAT_EQ(Fake->SafetyMargin, 1.5f);
    EXPECT_EQ(Stored(u"ShipName"), QStringLiteral("Zeeëend"));
    EXPECT_TRUE(StoredActive());
    EXPECT_FLOAT_EQ(RegReadSingleDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperSafeMargin"), 0), 1.5f);
    EXPECT_EQ(Env->ActiveBoatDef->GetMMSI(), 244000002);
    // A number the user removed is neither sent now nor handed to the manager again later.
    EXPECT_TRUE(Fake->Phone.isEmpty());
    EXPECT_TRUE(Stored(u"StructOperPhone").isEmpty());
    Panel->UpdateControls();
    EXPECT_TRUE(Fake->Phone.isEmpty());
    EXPECT_EQ(Panel->ButtonActivate->text(), QStringLiteral("Deactiveren"));
    EXPECT_FALSE(Panel->EditShipName->isEnabled());
    EXPECT_FALSE(Panel->EditMMSINumber->isEnabled());
}

TEST_F(ZichtOpScheepvaart, OnlyYesStopsTheSignUp) {
    Panel->Activate(QStringLiteral("Zeemeeuw"), QStringLiteral("06"), 0.5f, 0);
    for (int answer : {mrNo, mrCancel}) {
        Answer = answer;
        EXPECT_FALSE(Panel->Deactivate());
        EXPECT_TRUE(Fake->IsActive());
        EXPECT_TRUE(StoredActive());
    }
    Answer = mrYes;
    Messages.clear();
    QTest::mouseClick(Panel->ButtonActivate, Qt::LeftButton);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Are you sure you want to stop signing up for bridges and locks?")});
    EXPECT_FALSE(Fake->IsActive());
    EXPECT_FALSE(StoredActive());
    EXPECT_EQ(Panel->ButtonActivate->text(), QStringLiteral("Activeren"));

    // Started again through the sign-up dialog.
    DialogAnswer = [](TFormZichtOpScheepvaart &form) {
        form.EditPhone->setText(QStringLiteral("0612345678"));
        QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
        return form.result();
    };
    QTest::mouseClick(Panel->ButtonActivate, Qt::LeftButton);
    EXPECT_TRUE(Fake->IsActive());
    EXPECT_EQ(Fake->Phone, QStringLiteral("0612345678"));
}

TEST_F(ZichtOpScheepvaart, ActivateFromSettingsNeedsAStoredName) {
    Panel->ActivateFromSettings();
    EXPECT_FALSE(Fake->IsActive());
    Store(u"ShipName", QStringLiteral("Ĳsvogel"));
    Store(u"StructOperPhone", QStringLiteral("+31 6"));
    Panel->ActivateFromSettings();
    EXPECT_TRUE(Fake->IsActive());
    EXPECT_EQ(Fake->ShipName, QStringLiteral("Ĳsvogel"));
    EXPECT_EQ(Fake->Phone, QStringLiteral("+31 6"));
    EXPECT_FLOAT_EQ(Fake->SafetyMargin, 0.5f);
    EXPECT_TRUE(StoredActive());
}

TEST_F(ZichtOpScheepvaart, NoCallbackIntoADestroyedPanel) {
    ASSERT_NE(Fake->Callback, nullptr);
    delete Panel;
    Panel = nullptr;
    EXPECT_EQ(Fake->Callback, nullptr);
    Fake->Add(Noon, 2, 500, QString(), QStringLiteral("Storing"));
    EXPECT_EQ(Notifications(), 0);
}

TEST_F(ZichtOpScheepvaart, DialogEdits) {
    Store(u"ShipName", QStringLiteral("Zeemeeuw"));
    {
        TFormZichtOpScheepvaart form(nullptr, 244000001, 2.0f);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Aanmelden bruggen en sluizen"));
        EXPECT_FALSE(form.EditShipName->isEnabled());
        EXPECT_FALSE(form.EditMMSINumber->isEnabled());
        EXPECT_DOUBLE_EQ(double(form.NumberEditOperationHeight->Value()), 2.5);
        form.NumberEditSafetyMargin->selectAll();
        QTest::keyClicks(form.NumberEditSafetyMargin, QStringLiteral("3.5"));
        form.NumberEditSafetyMargin->clearFocus();
        form.NumberEditSafetyMarginExit();
        EXPECT_DOUBLE_EQ(double(form.NumberEditSafetyMargin->Value()), 3.0);
        EXPECT_DOUBLE_EQ(double(form.NumberEditOperationHeight->Value()), 5.0);
        EXPECT_EQ(form.NumberEditOperationHeight->text(), QStringLiteral("5.0"));
        EXPECT_FALSE(form.NumberEditOperationHeight->isEnabled());
        EXPECT_TRUE(form.HTMLViewer->toPlainText().contains(QStringLiteral("Advantages of signing up in Marivo:")));
    }
    Store(u"ShipName", QString());
    TFormZichtOpScheepvaart form(nullptr, 0, 2.0f);
    EXPECT_TRUE(form.EditShipName->isEnabled());
    EXPECT_TRUE(form.EditMMSINumber->isEnabled());
    Messages.clear();
    QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Please enter the name of your ship")});
    EXPECT_EQ(form.result(), 0) << "the dialog stays open";
    form.EditShipName->setText(QStringLiteral("Zeemeeuw"));
    QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    form.resize(500, 525);
    shelltest::SaveScreenshot(&form, QStringLiteral("zos-signup-dialog"));
}

TEST(ZichtOpScheepvaartStats, SortByCountThenNameAndToggle) {
    TZoSStatsModel model;
    auto row = [](const char *name, int requests) {
        TZoSStatsModel::TNodeData d;
        d.Name = QString::fromLatin1(name);
        d.Counts[0] = requests;
        return d;
    };
    model.SetRows({row("beta", 2), row("Alpha", 2), row("alpha", 1), row("Gamma", 3)});
    auto names = [&model]() {
        QStringList n;
        for (int r = 0; r < model.rowCount(); ++r) n << model.index(r, 0).data().toString();
        return n;
    };
    EXPECT_EQ(names(), (QStringList{"Alpha", "Gamma", "alpha", "beta"})) << "ordinal, case-sensitive";
    model.HeaderClick(1);
    EXPECT_EQ(names(), (QStringList{"alpha", "Alpha", "beta", "Gamma"}));
    model.HeaderClick(1);
    EXPECT_EQ(names(), (QStringList{"Gamma", "beta", "Alpha", "alpha"}));
    EXPECT_EQ(model.Order(), Qt::DescendingOrder);
    model.HeaderClick(0);
    EXPECT_EQ(model.Order(), Qt::DescendingOrder) << "another column keeps the direction";
    EXPECT_EQ(names(), (QStringList{"beta", "alpha", "Gamma", "Alpha"}));
}

// The real manager against the stand-in: statistics rows named from the network, the
// identifier where the network does not know it.
class ZichtOpScheepvaartOnline : public ZichtOpScheepvaart {
protected:
    void SetUp() override {
        ASSERT_TRUE(Stub.Start());
        UseFake = false;
        // Before the environment is made: it installs the transport the settings name.
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"),
                       Stub.BaseUrl(), err);
        ZichtOpScheepvaart::SetUp();
    }
    void TearDown() override {
        ZichtOpScheepvaart::TearDown();
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), QString(), err);
        Owned<INavEnv> offline(NavEnvCreate());
    }
    template <class T>
    using Owned = testsupport::Owned<T>;
    testsupport::TServiceStubProcess Stub;
};

TEST_F(ZichtOpScheepvaartOnline, StatisticsNamedFromTheNetwork) {
    auto stats = [](const char *id, int requests) {
        return QJsonObject{{"id", id}, {"requests", requests}, {"active", 0}, {"passed", 1}, {"updates", 0}, {"cancellations", 0}};
    };
    ASSERT_TRUE(Stub.Script(QStringLiteral("structops/structures"), 200,
                            {{"result", 0},
                             {"participating", QJsonArray{"XXSLM00001B000000007", "XXSLM00003B000000021"}},
                             {"statistics", QJsonObject{{"structures", QJsonArray{stats("XXSLM00003B000000021", 4),
                                                                                  stats("XXSLM00001B000000007", 4),
                                                                                  stats("NLUNKNOWN", 1)}},
                                                        {"uniqueShipsThisMonth", 3},
                                                        {"uniqueShipsLastMonth", 8}}}}));
    Store(u"ShipName", QStringLiteral("Zeemeeuw"));
    Panel->ActivateFromSettings();
    ASSERT_TRUE(QTest::qWaitFor([this]() { return Panel->StatsModel->rowCount() == 3; }, 30000));
    Panel->PageControl->setCurrentWidget(Panel->TabSheetStatistics);
    QTest::mouseClick(Panel->ListViewStats->header()->viewport(), Qt::LeftButton, {},
                      QPoint(Panel->ListViewStats->header()->sectionViewportPosition(1) + 5, 5));
    QStringList names;
    for (int r = 0; r < 3; ++r) names << Panel->StatsModel->index(r, 0).data().toString();
    EXPECT_EQ(names, (QStringList{"NLUNKNOWN", "Harbour Bridge", "Millbrook Bridge"}))
        << "by requests, then by name; an identifier the network does not know stands for itself";
    EXPECT_EQ(Panel->ListViewStats->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(Panel->LabelShips->text(), QStringLiteral("Unieke schepen: 3 (deze maand), 8 (vorige maand)"));
    EXPECT_EQ(Panel->LabelStructures->text(), QStringLiteral("Kunstwerken die meedoen: 2, unieke gepasseerd: 3"));
    shelltest::SaveScreenshot(Window.get(), QStringLiteral("zos-statistics"));
}

}  // namespace
