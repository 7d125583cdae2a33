// The notice and water-report pages over real notice objects of the core library (object
// data documents loaded by the object-update manager): the demo notice as a golden page,
// the code tables at their bounds, value and period texts, target groups, water-report
// paragraphs and the encoding of the service's texts.
#include "CoreTestSupport.h"
#include "TestSupport.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/NoticePage.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

namespace {

using testsupport::Owned;
using testsupport::Rec;

const QString DemoObjects = QStringLiteral(MARIVO_SOURCE_DIR_STR "/tools/servicestub/fixtures/objects/data.json");

// The core library's name of the power unit.
QString UnitToStrForTest() { return UnitToStr(0x10800B); }

QString ReadText(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Object data of one document, held by a manager of its own.
class TObjects {
public:
    explicit TObjects(const QString &file) { Load(file); }
    explicit TObjects(const QJsonObject &document) {
        QJsonObject doc = document;
        doc.insert(QStringLiteral("format"), QStringLiteral("marivo-objects"));
        doc.insert(QStringLiteral("version"), 1);
        const QString file = QDir(testsupport::MakeTempDir(QStringLiteral("notices"))).filePath(QStringLiteral("o.json"));
        QFile f(file);
        if (f.open(QIODevice::WriteOnly)) f.write(QJsonDocument(doc).toJson());
        f.close();
        Load(file);
    }
    IFTMNotice *Notice(int i = 0) { return M ? M->GetNotice(i) : nullptr; }
    IWaterReport *Report(int i = 0) { return M ? M->GetWaterReport(i) : nullptr; }
    Owned<INavObjectUpdateManager> M;

private:
    void Load(const QString &file) {
        M.reset(NavObjectUpdateManagerCreate(0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        int32_t err = -1;
        M->LoadObjectData(Rec(file), err);
        EXPECT_EQ(err, KvErr::Ok);
    }
};

// A notice with one location holding the limitations given.
QJsonObject NoticeWith(const QJsonArray &limitations, const QJsonArray &groups = {}) {
    return QJsonObject{
        {QStringLiteral("notices"),
         QJsonArray{QJsonObject{{QStringLiteral("number"), 7},
                                {QStringLiteral("reason"), 2},
                                {QStringLiteral("targetGroups"), groups},
                                {QStringLiteral("locations"),
                                 QJsonArray{QJsonObject{{QStringLiteral("object"),
                                                         QJsonObject{{QStringLiteral("name"), QStringLiteral("Pier 4")},
                                                                     {QStringLiteral("type"), 14}}},
                                                        {QStringLiteral("limitations"), limitations}}}}}}}};
}

QJsonObject Group(int code, int direction) {
    return {{QStringLiteral("code"), code}, {QStringLiteral("direction"), direction}};
}

class NoticePage : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentLanguage(KvLang::English); }
    // Local time is UTC + 2 h, the locale the C one: pages independent of the machine.
    static TNoticePageOptions Options(const QLocale &locale = QLocale::c()) {
        TNoticePageOptions o;
        o.Locale = locale;
        o.ToLocal = [](TDateTime utc) { return utc + 2.0 / 24.0; };
        return o;
    }
};

TEST_F(NoticePage, DemoNoticeAndReportMatchTheGoldenPages) {
    TObjects demo(DemoObjects);
    ASSERT_TRUE(demo.Notice());
    ASSERT_TRUE(demo.Report());
    const struct {
        const char *file;
        std::function<QString()> build;
    } cases[] = {
        {"notice-millbrook-bridge", [&] { return FTMNoticeBuildPage(demo.Notice(), 1, true, true, Options()); }},
        {"water-report-orlebury", [&] { return FTMWaterReportBuildPage(demo.Report(), 1, true, false, Options()); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString built = c.build();
        const QString golden =
            QStringLiteral(MARIVO_SOURCE_DIR_STR "/tests/objectinfo/data/%1.html").arg(QString::fromUtf8(c.file));
        if (qEnvironmentVariableIsSet("MARIVO_WRITE_GOLDEN")) {
            QFile out(golden);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(built.toUtf8());
        }
        EXPECT_EQ(built, ReadText(golden));
    }
    EXPECT_EQ(FTMNoticeGetTitle(demo.Notice()), QStringLiteral("Works at Millbrook Bridge"));
}

TEST_F(NoticePage, CodeTablesAtFirstLastAndUnknownCodes) {
    const struct {
        const char *name;
        QString (*toStr)(int32_t);
        int32_t last;
        const char *first, *lastText, *unknown;
    } cases[] = {
        {"communication", FTMCommunicationCodeToStr, 10, "telephone", "EDI mailbox number", "Unknown"},
        {"direction", FTMDirectionCodeToStr, 3, "all directions", "downstream", "Unknown"},
        {"indication", FTMIndicationCodeToStr, 3, "maximum", "reduced by", "Unknown"},
        {"reporting", FTMReportingCodeToStr, 3, "Information", "Regular duty to report", ""},
        {"target group", FTMTargetGroupCodeToStr, 14, "all", "worksite crafts", "Unknown"},
        {"interval", FTMIntervalCodeToStr, 16, "continuous", "Monday to Friday except public holidays", "Unknown"},
        {"position", FTMPositionCodeToStr, 23, "all", "red buoy", "Unknown"},
        {"reference", FTMReferenceCodeToStr, 20, "NAP", "High water level of attention", ""},
        {"limitation", FTMLimitationCodeToStr, 29, "Blockage", "no berthing", "Unknown"},
        {"subject", FTMSubjectCodeToStr, 49, "Blockage", "Info service", "Unknown"},
        {"reason", FTMReasonCodeToStr, 47, "Event", "weather conditions", "Unknown"},
        {"object type", FTMObjectTypeCodeToStr, 42, "river", "bunker/fuelling station", "Unknown"},
        {"measure", WaterMeasureCodeToStr, 7, "discharge", "no measurement", "Unknown"},
        {"barrage", WaterBarrageStatusToStr, 5, "Barrage Closed", "Barrage laid, opened for navigation through barrage",
         "Unknown"},
        {"regime", WaterRegimeCodeToStr, 6, "normal", "low water", "Unknown"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.toStr(1), QString::fromUtf8(c.first));
        EXPECT_EQ(c.toStr(c.last), QString::fromUtf8(c.lastText));
        EXPECT_EQ(c.toStr(c.last + 1), QString::fromUtf8(c.unknown));
        EXPECT_EQ(c.toStr(0), QString::fromUtf8(c.unknown));
        EXPECT_EQ(c.toStr(-1), QString::fromUtf8(c.unknown));
    }
    // Another language: its own text, English where it has none.
    SetCurrentLanguage(KvLang::Dutch);
    EXPECT_EQ(FTMLimitationCodeToStr(9), QStringLiteral("Doorvaarthoogte"));
    EXPECT_EQ(FTMReferenceCodeToStr(1), QStringLiteral("NAP"));
}

TEST_F(NoticePage, ValueTextsFollowCodeUnitAndLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char *name;
        int code, indication, reference;
        double value;
        QLocale locale;
        QString text;
    } cases[] = {
        {"centimetres below a metre", 9, 0, 0, 50, QLocale::c(), QStringLiteral("50 cm")},
        {"metres with the decimal separator", 9, 0, 0, 250, german, QStringLiteral("2,5 m")},
        {"kilometres", 9, 0, 0, 150000, QLocale::c(), QStringLiteral("1.5 km")},
        {"delay in hours", 3, 0, 0, 2, QLocale::c(), QStringLiteral("2 hour(s)")},
        {"speed limit", 15, 1, 0, 6, QLocale::c(), QStringLiteral("maximum 6 km/h")},
        {"minimum power", 20, 2, 0, 150, QLocale::c(), QStringLiteral("minimum 150 ") + UnitToStrForTest()},
        {"other code: bare number", 1, 0, 0, 12.5, QLocale::c(), QStringLiteral("12.5")},
        {"no value, indication and reference", 9, 1, 1, 3.5e38, QLocale::c(), QStringLiteral("maximum NAP")},
        {"nothing at all", 9, 0, 0, 3.5e38, QLocale::c(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QJsonObject lim{{QStringLiteral("code"), c.code},
                        {QStringLiteral("indication"), c.indication},
                        {QStringLiteral("reference"), c.reference}};
        if (c.value < 3.4e38) lim.insert(QStringLiteral("value"), c.value);
        TObjects o(NoticeWith({lim}));
        ASSERT_TRUE(o.Notice());
        EXPECT_EQ(FTMLimitationValueText(o.Notice()->GetLocation(0)->GetLimitation(0), c.locale), c.text);
    }
}

TEST_F(NoticePage, TargetGroupsAreRepeatedOrReplacedPerLimitation) {
    const QJsonObject own{{QStringLiteral("code"), 17}, {QStringLiteral("targetGroups"), QJsonArray{Group(5, 3)}}};
    const QJsonObject bare{{QStringLiteral("code"), 18}};
    TObjects withGroups(NoticeWith({bare, own, bare}, {Group(3, 2)}));
    const QString page = FTMNoticeBuildPage(withGroups.Notice(), 1, false, false, Options());
    EXPECT_EQ(page.count(QStringLiteral("<br />- No anchoring, commercial vessels, upstream, Pier 4<br />")), 2);
    EXPECT_TRUE(page.contains(QStringLiteral("<br />- No passing, pleasure crafts, downstream, Pier 4<br />")));
    EXPECT_FALSE(page.contains(QStringLiteral("<p><b>"))) << "no title asked for";

    TObjects none(NoticeWith({bare}));
    EXPECT_TRUE(FTMNoticeBuildPage(none.Notice(), 1, true, false, Options())
                    .contains(QStringLiteral("<br />- No anchoring, Pier 4<br />\r\n")));
}

TEST_F(NoticePage, PeriodTexts) {
    auto period = [](int interval, const char *startDate, const char *startTime, const char *endDate,
                     const char *endTime) {
        QJsonObject p{{QStringLiteral("interval"), interval}};
        if (startDate) p.insert(QStringLiteral("startDate"), QString::fromLatin1(startDate));
        if (startTime) p.insert(QStringLiteral("startTime"), QString::fromLatin1(startTime));
        if (endDate) p.insert(QStringLiteral("endDate"), QString::fromLatin1(endDate));
        if (endTime) p.insert(QStringLiteral("endTime"), QString::fromLatin1(endTime));
        return p;
    };
    const struct {
        const char *name;
        QJsonObject period;
        QString text;
    } cases[] = {
        {"continuous with both ends", period(1, "2026-04-01T00:00:00Z", "07:00", "2026-04-03T00:00:00Z", "16:00"),
         QStringLiteral("4/1/26 2:00:00 AM 7:00 AM until 4/3/26 2:00:00 AM 4:00 PM")},
        {"interval 0 without end", period(0, "2026-04-01T10:00:00Z", nullptr, nullptr, nullptr),
         QStringLiteral("4/1/26 12:00:00 PM until further notice")},
        {"daily with both dates and times",
         period(2, "2026-03-31T22:00:00Z", "07:00", "2026-06-29T22:00:00Z", "16:00"),
         QStringLiteral("4/1/26 until 6/30/26, daily 7:00 AM until 4:00 PM")},
        {"daily without end or times", period(2, "2026-03-31T22:00:00Z", nullptr, nullptr, nullptr),
         QStringLiteral("4/1/26 until further notice, daily ")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TObjects o(NoticeWith({QJsonObject{{QStringLiteral("code"), 1}, {QStringLiteral("periods"), QJsonArray{c.period}}}}));
        ASSERT_TRUE(o.Notice());
        EXPECT_EQ(FTMPeriodText(o.Notice()->GetLocation(0)->GetLimitation(0), 0, Options(QLocale(QLocale::English, QLocale::UnitedStates))),
                  c.text);
    }
}

TEST_F(NoticePage, WaterReportParagraphs) {
    auto measurement = [](int code, int barrage, int regime, const char *difference) {
        QJsonObject m{{QStringLiteral("code"), code},           {QStringLiteral("time"), QStringLiteral("2026-04-02T06:30:00Z")},
                      {QStringLiteral("value"), 85.4},           {QStringLiteral("unit"), QStringLiteral("cm")},
                      {QStringLiteral("barrageStatus"), barrage}, {QStringLiteral("regime"), regime},
                      {QStringLiteral("difference"), -3.2}};
        if (difference) m.insert(QStringLiteral("differenceText"), QString::fromLatin1(difference));
        return m;
    };
    const QJsonObject doc{
        {QStringLiteral("waterReports"),
         QJsonArray{QJsonObject{{QStringLiteral("title"), QStringLiteral("Weir <Orle>")},
                                {QStringLiteral("object"), QJsonObject{{QStringLiteral("name"), QStringLiteral("Orle Weir")},
                                                                       {QStringLiteral("type"), 8}}},
                                {QStringLiteral("measurements"),
                                 QJsonArray{measurement(1, 0, 0, "-3"), measurement(2, 0, 2, nullptr),
                                            measurement(3, 4, 0, nullptr)}}}}}};
    TObjects o(doc);
    ASSERT_TRUE(o.Report());
    const QString page = FTMWaterReportBuildPage(o.Report(), 1, false, false, Options());
    EXPECT_TRUE(page.contains(QStringLiteral("<p><b>Weir &lt;Orle&gt;</b></p>")));
    EXPECT_FALSE(page.contains(QStringLiteral("Valid from"))) << "no validity set";
    EXPECT_FALSE(page.contains(QStringLiteral("All values refer to"))) << "no reference set";
    EXPECT_TRUE(page.contains(QStringLiteral("<p>The following applies to the weir Orle Weir:</p>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<p>Measured value for discharge on 02-04 at 08:30: 85 m&sup3;/s.</p>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<p>The difference with the last measured value is -3 m&sup3;/s.</p>")));
    EXPECT_EQ(page.count(QStringLiteral("Measured value")), 1) << "regime and barrage values have no value paragraph";
    EXPECT_TRUE(page.contains(QStringLiteral("<p>high</p>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<p>Barrage Opened, no navigation through barrage</p>")));

    // Wrapping replaces the template's marker only; the body keeps its own.
    const QString wrapped = FTMWrapPage(page);
    EXPECT_EQ(wrapped.count(QStringLiteral("<!-- contents -->")), 1);
    EXPECT_TRUE(wrapped.contains(QStringLiteral("<title>FTM details</title>")));
    EXPECT_FALSE(wrapped.endsWith(QStringLiteral("\r\n")));
}

TEST_F(NoticePage, ServiceTextsAreShownAsTextWithOnlyWebAddressesLinked) {
    const QJsonObject doc{
        {QStringLiteral("notices"),
         QJsonArray{QJsonObject{
             {QStringLiteral("title"), QStringLiteral("<b>Bold</b>")},
             {QStringLiteral("originator"), QStringLiteral("A & B")},
             {QStringLiteral("contents"), QStringLiteral("<a href=\"file:///bin/sh\">x</a> see https://example.org")},
             {QStringLiteral("communication"),
              QJsonArray{QJsonObject{{QStringLiteral("means"), 3}, {QStringLiteral("number"), QStringLiteral("info@orle.example, www.orle.example.")}}}}}}}};
    TObjects o(doc);
    const QString page = FTMNoticeBuildPage(o.Notice(), 1, true, false, Options());
    EXPECT_TRUE(page.contains(
        QStringLiteral("<p>&lt;a href=&quot;file:///bin/sh&quot;&gt;x&lt;/a&gt; see <a href=\"https://example.org\">https://example.org</a></p>")))
        << page.toStdString();
    EXPECT_EQ(page.count(QStringLiteral("<a href=")), 3);
    EXPECT_TRUE(page.contains(QStringLiteral("<p><b>&lt;b&gt;Bold&lt;/b&gt;</b></p>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>A &amp; B</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"mailto:info@orle.example\">info@orle.example</a>, "
                                             "<a href=\"http://www.orle.example\">www.orle.example</a>.")));
}

}  // namespace
