// The extensions dialog on the demo environment: the program's catalogue checked as the
// environment has it, a click on the check box stored on close and read back by the
// environment, an empty list that stores nothing, the name with its update counts, the
// order by name, and the maker's information page with every query value encoded.
#include "online/FrmExtensionManager.h"

#include "tests/shell/NavEnvFixture.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QHeaderView>
#include <QTest>
#include <QTreeView>

namespace {

const QString IencService = QStringLiteral("KVIENC_SERVICE_GEN");

class ExtensionManager : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        if (HasFatalFailure()) return;
        Env = Make();
        ASSERT_TRUE(Env);
    }
    void TearDown() override {
        TFormExtensionManager::SetPrompter(std::move(FOldPrompter));
        Env.reset();
        NavEnvFixture::TearDown();
    }
    void Answer(TFormExtensionManager::TPrompter prompter) {
        TFormExtensionManager::TPrompter old = TFormExtensionManager::SetPrompter(std::move(prompter));
        if (!FOldPrompterSet) {
            FOldPrompter = std::move(old);
            FOldPrompterSet = true;
        }
    }
    // A left click in the middle of a cell, as the user gives it.
    static void ClickCell(TFormExtensionManager &form, int row, int column) {
        const QModelIndex index = form.Model()->index(row, column);
        QTest::mouseClick(form.ListView->viewport(), Qt::LeftButton, {}, form.ListView->visualRect(index).center());
    }
    static bool Stored(const QString &id, bool def) {
        return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Extension"), RegName(id), def);
    }

    std::unique_ptr<TMarivoNavEnv> Env;

private:
    TFormExtensionManager::TPrompter FOldPrompter;
    bool FOldPrompterSet = false;
};

}  // namespace

TEST_F(ExtensionManager, TheCheckBoxIsStoredOnCloseAndTheEnvironmentFollowsIt) {
    ASSERT_TRUE(Env->IsExtensionEnabled(IencService)) << "nothing stored: on";
    QStringList shown;
    int runs = 0;
    Answer([&](TFormExtensionManager &form) {
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Extensions"));
        const auto &rows = form.Model()->Rows();
        EXPECT_EQ(rows.size(), 1u);
        for (const TExtensionRow &r : rows) shown << r.Id;
        const QModelIndex check = form.Model()->index(0, TExtensionListModel::ColEnabled);
        shown << QString::number(check.data(Qt::CheckStateRole).toInt());
        if (++runs == 1) shelltest::SaveScreenshot(&form, QStringLiteral("extension-manager"));
        ClickCell(form, 0, TExtensionListModel::ColEnabled);
        return int(QDialog::Rejected);
    });
    TFormExtensionManager::Execute(*Env);
    EXPECT_EQ(shown, QStringList({IencService, QString::number(Qt::Checked)}));
    EXPECT_FALSE(Env->IsExtensionEnabled(IencService)) << "unchecked on close: stored False";

    shown.clear();
    TFormExtensionManager::Execute(*Env);
    EXPECT_EQ(shown, QStringList({IencService, QString::number(Qt::Unchecked)})) << "the stored state is shown";
    EXPECT_TRUE(Env->IsExtensionEnabled(IencService));
    EXPECT_TRUE(Stored(IencService, false)) << "checked on close: True written";
}

TEST_F(ExtensionManager, AnEmptyListStoresNothing) {
    Answer([](TFormExtensionManager &form) {
        form.SetRows({});
        EXPECT_EQ(form.Model()->rowCount(), 0);
        return int(QDialog::Rejected);
    });
    TFormExtensionManager::Execute(*Env);
    EXPECT_FALSE(Stored(IencService, false));
    EXPECT_TRUE(Stored(IencService, true));
}

TEST_F(ExtensionManager, RowsAreOrderedByNameAndTheHeaderTurnsTheOrder) {
    TFormExtensionManager form(*Env);
    form.resize(600, 350);
    form.show();
    form.SetRows({{"b", "kb", "beta", -1, -1, true}, {"a", "ka", "Alpha", -1, -1, true}, {"c", "kc", "gamma", 2, 5, false}});
    const auto names = [&] {
        QStringList out;
        for (int r = 0; r < form.Model()->rowCount(); ++r)
            out << form.Model()->index(r, TExtensionListModel::ColName).data().toString();
        return out;
    };
    EXPECT_EQ(names(), QStringList({"Alpha", "beta", "gamma (2 / 5 updates)"})) << "case does not count";
    QHeaderView *header = form.ListView->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(TExtensionListModel::ColName) + 20, header->height() / 2));
    EXPECT_EQ(names(), QStringList({"gamma (2 / 5 updates)", "beta", "Alpha"}));
    EXPECT_EQ(form.Model()->index(0, TExtensionListModel::ColInfo).data().toString(), QStringLiteral("Meer info"));
}

TEST_F(ExtensionManager, NameShowsTheUpdateCountsOnlyWhenThereIsATotal) {
    struct Case {
        int32_t done, total;
        const char *text;
    };
    const Case cases[] = {{-1, -1, "Service"}, {3, -1, "Service"}, {2, 5, "Service (2 / 5 updates)"},
                          {0, 0, "Service (0 / 0 updates)"}};
    for (const Case &c : cases) {
        TExtensionRow row{"id", "key", "Service", c.done, c.total, true};
        EXPECT_EQ(TFormExtensionManager::NameText(row), QString::fromLatin1(c.text)) << c.done << "/" << c.total;
    }
}

TEST_F(ExtensionManager, InfoPageAddressEncodesEveryValue) {
    const int32_t version = (6 << 24) | (0 << 16) | (0 << 8) | 1;
    const QString site = QStringLiteral("https://www.korvane.example/applinks/redirect.php?url=");
    struct Case {
        const char *key;
        int32_t language;
        const char *title;
        const char *address;  // after the site
    };
    const Case cases[] = {
        {"marivoiencservice", KvLang::English, "Marivo Ostrel", "marivoiencservice&lang=en&ref=Marivo%20Ostrel6001"},
        {"marivoiencservice", KvLang::Dutch, "Marivo Ostrel", "marivoiencservice&lang=nl&ref=Marivo%20Ostrel6001"},
        {"marivoiencservice", KvLang::German, "Marivo Ostrel", "marivoiencservice&lang=de&ref=Marivo%20Ostrel6001"},
        {"marivoiencservice", KvLang::Spanish, "Marivo Ostrel", "marivoiencservice&lang=en&ref=Marivo%20Ostrel6001"},
        {"a b&c=d", KvLang::English, "Boat & Co", "a%20b%26c%3Dd&lang=en&ref=Boat%20%26%20Co6001"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(TFormExtensionManager::InfoAddress(QString::fromUtf8(c.key), c.language, QString::fromUtf8(c.title),
                                                     version),
                  site + QString::fromLatin1(c.address));
    }
}

TEST_F(ExtensionManager, AClickOnMoreInfoOpensThePageOfTheRow) {
    QStringList opened;
    const auto old = TFormExtensionManager::SetOpener([&](const QString &address) { opened << address; });
    TFormExtensionManager form(*Env);
    form.resize(600, 350);
    form.show();
    ClickCell(form, 0, TExtensionListModel::ColInfo);
    TFormExtensionManager::SetOpener(old);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], TFormExtensionManager::InfoAddress(QStringLiteral("marivoiencservice"), GetCurrentLanguage(),
                                                            ProgInfoGetTitle(), ProgInfoGetVersion()));
    EXPECT_TRUE(opened[0].contains(QStringLiteral("&ref=Marivo%20Ostrel"))) << opened[0].toStdString();
    EXPECT_TRUE(form.Model()->Rows()[0].Enabled) << "a click on the link leaves the check box";
}
