#include "FirstStartWizard.h"
#include "ScenarioRun.h"

#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "online/FraPageSelectCharts.h"
#include "online/FraStartupShipProperties.h"
#include "online/FraStartupUser.h"
#include "online/FrmWizardStartup.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace acceptance {

namespace {

// Generous for a loaded machine; each wait ends as soon as its page is there.
constexpr int WaitMs = 30000;

// The page as the user tells it: by its title.
const QString LoginPage = QStringLiteral("Inloggen");
const QString ShipPage = QStringLiteral("Scheepseigenschappen");
const QString SelectionPage = QStringLiteral("Selecteer de te installeren kaart(en)");
const QString ProgressPage = QStringLiteral("Voortgang installatie");

QString Page(const TFormWizardStartup &wizard) {
    return wizard.LabelHeaderTitle->text();
}

bool WaitForPage(const TFormWizardStartup &wizard, const QString &title, int timeoutMs = WaitMs) {
    return QTest::qWaitFor([&] { return Page(wizard) == title; }, timeoutMs);
}

// Every row of the tree below parent, depth first.
QModelIndexList Rows(const QAbstractItemModel &model, const QModelIndex &parent = {}) {
    QModelIndexList rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex row = model.index(r, 0, parent);
        rows << row << Rows(model, row);
    }
    return rows;
}

// Key by key; a letter beyond ASCII comes as its key with its text, as a keyboard sends it.
void Type(QLineEdit *edit, const QString &text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

}  // namespace

TServicesStandIn::TServicesStandIn(const QString &dataFolder) : FProcess(std::make_unique<QProcess>()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MARIVO_STUB_FILES"),
               dataFolder + QStringLiteral("/Charts/BSB:") + testsupport::TestDataPath(QStringLiteral("charts/bsb")));
    FProcess->setProcessEnvironment(env);
    FProcess->start(QStringLiteral(MARIVO_SERVICESTUB_PATH),
                    {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--settings")});
    // The port comes once the stand-in listens and is named in the settings.
    while (FProcess->waitForReadyRead(WaitMs) && !FProcess->canReadLine()) {
    }
    if (FProcess->canReadLine()) FPort = quint16(FProcess->readLine().trimmed().toUInt());
}

TServicesStandIn::~TServicesStandIn() {
    Stop();
}

QString TServicesStandIn::BaseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(FPort);
}

void TServicesStandIn::Stop() {
    if (FProcess->state() == QProcess::NotRunning) return;
    FProcess->terminate();
    if (!FProcess->waitForFinished(WaitMs)) FProcess->kill();
    FProcess->waitForFinished(WaitMs);
}

int TStartupWizardWalk::operator()(TFormWizardStartup &wizard) {
    ++Runs;
    wizard.open();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Marivo instellen")) << "the wizard speaks Dutch";
    LogIn(wizard);
    if (!::testing::Test::HasFatalFailure()) ChooseShip(wizard);
    if (!::testing::Test::HasFatalFailure()) TickChartSets(wizard);
    if (!::testing::Test::HasFatalFailure()) Install(wizard);
    EXPECT_EQ(wizard.ButtonClose->text(), QStringLiteral("Sluiten")) << "nothing runs any more";
    QTest::mouseClick(wizard.ButtonClose, Qt::LeftButton);
    EXPECT_FALSE(wizard.isVisible());
    Done = true;
    return wizard.result();
}

void TStartupWizardWalk::LogIn(TFormWizardStartup &wizard) {
    ASSERT_EQ(Page(wizard), LoginPage);
    TLoginBoxes &boxes = wizard.LoginFrame->Boxes();
    Type(boxes.EditLoginEmail, StandInEmail);
    Type(boxes.EditLoginPassword, StandInPassword);
    EXPECT_EQ(boxes.EditLoginPassword->text(), StandInPassword);
    Screenshot(&wizard, QStringLiteral("1-wizard-1-login"));
    QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
    ASSERT_TRUE(WaitForPage(wizard, ShipPage)) << "the login is accepted";
}

void TStartupWizardWalk::ChooseShip(TFormWizardStartup &wizard) {
    TFrameStartupShipProperties &page = *wizard.ShipFrame;
    QComboBox *ships = page.ComboSavedShips;
    // "<default>" and the two ships saved in the account.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ships->findText(Ship) > 0; }, WaitMs)) << Ship.toStdString();
    EXPECT_EQ(ships->count(), 3);
    // Down the list with the arrow key, as far as the ship.
    ships->setFocus();
    for (int i = 0; i < ships->count() && ships->currentText() != Ship; ++i) QTest::keyClick(ships, Qt::Key_Down);
    EXPECT_EQ(ships->currentText(), Ship);
    EXPECT_EQ(page.EditShipName->text(), Ship);
    EXPECT_DOUBLE_EQ(page.EditDimensionLength->value(), 12.0);
    EXPECT_DOUBLE_EQ(page.EditDraught->value(), 1.6);
    Screenshot(&wizard, QStringLiteral("1-wizard-2-ship"));
    QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
    ASSERT_EQ(Page(wizard), SelectionPage);
}

void TStartupWizardWalk::TickChartSets(TFormWizardStartup &wizard) {
    TFramePageSelectCharts &page = *wizard.SelectFrame;
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.Model()->rowCount() > 0 && wizard.ButtonNext->isEnabled(); }, WaitMs))
        << "the account's offer is listed";
    QAbstractItemModel &model = *page.Model();
    for (const QModelIndex &row : Rows(model)) {
        if (row.data(SelectChartsRole::Kind).toInt() != SelectChartsRow::ChartSet) continue;
        page.ListView->scrollTo(row);
        QTest::mouseClick(page.ListView->viewport(), Qt::LeftButton, {}, page.ListView->visualRect(row).center());
        EXPECT_EQ(row.data(Qt::CheckStateRole).toInt(), Qt::Checked) << row.data().toString().toStdString();
        ChartSetsTicked << row.data().toString();
    }
    EXPECT_EQ(ChartSetsTicked.join(QStringLiteral(" | ")).toStdString(), "Vecht | New Zealand approaches");
    EXPECT_TRUE(page.LabelSpaceRequired->text().contains(QStringLiteral(" MB"))) << "the space the ticked sets need";
    EXPECT_GT(page.RequiredSpace(), 0);
    Screenshot(&wizard, QStringLiteral("1-wizard-3-selection"));
}

void TStartupWizardWalk::Install(TFormWizardStartup &wizard) {
    // The message boxes are answered as before; what the wizard shows meanwhile is noted,
    // and the progress page is photographed when the result comes.
    TMsgBoxPrompter answer;
    answer = SetMsgBoxPrompter([this, &wizard, &answer](TMessageForm &form) {
        const bool onProgress = Page(wizard) == ProgressPage;
        InstallMessages << form.windowTitle() + (onProgress ? QStringLiteral(" (progress page)") : QString());
        if (onProgress) Screenshot(&wizard, QStringLiteral("1-wizard-4-progress"));
        return answer(form);
    });
    QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
    EXPECT_TRUE(WaitForPage(wizard, SelectionPage, 2 * WaitMs)) << "the installation ends";
    SetMsgBoxPrompter(std::move(answer));
    // "Success", in Dutch.
    EXPECT_EQ(InstallMessages.join(QStringLiteral(" | ")).toStdString(), "Gelukt (progress page)");
    for (const char *file : {"MRC2/DemoCharts/Vecht/VELM0001.KAP", "MRC2/DemoCharts/NZ/NZ61401.KAP"})
        EXPECT_TRUE(QFileInfo::exists(ChartFolder + QLatin1String(file))) << file;
}

}  // namespace acceptance
