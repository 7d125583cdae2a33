// The data-recorder page over the fake driver: reading, the not-connected and failed-read
// messages, selection order, clearing and damaged data.
#include "exchange/FraDownloadTimex.h"

#include "TimexFixture.h"
#include "base/dialogs/KvMsgBox.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace timextest;

namespace {

class DownloadTimexPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Fake.Bound);
        SetMsgBoxPrompter([this](TMessageForm &form) {
            Shown << form.MessageLabel()->text();
            return Answer;
        });
        Page = std::make_unique<TFrameDownloadTimex>();
        Tester = std::make_unique<QAbstractItemModelTester>(
            Page->ListView->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        SetMsgBoxPrompter({});
        Tester.reset();
        Page.reset();
    }
    // Four sessions with profiles 10..13.
    static TBytes FourSessions() {
        TBytes raw;
        for (uint8_t p = 10; p < 14; ++p) raw += Session(Fix(0.1 * p, 0.2), "20080615134507", "20080615140000", p);
        return raw;
    }

    TFakeLogger Fake;
    std::unique_ptr<TFrameDownloadTimex> Page;
    std::unique_ptr<QAbstractItemModelTester> Tester;
    QStringList Shown;
    int Answer = mrOk;
};

}  // namespace

TEST_F(DownloadTimexPage, NotConnectedWarnsAndReadsNothing) {
    Fake.Serve(FourSessions(), false);
    EXPECT_FALSE(Page->ConnectAndRead());
    EXPECT_EQ(Shown, QStringList{"The TIMEX datarecorder is not connected!"});
    EXPECT_EQ(Page->ListView->model()->rowCount(), 0);
    EXPECT_EQ(Fake.Counts().Reads, 0);
}

TEST_F(DownloadTimexPage, ReadsListsAndReleasesAndCopiesSelectionInListOrder) {
    Fake.Serve(FourSessions());
    ASSERT_TRUE(Page->ConnectAndRead());
    EXPECT_TRUE(Shown.isEmpty());
    EXPECT_EQ(Fake.Counts().Releases, 1);
    QAbstractItemModel *model = Page->ListView->model();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Start date time");
    EXPECT_EQ(model->index(2, 2).data().toString(), "12");
    EXPECT_FALSE(model->index(0, 0).data().toString().isEmpty());
    EXPECT_EQ(model->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xF0F0F0));

    auto *selection = Page->ListView->selectionModel();
    selection->select(model->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(model->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::vector<TTimexSession> chosen;
    EXPECT_TRUE(Page->GetSelectedSessions(chosen));
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].Profile, 11);
    EXPECT_EQ(chosen[1].Profile, 13);
    EXPECT_EQ(chosen[1].Records.size(), 1u);
}

TEST_F(DownloadTimexPage, EmptyRecorderIsNoFailureButAFailedReadIs) {
    Fake.Serve({});
    EXPECT_TRUE(Page->ConnectAndRead());
    EXPECT_TRUE(Shown.isEmpty());
    EXPECT_EQ(Page->ListView->model()->rowCount(), 0);

    Fake.Serve(FourSessions(), true, false);
    EXPECT_FALSE(Page->ConnectAndRead());
    EXPECT_EQ(Shown, QStringList{"The data could not be read from the data recorder."});
    EXPECT_EQ(Fake.Counts().Releases, 1);
}

TEST_F(DownloadTimexPage, DamagedDataListsWhatWasReadAndSaysWhatWasNot) {
    TBytes raw = FourSessions();
    raw.resize(raw.size() - 20);
    Fake.Serve(raw);
    EXPECT_TRUE(Page->ConnectAndRead());
    EXPECT_EQ(Page->ListView->model()->rowCount(), 4);
    ASSERT_EQ(Shown.size(), 1);
    EXPECT_TRUE(Shown[0].startsWith("Recording 4 is incomplete")) << Shown[0].toStdString();
}

TEST_F(DownloadTimexPage, ClearingAsksAndReportsAndKeepsTheList) {
    Fake.Serve(FourSessions(), true, true, true);
    ASSERT_TRUE(Page->ConnectAndRead());
    Answer = mrNo;
    QTest::mouseClick(Page->ButtonClearDataRecorder, Qt::LeftButton);
    EXPECT_EQ(Fake.Counts().Clears, 0);
    Answer = mrYes;
    QTest::mouseClick(Page->ButtonClearDataRecorder, Qt::LeftButton);
    Fake.Serve(FourSessions(), true, true, false);
    QTest::mouseClick(Page->ButtonClearDataRecorder, Qt::LeftButton);
    EXPECT_EQ(Fake.Counts().Clears, 1);
    const QStringList expected{"Do you want to clear the data on the device?",
                               "Do you want to clear the data on the device?", "Memory Cleared",
                               "Do you want to clear the data on the device?",
                               "Clearing Device Memory Unsuccessful!"};
    EXPECT_EQ(Shown, expected);
    EXPECT_EQ(Page->ListView->model()->rowCount(), 4);
    EXPECT_FALSE(Page->ButtonLoad->isVisibleTo(Page.get()));
    EXPECT_FALSE(Page->ButtonSave->isVisibleTo(Page.get()));
}
