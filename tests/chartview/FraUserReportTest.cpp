// The user report panel sending through the real user-data service over HTTP to the
// services' stand-in: the fields as the service receives them, the screenshot, and what the
// panel does with the outcome.
#include "chartview/FraUserReport.h"

#include "ServiceStubProcess.h"
#include "TestSupport.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvFormatSettings.h"
#include "tests/shell/NavEnvFixture.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QImageReader>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double Rad = std::numbers::pi / 180.0;

TEST(UserReportTexts, NumbersOfTheReport) {
    const TFormatSettings comma = MakeFormatSettings(QLocale(QLocale::German));
    ASSERT_EQ(comma.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(UserReportText::Position({52.12345 * Rad, 4.12345 * Rad}), QStringLiteral("52.12345, 4.12345"));
    EXPECT_EQ(UserReportText::Position({-33.5 * Rad, -70.25 * Rad}), QStringLiteral("-33.50000, -70.25000"));
    EXPECT_EQ(UserReportText::KmMark(12345.67, comma), QStringLiteral("12,3"));
    EXPECT_EQ(UserReportText::KmMark(999.99, comma), QStringLiteral("0,9")) << "truncated, not rounded";
    EXPECT_EQ(UserReportText::BoatInfo(QString(), 0, 12.34f, 3.96f, 4.0f, 1.25f, comma),
              QStringLiteral("12,3; 4,0; 4,0; 1,3 (lbhd m)"));
    EXPECT_EQ(UserReportText::BoatInfo(QStringLiteral("Zeemeeuw"), 244123456, 12.0f, 4.0f, 3.0f, 1.0f,
                                       InvariantFormatSettings()),
              QStringLiteral("Zeemeeuw; 244123456; 12.0; 4.0; 3.0; 1.0 (lbhd m)"));
}

class UserReportOnline : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        ASSERT_TRUE(Stub.Start());
        // Before the environment is made: it installs the transport the settings name.
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"),
                       Stub.BaseUrl(), err);
        Env = Make();
        Window = std::make_unique<QMainWindow>();
        Window->resize(900, 700);
        Window->setCentralWidget(new QLabel(QStringLiteral("chart"), Window.get()));
        Dock = new QDockWidget(Window.get());
        Dock->setObjectName(QStringLiteral("DockablePanelUserReport"));
        Window->addDockWidget(Qt::RightDockWidgetArea, Dock);
        Panel = new TFrameUserReport(Dock, *Env, Window.get());
        Panel->SetFormatSettings(MakeFormatSettings(QLocale(QLocale::German)));
        Panel->OnSelectPoint = [this](TFrameUserReport *, bool active) { Picking.push_back(active); };
        Dock->setWidget(Panel);
        Window->show();
    }
    void TearDown() override {
        Window.reset();
        Env.reset();
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), QString(),
                       err);
        NavEnvFixture::TearDown();
    }
    void Write(const QString &subject, const QString &text) {
        Panel->Subject()->setText(subject);
        Panel->Report()->setPlainText(text);
    }
    // Sends and waits until the panel has the service's answer.
    void SendAndWait() {
        QTest::mouseClick(Panel->SendButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Panel->Sending(); }, 20000));
    }
    QJsonObject LastReport() {
        const QList<QJsonObject> all = Stub.FieldsOf(QStringLiteral("userdata/report"));
        return all.isEmpty() ? QJsonObject() : all.last();
    }

    testsupport::TServiceStubProcess Stub;
    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameUserReport *Panel = nullptr;
    std::vector<bool> Picking;
};

TEST_F(UserReportOnline, SendsTheFieldsAndResetsOnSuccess) {
    EXPECT_FALSE(Panel->SendButton()->isEnabled()) << "the prompt alone is no report";
    Panel->Report()->setPlainText(TFrameUserReport::Prompt() + QStringLiteral("\n"));
    EXPECT_FALSE(Panel->SendButton()->isEnabled());
    Panel->SelectPoint();
    EXPECT_EQ(Picking, std::vector<bool>{true});
    Panel->SetPosition({52.12345 * Rad, 4.12345 * Rad});
    EXPECT_EQ(Picking.back(), false) << "a chosen point ends the picking";
    EXPECT_EQ(Panel->PointLabel()->text(), QStringLiteral("Point selected"));
    EXPECT_TRUE(Panel->Metadata()->toPlainText().startsWith(QStringLiteral("Report for position: ")));
    Write(QStringLiteral("Bridge"), QStringLiteral("The bridge opens late.\n"));
    EXPECT_TRUE(Panel->SendButton()->isEnabled());
    shelltest::SaveScreenshot(Window.get(), QStringLiteral("user_report"));

    Panel->CreateScreenshot();
    const QString made = Panel->ScreenshotFile();
    ASSERT_TRUE(QFile::exists(made));
    EXPECT_EQ(QFile::permissions(made) & (QFile::ReadOther | QFile::ReadGroup), 0) << "a private file";
    EXPECT_TRUE(Panel->SendScreenshot()->isChecked());
    Panel->SendScreenshot()->setChecked(false);
    SendAndWait();
    const QJsonObject f = LastReport();
    EXPECT_EQ(f.value("subject").toString(), QStringLiteral("Bridge"));
    EXPECT_EQ(f.value("text").toString(), QStringLiteral("The bridge opens late.\n"));
    EXPECT_EQ(f.value("reportposition").toString(), QStringLiteral("52.12345, 4.12345")) << "a point, not a comma";
    EXPECT_TRUE(f.value("identity").toString().contains(QStringLiteral(" v")));
    EXPECT_TRUE(f.value("boatinfo").toString().endsWith(QStringLiteral(" (lbhd m)\n\n")));
    EXPECT_TRUE(f.value("boatinfo").toString().contains(QLatin1Char(','))) << "dimensions in the user's notation";
    EXPECT_EQ(f.value("screenshot").toString(), QString()) << "unchecked: no picture";
    EXPECT_FALSE(f.contains("screenshotfile"));
    EXPECT_FALSE(QFile::exists(made));
    ASSERT_FALSE(Messages.isEmpty());
    EXPECT_EQ(Messages.last(), QStringLiteral("The report has been sent successfully."));
    EXPECT_TRUE(Panel->Subject()->text().isEmpty()) << "success resets the panel";
    EXPECT_EQ(Panel->Report()->toPlainText(), TFrameUserReport::Prompt() + QStringLiteral("\n"));
    EXPECT_FALSE(Dock->isVisible()) << "and hides it";
}

TEST_F(UserReportOnline, AttachesAScreenshotAndNeverSendsTheNoPosition) {
    Panel->SetPosition({99.0, 99.0});
    EXPECT_EQ(Panel->PointLabel()->text(), QStringLiteral("No point selected"));
    Write(QStringLiteral("Chart"), QStringLiteral("A buoy is missing."));
    Panel->SendScreenshot()->setChecked(true);
    ASSERT_TRUE(Panel->ScreenshotFile().isEmpty());
    SendAndWait();
    const QJsonObject f = LastReport();
    EXPECT_EQ(f.value("reportposition").toString(), QString());
    const QJsonObject picture = f.value("screenshotfile").toObject();
    EXPECT_TRUE(picture.value("jpeg").toBool()) << "made at sending, a JPEG";
    EXPECT_EQ(picture.value("type").toString(), QStringLiteral("image/jpeg"));
    EXPECT_GT(picture.value("size").toDouble(), 1000);
    EXPECT_EQ(picture.value("filename").toString(), f.value("screenshot").toString());
    EXPECT_EQ(Messages.last(), QStringLiteral("The report has been sent successfully."));
}

TEST_F(UserReportOnline, AFailureKeepsTheTextsAndOtherAnswersAreNotOurs) {
    ASSERT_TRUE(Stub.Script(QStringLiteral("userdata/report"), 500,
                            QJsonObject{{"message", "The service is down."}}));
    Write(QStringLiteral("Lock"), QStringLiteral("Closed on Sundays."));
    Panel->CreateScreenshot();
    const QString shot = Panel->ScreenshotFile();
    QTest::mouseClick(Panel->SendButton(), Qt::LeftButton);
    ASSERT_TRUE(Panel->Sending());
    EXPECT_FALSE(Panel->CloseButton()->isEnabled());
    // Another request's answer leaves this one waiting.
    Env->CoreEnv->GetDispatcher()->Send(NavNotify::UserDataRequestDone, intptr_t(0x1234), 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(Panel->Sending());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Panel->Sending(); }, 20000));
    EXPECT_EQ(Messages.last(), QStringLiteral("Error sending the report. Please try again."));
    EXPECT_EQ(Panel->Subject()->text(), QStringLiteral("Lock")) << "the user's texts stay for another try";
    EXPECT_EQ(Panel->Report()->toPlainText(), QStringLiteral("Closed on Sundays."));
    EXPECT_EQ(Panel->ScreenshotFile(), shot);
    EXPECT_TRUE(QFile::exists(shot)) << "the picture too";
    EXPECT_TRUE(Panel->SendButton()->isEnabled());
    EXPECT_TRUE(Panel->CloseButton()->isEnabled());

    // An empty subject asks first; Cancel sends nothing.
    const int before = Stub.FieldsOf(QStringLiteral("userdata/report")).size();
    Panel->Subject()->clear();
    Answer = mrCancel;
    QTest::mouseClick(Panel->SendButton(), Qt::LeftButton);
    EXPECT_EQ(Messages.last(), QStringLiteral("No subject has been entered. Send the report anyway?"));
    EXPECT_FALSE(Panel->Sending());
    EXPECT_EQ(Stub.FieldsOf(QStringLiteral("userdata/report")).size(), before);
    Panel->Close();
    EXPECT_FALSE(QFile::exists(shot)) << "closing the panel removes the picture";
}

}  // namespace
