// The update service client: the request encoding, the reply parser split at every byte,
// the results of malformed and failing replies through a transport the test drives, and
// the real HTTP transport against the service stand-in.
#include "online/KvPUSClient.h"
#include "online/KvPUSClientTexts.h"

#include "base/strings/KvStrUtils.h"
#include "PusHandlers.h"
#include "ServiceStub.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

namespace {

const TGUID GuidA = StrToGUID(QStringLiteral("{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}"));
const TGUID GuidB = StrToGUID(QStringLiteral("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}"));

QByteArray Record(const QString &guid, const QString &version, const QString &text3 = QStringLiteral("abc"),
                  const QString &value2 = QStringLiteral("1234")) {
    return (guid + "\n" + version + "\n2026-12-01\n2026-12-02 10:20:30\nupd.bin\n7\ntext1\n" + text3 + "\ntext4\n" +
            value2 + "\n")
        .toUtf8();
}

const QByteArray VersionReply = "0\n" + Record(GUIDToStr(GuidA), QStringLiteral("6.1.0.0")) + char(0xFF);
const QByteArray HistoryReply = QByteArray("0\n<a name=\"EN\"></a>History\nline two") + char(0xFF);
const QByteArray TwoFileReply = "0\na.bin\n5\nhello" "b.bin\n3\nxyz";

// Every event of one parse, as text; progress only where a file completes.
QString Parse(TPUSCommand command, int guids, const QByteArray &reply, const QList<qsizetype> &cuts) {
    QString log, data;
    TPUSReplyParser p;
    p.Events.OnVersion = [&](int32_t i, const TPUSVersionInfo &v) {
        log += QStringLiteral("V%1:%2:%3:%4:%5:%6:%7:%8:%9:")
                   .arg(i).arg(GUIDToStr(v.GUID), VersionToStr(v.Version, 4)).arg(v.Date1, 0, 'f', 5).arg(v.Date2, 0, 'f', 5)
                   .arg(v.Value1).arg(v.Text1, v.Text2, v.Text3) +
               v.Text4 + u':' + QString::number(v.Value2) + u' ';
    };
    p.Events.OnHistory = [&](const QByteArray &h) { log += QStringLiteral("H:%1 ").arg(QString::fromUtf8(h)); };
    p.Events.OnFileStart = [&](int32_t i, const QString &n, int64_t s) {
        log += QStringLiteral("S%1:%2:%3 ").arg(i).arg(n).arg(s);
        return 0;
    };
    p.Events.OnFileData = [&](const char *d, int64_t s) {
        data += QString::fromLatin1(d, s);
        return 0;
    };
    p.Events.OnFileEnd = [&] {
        log += QStringLiteral("E:%1 ").arg(data);
        data.clear();
        return 0;
    };
    p.Events.OnFileProgress = [&](int64_t w, int64_t s) {
        if (w == s) log += QStringLiteral("P%1/%2 ").arg(w).arg(s);
    };
    p.Events.OnFinish = [&](int32_t r) { log += QStringLiteral("F%1 ").arg(r); };
    p.Reset(command, guids);
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        p.Feed(reply.mid(from, cut - from));
        from = cut;
    }
    p.Feed(reply.mid(from));
    return log + QStringLiteral("C%1R%2").arg(p.Complete()).arg(p.Received());
}

// A transport the test drives: chunks, status and completion come when the test says.
class TFakeHttp : public IPUSHttp {
public:
    int32_t PostResult = 0;
    int Status = 200;
    int Posts = 0;
    int Aborts = 0;
    QString Url;
    QByteArray Agent, Body;
    int32_t Post(const QString &url, const QByteArray &agent, const QByteArray &body) override {
        ++Posts;
        Url = url;
        Agent = agent;
        Body = body;
        return PostResult;
    }
    void Abort() override { ++Aborts; }
    int StatusCode() const override { return Status; }
    void Reply(const QByteArray &bytes, uint16_t error = 0) {
        if (!bytes.isEmpty()) OnDocData(bytes);
        OnRequestDone(error);
    }
};

struct TClientRun {
    TFakeHttp *Http;
    std::unique_ptr<TPUSClient> Client;
    QList<QPair<TPUSCommand, int32_t>> Done;
    QStringList Progress;
    TClientRun() {
        auto http = std::make_unique<TFakeHttp>();
        Http = http.get();
        Client = std::make_unique<TPUSClient>(nullptr, std::move(http));
        Client->URL = QStringLiteral("https://updates.example/pus/pus.php");
        Client->OnCommandDone = [this](TPUSCommand c, int32_t r) { Done.append({c, r}); };
        Client->OnRequestUpdateFile = [this](int64_t p, int64_t s, int32_t i, int32_t n, const TGUID &, const QString &f) {
            Progress << QStringLiteral("%1/%2 %3/%4 %5").arg(p).arg(s).arg(i).arg(n).arg(QFileInfo(f).fileName());
        };
    }
};

}  // namespace

TEST(PUSClientEncoding, FormTextAndBodyForOneGuid) {
    const QByteArray form = PUSFormText(TPUSCommand::pcReqVersion, {GuidA});
    EXPECT_EQ(form, "c=vi2&gc=1&g0={5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}");
    EXPECT_EQ(PUSFormText(TPUSCommand::pcReqHistory, {GuidA}), "c=vh&g={5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}");
    EXPECT_EQ(PUSFormText(TPUSCommand::pcReqUpdateFile, {GuidA, GuidB}),
              "c=uf&gc=2&g0=" + GUIDToStr(GuidA).toLatin1() + "&g1=" + GUIDToStr(GuidB).toLatin1());
    const QByteArray body = PUSEncodeRequest(form);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^d=[0-9A-F]+$")).match(QString::fromLatin1(body)).hasMatch());
    // 'c' ^ 0xB5 = 0xD6: two digits; 0xB4 ^ 0xB5 = 1 and 0xB5 ^ 0xB5 = 0: one digit each.
    EXPECT_EQ(PUSEncodeRequest("c"), "d=D6");
    EXPECT_EQ(PUSEncodeRequest("\xB4\xB5"), "d=10");
    QByteArray decoded;
    ASSERT_TRUE(PUSDecodeRequest(body, decoded));
    EXPECT_EQ(decoded, form);
    // The stand-in reads what the encoder wrote.
    QMap<QString, QString> fields;
    ASSERT_TRUE(servicestub::TPusService::Decode(body, fields));
    EXPECT_EQ(fields.value("c"), "vi2");
    EXPECT_EQ(fields.value("gc"), "1");
    EXPECT_EQ(fields.value("g0"), GUIDToStr(GuidA));
}

TEST(PUSClientParser, RepliesSplitAtEveryByteGiveTheSameEvents) {
    const struct {
        const char *name;
        TPUSCommand command;
        int guids;
        QByteArray reply;
        const char *expected;
    } cases[] = {
        {"version", TPUSCommand::pcReqVersion, 1, VersionReply,
         "V1:{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}:6.1.0.0:46357.00000:46358.43090:7:text1:upd.bin:abc:text4:1234 C1R1"},
        {"history", TPUSCommand::pcReqHistory, 1, HistoryReply, "H:<a name=\"EN\"></a>History\nline two C1R0"},
        {"two files", TPUSCommand::pcReqUpdateFile, 2, TwoFileReply,
         "S1:a.bin:5 E:hello P5/5 S2:b.bin:3 E:xyz P3/3 C1R2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString whole = Parse(c.command, c.guids, c.reply, {});
        EXPECT_EQ(whole.toStdString(), c.expected);
        for (qsizetype k = 1; k < c.reply.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(Parse(c.command, c.guids, c.reply, {k}), whole);
        }
        QList<qsizetype> bytes;
        for (qsizetype k = 1; k < c.reply.size(); ++k) bytes << k;
        EXPECT_EQ(Parse(c.command, c.guids, c.reply, bytes), whole);
    }
}

TEST(PUSClientResults, MalformedAndFailingRepliesTable) {
    const QByteArray longLine = "0\n" + QByteArray(PUSMaxLineBytes + 1, 'a');
    const QByteArray huge = "0\n" + QByteArray(PUSMaxReplyBytes + 1, 'h');
    const struct {
        const char *name;
        TPUSCommand command;
        QList<TGUID> guids;
        QByteArray reply;
        int status;
        uint16_t error;
        int32_t result;
    } cases[] = {
        {"version ok", TPUSCommand::pcReqVersion, {GuidA}, VersionReply, 200, 0, 0},
        {"server result 3", TPUSCommand::pcReqVersion, {GuidA}, "3\nrest", 200, 0, 3},
        {"CR before LF", TPUSCommand::pcReqVersion, {GuidA}, "0\r\n", 200, 0, -1},
        {"empty result line", TPUSCommand::pcReqVersion, {GuidA}, "\n", 200, 0, -1000},
        {"garbage first line", TPUSCommand::pcReqVersion, {GuidA}, "<html>\n", 200, 0, -1},
        {"one record for two guids", TPUSCommand::pcReqVersion, {GuidA, GuidB}, VersionReply, 200, 0, -1},
        {"byte after the end byte", TPUSCommand::pcReqVersion, {GuidA}, VersionReply + "x", 200, 0, -1},
        {"bad version", TPUSCommand::pcReqVersion, {GuidA}, "0\n" + Record("", "six") + char(0xFF), 200, 0, -1},
        {"reply cut short", TPUSCommand::pcReqVersion, {GuidA}, VersionReply.left(20), 200, 0, -1},
        {"line over 4 KB", TPUSCommand::pcReqVersion, {GuidA}, longLine, 200, 0, -1},
        {"history over 1 MB", TPUSCommand::pcReqHistory, {GuidA}, huge, 200, 0, -1},
        {"history without end", TPUSCommand::pcReqHistory, {GuidA}, "0\ntext", 200, 0, -1},
        {"404", TPUSCommand::pcReqVersion, {GuidA}, "", 404, 0, 404},
        {"503 with a body", TPUSCommand::pcReqVersion, {GuidA}, "busy", 503, 0, 503},
        {"host not found", TPUSCommand::pcReqVersion, {GuidA}, "", 0, 11001, -2000},
        {"unreachable", TPUSCommand::pcReqVersion, {GuidA}, "", 0, 10065, -2000},
        {"socket error", TPUSCommand::pcReqVersion, {GuidA}, "", 0, 10060, -2001},
        {"no byte in time", TPUSCommand::pcReqVersion, {GuidA}, "", 0, PUSHttpError::IdleTimeout, -2002},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TClientRun run;
        run.Http->Status = c.status;
        if (c.command == TPUSCommand::pcReqHistory)
            run.Client->RequestHistory(c.guids[0]);
        else
            run.Client->RequestVersion(c.guids);
        EXPECT_TRUE(run.Client->IsBusy());
        run.Http->Reply(c.reply, c.error);
        // The completion after an early finish is not a second outcome.
        run.Http->OnRequestDone(0);
        ASSERT_EQ(run.Done.size(), 1);
        EXPECT_EQ(run.Done[0].first, c.command);
        EXPECT_EQ(run.Done[0].second, c.result);
        EXPECT_FALSE(run.Client->IsBusy());
    }
}

TEST(PUSClientResults, EarlyResultAbortsAtOnceAndSendFailuresReportBeforeReturning) {
    TClientRun run;
    run.Client->RequestVersion(GuidA);
    EXPECT_EQ(run.Http->Url, "https://updates.example/pus/pus.php");
    EXPECT_TRUE(run.Http->Agent.endsWith(" 6"));
    run.Http->OnDocData("3\n");
    ASSERT_EQ(run.Done.size(), 1);
    EXPECT_EQ(run.Done[0].second, 3);
    EXPECT_GE(run.Http->Aborts, 1);

    TClientRun busy;
    busy.Http->PostResult = -101;
    busy.Client->RequestVersion(GuidA);
    ASSERT_EQ(busy.Done.size(), 1);
    EXPECT_EQ(busy.Done[0].second, -101);
    EXPECT_FALSE(busy.Client->IsBusy());

    TClientRun noUrl;
    noUrl.Client->URL.clear();
    noUrl.Client->RequestHistory(GuidA);
    EXPECT_EQ(noUrl.Http->Posts, 0);
    ASSERT_EQ(noUrl.Done.size(), 1);
    EXPECT_EQ(noUrl.Done[0].second, -2000);
}

TEST(PUSClientDownloads, FilesAreWrittenVerifiedAndNamedOnlyWhenWhole) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("pus-downloads"));
    const QByteArray content = "update!";
    const QString sha = QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
    const QByteArray good = "0\nupd.bin\n7\n" + content;
    const struct {
        const char *name;
        QByteArray reply;
        int64_t size;
        QString hash;
        int32_t result;
        bool fileThere;
    } cases[] = {
        {"verified", good, 7, sha, 0, true},
        {"unchecked", good, 0, QString(), 0, true},
        {"size unlike the record", good, 8, sha, -1003, false},
        {"hash unlike the record", good, 7, QString(64, u'0'), -1003, false},
        {"longer than announced", good + "more", 7, sha, -1, false},
        {"shorter than announced", good.left(good.size() - 2), 7, sha, -1, false},
        {"parent folder", "0\n../upd.bin\n7\n" + content, 0, QString(), -1, false},
        {"absolute", "0\n/etc/upd.bin\n7\n" + content, 0, QString(), -1, false},
        {"folder part", "0\na/upd.bin\n7\n" + content, 0, QString(), -1, false},
        {"backslash", "0\na\\upd.bin\n7\n" + content, 0, QString(), -1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        TClientRun run;
        run.Client->SetDownloadFolder(folder);
        run.Client->ExpectedSize = c.size;
        run.Client->ExpectedSHA256 = c.hash;
        run.Client->RequestUpdateFile(GuidA);
        run.Http->Reply(c.reply);
        ASSERT_EQ(run.Done.size(), 1);
        EXPECT_EQ(run.Done[0].second, c.result);
        EXPECT_EQ(QFile::exists(folder + "/upd.bin"), c.fileThere);
        // Nothing half-written stays behind, under any name.
        const QStringList left = QDir(folder).entryList(QDir::Files);
        EXPECT_EQ(left, c.fileThere ? QStringList{"upd.bin"} : QStringList());
        EXPECT_TRUE(QDir(QDir(folder).filePath("..")).entryList({"upd.bin*"}).isEmpty());
    }
}

TEST(PUSClientDownloads, EmptyFileAndUnwritableFolder) {
    TClientRun empty;
    const QString folder = testsupport::MakeTempDir(QStringLiteral("pus-empty"));
    empty.Client->SetDownloadFolder(folder);
    empty.Client->RequestUpdateFile(GuidA);
    empty.Http->Reply("0\nupd.bin\n0\n");
    ASSERT_EQ(empty.Done.size(), 1);
    EXPECT_EQ(empty.Done[0].second, 0);
    EXPECT_EQ(empty.Progress, QStringList{"0/0 1/1 upd.bin"});
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());

    TClientRun missing;
    missing.Client->SetDownloadFolder(folder + "/no/such");
    missing.Client->RequestUpdateFile(GuidA);
    missing.Http->Reply("0\nupd.bin\n3\nabc");
    ASSERT_EQ(missing.Done.size(), 1);
    EXPECT_EQ(missing.Done[0].second, -1002);
    EXPECT_TRUE(missing.Client->ErrorText(-1002).contains(folder + "/no/such/upd.bin"));
}

TEST(PUSClientTexts, ErrorTextPerResultBand) {
    const struct {
        int32_t result;
        const char *contains;
    } cases[] = {
        {404, "404: Not Found"},
        {400, "400: Bad Request"},
        {406, "406: Not Acceptable"},
        {418, "Unknown"},
        {407, "Proxy authentication required"},
        {503, "overloaded"},
        {-1, "internal error. Errorcode: -1"},
        {-4, "internal error. Errorcode: -4"},
        {-1000, "internal error. Errorcode: -1000"},
        {-100, "Could not connect to the Program Update Server. Errorcode: -100"},
        {-103, "Errorcode: -103"},
        {-2000, "Errorcode: -2000"},
        {-1002, "Could not write the file \"/tmp/x/upd.bin\""},
        {-2001, "A network error occurred"},
        {-2002, "did not answer in time"},
        {-1003, "damaged or incomplete"},
        {7, "The update server reported error 7"},
        {-1001, "The update server reported error -1001"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_TRUE(PUSErrorText(c.result, "/tmp/x/upd.bin", 10060).contains(QString::fromUtf8(c.contains)))
            << PUSErrorText(c.result, "/tmp/x/upd.bin", 10060).toStdString();
    }
    EXPECT_TRUE(PUSErrorText(-2001, QString(), 10060).contains("10060"));
    EXPECT_TRUE(PUSErrorText(0, QString(), 0).isEmpty());
    EXPECT_EQ(HttpStatusText(505), "505: HTTP Version Not Supported");
}

// ---- over HTTP against the stand-in ------------------------------------------------------------

namespace {

struct TStubRun {
    servicestub::TServiceStub Stub;
    std::shared_ptr<servicestub::TPusService> Service;
    std::unique_ptr<TPUSClient> Client;
    QList<int32_t> Results;
    TPUSVersionInfo Info;
    QByteArray History;
    TStubRun() {
        Service = servicestub::InstallPusService(Stub, QString());
        EXPECT_TRUE(Stub.Listen());
        auto http = std::make_unique<TPUSHttpQt>();
        http->SetIdleTimeoutMs(1000);
        Client = std::make_unique<TPUSClient>(nullptr, std::move(http));
        Client->URL = QStringLiteral("http://127.0.0.1:%1/pus/pus.php").arg(Stub.Port());
        Client->OnCommandDone = [this](TPUSCommand, int32_t r) { Results << r; };
        Client->OnRequestVersion = [this](int32_t, int32_t, const TPUSVersionInfo &i) { Info = i; };
        Client->OnRequestHistory = [this](const QByteArray &h) { History = h; };
    }
    int32_t Wait() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Results.isEmpty(); }, 20000));
        return Results.value(0, 12345);
    }
};

}  // namespace

TEST(PUSClientHttp, VersionHistoryAndFileFromTheStandIn) {
    TStubRun run;
    servicestub::TPusProduct p;
    p.Version = "6.1.0.0";
    p.Date = "2026-12-01";
    p.History = "<a name=\"EN\"></a>Notes";
    p.FileName = "upd.bin";
    p.Content = QByteArray(100000, 'u');
    run.Service->Products.insert(GUIDToStr(GuidA), p);

    run.Client->RequestVersion(GuidA);
    EXPECT_EQ(run.Wait(), 0);
    EXPECT_EQ(VersionToStr(run.Info.Version, 4), "6.1.0.0");
    EXPECT_EQ(run.Info.Value2, 100000);
    ASSERT_EQ(run.Service->Received.size(), 1);
    EXPECT_EQ(run.Service->Received[0].value("g0"), GUIDToStr(GuidA));
    EXPECT_EQ(run.Stub.Requests()[0].Headers.value("content-type"), "application/x-www-form-urlencoded");

    run.Results.clear();
    run.Client->RequestHistory(GuidA);
    EXPECT_EQ(run.Wait(), 0);
    EXPECT_EQ(run.History, p.History);

    run.Results.clear();
    const QString folder = testsupport::MakeTempDir(QStringLiteral("pus-http"));
    run.Client->SetDownloadFolder(folder);
    run.Client->ExpectedSize = run.Info.Value2;
    run.Client->ExpectedSHA256 = run.Info.Text3;
    run.Client->RequestUpdateFile(GuidA);
    EXPECT_EQ(run.Wait(), 0);
    QFile file(folder + "/upd.bin");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), p.Content);
}

TEST(PUSClientHttp, BadServersEndWithOneResult) {
    // A server on another port, for the redirect that leaves the origin.
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
    const QByteArray elsewhere = "HTTP/1.1 307 Temporary Redirect\r\nLocation: http://127.0.0.1:" +
                                 QByteArray::number(other.serverPort()) +
                                 "/pus/pus.php\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    const struct {
        const char *name;
        servicestub::TStubReply reply;
        int32_t result;
    } cases[] = {
        {"hang", servicestub::PusHangReply(), -2002},
        {"garbage first line", servicestub::PusBody("<html>oops</html>\n"), -1},
        {"CR LF", servicestub::PusBody("0\r\n"), -1},
        {"404", servicestub::PusBody("", 404), 404},
        {"503", servicestub::PusBody("busy", 503), 503},
        {"redirect to another port", servicestub::PusRawReply(elsewhere), -2000},
        {"endless body", servicestub::PusEndlessReply("0\n"), -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TStubRun run;
        run.Stub.Script(QStringLiteral("pus/pus.php"), c.reply);
        run.Client->RequestHistory(GuidA);
        EXPECT_EQ(run.Wait(), c.result);
        // No second outcome arrives later.
        QCoreApplication::processEvents();
        EXPECT_EQ(run.Results.size(), 1);
    }
}

TEST(PUSClientHttp, PlainHttpOnlyToThisMachine) {
    EXPECT_TRUE(PUSUrlAllowed(QUrl("https://updates.example/pus/pus.php")));
    EXPECT_TRUE(PUSUrlAllowed(QUrl("http://127.0.0.1:8080/pus/pus.php")));
    EXPECT_TRUE(PUSUrlAllowed(QUrl("http://localhost/pus/pus.php")));
    EXPECT_FALSE(PUSUrlAllowed(QUrl("http://updates.example/pus/pus.php")));
    EXPECT_FALSE(PUSUrlAllowed(QUrl("ftp://127.0.0.1/pus.php")));
    TStubRun run;
    run.Client->URL = "http://updates.example/pus/pus.php";
    run.Client->RequestVersion(GuidA);
    ASSERT_EQ(run.Results.size(), 1);
    EXPECT_EQ(run.Results[0], -2000);
}
