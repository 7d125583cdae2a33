// A new user's first start against the services stand-in: the main window runs the start-up
// wizard at its deferred start, the user logs in, passes the ship page, ticks the New Zealand
// chart set and installs it; once the wizard is closed the main chart viewer has the chart and
// draws it.
#include "online/FraPageSelectCharts.h"
#include "online/FraStartupUser.h"
#include "online/FrmChartManager.h"
#include "online/FrmWizardStartup.h"

#include "OnlineTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvColors.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvCharts.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Pixels of the picture unlike the colour the viewer clears to.
int PixelsUnlike(const QImage &image, QRgb background) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF);
    return n;
}

IRasterChart *ViewerChartNamed(TNavViewerControl &viewer, const QString &file) {
    for (int32_t i = 0; i < viewer.GetChartCount(); ++i) {
        IRasterChart *chart = viewer.GetChart(i);
        if (chart && QFileInfo(StrWToWide(chart->GetFileName())).fileName() == file) return chart;
    }
    return nullptr;
}

class WizardStartupChartsShown : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("wizardcharts"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        ASSERT_TRUE(onlinetest::StartStubWithCharts(FStub, Options.DataFolder));
        Folder = testsupport::MakeTempDir(QStringLiteral("wizardcharts")) + QStringLiteral("/Charts/");
        ASSERT_EQ(SetDefaultChartFolder(Folder), 0);
        FOldChartManager = TFormChartManager::SetPrompter([](TFormChartManager &) { return int(QDialog::Rejected); });
    }
    void TearDown() override {
        Main.reset();
        TFormChartManager::SetPrompter(std::move(FOldChartManager));
        FStub.Stop();
        qunsetenv("MARIVO_STUB_FILES");
    }

    // What a new user does in the wizard: logs in, keeps the ship, ticks the New Zealand set
    // and installs it, then closes the wizard.
    void Walk(TFormWizardStartup &wizard) {
        wizard.resize(760, 560);
        wizard.show();
        wizard.LoginFrame->Boxes().EditLoginEmail->setText(onlinetest::StubEmail);
        wizard.LoginFrame->Boxes().EditLoginPassword->setText(onlinetest::StubPassword);
        QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentPage() == TFormWizardStartup::TPage::Ship; }, 30000));
        QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
        ASSERT_EQ(wizard.CurrentPage(), TFormWizardStartup::TPage::Selection);
        IMRCAvailableChartSet *nz = Main->NavEnv()->OnlineService->FindAvailableChartSet(5001, 2);
        ASSERT_NE(nz, nullptr);
        QAbstractItemModel *model = wizard.SelectFrame->Model();
        bool ticked = false;
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->rowCount(model->index(r, 0)); ++c) {
                const QModelIndex row = model->index(c, 0, model->index(r, 0));
                if (row.data().toString() != QStringLiteral("New Zealand approaches")) continue;
                ticked = model->setData(row, Qt::Checked, Qt::CheckStateRole);
            }
        ASSERT_TRUE(ticked);
        ASSERT_TRUE(nz->IsSelected());
        QTest::mouseClick(wizard.ButtonNext, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentPage() == TFormWizardStartup::TPage::Selection; }, 60000));
        EXPECT_TRUE(nz->IsInstalled());
        QTest::mouseClick(wizard.ButtonClose, Qt::LeftButton);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("wizardcharts")};
    shelltest::TShellScope FShell;
    testsupport::TServiceStubProcess FStub;
    TStartOptions Options;
    QString Folder;
    std::unique_ptr<TFormMarivo6Main> Main;

private:
    TFormChartManager::TPrompter FOldChartManager;
};

}  // namespace

TEST_F(WizardStartupChartsShown, TheSetInstalledAtTheFirstStartIsDrawnInTheMainViewer) {
    onlinetest::TMessages messages;
    int runs = 0;
    const auto old = TFormWizardStartup::SetPrompter([&](TFormWizardStartup &wizard) {
        ++runs;
        Walk(wizard);
        return int(QDialog::Rejected);
    });
    Main = std::make_unique<TFormMarivo6Main>(Options);
    Main->resize(1200, 800);
    Main->show();
    Main->WMDeferredStart();
    // The wizard runs from the event loop, after the deferred start.
    QTest::qWaitFor([&] { return runs > 0; }, 30000);
    TFormWizardStartup::SetPrompter(old);
    ASSERT_EQ(runs, 1) << "a new user of the online services gets the wizard";
    EXPECT_EQ(messages.Texts, QStringList({"The selected charts have been installed successfully!"}));
    EXPECT_TRUE(QFileInfo::exists(Folder + QStringLiteral("MRC2/DemoCharts/NZ/NZ61401.KAP")));

    ASSERT_NE(Main->ViewerMain(), nullptr);
    TNavViewerControl *viewer = Main->ViewerMain()->ViewerControl();
    ASSERT_NE(viewer, nullptr);
    IRasterChart *chart = ViewerChartNamed(*viewer, QStringLiteral("NZ61401.KAP"));
    ASSERT_NE(chart, nullptr) << "the installed chart reached the viewer";
    viewer->ZoomToChart(chart);
    const auto inView = [&] {
        for (int32_t i = 0; i < viewer->GetViewChartCount(); ++i)
            if (viewer->GetViewChart(i) == chart) return true;
        return false;
    };
    EXPECT_TRUE(inView());
    // Far from the demo area: nothing but the chart can colour the view. The chart's open sea
    // is white as well, so a fifth of the view is asked for.
    const QRgb background = QRgb(ColorSwapRB(Main->NavEnv()->ColorClear));
    const int area = viewer->width() * viewer->height();
    QImage picture;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            picture = viewer->grab().toImage();
            return PixelsUnlike(picture, background) > area / 5;
        },
        30000))
        << PixelsUnlike(picture, background) << " of " << area;
    shelltest::SaveScreenshot(picture, QStringLiteral("wizard-startup-chart-in-viewer"));
}
