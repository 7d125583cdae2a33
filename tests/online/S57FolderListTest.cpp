// Bringing a real chart manager's S-57 folders in line with an edited folder list, over the
// shared NOAA and S-58 test cells.
#include "online/S57FolderList.h"

#include "base/charts/KvCharts.h"
#include "base/forms/FrmS57LoadInfoProgress.h"
#include "base/kvlib/KvStrings.h"
#include "TestSupport.h"

#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <memory>

namespace {

using ManagerPtr = std::unique_ptr<IChartManager, void (*)(NavObject *)>;

// Counts the S-57 information wait windows that appear.
class TLoadWindowCounter : public QObject {
public:
    TLoadWindowCounter() { qApp->installEventFilter(this); }
    ~TLoadWindowCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && qobject_cast<TFormS57LoadInfoProgress *>(watched)) ++Shown;
        return false;
    }
    int Shown = 0;
};

TS57ChartFolder Record(const QString &folder, bool withSubfolders) {
    TS57ChartFolder r;
    r.Folder = folder.toStdU16String();
    r.WithSubfolders = withSubfolders;
    return r;
}

// The manager's folders as "folder|flag".
QStringList Folders(IChartManager *m) {
    QStringList out;
    for (const TS57ChartFolder &r : S57FolderListFromManager(m))
        out << QString::fromStdU16String(r.Folder) + (r.WithSubfolders ? "|sub" : "|flat");
    out.sort();
    return out;
}

}  // namespace

class S57FolderList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        const QString root = testsupport::MakeTempDir(QStringLiteral("s57folderlist"));
        Manager.reset(ChartManagerCreate(StrW(root + "/ChartInfo.cif"), StrW(root + "/Marivo.SelectedCharts"),
                                         StrW(root + "/Charts"), nullptr, 1, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(Manager);
        Manager->RegisterViewer(0);
        ChartManagerAddS57Folder(Manager.get(), Noaa, true, nullptr, nullptr);
        ChartManagerAddS57Folder(Manager.get(), S58, true, nullptr, nullptr);
        int32_t err = 0;
        Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
        ASSERT_EQ(err, 0);
        ASSERT_EQ(Manager->GetChartCount(), 5);
    }

    testsupport::TPrivateSettingsStore FStore;
    const QString Noaa = testsupport::TestDataPath("charts/s57/US4MD81M");
    const QString S58 = testsupport::TestDataPath("charts/s57/s58");
    ManagerPtr Manager{nullptr, ObjectDelete};
};

TEST_F(S57FolderList, ListFromManagerCarriesFolderFlagAndIdentity) {
    const TS57ChartFolderList list = S57FolderListFromManager(Manager.get());
    ASSERT_EQ(list.size(), 2u);
    for (const TS57ChartFolder &r : list) {
        EXPECT_TRUE(r.WithSubfolders);
        EXPECT_FALSE(r.IsIENCSet);
        EXPECT_TRUE(r.CountryCode.empty() && r.Region.empty() && r.Water.empty());
    }
    EXPECT_TRUE(S57FolderListFromManager(nullptr).empty());

    // A downloaded set's folder keeps its identity in the list.
    const QString set = testsupport::MakeTempDir(QStringLiteral("s57folderlist-set")) + QStringLiteral("/NL/_all");
    QDir().mkpath(set);
    QFile f(set + QStringLiteral("/ienc.json"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"country": "NL", "region": "", "water": "Maas"})");
    f.close();
    ChartManagerAddS57Folder(Manager.get(), set, true, nullptr, nullptr);
    int32_t err = 0;
    Manager->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
    const TS57ChartFolderList withSet = S57FolderListFromManager(Manager.get());
    ASSERT_EQ(withSet.size(), 3u);
    EXPECT_TRUE(withSet[2].IsIENCSet);
    EXPECT_EQ(QString::fromStdU16String(withSet[2].CountryCode), "NL");
    EXPECT_EQ(QString::fromStdU16String(withSet[2].Water), "Maas");
}

TEST_F(S57FolderList, AppliesOnlyTheDifferencesAndReloadsOnlyAfterAChange) {
    TLoadWindowCounter windows;
    // The unchanged list: nothing to do, no reload.
    EXPECT_FALSE(ApplyS57FolderList(Manager.get(), S57FolderListFromManager(Manager.get()), nullptr, nullptr, nullptr));
    EXPECT_EQ(windows.Shown, 0);

    // One folder loses its subfolders, one goes, one below it comes (listed twice).
    const QString cell = S58 + QStringLiteral("/AA400001");
    const TS57ChartFolderList edited = {Record(Noaa, false), Record(cell, true), Record(cell, true)};
    EXPECT_TRUE(ApplyS57FolderList(Manager.get(), edited, nullptr, nullptr, nullptr));
    EXPECT_EQ(windows.Shown, 1);
    EXPECT_EQ(Folders(Manager.get()).join('\n').toStdString(), QStringList({Noaa + "|flat", cell + "|sub"}).join('\n').toStdString());
    // The reload ran: the removed folder's cells are gone, the added one's are there.
    int32_t index = -1;
    EXPECT_TRUE(ChartManagerFindChart(Manager.get(), QStringLiteral("AA400001"), index));
    EXPECT_FALSE(ChartManagerFindChart(Manager.get(), QStringLiteral("AA400002"), index));

    EXPECT_FALSE(ApplyS57FolderList(Manager.get(), edited, nullptr, nullptr, nullptr));
    EXPECT_EQ(windows.Shown, 1);

    // An empty list removes every folder; a record without a folder text is never added.
    EXPECT_TRUE(ApplyS57FolderList(Manager.get(), {Record({}, true)}, nullptr, nullptr, nullptr));
    EXPECT_TRUE(Folders(Manager.get()).isEmpty());
    EXPECT_EQ(Manager->GetChartCount(), 0);
    EXPECT_EQ(windows.Shown, 2);
}
