// The whole start in this process: identity, crash check (and the update check it may lead
// to), main window, deferred start, message loop and the end of the run, on the demo data with
// the real core library.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/registry/KvRegistry.h"
#include "online/FrmCheckUpdates.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgCloseError.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

int StoredExecState() {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"ExecState"), -1);
}

class MainWindowStartUp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        Options.DataFolder = shelltest::FreshDemoData(QStringLiteral("startup"));
        ASSERT_FALSE(Options.DataFolder.isEmpty());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
    }
    void TearDown() override {
        SetMsgBoxPrompter(std::move(FOldPrompter));
        SetApplicationTerminated(false);
        SetTerminatedByLibrary(false);
    }

    // Runs act once the main window has finished its deferred start (checked every 10 ms
    // from the running loop); ends the loop when that never happens.
    static void WhenReady(std::function<void(TFormMarivo6Main &)> act) {
        auto *timer = new QTimer;
        auto *waited = new int(0);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [=] {
            TFormMarivo6Main *main = TFormMarivo6Main::Current();
            const bool ready = main && main->NavEnv() && main->NavEnv()->State == NavEnvState::Ready;
            if (!ready && (*waited += 10) < 30000) return;
            timer->stop();
            timer->deleteLater();
            delete waited;
            if (ready) {
                act(*main);
            } else {
                ADD_FAILURE() << "the main window never got ready";
                ApplicationTerminate();
            }
        });
        timer->start();
    }

    testsupport::TPrivateSettingsStore FStore;
    shelltest::TShellScope FShell;
    TStartOptions Options;
    QStringList Messages;
    int Answer = mrOk;

private:
    TMsgBoxPrompter FOldPrompter;
};

}  // namespace

TEST_F(MainWindowStartUp, CloseAsksOnceAndRecordsACleanEnd) {
    bool stillOpen = false;
    WhenReady([&](TFormMarivo6Main &main) {
        EXPECT_EQ(StoredExecState(), 1) << "a run is in progress";
        EXPECT_TRUE(main.isVisible());
        // The chart viewer takes the middle of the window; without it the title shows.
        if (main.LabelTitle)
            EXPECT_TRUE(main.LabelTitle->text().startsWith(QStringLiteral("Marivo Ostrel 6.")));
        else
            EXPECT_EQ(main.centralWidget()->objectName(), QStringLiteral("ViewerMain"));
        EXPECT_TRUE(main.windowTitle().startsWith(QStringLiteral("Marivo Ostrel")));
        shelltest::SaveScreenshot(&main, QStringLiteral("main-window"));
        Answer = mrNo;
        main.close();
        stillOpen = main.isVisible();
        Answer = mrYes;
        main.close();
    });
    EXPECT_EQ(StartUp(21, 3, 2024, Options), 0);
    EXPECT_TRUE(stillOpen) << "No keeps the program open";
    EXPECT_EQ(Messages, QStringList(2, QStringLiteral("Are you sure you want to close Marivo?")));
    EXPECT_EQ(StoredExecState(), 0);
    EXPECT_EQ(TFormMarivo6Main::Current(), nullptr);
}

TEST_F(MainWindowStartUp, TerminationRequestOfTheLibraryIsRecorded) {
    WhenReady([](TFormMarivo6Main &) { TerminationRequestCallback(); });
    EXPECT_EQ(StartUp(21, 3, 2024, Options), 0);
    EXPECT_TRUE(TerminatedByLibrary());
    EXPECT_EQ(StoredExecState(), 2);
    EXPECT_TRUE(Messages.isEmpty()) << "no close question";
}

TEST_F(MainWindowStartUp, AFailedCreationIsShownAndEndsTheStart) {
    shelltest::TShellScope noSound(
        shelltest::ProgramFolderWithout({QStringLiteral("Sounds/GPS lost.wav")}));
    testsupport::TExpectReports reports;
    EXPECT_EQ(StartUp(21, 3, 2024, Options), 1);
    ASSERT_EQ(reports.Count(), 1);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], reports.Message(0)) << "shown, not only logged";
    EXPECT_TRUE(Messages[0].contains(QStringLiteral("/Sounds/GPS lost.wav\". Reinstalling the "
                                                    "application may fix the problem.)")))
        << Messages[0].toStdString();
    EXPECT_EQ(TFormMarivo6Main::Current(), nullptr);
    EXPECT_EQ(StoredExecState(), 1) << "the next start asks what to do";
}

TEST_F(MainWindowStartUp, MissingDataFolderIsToldAndNothingStarts) {
    Options.DataFolder = testsupport::MakeTempDir(QStringLiteral("gone")) + QStringLiteral("/none");
    EXPECT_EQ(StartUp(21, 3, 2024, Options), 1);
    EXPECT_EQ(Messages, QStringList{QStringLiteral(
                            "Could not find the program settings folder. Please reinstall the program.")});
}

TEST_F(MainWindowStartUp, CancelledFirstLanguageChoiceEndsSilently) {
    // A settings store of its own without a stored language: the first start.
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME",
            (testsupport::MakeTempDir(QStringLiteral("first")) + QStringLiteral("/config")).toLocal8Bit());
    int shown = 0;
    auto old = TFormLanguage::SetPrompter([&](TFormLanguage &) {
        ++shown;
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(StartUp(21, 3, 2024, Options), 0);
    TFormLanguage::SetPrompter(std::move(old));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(StoredExecState(), -1) << "nothing written";
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST_F(MainWindowStartUp, FindInTheCloseErrorDialogShowsTheUpdateCheckAndStartsNothing) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"ExecState"), 1, err);
    ASSERT_EQ(err, 0);
    bool findShown = false;
    auto oldCloseError = TFormMsgCloseError::SetPrompter([&](TFormMsgCloseError &form) {
        form.show();
        QTest::mouseClick(form.LabelProblemSolve, Qt::LeftButton);
        findShown = form.LabelUpdate->isVisible() && form.ButtonUpdate->isVisible();
        form.ButtonUpdate->click();
        return form.result();
    });
    int checks = 0;
    QString header;
    bool checkWaits = false;
    auto oldCheck = TFormCheckUpdates::SetPrompter([&](TFormCheckUpdates &form) {
        ++checks;
        header = form.LabelHeader->text();
        // Not the automatic check: the dialog waits for the user's Check.
        checkWaits = form.ButtonDownload->isEnabled();
        EXPECT_EQ(TFormMarivo6Main::Current(), nullptr) << "asked before any main window";
        return int(QDialog::Rejected);
    });
    const int exitCode = StartUp(21, 3, 2024, Options);
    TFormCheckUpdates::SetPrompter(std::move(oldCheck));
    TFormMsgCloseError::SetPrompter(std::move(oldCloseError));
    EXPECT_TRUE(findShown) << "the update row belongs to the possible solution";
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(header.contains(QStringLiteral("Marivo Ostrel"))) << "the program's own update: "
                                                                    << header.toStdString();
    EXPECT_TRUE(checkWaits);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(TFormMarivo6Main::Current(), nullptr);
    EXPECT_TRUE(Messages.isEmpty()) << "no close question: nothing started";
    EXPECT_EQ(StoredExecState(), 1) << "the next start asks again";
}
