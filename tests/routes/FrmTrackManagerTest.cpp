// The track manager over a tracks folder of its own in the demo environment: valid tracks,
// one without points, one without times, a truncated file and an upper-case "OLD.TRK";
// sorting, visibility, renaming and recolouring through the files, deleting, mailing
// through a stand-in runner, and Find.
#include "routes/FrmTrackManager.h"

#include "base/controls/KvControls.h"
#include "base/dialogs/FrmMsg.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvMapiMail.h"
#include "routes/TrackManagerModel.h"
#include "tests/shell/NavEnvRouteSupport.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

namespace C = TrackColumn;

class TrackManager : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NightScreen()->SetActive(false);
        ASSERT_TRUE(Dir.isValid());
        Env->TracksFolder = Dir.path() + u'/';
        Valid = Track(QStringLiteral("morning.trk"), QStringLiteral("Morning sail"), 10, true, 0.3);
        Track(QStringLiteral("evening.trk"), QStringLiteral("Evening sail"), 5, true, 0.7);
        Empty = Track(QStringLiteral("empty.trk"), QStringLiteral("Nothing"), 0, true, 0.0);
        NoTimes = Track(QStringLiteral("notimes.trk"), QStringLiteral("Untimed"), 4, false, 0.0);
        Old = Track(QStringLiteral("OLD.TRK"), QString(), 3, true, 0.1);
        const QString whole = Track(QStringLiteral("whole.trk"), QStringLiteral("Whole"), 6, true, 0.2);
        QFile f(whole);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QFile::remove(whole);
        QFile cut(Broken = Dir.filePath(QStringLiteral("broken.trk")));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 3));
        FOldMsg = TFormMsg::SetPrompter([this](TFormMsg &m) {
            for (int i = 0; i < m.Messages().Count(); ++i) Confirmed << m.Messages().Items(i)->Text;
            return int(QDialog::Accepted);
        });
        FOldRunner = SetMailSender([this](const QString &program, const QStringList &args) {
            Runs << (QStringList{program} + args);
            return MailResult;
        });
    }
    void TearDown() override {
        TFormMsg::SetPrompter(std::move(FOldMsg));
        SetMailSender(std::move(FOldRunner));
        TFormTrackManager::SetPrompter(nullptr);
        TFormTrackManager::SetColorPicker(nullptr);
        NavEnvRoutes::TearDown();
    }
    // A track file of points one minute apart from day 45000 + start.
    QString Track(const QString &name, const QString &title, int points, bool times, double start) {
        const QString file = Dir.filePath(name);
        INavTrack *t = NavTrackCreateNew(file, false);
        int32_t err = 0;
        for (int i = 0; i < points; ++i)
            t->AddPoint(times ? 45000.0 + start + i / 1440.0 : 0.0, TGeoPoint3{0.92 + i * 0.0002, 0.08, 0.0}, err);
        t->SetHasTimes(times);
        NavTrackSetName(t, title);
        t->SetColor(0xFF2080C0u);
        NavTrackSaveToFile(t, file, err);
        ObjectDelete(t);
        EXPECT_EQ(err, 0) << name.toStdString();
        return file;
    }
    int RowOf(TFormTrackManager &f, const QString &file) {
        for (size_t i = 0; i < f.Model()->Rows().size(); ++i)
            if (f.Model()->Rows()[i]->FileName == file) return int(i);
        return -1;
    }
    QString Text(TFormTrackManager &f, const QString &file, int column) {
        return f.Model()->Text(*f.Model()->Row(RowOf(f, file)), column);
    }
    void Select(TFormTrackManager &f, std::initializer_list<QString> files) {
        f.ListView->selectionModel()->clearSelection();
        for (const QString &file : files)
            f.ListView->selectionModel()->select(f.Model()->index(RowOf(f, file), 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    INavTrack *Load(const QString &file) {
        int32_t err = 0;
        INavTrack *t = NavTrackCreateFromFile(file, err);
        EXPECT_EQ(err, 0);
        return t;
    }

    QTemporaryDir Dir;
    QString Valid, Empty, NoTimes, Old, Broken;
    QStringList Confirmed;
    QList<QStringList> Runs;
    int MailResult = 0;
    TFormMsg::TPrompter FOldMsg;
    TMailSender FOldRunner;
};

TEST_F(TrackManager, ListsEveryTrackFileWithItsTextsAndErrorsLast) {
    // A track of the list whose name differs in case only: OLD.TRK is checked.
    Env->TrackList->Add(NavTrackCreateNew(Dir.filePath(QStringLiteral("old.trk")), false));
    QFile::remove(Dir.filePath(QStringLiteral("old.trk")));
    TFormTrackManager f(*Env);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Track manager"));
    ASSERT_EQ(f.Model()->Rows().size(), 6u);
    EXPECT_EQ(Text(f, Valid, C::Name), QStringLiteral("Morning sail"));
    EXPECT_EQ(f.Model()->Row(RowOf(f, Valid))->Color, TColor(0xC08020)) << "the header's colour as drawn";
    EXPECT_EQ(Text(f, Old, C::Name), QStringLiteral("OLD.TRK")) << "no name: the file name";
    EXPECT_TRUE(Text(f, Valid, C::StartTime).contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")));
    EXPECT_EQ(Text(f, Valid, C::Duration), QStringLiteral("9m 00s"));
    EXPECT_EQ(Text(f, Empty, C::StartTime), QStringLiteral("Empty track"));
    EXPECT_EQ(Text(f, NoTimes, C::StartTime), QStringLiteral("---"));
    EXPECT_EQ(Text(f, NoTimes, C::Duration), QStringLiteral("---"));
    EXPECT_FALSE(Text(f, Broken, C::StartTime).isEmpty());
    EXPECT_EQ(Text(f, Broken, C::Distance), QString());
    const QModelIndex brokenBox = f.Model()->index(RowOf(f, Broken), C::Visible);
    EXPECT_FALSE(brokenBox.data(Qt::CheckStateRole).isValid()) << "no check box";
    EXPECT_EQ(f.Model()->index(RowOf(f, Old), C::Visible).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(f.Model()->index(RowOf(f, Valid), C::Visible).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_EQ(RowOf(f, Broken), 5) << "the unreadable file last";
    f.Model()->sort(C::Name, Qt::AscendingOrder);
    EXPECT_EQ(RowOf(f, Broken), 5);
    f.Model()->sort(C::Name, Qt::DescendingOrder);
    EXPECT_EQ(RowOf(f, Broken), 5);
    // Find and E-Mail refuse the unreadable row, Delete takes it.
    Select(f, {Broken});
    EXPECT_FALSE(f.ButtonFind->isEnabled());
    EXPECT_FALSE(f.ButtonEMail->isEnabled());
    EXPECT_TRUE(f.ButtonDelete->isEnabled());

    TTrackManagerModel m(*Env);
    m.Fill(Valid.toUpper().replace(Dir.path().toUpper(), Dir.path()));
    EXPECT_EQ(m.Rows().size(), 5u) << "the track being recorded is not listed";
}

TEST_F(TrackManager, StoredSortSettingsOutsideTheirRangeFallBack) {
    struct Case {
        int column, direction, wantColumn;
        Qt::SortOrder wantOrder;
    };
    for (const Case &c : {Case{0, 0, C::StartTime, Qt::AscendingOrder}, Case{6, 2, C::StartTime, Qt::DescendingOrder},
                          Case{4, 0, C::Distance, Qt::AscendingOrder}}) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Tracks"), RegName(u"SortColumn"), c.column, err);
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Tracks"), RegName(u"SortDirection"), c.direction, err);
        TFormTrackManager f(*Env);
        EXPECT_EQ(f.Model()->SortColumn(), c.wantColumn);
        EXPECT_EQ(f.Model()->SortOrder(), c.wantOrder);
    }
}

TEST_F(TrackManager, ApplyingVisibilityLoadsUpdatesAndRemovesTracks) {
    INavTrack *shown = Load(Old);
    Env->TrackList->Add(shown);
    INavTrack *hidden = Load(NoTimes);
    Env->TrackList->Add(hidden);
    TFormTrackManager::SetPrompter([&](TFormTrackManager &f) {
        f.Model()->setData(f.Model()->index(RowOf(f, Valid), C::Visible), Qt::Checked, Qt::CheckStateRole);
        f.Model()->setData(f.Model()->index(RowOf(f, NoTimes), C::Visible), Qt::Unchecked, Qt::CheckStateRole);
        f.Model()->Row(RowOf(f, Old))->Width = 3.0f;
        return int(QDialog::Rejected);  // the close box applies it too
    });
    EXPECT_EQ(TFormTrackManager::Execute(*Env), nullptr);
    EXPECT_GE(TrackListIndexOf(*Env, Valid), 0) << "checked and not listed: loaded";
    EXPECT_LT(TrackListIndexOf(*Env, NoTimes), 0) << "unchecked: removed";
    ASSERT_GE(TrackListIndexOf(*Env, Old), 0);
    EXPECT_EQ(NavTrackGetFileName(static_cast<INavTrack *>(Env->TrackList->GetItem(TrackListIndexOf(*Env, Old)))), Old);
}

TEST_F(TrackManager, RenameAndRecolourGoThroughTheFileAndARefusedOneIsTakenBack) {
    TFormTrackManager::SetColorPicker([](QColor &c, QWidget *) {
        c = QColor(10, 200, 30);
        return true;
    });
    TFormTrackManager f(*Env);
    f.show();
    TTrackNodeData *row = f.Model()->Row(RowOf(f, Valid));
    EXPECT_TRUE(f.Model()->setData(f.Model()->index(RowOf(f, Valid), C::Name), QStringLiteral("Harbour run"), Qt::EditRole));
    const QRect cell = f.ListView->visualRect(f.Model()->index(RowOf(f, Valid), C::Name));
    QTest::mouseClick(f.ListView->viewport(), Qt::LeftButton, {}, f.ColorSquare(cell).center());
    std::unique_ptr<TTrackNodeData> reread = f.Model()->ReadRow(Valid);
    EXPECT_EQ(reread->Name, QStringLiteral("Harbour run"));
    EXPECT_EQ(reread->Color, row->Color);
    EXPECT_EQ(row->Color, ColorToTColor(QColor(10, 200, 30)));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(u'\n').toStdString();

    // The file turned into something unreadable: the message, and the row keeps its name.
    QFile::remove(Valid);
    ASSERT_TRUE(QDir().mkdir(Valid));
    f.Model()->setData(f.Model()->index(RowOf(f, Valid), C::Name), QStringLiteral("Lost"), Qt::EditRole);
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(row->Name, QStringLiteral("Harbour run"));
}

TEST_F(TrackManager, DeleteReportsTheFileThatStaysAndRemovesTheOthers) {
    TFormTrackManager f(*Env);
    f.show();
    // A folder now holds the name of one track file: it cannot be deleted as a file.
    QFile::remove(Empty);
    ASSERT_TRUE(QDir().mkpath(Empty + QStringLiteral("/inner")));
    Select(f, {Valid, Empty, Old});
    QTest::mouseClick(f.ButtonDelete, Qt::LeftButton);
    EXPECT_EQ(Confirmed.size(), 3);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Cannot delete track 'empty.trk'.")});
    EXPECT_FALSE(QFile::exists(Valid));
    EXPECT_FALSE(QFile::exists(Old));
    EXPECT_GE(RowOf(f, Empty), 0);
    EXPECT_LT(RowOf(f, Valid), 0);
    EXPECT_EQ(f.DeletedFiles(), (QStringList{Old, Valid}));
}

TEST_F(TrackManager, MailHandsTheSelectedFilesInListOrderAndReportsAFailure) {
    TFormTrackManager f(*Env);
    f.show();
    f.Model()->sort(C::Name, Qt::AscendingOrder);
    Select(f, {Valid, NoTimes});
    ASSERT_TRUE(f.ButtonEMail->isEnabled());
    QTest::mouseClick(f.ButtonEMail, Qt::LeftButton);
    ASSERT_EQ(Runs.size(), 1);
    const QStringList expected = {QStringLiteral("xdg-email"), QStringLiteral("--utf8"), QStringLiteral("--subject"),
                                  QStringLiteral("Travelled track(s) - Marivo"), QStringLiteral("--body"),
                                  QStringLiteral("To use the attached tracks you should save them to your harddisk and "
                                                 "import them using the import function of Marivo.\n"),
                                  QStringLiteral("--attach"), Valid, QStringLiteral("--attach"), NoTimes};
    EXPECT_EQ(Runs[0], expected);
    EXPECT_TRUE(Messages.isEmpty());
    for (const auto &[result, text] : std::vector<std::pair<int, QString>>{
             {3, QStringLiteral("No mail program is available.")},
             {MapiMailResult::NoMailProgram, QStringLiteral("No mail program is available.")},
             {4, QStringLiteral("One or more unspecified errors occurred. No message was sent.")}}) {
        Messages.clear();
        MailResult = result;
        QTest::mouseClick(f.ButtonEMail, Qt::LeftButton);
        EXPECT_EQ(Messages, QStringList{QStringLiteral("An error occured while sending your e-mail:\n") + text});
    }
}

TEST_F(TrackManager, FindReturnsTheListedTrackOrLoadsItAndNothingForAVanishedFile) {
    INavTrack *listed = Load(Old);
    Env->TrackList->Add(listed);
    auto findOf = [this](const QString &file, bool removeFirst) {
        TFormTrackManager::SetPrompter([this, file, removeFirst](TFormTrackManager &f) {
            Select(f, {file});
            if (removeFirst) QFile::remove(file);
            QTest::mouseClick(f.ButtonFind, Qt::LeftButton);
            return f.result();
        });
        return TFormTrackManager::Execute(*Env);
    };
    EXPECT_EQ(findOf(Old, false), listed);
    INavTrack *loaded = findOf(Valid, false);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(NavTrackGetFileName(loaded), Valid);
    EXPECT_GE(TrackListIndexOf(*Env, Valid), 0);
    EXPECT_EQ(findOf(NoTimes, true), nullptr);
}

TEST_F(TrackManager, ScreenshotsDayAndNight) {
    Env->TrackList->Add(Load(Valid));
    for (bool night : {false, true}) {
        NightScreen()->SetActive(night);
        TFormTrackManager f(*Env);
        f.show();
        Select(f, {Old});
        QCoreApplication::processEvents();
        shelltest::SaveScreenshot(&f, night ? QStringLiteral("TrackManager_night") : QStringLiteral("TrackManager_day"));
    }
    NightScreen()->SetActive(false);
}

}  // namespace
