// The mail hand-off: the argument list xdg-email gets, the checks before it, its exit codes
// as the caller's results with their texts and events, and a missing xdg-email.
#include "exchange/KvMapiMail.h"

#include "TestSupport.h"

#include <QFile>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

class MapiMail : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = testsupport::MakeTempDir(QStringLiteral("mail"));
        Previous = SetMailSender([this](const QString &program, const QStringList &args) {
            Program = program;
            Calls << args;
            return ExitCode;
        });
    }
    void TearDown() override { SetMailSender(Previous); }

    QString File(const QString &name) {
        const QString path = Dir + QLatin1Char('/') + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("track");
        return path;
    }

    QString Dir;
    TMailSender Previous;
    QString Program;
    QList<QStringList> Calls;
    int ExitCode = 0;
};

TEST_F(MapiMail, TheMessageGoesAsOneArgumentListInTheOrderXdgEmailReads) {
    const QString first = File(QStringLiteral("Hoorn – \"Enkhuizen\" 'day 1'.trk"));
    const QString second = File(QStringLiteral("a.trk"));
    TMAPIMail mail;
    mail.ShowDialog = true;
    mail.Subject = QStringLiteral("Törn über den Großen Belt");
    mail.Body = {QStringLiteral("Grüße"), QString(), QStringLiteral("Jörg")};
    mail.ToList = {QStringLiteral("a@example.org"), QStringLiteral("b@example.org")};
    mail.CcList = {QStringLiteral("c@example.org")};
    mail.BccList = {QStringLiteral("d@example.org"), QStringLiteral("e@example.org")};
    mail.Attachments = {first, second};
    mail.FromAddress = QStringLiteral("skipper@example.org");  // no accounts here: ignored
    EXPECT_EQ(mail.Send(), 0);
    EXPECT_EQ(Program, QStringLiteral("xdg-email"));
    ASSERT_EQ(Calls.size(), 1);
    EXPECT_EQ(Calls[0], (QStringList{"--utf8", "--subject", "Törn über den Großen Belt", "--body",
                                     "Grüße\n\nJörg\n", "--cc", "c@example.org", "--bcc", "d@example.org",
                                     "--bcc", "e@example.org", "--attach", first, "--attach", second,
                                     "a@example.org", "b@example.org"}));
    EXPECT_TRUE(mail.Accounts.isEmpty());
    EXPECT_FALSE(mail.SelectAccount(QStringLiteral("skipper@example.org")));
}

TEST_F(MapiMail, AnEmptySubjectAndBodyAreLeftOutAndNoRecipientIsFine) {
    TMAPIMail mail;
    EXPECT_EQ(mail.Send(), 0);
    ASSERT_EQ(Calls.size(), 1);
    EXPECT_EQ(Calls[0], QStringList{"--utf8"});
}

TEST_F(MapiMail, ResultsTextsAndEvents) {
    const QString present = File(QStringLiteral("t.trk"));
    const QString unreadable = File(QStringLiteral("locked.trk"));
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const bool canRead = QFile(unreadable).open(QIODevice::ReadOnly);  // root reads anyway
    struct Case {
        QStringList Attachments;
        QStringList To;
        int Exit;
        int Result;
        const char *Event;
        bool Called;
    } cases[] = {
        {{present}, {}, 0, 0, "", true},
        {{present, Dir + "/missing.trk"}, {}, 0, 11, "AttachmentNotFound", false},
        {{}, {QStringLiteral("-x@example.org")}, 0, 14, "", false},
        {{present}, {}, 1, 2, "", true},
        {{present}, {}, 2, 11, "AttachmentNotFound", true},
        {{present}, {}, 3, -1, "", true},
        {{present}, {}, 4, 2, "", true},
        {{present}, {}, 5, 12, "AttachmentOpenFailure", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Exit);
        Calls.clear();
        ExitCode = c.Exit;
        TMAPIMail mail;
        mail.Attachments = c.Attachments;
        mail.ToList = c.To;
        QString fired;
        mail.OnAttachmentNotFound = [&fired, &mail](TMAPIMail *s) {
            EXPECT_EQ(s, &mail);
            fired += QStringLiteral("AttachmentNotFound");
        };
        mail.OnAttachmentOpenFailure = [&fired](TMAPIMail *) { fired += QStringLiteral("AttachmentOpenFailure"); };
        mail.OnUserAbort = [&fired](TMAPIMail *) { fired += QStringLiteral("UserAbort"); };
        EXPECT_EQ(mail.Send(), c.Result);
        EXPECT_EQ(fired, QString::fromLatin1(c.Event));
        EXPECT_EQ(!Calls.isEmpty(), c.Called);
        EXPECT_EQ(TMAPIMail::ErrorText(c.Result).isEmpty(), c.Result == 0);
    }
    if (!canRead) {
        TMAPIMail mail;
        mail.Attachments = {unreadable};
        EXPECT_EQ(mail.Send(), 12);
    }

    // Every code of the table has a text; the others none.
    for (int code : {1, 2, 3, 5, 9, 10, 11, 12, 14, 15, 18, 21}) EXPECT_FALSE(TMAPIMail::ErrorText(code).isEmpty()) << code;
    for (int code : {0, 4, 6, 7, 8, 13, 16, 17, 19, 20, 22}) EXPECT_TRUE(TMAPIMail::ErrorText(code).isEmpty()) << code;
    EXPECT_EQ(TMAPIMail::ErrorText(-1), QStringLiteral("No mail program is available."));
    EXPECT_EQ(TMAPIMail::ErrorText(11),
              QStringLiteral("The specified attachment was not found. No message was sent."));

    // DoError: the event of the code, True only when one is set.
    TMAPIMail mail;
    QStringList fired;
    auto record = [&fired](const char *name) { return [&fired, name](TMAPIMail *) { fired << name; }; };
    mail.OnUserAbort = record("UserAbort");
    mail.OnTooManyFiles = record("TooManyFiles");
    mail.OnTooManyRecipients = record("TooManyRecipients");
    mail.OnAttachmentNotFound = record("AttachmentNotFound");
    mail.OnAttachmentOpenFailure = record("AttachmentOpenFailure");
    mail.OnTextTooLarge = record("TextTooLarge");
    for (int code : {1, 9, 10, 11, 12, 18}) EXPECT_TRUE(mail.DoError(code)) << code;
    EXPECT_FALSE(mail.DoError(2));
    EXPECT_FALSE(mail.DoError(-1));
    EXPECT_EQ(fired, (QStringList{"UserAbort", "TooManyFiles", "TooManyRecipients", "AttachmentNotFound",
                                  "AttachmentOpenFailure", "TextTooLarge"}));
    mail.OnTextTooLarge = {};
    EXPECT_FALSE(mail.DoError(18));
}

TEST_F(MapiMail, WithoutXdgEmailTheAnswerComesAtOnce) {
    SetMailSender({});  // the real hand-off
    const QByteArray path = qgetenv("PATH");
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", testsupport::MakeTempDir(QStringLiteral("empty-path")).toLocal8Bit());
    QString error;
    TMailMessage message;
    message.Subject = QStringLiteral("Tracks");
    message.Body = {QStringLiteral("Two tracks")};
    EXPECT_FALSE(SendMailMessage(message, error));
    EXPECT_EQ(error, QStringLiteral("No mail program is available."));
    TMAPIMail mail;
    bool aborted = false;
    mail.OnUserAbort = [&aborted](TMAPIMail *) { aborted = true; };
    EXPECT_EQ(mail.Send(), -1);
    EXPECT_FALSE(aborted) << "a missing mail program is no user cancel";
}

}  // namespace
