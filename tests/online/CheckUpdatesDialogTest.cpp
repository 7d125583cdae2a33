// The update dialog against the service stand-in over real HTTP: the offer, the release
// history and its languages, the verified download and the question that follows, Cancel,
// and a table of servers that misbehave during the download.
#include "online/FrmCheckUpdates.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/web/KvWBContainer.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/MarivoNavEnv.h"
#include "PusHandlers.h"
#include "ServiceStub.h"
#include "TestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QByteArray History = "<html><body bgcolor=\"white\"><a name=\"DE\"></a><p>Neu</p><a name=\"EN\"></a><p>New</p>"
                           "</body></html>";

class CheckUpdatesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Service = servicestub::InstallPusService(Stub, QString());
        ASSERT_TRUE(Stub.Listen());
        Folder = testsupport::MakeTempDir(QStringLiteral("check-updates"));
        int32_t err = 0;
        RegWriteString(GetAppReg(), Root, QStringLiteral("Services"), RegName(u"BaseURL"),
                       QStringLiteral("http://127.0.0.1:%1").arg(Stub.Port()), err);
        RegWriteString(GetAppReg(), Root, QStringLiteral("Desktop\\Update"), RegName(u"DstFolder"), Folder, err);
        RegWriteInteger(GetAppReg(), Root, QStringLiteral("Desktop\\Update"), RegName(u"Timeout"), 1, err);
        ASSERT_EQ(err, 0);
        Product.Version = "6.1.0.0";
        Product.Date = "2026-12-01";
        Product.History = History;
        Product.FileName = "MarivoUpdate.bin";
        Product.Content = QByteArray(300000, 'm');
        Service->Products.insert(GUIDToStr(ProgInfoGetProductGUID()), Product);
        FOldVersion = TFormCheckUpdates::SetVersionSource([](bool) { return MakeVersion(6, 0, 9, 9); });
        FOldOpener = TFormCheckUpdates::SetOpener([this](const QString &f) { Opened << f; });
        FOldMsg = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
        FOldPrompter = TFormCheckUpdates::SetPrompter([this](TFormCheckUpdates &form) {
            form.open();
            if (Drive) Drive(form);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 30000));
            return form.result();
        });
    }
    void TearDown() override {
        TFormCheckUpdates::SetPrompter(std::move(FOldPrompter));
        TFormCheckUpdates::SetVersionSource(std::move(FOldVersion));
        TFormCheckUpdates::SetOpener(std::move(FOldOpener));
        SetMsgBoxPrompter(std::move(FOldMsg));
        SetCurrentLanguage(KvLang::English);
        NightScreen()->SetActive(false);
    }
    // Waits for the download page.
    static bool WaitForPage2(TFormCheckUpdates &form) {
        return QTest::qWaitFor([&] { return form.Page() == 2 && form.ButtonDownload->isEnabled(); }, 20000);
    }
    void SetProduct() { Service->Products.insert(GUIDToStr(ProgInfoGetProductGUID()), Product); }
    QStringList FilesLeft() const { return QDir(Folder).entryList(QDir::Files); }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("check-updates")};
    servicestub::TServiceStub Stub;
    std::shared_ptr<servicestub::TPusService> Service;
    servicestub::TPusProduct Product;
    QString Folder;
    QStringList Messages, Opened;
    int Answer = mrYes;
    std::function<void(TFormCheckUpdates &)> Drive;

private:
    TFormCheckUpdates::TVersionSource FOldVersion;
    TFormCheckUpdates::TOpener FOldOpener;
    TFormCheckUpdates::TPrompter FOldPrompter;
    TMsgBoxPrompter FOldMsg;
};

}  // namespace

TEST_F(CheckUpdatesDialog, NewerVersionIsOfferedDownloadedVerifiedAndOpenedOnYes) {
    QString header;
    QStringList rows;
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        header = form.LabelHeader->text();
        for (int i = 0; i < form.ComboBoxLanguage->count(); ++i) rows << form.ComboBoxLanguage->itemText(i);
        EXPECT_TRUE(form.PanelLanguage->isVisibleTo(&form));
        EXPECT_EQ(form.ButtonDownload->text(), "Download");
        form.grab().save(QStringLiteral(MARIVO_BINARY_DIR "/CheckUpdatesHistory.png"));
        QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
        EXPECT_TRUE(form.PanelProgress->isVisibleTo(&form));
    };
    QString file;
    EXPECT_TRUE(TFormCheckUpdates::Execute(file, true, false));
    EXPECT_TRUE(header.startsWith("Version 6.1.0.0 of Marivo 6")) << header.toStdString();
    EXPECT_EQ(rows, (QStringList{"English", "Deutsch"}));
    EXPECT_EQ(file, QDir(Folder).filePath("MarivoUpdate.bin"));
    EXPECT_EQ(Opened, QStringList{file});
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains("\"" + file + "\"")) << Messages[0].toStdString();
    EXPECT_TRUE(Messages[0].contains("Do you want to start the update now?"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), Product.Content);
    EXPECT_EQ(FilesLeft(), QStringList{"MarivoUpdate.bin"});
}

TEST_F(CheckUpdatesDialog, NoKeepsTheFileAndOpensNothingAndTheChartManagerIsNeverOpened) {
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
    };
    Answer = mrNo;
    QString file;
    EXPECT_FALSE(TFormCheckUpdates::Execute(file, true, false));
    EXPECT_EQ(file, QDir(Folder).filePath("MarivoUpdate.bin"));
    EXPECT_TRUE(Opened.isEmpty());

    // The chart-manager program's set-up is run by the caller, not opened here.
    Service->Products.insert(GUIDToStr(ChartManagerProductGUID), Product);
    Answer = mrYes;
    EXPECT_TRUE(TFormCheckUpdates::Execute(file, true, true));
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(CheckUpdatesDialog, SameOrNoVersionSaysLatestAndCloses) {
    // Version 0 without a date is the service's "nothing newer".
    for (const char *version : {"6.0.9.9", "0"}) {
        SCOPED_TRACE(version);
        Messages.clear();
        Product.Version = version;
        Product.Date = version[0] == '6' ? "2026-12-01" : "";
        SetProduct();
        QString file;
        EXPECT_FALSE(TFormCheckUpdates::Execute(file, true, false));
        EXPECT_EQ(Messages, QStringList{"You already have the latest version"});
        EXPECT_TRUE(file.isEmpty());
    }
    // A product the service does not know answers version 0 without a date.
    Service->Products.clear();
    Messages.clear();
    QString file;
    EXPECT_FALSE(TFormCheckUpdates::Execute(file, true, false));
    EXPECT_EQ(Messages, QStringList{"You already have the latest version"});
}

TEST_F(CheckUpdatesDialog, HistoryLanguagesAndAShortHistory) {
    SetCurrentLanguage(KvLang::German);
    QString selected;
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        selected = form.ComboBoxLanguage->currentText();
        EXPECT_EQ(form.ComboBoxLanguage->itemData(0).toInt(), KvLang::English);
        form.ButtonCancel->click();
    };
    QString file;
    TFormCheckUpdates::Execute(file, true, false);
    EXPECT_EQ(selected, "Deutsch");
    SetCurrentLanguage(KvLang::English);

    Product.History = "x";
    SetProduct();
    bool panels = true;
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        panels = form.PanelLanguage->isVisibleTo(&form) || form.HTMLViewer->isVisibleTo(&form);
        EXPECT_EQ(form.ButtonDownload->text(), "Download");
        form.ButtonCancel->click();
    };
    TFormCheckUpdates::Execute(file, true, false);
    EXPECT_FALSE(panels);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(CheckUpdatesDialog, CancelAndMissingFolder) {
    // Cancel on the check page closes without a word and asks nothing.
    Drive = [&](TFormCheckUpdates &form) {
        EXPECT_EQ(form.Page(), 1);
        EXPECT_EQ(form.ButtonDownload->text(), "Check");
        form.ButtonCancel->click();
    };
    QString file;
    EXPECT_FALSE(TFormCheckUpdates::Execute(file, false, false));
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_TRUE(Service->Received.isEmpty());

    // A folder that does not exist keeps the dialog open with its message.
    bool stillOpen = false;
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        form.EditDstFolder->setText(Folder + "/missing");
        QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
        stillOpen = form.isVisible() && form.Page() == 2;
        form.ButtonCancel->click();
    };
    EXPECT_FALSE(TFormCheckUpdates::Execute(file, true, false));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Messages, QStringList{"The specified destination folder does not exist. Please specify an existing "
                                    "destination folder."});

    // Cancel while the server keeps the download waiting.
    Messages.clear();
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        Stub.Script("pus/pus.php", servicestub::PusHangReply());
        const qsizetype before = Stub.Requests().size();
        QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Stub.Requests().size() == before + 1; }, 10000));
        form.ButtonCancel->click();
    };
    EXPECT_FALSE(TFormCheckUpdates::Execute(file, true, false));
    EXPECT_EQ(Messages, QStringList{"The download of the update was aborted"});
    EXPECT_TRUE(FilesLeft().isEmpty());
}

TEST_F(CheckUpdatesDialog, BadServersDuringTheDownloadEachGiveOneMessageAndNoFile) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
    const QByteArray redirect = "HTTP/1.1 307 Temporary Redirect\r\nLocation: http://127.0.0.1:" +
                                QByteArray::number(other.serverPort()) +
                                "/pus/pus.php\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    const QByteArray content(1000, 'c');
    const auto file = [](const QByteArray &name, const QByteArray &bytes, qint64 size) {
        return servicestub::PusBody("0\n" + name + "\n" + QByteArray::number(size) + "\n" + bytes);
    };
    struct TCase {
        const char *name;
        servicestub::TStubReply reply;
        bool scripted;  // else the product's own answer
        qint64 recordSize;
        const char *recordHash;
        const char *message;
    };
    const TCase cases[] = {
        {"hang", servicestub::PusHangReply(), true, -1, "*", "did not answer in time"},
        {"garbage first line", servicestub::PusBody("<html>\n"), true, -1, "*", "internal error"},
        {"CR LF", servicestub::PusBody("0\r\n"), true, -1, "*", "internal error"},
        {"404", servicestub::PusBody("", 404), true, -1, "*", "404: Not Found"},
        {"503", servicestub::PusBody("", 503), true, -1, "*", "overloaded"},
        {"redirect to another port", servicestub::PusRawReply(redirect), true, -1, "*", "Could not connect"},
        {"endless body", servicestub::PusEndlessReply("0\nMarivoUpdate.bin\n1000\n"), true, -1, "*", "damaged or incomplete"},
        {"longer than announced", file("MarivoUpdate.bin", content + "tail", 1000), true, -1, "*", "internal error"},
        {"shorter than announced", file("MarivoUpdate.bin", content.left(10), 1000), true, -1, "*", "internal error"},
        {"size unlike the record", servicestub::TStubReply(), false, 999, "*", "damaged or incomplete"},
        {"hash unlike the record", servicestub::TStubReply(), false, -1,
         "0000000000000000000000000000000000000000000000000000000000000000", "damaged or incomplete"},
        {"no hash in the record", servicestub::TStubReply(), false, -1, "", "could not be found on the server"},
        {"parent folder", file("../x", content, 1000), true, -1, "*", "internal error"},
        {"absolute", file("/etc/x", content, 1000), true, -1, "*", "internal error"},
        {"folder part", file("a/b", content, 1000), true, -1, "*", "internal error"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        Messages.clear();
        Opened.clear();
        Product.Content = content;
        Product.RecordSize = c.recordSize;
        Product.RecordHash = QString::fromLatin1(c.recordHash);
        SetProduct();
        Drive = [&](TFormCheckUpdates &form) {
            ASSERT_TRUE(WaitForPage2(form));
            if (c.scripted) Stub.Script("pus/pus.php", c.reply);
            QTest::mouseClick(form.ButtonDownload, Qt::LeftButton);
        };
        QString name;
        EXPECT_FALSE(TFormCheckUpdates::Execute(name, true, false));
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].contains(QString::fromLatin1(c.message))) << Messages[0].toStdString();
        EXPECT_TRUE(FilesLeft().isEmpty()) << FilesLeft().join(',').toStdString();
        EXPECT_FALSE(QFile::exists("/etc/x"));
        EXPECT_TRUE(Opened.isEmpty());
    }
}

TEST_F(CheckUpdatesDialog, NightHistoryKeepsItsWordsAndTakesNightColours) {
    Product.History = "<html><body bgcolor=\"white\"><a name=\"EN\"></a><p>Whitewater sections are listed.</p>"
                      "<table bgcolor=\"#FFFF80\"><tr><td>white</td></tr></table></body></html>";
    SetProduct();
    NightScreen()->SetActive(true);
    QString html;
    Drive = [&](TFormCheckUpdates &form) {
        ASSERT_TRUE(WaitForPage2(form));
        html = form.HTMLViewer->toPlainText();
        form.grab().save(QStringLiteral(MARIVO_BINARY_DIR "/CheckUpdatesHistoryNight.png"));
        form.ButtonCancel->click();
    };
    QString file;
    TFormCheckUpdates::Execute(file, true, false);
    EXPECT_TRUE(html.contains("Whitewater sections are listed.")) << html.toStdString();
    EXPECT_TRUE(html.contains("white"));
}
