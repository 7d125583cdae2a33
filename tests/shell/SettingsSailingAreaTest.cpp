// The sailing-area dialog on the real environment: the country tree with its tri-state
// root, the set OK hands to the environment, the order per language and the base folder.
#include "SettingsDialogSupport.h"

#include "base/dialogs/KvBrowseFolderFrm.h"
#include "base/folders/KvShellView.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegCharts.h"
#include "base/settings/KvRegRoutes.h"
#include "shell/FrmSettingsSailingArea.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

const QString KeySailingArea = QStringLiteral("Desktop\\SailingArea");

class SettingsSailingArea : public SettingsDialogFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        SetCurrentLanguage(KvLang::English);
        FEnv = Make();
    }
    void TearDown() override {
        TFormBrowseFolder::SetPrompter(nullptr);
        SetCurrentLanguage(KvLang::English);
        FEnv.reset();
        NavEnvFixture::TearDown();
    }
    // Runs the dialog with the steps given, then closes it with OK or Cancel.
    bool Run(uint16_t &areas, std::function<void(TFormSettingsSailingArea &)> steps, bool ok) {
        return RunSettingsDialog<TFormSettingsSailingArea>(steps, ok, *FEnv, areas);
    }
    void DeleteStoredAreas() {
        int32_t err = 0;
        RegDeleteKey(GetAppReg(), AppRegRoot::Product, KeySailingArea, err);
        ASSERT_EQ(err, KvErr::Ok);
        ASSERT_FALSE(RegKeyExists(GetAppReg(), AppRegRoot::Product, KeySailingArea));
    }
    std::unique_ptr<TMarivoNavEnv> FEnv;
};

// Clicks the check box of a row as the user does: current row, then the space key.
void Toggle(QTreeView *view, const QModelIndex &index) {
    view->setCurrentIndex(index);
    QTest::keyClick(view, Qt::Key_Space);
}

QStringList CountryNames(const TFormSettingsSailingArea &form) {
    QStringList names;
    const QModelIndex root = form.Model()->RootIndex();
    for (int row = 0; row < form.Model()->rowCount(root); ++row)
        names << form.Model()->index(row, 0, root).data().toString();
    return names;
}

}  // namespace

TEST_F(SettingsSailingArea, OpeningWithTheNetherlandsChecksOnlyItAndTheRootIsMixed) {
    TFormSettingsSailingArea form(*FEnv, 0x0100);
    QAbstractItemModelTester tester(form.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    form.show();
    const QModelIndex root = form.Model()->RootIndex();
    EXPECT_EQ(root.data().toString(), QStringLiteral("All available inland Europe"));
    EXPECT_EQ(root.data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    EXPECT_TRUE(form.ListView->isExpanded(root));
    ASSERT_EQ(form.Model()->rowCount(root), 14);
    QStringList checked;
    for (int row = 0; row < 14; ++row) {
        const QModelIndex i = form.Model()->index(row, 0, root);
        if (i.data(Qt::CheckStateRole).toInt() == Qt::Checked) checked << i.data().toString();
    }
    EXPECT_EQ(checked, QStringList{QStringLiteral("Netherlands")});
    EXPECT_FALSE(form.CheckAutoUpdates->isVisible());
    shelltest::SaveScreenshot(&form, QStringLiteral("SettingsSailingArea_en"));
}

TEST_F(SettingsSailingArea, CheckedCountriesGiveTheirBits) {
    struct Case {
        const char *name;
        int kind;  // the row clicked; 14 = the root
        uint16_t expected;
    };
    const Case cases[] = {{"root", TSailingAreaModel::RootKind, 0x3FFF},
                          {"Croatia", 8, 0x0008},
                          {"Switzerland", 3, 0x2000},
                          {"Austria", 0, 0x0001}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        uint16_t areas = 0;
        EXPECT_TRUE(Run(areas, [&](TFormSettingsSailingArea &form) {
            const QModelIndex index = c.kind == TSailingAreaModel::RootKind
                                          ? form.Model()->RootIndex()
                                          : form.Model()->CountryIndex(c.kind);
            Toggle(form.ListView, index);
        }, true));
        EXPECT_EQ(areas, c.expected);
        uint16_t stored = 0;
        RegReadSailingAreas(stored);
        EXPECT_EQ(stored, c.expected);
        EXPECT_EQ(FEnv->SailingAreas, c.expected);
    }
    // A mixed root clicked checks everything; clicked again clears everything.
    uint16_t areas = 0x0100;
    EXPECT_TRUE(Run(areas, [](TFormSettingsSailingArea &form) {
        Toggle(form.ListView, form.Model()->RootIndex());
        EXPECT_EQ(form.CollectCountries(), 0x3FFF);
        Toggle(form.ListView, form.Model()->RootIndex());
        EXPECT_EQ(form.Model()->RootIndex().data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    }, true));
    EXPECT_EQ(areas, 0);
}

TEST_F(SettingsSailingArea, OkWithoutChangeStoresOnlyWhenNothingIsStoredYet) {
    RegWriteSailingAreas(0x0100);
    // The store says Austria too, the caller not: an unchanged OK writes nothing over it.
    RegWriteSailingAreas(0x0101);
    uint16_t areas = 0x0100;
    EXPECT_TRUE(Run(areas, [](TFormSettingsSailingArea &) {}, true));
    uint16_t stored = 0;
    RegReadSailingAreas(stored);
    EXPECT_EQ(stored, 0x0101);

    DeleteStoredAreas();
    EXPECT_TRUE(Run(areas, [](TFormSettingsSailingArea &) {}, true));
    EXPECT_TRUE(RegKeyExists(GetAppReg(), AppRegRoot::Product, KeySailingArea));
    RegReadSailingAreas(stored = 0);
    EXPECT_EQ(stored, 0x0100);

    // Cancel after a change keeps everything.
    RegWriteSailingAreas(0x0100);
    EXPECT_FALSE(Run(areas, [](TFormSettingsSailingArea &form) {
        Toggle(form.ListView, form.Model()->CountryIndex(0));
    }, false));
    EXPECT_EQ(areas, 0x0100);
    RegReadSailingAreas(stored = 0);
    EXPECT_EQ(stored, 0x0100);
}

TEST_F(SettingsSailingArea, CountriesAreSortedByTheirNamesInTheCurrentLanguage) {
    SetCurrentLanguage(KvLang::Dutch);
    TFormSettingsSailingArea form(*FEnv, 0x0108);
    QAbstractItemModelTester tester(form.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(CountryNames(form),
              QStringList({"België", "Bulgarije", "Duitsland", "Frankrijk", "Hongarije",
                           "Kroatië", "Nederland", "Oostenrijk", "Polen", "Roemenië", "Servië",
                           "Slowakije", "Tsjechië", "Zwitserland"}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("IENC-vaargebied"));
    form.show();
    shelltest::SaveScreenshot(&form, QStringLiteral("SettingsSailingArea_nl"));
    // Checks stay with their countries when the order changes.
    SetCurrentLanguage(KvLang::English);
    form.SetLanguage();
    EXPECT_EQ(CountryNames(form).first(), QStringLiteral("Austria"));
    EXPECT_EQ(form.Model()->CountryIndex(8).data().toString(), QStringLiteral("Croatia"));
    EXPECT_EQ(form.Model()->CountryIndex(8).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(form.CollectCountries(), 0x0108);
}

TEST_F(SettingsSailingArea, BaseFolderIsStoredOnOkOnly) {
    const QString fallback = TFormSettingsSailingArea::DefaultIENCFolder();
    EXPECT_TRUE(fallback.endsWith(QStringLiteral("/IENC/")));
    const QString chosen = QDir(FData).absolutePath() + QLatin1Char('/');
    TFormBrowseFolder::SetPrompter([&](TFormBrowseFolder &form) {
        form.ShellTreeView->SelectPath(chosen);
        return int(QDialog::Accepted);
    });
    uint16_t areas = 0x0100;
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Run(areas, [&](TFormSettingsSailingArea &form) {
            EXPECT_EQ(form.EditS57ChartFolder->text(), fallback);
            QTest::mouseClick(form.ButtonBrowse, Qt::LeftButton);
            EXPECT_EQ(form.EditS57ChartFolder->text(), chosen);
            // The download client's completion changes nothing in the dialog.
            FEnv->CoreEnv->GetDispatcher()->Send(134, 0, 0, 0, 0, 0, 0, 0);
            EXPECT_EQ(form.EditS57ChartFolder->text(), chosen);
        }, ok);
        EXPECT_EQ(GetIENCFolder(QStringLiteral("none")), ok ? chosen : QStringLiteral("none"));
    }
    // The dialog is gone and unsubscribed: a later notification reaches nothing of it.
    FEnv->CoreEnv->GetDispatcher()->Send(134, 0, 0, 0, 0, 0, 0, 0);
    TFormSettingsSailingArea form(*FEnv, areas);
    EXPECT_EQ(form.EditS57ChartFolder->text(), chosen);
}
