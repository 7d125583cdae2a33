// The Inland ENC download manager against the services stand-in, on the demo environment:
// a set downloaded, updated and removed; update mode for a sailing area; and archives that
// go wrong, each leaving the installed set as it was.
#include "OnlineTestSupport.h"

#include "base/settings/KvRegCharts.h"
#include "base/charts/KvCharts.h"
#include "chartview/FraViewer.h"
#include "online/FrmChartManager.h"
#include "online/FrmS57DownloadManager.h"
#include "online/S57FolderList.h"
#include "online/WebServicesTransport.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvWebServices.h>

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

using TFolders = TFormS57DownloadManager::TFolderList;

const QString NLFolderPart = QStringLiteral("NL/Zeeland/Westerschelde/");
const QStringList NLFiles = {"ENC_ROOT/US4MD81M/US4MD81M.000", "ENC_ROOT/US4MD81M/US4MD81M.001",
                             "ENC_ROOT/US4MD81M/US4MD81M.002", "ENC_ROOT/US4MD81M/US4MD81M.003"};

// Every file below folder with its size and modification time.
QStringList Listing(const QString &folder) {
    QStringList list;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        list << QDir(folder).relativeFilePath(info.filePath()) + QStringLiteral(" %1 %2").arg(info.size()).arg(
                    info.lastModified().toSecsSinceEpoch());
    }
    list.sort();
    return list;
}

class S57DownloadManagerTest : public onlinetest::OnlineEnvFixture {
protected:
    void SetUp() override {
        OnlineEnvFixture::SetUp();
        ASSERT_TRUE(FTemp.isValid());
        Base = FTemp.filePath(QStringLiteral("IENC/"));
        SetIENCFolder(Base);
        // A site that hangs is given up after a second instead of ten.
        kv::SetWebTransport(kv::MakeHttpTransport(FStub.BaseUrl(), 1000));
    }
    void TearDown() override {
        kv::SetWebTransport(nullptr);
        TFormS57DownloadManager::SetPrompter(nullptr);
        OnlineEnvFixture::TearDown();
    }

    // A request to one of the stand-in's Inland ENC hooks.
    void Stub(const QString &path, const QJsonObject &fields) {
        QNetworkAccessManager manager;
        QNetworkRequest request(QUrl(FStub.BaseUrl() + u'/' + path));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        QNetworkReply *reply = manager.post(request, QJsonDocument(fields).toJson());
        ASSERT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 10000));
        EXPECT_EQ(reply->error(), QNetworkReply::NoError) << path.toStdString();
        reply->deleteLater();
    }

    static bool WaitIdle(TFormS57DownloadManager &form) {
        return QTest::qWaitFor([&] { return form.State() == 0; }, 30000);
    }
    static QTreeWidgetItem *Row(TFormS57DownloadManager &form, const QString &text) {
        const QList<QTreeWidgetItem *> found =
            form.ListView->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0);
        return found.isEmpty() ? nullptr : found.front();
    }
    static QStringList Rows(QTreeWidget *tree) {
        QStringList rows;
        std::function<void(QTreeWidgetItem *, int)> add = [&](QTreeWidgetItem *item, int depth) {
            rows << QString(depth * 2, u' ') + item->text(0) + u'|' + item->text(3);
            for (int i = 0; i < item->childCount(); ++i) add(item->child(i), depth + 1);
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i) add(tree->topLevelItem(i), 0);
        return rows;
    }
    // Selects a row and presses Download (or Update); waits until the dialog is idle again.
    static void Download(TFormS57DownloadManager &form, const QString &row) {
        QTreeWidgetItem *item = Row(form, row);
        ASSERT_NE(item, nullptr) << row.toStdString();
        form.ListView->setCurrentItem(item);
        ASSERT_TRUE(form.ButtonDownload->isEnabled());
        form.ButtonDownloadClick();
        ASSERT_TRUE(WaitIdle(form));
    }

    // Runs the interactive dialog: steps once the list is there, then Close.
    void Interactive(const std::function<void(TFormS57DownloadManager &)> &steps) {
        TFormS57DownloadManager::SetPrompter([&](TFormS57DownloadManager &form) {
            EXPECT_TRUE(WaitIdle(form));
            steps(form);
            form.ButtonClose->click();
            EXPECT_FALSE(form.isVisible());
            return form.result();
        });
        TFormS57DownloadManager::Execute(Folders, Env->OnlineService, Env->CoreEnv->GetDispatcher());
    }
    // Runs update mode; the dialog has to close by itself.
    void Update(uint16_t area) {
        bool closed = false;
        TFormS57DownloadManager::SetPrompter([&](TFormS57DownloadManager &form) {
            QObject::connect(&form, &QDialog::finished, [&] { closed = true; });
            EXPECT_TRUE(form.PanelButtonsEdit->isHidden());
            EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 30000));
            return form.result();
        });
        TFormS57DownloadManager::ExecuteUpdate(area, Folders, Env->CoreEnv->GetDispatcher(), Env->OnlineService,
                                               false, true);
        EXPECT_TRUE(closed);
    }

    QTemporaryDir FTemp;
    QString Base;
    TFolders Folders;
};

}  // namespace

TEST_F(S57DownloadManagerTest, ListShowsKnownCountriesWithFilesOnlyAndTheirStates) {
    Interactive([&](TFormS57DownloadManager &form) {
        EXPECT_FALSE(form.ListView->isHeaderHidden());
        EXPECT_EQ(Rows(form.ListView),
                  QStringList({"All available charts|", "  DE|", "    Complete|", "  NL|", "    Zeeland, Westerschelde|"}));
        EXPECT_FALSE(form.ButtonUpdateAll->isEnabled());
        EXPECT_FALSE(form.ButtonRemove->isEnabled());
        Download(form, QStringLiteral("Complete"));
        form.ListView->setCurrentItem(Row(form, "Zeeland, Westerschelde"));
        form.resize(620, 380);
        shelltest::SaveScreenshot(&form, QStringLiteral("S57DownloadManager_list"));
        EXPECT_EQ(Rows(form.ListView), QStringList({"All available charts|", "  DE|Installed", "    Complete|Installed",
                                                    "  NL|", "    Zeeland, Westerschelde|"}));
    });
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
}

TEST_F(S57DownloadManagerTest, NLSetIsDownloadedUpdatedAndRemoved) {
    const QString nl = Base + NLFolderPart;
    Interactive([&](TFormS57DownloadManager &form) {
        Download(form, QStringLiteral("Zeeland, Westerschelde"));
        EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "Installed");
        EXPECT_EQ(Row(form, "NL")->text(3), "Installed");
    });
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
    for (const QString &f : NLFiles) EXPECT_TRUE(QFileInfo(nl + f).isFile()) << f.toStdString();
    EXPECT_TRUE(QFileInfo(Base + "Common/ienc-catalogue.txt").isFile());
    EXPECT_FALSE(QFileInfo::exists(Base + ".staging/" + NLFolderPart));
    QFile identity(nl + "ienc.json");
    ASSERT_TRUE(identity.open(QIODevice::ReadOnly));
    const QJsonObject id = QJsonDocument::fromJson(identity.readAll()).object();
    EXPECT_EQ(id.value("country").toString(), "NL");
    EXPECT_EQ(id.value("region").toString(), "Zeeland");
    EXPECT_EQ(id.value("water").toString(), "Westerschelde");
    ASSERT_EQ(Folders.size(), 1u);
    EXPECT_EQ(QString::fromStdU16String(Folders[0].Folder), nl);
    EXPECT_TRUE(Folders[0].IsIENCSet && Folders[0].WithSubfolders);
    EXPECT_EQ(QString::fromStdU16String(Folders[0].CountryCode), "NL");
    EXPECT_EQ(FStub.FieldsOf("ienc/archive").size(), 1);

    // The service dates one update newer: only that file is fetched again; the others keep
    // their inode.
    auto inode = [](const QString &path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    std::vector<ino_t> before;
    for (const QString &f : NLFiles) before.push_back(inode(nl + f));
    const qint64 dated = QFileInfo(nl + NLFiles[2]).lastModified().toSecsSinceEpoch();
    Stub("ienc/stub-newer", {{"file", NLFiles[2]}});
    Interactive([&](TFormS57DownloadManager &form) {
        EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "Updates");
        EXPECT_EQ(Row(form, "All available charts")->text(3), "Updates");
        ASSERT_TRUE(form.ButtonUpdateAll->isEnabled());
        form.ButtonUpdateAll->click();
        ASSERT_TRUE(WaitIdle(form));
        EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "Installed");
    });
    EXPECT_EQ(QFileInfo(nl + NLFiles[2]).lastModified().toSecsSinceEpoch(), dated + 86400);
    for (int i = 0; i < NLFiles.size(); ++i)
        EXPECT_EQ(inode(nl + NLFiles[i]) == before[size_t(i)], i != 2) << NLFiles[i].toStdString();
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();

    // Remove asks, then deletes the set's folder and its entry.
    Answer = mrYes;
    Interactive([&](TFormS57DownloadManager &form) {
        form.ListView->setCurrentItem(Row(form, "Zeeland, Westerschelde"));
        ASSERT_TRUE(form.ButtonRemove->isEnabled());
        form.ButtonRemoveClick();
        EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "");
    });
    Answer = mrOk;
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(nl));
    EXPECT_TRUE(Folders.empty());
}

TEST_F(S57DownloadManagerTest, UpdateModeKeepsTheSailingAreaAndDropsTheRest) {
    // A DE set installed earlier, and NL not yet.
    Interactive([&](TFormS57DownloadManager &form) { Download(form, QStringLiteral("Complete")); });
    ASSERT_EQ(Folders.size(), 1u);
    const QString de = QString::fromStdU16String(Folders[0].Folder);
    EXPECT_EQ(de, Base + "DE/_all/");
    ASSERT_TRUE(QFileInfo(de + "ENC_ROOT/AA400001/AA400001.000").isFile());
    Folders.push_back({u"/plain/folder", true, false, {}, {}, {}});
    Messages.clear();

    Update(1 << 8);
    QList<QJsonObject> asked = FStub.FieldsOf("ienc/chartsets");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].value("country0").toString(), "NL");
    EXPECT_FALSE(asked[0].contains("country1"));
    EXPECT_EQ(Messages, QStringList({"The IENC charts have been updated."}));
    EXPECT_FALSE(QFileInfo::exists(de));
    ASSERT_EQ(Folders.size(), 2u);
    EXPECT_EQ(QString::fromStdU16String(Folders[0].Folder), "/plain/folder");
    EXPECT_EQ(QString::fromStdU16String(Folders[1].Folder), Base + NLFolderPart);
    for (const QString &f : NLFiles) EXPECT_TRUE(QFileInfo(Base + NLFolderPart + f).isFile());

    // An empty sailing area drops every set and says where to choose one.
    Messages.clear();
    Update(0);
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages.value(0).startsWith("No updates found.")) << Messages.join('\n').toStdString();
    ASSERT_EQ(Folders.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(Base + NLFolderPart));
}

TEST_F(S57DownloadManagerTest, BadArchivesLeaveTheInstalledSetAsItWas) {
    Interactive([&](TFormS57DownloadManager &form) { Download(form, QStringLiteral("Zeeland, Westerschelde")); });
    ASSERT_EQ(Folders.size(), 1u);
    const QString nl = Base + NLFolderPart;
    Stub("ienc/stub-newer", {{"file", NLFiles[1]}});
    const QStringList installed = Listing(FTemp.path());
    const TFolders folders = Folders;
    for (const char *mode : {"cut", "crc", "dotdot", "absolute", "symlink", "size", "larger", "hang", "list500"}) {
        SCOPED_TRACE(mode);
        Stub("ienc/stub-misbehave", {{"mode", QString::fromLatin1(mode)}});
        Messages.clear();
        const bool listFails = QLatin1String(mode) == QLatin1String("list500");
        Interactive([&](TFormS57DownloadManager &form) {
            if (listFails) {
                EXPECT_TRUE(form.ListView->isHeaderHidden());
                EXPECT_EQ(form.BackgroundCaption(), "Geen IENC-kaarten beschikbaar");
                return;
            }
            Download(form, QStringLiteral("Zeeland, Westerschelde"));
            EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "Updates");
        });
        EXPECT_EQ(Messages.size(), 1) << Messages.join('\n').toStdString();
        EXPECT_EQ(Listing(FTemp.path()), installed);
        ASSERT_EQ(Folders.size(), 1u);
        EXPECT_TRUE(Folders[0].IsIENCSet);
        EXPECT_EQ(Folders[0].Folder, folders[0].Folder);
        EXPECT_EQ(Folders[0].CountryCode, folders[0].CountryCode);
    }
    EXPECT_FALSE(QFileInfo::exists(FTemp.filePath("x")));
    EXPECT_FALSE(QFileInfo::exists(nl + "ENC_ROOT/link"));
}

TEST_F(S57DownloadManagerTest, DownloadedSetIsLoadedByTheChartManagerAndDrawn) {
    // The demo's own S-57 folders go, so the cell can only come from the downloaded set.
    Folders = TFormS57DownloadManager::FolderListFromChartManager(Env->ChartManager);
    ASSERT_FALSE(Folders.empty());
    Folders.clear();
    Interactive([&](TFormS57DownloadManager &form) { Download(form, QStringLiteral("Zeeland, Westerschelde")); });
    ASSERT_EQ(Folders.size(), 1u);
    EXPECT_TRUE(ApplyS57FolderList(Env->ChartManager, Folders, Env->S57Registrar, Env->S52Library, nullptr));
    int32_t index = -1;
    ASSERT_TRUE(ChartManagerFindChart(Env->ChartManager, "US4MD81M", index));
    IChart *cell = Env->ChartManager->GetChart(index);
    EXPECT_TRUE(ChartGetFolder(cell).startsWith(Base + NLFolderPart)) << ChartGetFolder(cell).toStdString();
    EXPECT_EQ(Env->ChartManager->GetChartCount(), 1);

    // A list built from the chart manager knows the set again.
    const TFolders again = TFormS57DownloadManager::FolderListFromChartManager(Env->ChartManager);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(again[0].IsIENCSet);
    EXPECT_EQ(QString::fromStdU16String(again[0].CountryCode), "NL");
    EXPECT_EQ(QString::fromStdU16String(again[0].Region), "Zeeland");
    EXPECT_EQ(QString::fromStdU16String(again[0].Water), "Westerschelde");

    // The chart manager dialog lists the cell below its folder.
    bool listed = false;
    TFormChartManager::SetPrompter([&](TFormChartManager &form) {
        listed = !form.ListViewCharts->findItems("US4MD81M", Qt::MatchStartsWith | Qt::MatchRecursive, 0).isEmpty();
        return 0;
    });
    bool baseMap = false;
    TFormChartManager::Execute(Env->ChartManager, 0, QString(), baseMap);
    TFormChartManager::SetPrompter(nullptr);
    EXPECT_TRUE(listed);

    // Drawn in a chart viewer: the middle of the cell differs from the empty background.
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new TFrameViewer(&host, false, *Env, 0, 0, QStringLiteral("Main chart viewer"), QStringLiteral("ViewerMain"));
    layout->addWidget(frame);
    host.resize(800, 600);
    host.show();
    Env->RegisterViewer(frame->Viewer());
    TNavViewerControl &v = *frame->Viewer();
    NavObject *charts[] = {cell};
    int32_t err = 0;
    v.SetCharts(charts, 1, err);
    ASSERT_EQ(err, 0);
    v.ZoomToS57Chart(v.GetS57Chart(0));
    auto picture = [&] {
        v.RefreshCharts();
        v.repaint();
        return v.grab().toImage();
    };
    const QRgb empty = picture().pixel(1, v.height() / 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture().pixel(v.width() / 2, v.height() / 2) != empty; }, 20000));
    const QImage image = picture();
    shelltest::SaveScreenshot(image, QStringLiteral("S57DownloadManager_US4MD81M_viewer"));
    int unlike = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) unlike += image.pixel(x, y) != empty;
    EXPECT_GT(unlike, image.width() * image.height() / 16 / 4);
}

TEST_F(S57DownloadManagerTest, NewsCentreUpdateAppliesTheSailingAreaToTheChartManager) {
    Env->SetSailingAreas(1 << 8);
    bool closed = false;
    TFormS57DownloadManager::SetPrompter([&](TFormS57DownloadManager &form) {
        QObject::connect(&form, &QDialog::finished, [&] { closed = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 30000));
        return form.result();
    });
    TFormS57DownloadManager::UpdateChartManager(*Env);
    EXPECT_EQ(Messages, QStringList({"The IENC charts have been updated."}));
    int32_t index = -1;
    ASSERT_TRUE(ChartManagerFindChart(Env->ChartManager, "US4MD81M", index));
    const TFolders folders = TFormS57DownloadManager::FolderListFromChartManager(Env->ChartManager);
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const TS57ChartFolder &f) { return f.IsIENCSet; }), 1);
}

TEST_F(S57DownloadManagerTest, AbortAndCloseDuringADownloadWaitForTheFileAndKeepTheSet) {
    Interactive([&](TFormS57DownloadManager &form) { Download(form, QStringLiteral("Zeeland, Westerschelde")); });
    const QStringList installed = Listing(FTemp.path());
    Stub("ienc/stub-newer", {{"file", NLFiles[1]}});
    Stub("ienc/stub-misbehave", {{"mode", "hang"}});
    auto startUpdate = [&](TFormS57DownloadManager &form) {
        form.ListView->setCurrentItem(Row(form, "Zeeland, Westerschelde"));
        EXPECT_EQ(form.ButtonDownload->text(), "Update");
        form.ButtonDownloadClick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.State() == 3; }, 10000));
        EXPECT_EQ(form.BackgroundHint(), "Set 1 (Zeeland, Westerschelde) of 1: Downloading file 2 of 4...");
        EXPECT_EQ(form.ButtonDownload->text(), "&Abort");
        EXPECT_FALSE(form.ButtonBrowse->isEnabled());
    };
    // Abort: back to the list once the file has ended, without an error and without the
    // files that had arrived.
    Interactive([&](TFormS57DownloadManager &form) {
        startUpdate(form);
        form.ButtonDownload->click();
        ASSERT_TRUE(WaitIdle(form));
        EXPECT_EQ(Row(form, "Zeeland, Westerschelde")->text(3), "Updates");
    });
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('\n').toStdString();
    EXPECT_EQ(Listing(FTemp.path()), installed);
    // Close asks; No keeps the dialog, Yes closes it after the file.
    bool finished = false;
    TFormS57DownloadManager::SetPrompter([&](TFormS57DownloadManager &form) {
        QObject::connect(&form, &QDialog::finished, [&] { finished = true; });
        EXPECT_TRUE(WaitIdle(form));
        startUpdate(form);
        Answer = mrNo;
        form.ButtonClose->click();
        EXPECT_FALSE(finished);
        Answer = mrYes;
        form.ButtonClose->click();
        EXPECT_FALSE(finished);
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
        return form.result();
    });
    TFormS57DownloadManager::Execute(Folders, Env->OnlineService, Env->CoreEnv->GetDispatcher());
    Answer = mrOk;
    EXPECT_TRUE(finished);
    EXPECT_EQ(Messages.size(), 2);
    EXPECT_EQ(Listing(FTemp.path()), installed);
}

TEST_F(S57DownloadManagerTest, FolderErrorsAreShownAndTheDialogStaysUsable) {
    for (const QString &base : {QStringLiteral("relative/IENC"), QString()}) {
        SCOPED_TRACE(base.toStdString());
        SetIENCFolder(base.isEmpty() ? QStringLiteral(" ") : base);
        Messages.clear();
        Interactive([&](TFormS57DownloadManager &form) {
            Download(form, QStringLiteral("Complete"));
            EXPECT_EQ(form.State(), 0);
            EXPECT_FALSE(form.ListView->isHeaderHidden());
            EXPECT_EQ(form.ButtonDownload->text(), "Download");
        });
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith("Error creating the installation folder")) << Messages[0].toStdString();
        EXPECT_TRUE(Folders.empty());
    }
}
