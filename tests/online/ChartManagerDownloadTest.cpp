// The chart manager dialog on the demo environment as a new user meets it: "Download
// charts..." opens the install wizard, a set installed there appears in the tree; the
// account's answers repaint the tree.
#include "online/FrmChartManager.h"

#include "online/FraPageSelectCharts.h"
#include "online/FraPageUserLogin.h"
#include "online/FrmWizardInstallCharts.h"

#include "OnlineTestSupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

// Counts the paint events of one widget.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) ++Count;
        return false;
    }
    int Count = 0;
};

class ChartManagerDownload : public onlinetest::OnlineEnvFixture {
protected:
    void SetUp() override {
        OnlineEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        Folder = testsupport::MakeTempDir(QStringLiteral("chartmanagerdownload")) + QStringLiteral("/Charts/");
        ASSERT_EQ(SetDefaultChartFolder(Folder), 0);
        Services = {Env->OnlineService, Env->CoreEnv->GetDispatcher(), Env->SailingAreas, Env->S52Library,
                    Env->S57Registrar};
    }
    void TearDown() override {
        TFormWizardInstallCharts::SetPrompter({});
        TFormChartManager::SetPrompter({});
        OnlineEnvFixture::TearDown();
    }
    static QStringList TopRows(QTreeWidget *tree) {
        QStringList out;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) out << tree->topLevelItem(i)->text(0);
        return out;
    }
    // The wizard as the user drives it: log in, check the named set, install, close.
    static int InstallInWizard(TFormWizardInstallCharts &wizard, const QString &set) {
        const auto click = [](QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); };
        const auto idle = [&](TFormWizardInstallCharts::TPage page) {
            return QTest::qWaitFor([&] { return wizard.CurrentPage() == page && !wizard.Busy(); }, 60000);
        };
        wizard.show();
        click(wizard.ButtonPrev);
        wizard.LoginFrame->Boxes().EditLoginEmail->setText(onlinetest::StubEmail);
        wizard.LoginFrame->Boxes().EditLoginPassword->setText(onlinetest::StubPassword);
        click(wizard.ButtonNext);
        EXPECT_TRUE(idle(TFormWizardInstallCharts::TPage::Selection));
        QAbstractItemModel *model = wizard.SelectFrame->Model();
        std::function<void(const QModelIndex &)> check = [&](const QModelIndex &parent) {
            for (int r = 0; r < model->rowCount(parent); ++r) {
                const QModelIndex index = model->index(r, 0, parent);
                if (index.data().toString() == set) model->setData(index, Qt::Checked, Qt::CheckStateRole);
                check(index);
            }
        };
        check({});
        shelltest::SaveScreenshot(&wizard, QStringLiteral("chartmanager-download-wizard"));
        click(wizard.ButtonNext);
        EXPECT_TRUE(idle(TFormWizardInstallCharts::TPage::Selection));
        click(wizard.ButtonClose);
        return wizard.result();
    }

    QString Folder;
    TChartManagerServices Services;
};

}  // namespace

TEST_F(ChartManagerDownload, DownloadChartsInstallsASetThatTheTreeThenShows) {
    TFormWizardInstallCharts::SetPrompter([](TFormWizardInstallCharts &w) { return InstallInWizard(w, "Vecht"); });
    bool changed = false, baseMap = true;
    TFormChartManager::SetPrompter([&](TFormChartManager &form) {
        form.show();
        EXPECT_TRUE(form.ButtonDownload->isEnabled());
        EXPECT_EQ(form.ButtonDownload->text(), "Download charts...");
        const QStringList before = TopRows(form.ListViewCharts);
        EXPECT_FALSE(before.contains("Demo charts"));
        QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
        const QStringList after = TopRows(form.ListViewCharts);
        EXPECT_TRUE(after.contains("Demo charts")) << after.join('|').toStdString();
        form.ListViewCharts->expandAll();
        shelltest::SaveScreenshot(&form, QStringLiteral("chartmanager-after-download"));
        form.ButtonClose->click();
        return form.result();
    });
    TFormChartManager::Execute(Env->ChartManager, QStringLiteral("Main"), 0, changed, baseMap, 0, Services);
    EXPECT_TRUE(changed);
    EXPECT_TRUE(baseMap) << "the base map keeps its check";
    EXPECT_EQ(Messages, QStringList({"The selected charts have been installed successfully!"}));
    EXPECT_TRUE(QFileInfo::exists(Folder + QStringLiteral("MRC2/DemoCharts/Vecht/VELM0001.KAP")));
}

TEST_F(ChartManagerDownload, OpenDownloadStartsTheWizardAtOnceAndAnswersRepaintTheTree) {
    int wizards = 0;
    TFormWizardInstallCharts::SetPrompter([&](TFormWizardInstallCharts &) {
        ++wizards;
        return 2;
    });
    bool changed = false, baseMap = false;
    TFormChartManager::SetPrompter([&](TFormChartManager &form) {
        EXPECT_EQ(wizards, 1);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        TPaintCounter paints(form.ListViewCharts->viewport());
        QCoreApplication::processEvents();
        paints.Count = 0;
        Env->CoreEnv->GetDispatcher()->Post(NavNotify::AccountRequestDone, 0, 0, 0, 0, 0, 0, 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return paints.Count > 0; }, 10000));
        form.reject();
        return form.result();
    });
    TFormChartManager::Execute(Env->ChartManager, {}, 0, changed, baseMap, 0, Services, true);
}
