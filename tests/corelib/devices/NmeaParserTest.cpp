// The NMEA 0183 decoder: recorded receiver logs against the reference results that come
// with them, every sentence kind the own ship uses, and input that must be refused.
#include "TestSupport.h"

#include "devices/NmeaParser.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using kv::TNmeaParser;
using kv::TNmeaResult;

namespace {

constexpr double RadToDeg = 180.0 / 3.14159265358979323846;

// "$" + body + "*hh" with the checksum computed here, so table rows can hold bodies with
// deliberate faults that still pass the checksum.
std::string Sentence(const std::string &body) {
    unsigned sum = 0;
    for (char c : body) sum ^= unsigned(uint8_t(c));
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

TDateTime ToDateTime(const QDateTime &utc) {
    return double(utc.toMSecsSinceEpoch()) / 86400000.0 + 25569.0;
}

// What the reference decoder reports for a log: the last real fix (simulated fixes, status
// 8, are no fix) and the last satellite summary.
struct TReference {
    bool HasFix = false;
    double LatDeg = 0, LonDeg = 0;
    double SpeedMS = NAN, TrackDeg = NAN;
    QDateTime Time;
    int UsedSatellites = -1;
    double HDOP = NAN;
};

TReference ReadReference(const QString &path) {
    TReference ref;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ref;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.startsWith('{')) continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString cls = o.value("class").toString();
        if (cls == "TPV" && o.value("mode").toInt() >= 2 && o.contains("lat") &&
            o.value("status").toInt(1) != 8) {
            ref.HasFix = true;
            ref.LatDeg = o.value("lat").toDouble();
            ref.LonDeg = o.value("lon").toDouble();
            ref.SpeedMS = o.contains("speed") ? o.value("speed").toDouble() : NAN;
            ref.TrackDeg = o.contains("track") ? o.value("track").toDouble() : NAN;
            ref.Time = QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs);
        } else if (cls == "SKY" && o.contains("hdop")) {
            ref.HDOP = o.value("hdop").toDouble();
            ref.UsedSatellites = o.value("uSat").toInt(-1);
        }
    }
    return ref;
}

QStringList LogNames() {
    return QDir(testsupport::TestDataPath("nmea")).entryList({"*.log"}, QDir::Files, QDir::Name);
}

}  // namespace

TEST(NmeaLogs, LastFixMatchesReferenceDecoder) {
    const QStringList logs = LogNames();
    ASSERT_FALSE(logs.isEmpty()) << "no recorded NMEA logs in the shared test data";
    for (const QString &name : logs) {
        SCOPED_TRACE(name.toStdString());
        QFile file(testsupport::TestDataPath("nmea/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const TReference ref = ReadReference(file.fileName() + ".chk");

        TNmeaParser parser;
        parser.Feed(bytes.constData(), size_t(bytes.size()));
        const kv::TNmeaNavState &s = parser.State();

        EXPECT_GT(parser.Stats().Count(TNmeaResult::Applied), 10u);
        EXPECT_EQ(parser.Stats().Count(TNmeaResult::ChecksumError), 0u);
        ASSERT_EQ(s.FixCount > 0, ref.HasFix);
        if (!ref.HasFix) {
            EXPECT_FALSE(s.PositionValid);
            EXPECT_TRUE(std::isnan(s.LatRad));
            continue;
        }
        EXPECT_TRUE(s.PositionValid);
        EXPECT_NEAR(s.LatRad * RadToDeg, ref.LatDeg, 1e-7);
        EXPECT_NEAR(s.LonRad * RadToDeg, ref.LonDeg, 1e-7);
        if (!std::isnan(ref.SpeedMS)) {
            EXPECT_NEAR(s.SOGKn * 1852.0 / 3600.0, ref.SpeedMS, 5e-4);
        }
        if (!std::isnan(ref.TrackDeg)) {
            EXPECT_NEAR(s.COGTrueDeg, ref.TrackDeg, 1e-6);
        }
        if (ref.UsedSatellites >= 0) {
            EXPECT_EQ(s.SatellitesInUse, ref.UsedSatellites);
        }
        if (!std::isnan(ref.HDOP)) {
            EXPECT_NEAR(s.HDOP, ref.HDOP, 1e-9);
        }
        if (ref.Time.isValid()) {
            EXPECT_NEAR(s.FixTimeUTC, ToDateTime(ref.Time), 0.001 / 86400.0);
        }
    }
}

// The splitter must not depend on where the port cut the stream.
TEST(NmeaLogs, ByteByByteFeedGivesTheSameState) {
    const QStringList logs = LogNames();
    ASSERT_FALSE(logs.isEmpty()) << "no recorded NMEA logs in the shared test data";
    for (const QString &name : logs) {
        SCOPED_TRACE(name.toStdString());
        QFile file(testsupport::TestDataPath("nmea/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        TNmeaParser whole, bytewise;
        whole.Feed(bytes.constData(), size_t(bytes.size()));
        for (char c : bytes) bytewise.Feed(&c, 1);
        EXPECT_EQ(whole.Stats().ByResult, bytewise.Stats().ByResult);
        EXPECT_EQ(whole.Stats().GarbageBytes, bytewise.Stats().GarbageBytes);
        EXPECT_EQ(whole.State().FixCount, bytewise.State().FixCount);
        EXPECT_EQ(whole.State().Updates, bytewise.State().Updates);
        EXPECT_EQ(whole.State().DateTimeUTC, bytewise.State().DateTimeUTC);
    }
}

namespace {

const std::string GoodGGA =
    Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string GoodRMC =
    Sentence("GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,003.1,W");

void ExpectSameNavigation(const kv::TNmeaNavState &a, const kv::TNmeaNavState &b) {
    EXPECT_EQ(a.Updates, b.Updates);
    EXPECT_EQ(a.FixCount, b.FixCount);
    EXPECT_EQ(a.PositionValid, b.PositionValid);
    EXPECT_EQ(a.LatRad, b.LatRad);
    EXPECT_EQ(a.LonRad, b.LonRad);
    EXPECT_EQ(a.SOGKn, b.SOGKn);
    EXPECT_EQ(a.COGTrueDeg, b.COGTrueDeg);
    EXPECT_EQ(a.SatellitesInUse, b.SatellitesInUse);
    EXPECT_EQ(a.FixQuality, b.FixQuality);
}

}  // namespace

TEST(NmeaBadInput, RejectedCountedAndStateUnchanged) {
    struct Case {
        const char *name;
        std::string line;
        TNmeaResult expected;
    };
    const Case cases[] = {
        {"longer than 120 characters",
         Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,," +
                  std::string(60, ',')),
         TNmeaResult::TooLong},
        {"binary noise", std::string("$GPGGA,12\x01\xff") + "3519,4807.038,N*45",
         TNmeaResult::Noise},
        {"truncated line", "$GPGGA,123519,4807.038,N,011", TNmeaResult::ChecksumMissing},
        {"checksum cut off", "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4",
         TNmeaResult::Truncated},
        {"wrong checksum", "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00",
         TNmeaResult::ChecksumError},
        {"fields missing", Sentence("GPGGA,123519,4807.038,N"), TNmeaResult::Truncated},
        {"letters in latitude", Sentence("GPGGA,123519,48O7.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"),
         TNmeaResult::BadField},
        {"latitude 95", Sentence("GPGGA,123519,9507.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
         TNmeaResult::OutOfRange},
        {"latitude minutes 61", Sentence("GPGGA,123519,4861.000,N,01131.000,E,1,08,0.9,545.4,M,,M,,"),
         TNmeaResult::OutOfRange},
        {"longitude 181", Sentence("GPRMC,123520,A,4807.040,N,18101.002,E,022.4,084.4,230394,,"),
         TNmeaResult::OutOfRange},
        {"hemisphere X", Sentence("GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9,545.4,M,,M,,"),
         TNmeaResult::BadField},
        {"hour 25", Sentence("GPGGA,253519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,"),
         TNmeaResult::OutOfRange},
        {"RMC status Q", Sentence("GPRMC,123520,Q,4807.040,N,01131.002,E,022.4,084.4,230394,,"),
         TNmeaResult::BadField},
        {"RMC time letters", Sentence("GPRMC,12352O,A,4807.040,N,01131.002,E,022.4,084.4,230394,,"),
         TNmeaResult::BadField},
        {"GSA fix type letter", Sentence("GNGSA,A,X,01,02,03,,,,,,,,,,1.5,0.9,1.2"),
         TNmeaResult::BadField},
        {"ZDA month 13", Sentence("GPZDA,201530.00,04,13,2002,00,00"), TNmeaResult::OutOfRange},
        {"fix quality 12", Sentence("GPGGA,123519,4807.038,N,01131.000,E,12,08,0.9,545.4,M,,M,,"),
         TNmeaResult::OutOfRange},
        {"lower-case talker", Sentence("gpGGA,123519,4807.038,N,01131.000,E,1,08,0.9,5,M,,M,,"),
         TNmeaResult::BadAddress},
        {"no start character", "GPGGA,123519*00", TNmeaResult::BadAddress},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TNmeaParser parser;
        ASSERT_EQ(parser.ParseSentence(GoodGGA), TNmeaResult::Applied);
        ASSERT_EQ(parser.ParseSentence(GoodRMC), TNmeaResult::Applied);
        const kv::TNmeaNavState before = parser.State();
        std::vector<TNmeaResult> reported;
        parser.SetRejectHook([&](TNmeaResult r, std::string_view) { reported.push_back(r); });

        EXPECT_EQ(parser.ParseSentence(c.line), c.expected);
        EXPECT_EQ(parser.Stats().Count(c.expected), 1u);
        EXPECT_EQ(parser.Stats().Rejected(), 1u);
        EXPECT_EQ(reported, std::vector<TNmeaResult>{c.expected});
        ExpectSameNavigation(parser.State(), before);
    }
}

TEST(NmeaBadInput, StreamOfNoiseAndBrokenLinesLeavesOnlyTheGoodSentences) {
    const char leadingNoise[] = "\x00\x13\xfe garbage without start\r\n";
    std::string stream(leadingNoise, sizeof leadingNoise - 1);
    stream += "$GPGGA,123519,4807.0";  // cut off by the next sentence's "$"
    stream += GoodGGA + "\r\n";
    stream += "$" + std::string(500, 'A') + "\r\n";  // one overlong line, not 6 sentences
    stream += "$GPRMC,12\x80\x81,A*11\r\n";
    stream += GoodRMC + "\n";
    stream += std::string(5000, '\xAA');  // binary noise without any line end

    TNmeaParser parser;
    parser.Feed(stream.data(), stream.size());
    const kv::TNmeaStats &st = parser.Stats();
    EXPECT_EQ(st.Count(TNmeaResult::Applied), 2u);
    EXPECT_EQ(st.Count(TNmeaResult::Truncated), 1u);
    EXPECT_EQ(st.Count(TNmeaResult::TooLong), 1u);
    EXPECT_EQ(st.Count(TNmeaResult::Noise), 1u);
    EXPECT_EQ(st.Rejected(), 3u);
    EXPECT_GE(st.GarbageBytes, 5000u);
    EXPECT_TRUE(parser.State().PositionValid);
    EXPECT_NEAR(parser.State().LatRad * RadToDeg, 48.0 + 7.040 / 60.0, 1e-9);
}

// Receivers of several satellite systems exceed the 82 characters of the standard: such
// sentences are decoded and counted up to a bound, and only longer ones are refused.
TEST(NmeaBadInput, OverLongSentencesAreDecodedUpToTheBound) {
    // A GGA padded in the altitude's decimals to `length` characters without CR LF.
    const auto gga = [](size_t length) {
        const std::string head = "GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4";
        const std::string tail = ",M,46.9,M,,";
        const size_t padding = length - Sentence(head + tail).size();
        return Sentence(head + std::string(padding, '0') + tail);
    };
    struct Case {
        const char *name;
        size_t length;
        TNmeaResult expected;
        uint32_t overLong;
    };
    const Case cases[] = {
        {"82 with CR LF", 80, TNmeaResult::Applied, 0},
        {"one more", 81, TNmeaResult::Applied, 1},
        {"multi-system GGA", 88, TNmeaResult::Applied, 1},
        {"at the bound", 120, TNmeaResult::Applied, 1},
        {"beyond the bound", 121, TNmeaResult::TooLong, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string line = gga(c.length);
        ASSERT_EQ(line.size(), c.length);
        TNmeaParser parser;
        const std::string stream = line + "\r\n" + GoodRMC + "\r\n";
        parser.Feed(stream.data(), stream.size());
        EXPECT_EQ(parser.Stats().Count(c.expected), c.expected == TNmeaResult::Applied ? 2u : 1u);
        EXPECT_EQ(parser.Stats().OverLong, c.overLong);
        EXPECT_EQ(parser.Stats().Rejected(), NmeaRejected(c.expected) ? 1u : 0u);
        EXPECT_EQ(parser.State().FixQuality, c.expected == TNmeaResult::Applied ? 1 : -1);
        EXPECT_TRUE(parser.State().PositionValid) << "the next sentence is not lost";
    }
}

namespace {

struct TDecodeCase {
    const char *name;
    std::vector<std::string> bodies;  // checksums added
    std::function<void(const kv::TNmeaNavState &)> check;
};

void RunDecodeCases(const std::vector<TDecodeCase> &cases) {
    for (const TDecodeCase &c : cases) {
        SCOPED_TRACE(c.name);
        TNmeaParser parser;
        for (const std::string &b : c.bodies)
            EXPECT_EQ(parser.ParseSentence(Sentence(b)), TNmeaResult::Applied) << b;
        EXPECT_EQ(parser.Stats().OddFields, 0u);
        c.check(parser.State());
    }
}

}  // namespace

TEST(NmeaDecode, PositionSentences) {
    RunDecodeCases({
        {"GGA south-west with DGPS",
         {"GNGGA,010203.50,3345.1234,S,07012.5000,W,2,11,0.8,12.5,M,20.0,M,,"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_TRUE(s.PositionValid);
             EXPECT_NEAR(s.LatRad * RadToDeg, -(33 + 45.1234 / 60), 1e-9);
             EXPECT_NEAR(s.LonRad * RadToDeg, -(70 + 12.5 / 60), 1e-9);
             EXPECT_EQ(s.FixQuality, 2);
             EXPECT_EQ(s.SatellitesInUse, 11);
             EXPECT_DOUBLE_EQ(s.HDOP, 0.8);
             EXPECT_DOUBLE_EQ(s.AltitudeM, 12.5);
             EXPECT_DOUBLE_EQ(s.TimeOfDaySec, 3723.5);
         }},
        {"GGA without fix keeps position unknown, not zero",
         {"GPGGA,010203,,,,,0,00,,,M,,M,,"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_FALSE(s.PositionValid);
             EXPECT_TRUE(std::isnan(s.LatRad));
             EXPECT_TRUE(std::isnan(s.HDOP));
             EXPECT_EQ(s.FixQuality, 0);
         }},
        {"simulated GGA is no fix",
         {"GPGGA,214424,4023.9621,N,00339.1630,W,8,09,2.0,695.7,M,51.6,M,,"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_FALSE(s.PositionValid);
             EXPECT_EQ(s.FixCount, 0u);
         }},
        {"RMC without course gives unknown course, fix lost later keeps position",
         {"GPRMC,235959,A,5200.000,N,00500.000,E,0.0,,311299,,", "GPRMC,000001,V,,,,,,,010100,,"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_FALSE(s.PositionValid);
             EXPECT_NEAR(s.LatRad * RadToDeg, 52.0, 1e-12);
             EXPECT_TRUE(std::isnan(s.SOGKn));
             EXPECT_TRUE(std::isnan(s.COGTrueDeg));
             EXPECT_DOUBLE_EQ(s.DateTimeUTC, TNmeaParser::DateFromYMD(2000, 1, 1) + 1.0 / 86400);
             EXPECT_DOUBLE_EQ(s.FixTimeUTC,
                              TNmeaParser::DateFromYMD(1999, 12, 31) + 86399.0 / 86400);
         }},
        {"RMC speed, course and variation west",
         {"GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,003.1,W,A"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.SOGKn, 22.4);
             EXPECT_DOUBLE_EQ(s.COGTrueDeg, 84.4);
             EXPECT_DOUBLE_EQ(s.MagVariationDeg, -3.1);
         }},
        {"RMC mode N is no fix", {"GPRMC,123520,A,4807.040,N,01131.002,E,1.0,10.0,230394,,,N"},
         [](const kv::TNmeaNavState &s) { EXPECT_FALSE(s.PositionValid); }},
        {"GLL old format without status",
         {"GPGLL,5107.0000,N,11400.0000,W"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_TRUE(s.PositionValid);
             EXPECT_NEAR(s.LonRad * RadToDeg, -114.0, 1e-12);
         }},
        {"GLL void", {"GPGLL,5107.0000,N,11400.0000,W,225444,V,N"},
         [](const kv::TNmeaNavState &s) { EXPECT_FALSE(s.PositionValid); }},
        {"GSA of two systems in one epoch add up, a new epoch starts again",
         {"GNGSA,A,3,01,02,03,,,,,,,,,,1.5,0.9,1.2", "GNGSA,A,3,65,66,,,,,,,,,,,1.5,0.9,1.2",
          "GNGGA,000000,0000.000,N,00000.000,E,1,05,0.9,1,M,1,M,,",
          "GNGSA,A,3,01,02,,,,,,,,,,,1.6,1.0,1.2"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_EQ(s.SatellitesInUse, 2);
             EXPECT_EQ(s.FixType, 3);
             EXPECT_DOUBLE_EQ(s.HDOP, 1.0);
         }},
        {"GSV in view summed over systems",
         {"GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45",
          "GLGSV,1,1,03,65,10,100,30,66,20,200,,67,30,300,"},
         [](const kv::TNmeaNavState &s) { EXPECT_EQ(s.SatellitesInView, 11); }},
    });
}

// A malformed optional field costs only itself: the rest of the sentence is applied and
// the oddity counted. Extra fields of newer NMEA versions are no oddity.
TEST(NmeaDecode, BadOptionalFieldIsLeftUnknownAndTheRestApplied) {
    using State = kv::TNmeaNavState;
    const auto fixKept = [](const State &s) {
        EXPECT_TRUE(s.PositionValid);
        EXPECT_NEAR(s.LatRad * RadToDeg, 48.0 + 7.040 / 60.0, 1e-9);
    };
    struct Case {
        const char *name;
        std::string body;
        bool odd;
        std::function<void(const State &)> check;
    };
    const Case cases[] = {
        {"mode letter in RMC's E/W slot",
         "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,003.1,A", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_DOUBLE_EQ(s.SOGKn, 22.4);
             EXPECT_DOUBLE_EQ(s.COGTrueDeg, 84.4);
             EXPECT_DOUBLE_EQ(s.DateTimeUTC, TNmeaParser::DateFromYMD(1994, 3, 23) +
                                                 (12 * 3600 + 35 * 60 + 20) / 86400.0);
             EXPECT_TRUE(std::isnan(s.MagVariationDeg));
         }},
        {"mode letter after an empty variation",
         "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,,D", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_TRUE(std::isnan(s.MagVariationDeg));
         }},
        {"variation without its direction",
         "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,003.1,,A", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_TRUE(std::isnan(s.MagVariationDeg));
         }},
        {"RMC course 400", "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,400.0,230394,,", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_DOUBLE_EQ(s.SOGKn, 22.4);
             EXPECT_TRUE(std::isnan(s.COGTrueDeg));
         }},
        {"RMC month 13", "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,231394,,", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_TRUE(std::isnan(s.DateTimeUTC));
             EXPECT_DOUBLE_EQ(s.TimeOfDaySec, 12 * 3600 + 35 * 60 + 20);
         }},
        {"RMC unknown mode letter", "GPRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,,,X",
         true, fixKept},
        {"RMC of NMEA 4.1 with navigational status",
         "GNRMC,123520,A,4807.040,N,01131.002,E,022.4,084.4,230394,003.1,W,D,S", false,
         [&](const State &s) {
             fixKept(s);
             EXPECT_DOUBLE_EQ(s.MagVariationDeg, -3.1);
         }},
        {"GGA letters in satellites", "GPGGA,123520,4807.040,N,01131.000,E,1,x8,0.9,545.4,M,,M,,",
         true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_EQ(s.SatellitesInUse, -1);
             EXPECT_DOUBLE_EQ(s.HDOP, 0.9);
             EXPECT_DOUBLE_EQ(s.AltitudeM, 545.4);
         }},
        {"GGA exponent in HDOP", "GPGGA,123520,4807.040,N,01131.000,E,1,08,9e1,545.4,M,,M,,", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_EQ(s.SatellitesInUse, 8);
             EXPECT_TRUE(std::isnan(s.HDOP));
         }},
        {"GGA garbled altitude", "GPGGA,123520,4807.040,N,01131.000,E,1,08,0.9,5-45,M,,M,,", true,
         [&](const State &s) {
             fixKept(s);
             EXPECT_TRUE(std::isnan(s.AltitudeM));
         }},
        {"GNS of NMEA 4.1 with navigational status",
         "GNGNS,123520,4807.040,N,01131.000,E,AN,08,0.9,545.4,46.9,,,V", false, fixKept},
        {"GLL unknown mode letter", "GPGLL,4807.040,N,01131.000,E,123520,A,X", true, fixKept},
        {"GSA garbled satellite number", "GNGSA,A,3,01,X2,03,,,,,,,,,,1.5,0.9,1.2", true,
         [](const State &s) {
             EXPECT_EQ(s.SatellitesInUse, 2);
             EXPECT_DOUBLE_EQ(s.HDOP, 0.9);
         }},
        {"GSA of NMEA 4.1 with system ID", "GNGSA,A,3,01,02,03,,,,,,,,,,1.5,0.9,1.2,1", false,
         [](const State &s) { EXPECT_EQ(s.SatellitesInUse, 3); }},
        {"GSV garbled elevation", "GPGSV,1,1,02,01,4O,083,46,02,17,308,41", true,
         [](const State &s) { EXPECT_EQ(s.SatellitesInView, 2); }},
        {"GSV of NMEA 4.1 with signal ID", "GPGSV,1,1,02,01,40,083,46,02,17,308,41,1", false,
         [](const State &s) { EXPECT_EQ(s.SatellitesInView, 2); }},
        {"VTG garbled magnetic course", "GPVTG,054.7,T,O34.4,M,005.5,N,010.2,K,A", true,
         [](const State &s) {
             EXPECT_DOUBLE_EQ(s.COGTrueDeg, 54.7);
             EXPECT_TRUE(std::isnan(s.COGMagDeg));
             EXPECT_DOUBLE_EQ(s.SOGKn, 5.5);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TNmeaParser parser;
        EXPECT_EQ(parser.ParseSentence(Sentence(c.body)), TNmeaResult::Applied);
        EXPECT_EQ(parser.Stats().OddFields, c.odd ? 1u : 0u);
        EXPECT_EQ(parser.Stats().Rejected(), 0u);
        c.check(parser.State());
    }
}

// What receivers send before a fix fills no value: zero DOPs and an all-zero date are
// unknown, not 0.0 or the year 2000, and they are no oddity either.
TEST(NmeaDecode, PlaceholdersBeforeAFixLeaveValuesUnknown) {
    RunDecodeCases({
        {"GSA with DOPs 00.0", {"GPGSA,A,1,,,,,,,,,,,,,00.0,00.0,00.0"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_EQ(s.FixType, 1);
             EXPECT_TRUE(std::isnan(s.PDOP));
             EXPECT_TRUE(std::isnan(s.HDOP));
             EXPECT_TRUE(std::isnan(s.VDOP));
         }},
        {"GSA with DOPs 0.0 after one with real values",
         {"GNGSA,A,3,01,02,03,04,,,,,,,,,1.9,1.1,1.5", "GNGGA,120000,,,,,0,00,,,M,,M,,",
          "GNGSA,A,1,,,,,,,,,,,,,0.0,0.0,0.0"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.PDOP, 1.9);
             EXPECT_DOUBLE_EQ(s.HDOP, 1.1);
             EXPECT_EQ(s.SatellitesInUse, 0);
         }},
        {"GGA of a receiver without fix",
         {"GPGGA,000001.00,0000.0000,N,00000.0000,E,0,00,0.0,0.0,M,0.0,M,,"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_FALSE(s.PositionValid);
             EXPECT_TRUE(std::isnan(s.LatRad));
             EXPECT_TRUE(std::isnan(s.HDOP));
             EXPECT_TRUE(std::isnan(s.AltitudeM));
         }},
        {"RMC with date 000000", {"GPRMC,000001.00,V,0000.0000,N,00000.0000,E,0.0,0.0,000000,,,N"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_FALSE(s.PositionValid);
             EXPECT_TRUE(std::isnan(s.DateTimeUTC));
             EXPECT_TRUE(std::isnan(s.SOGKn));
         }},
        {"ZDA with zero date", {"GPZDA,000001.00,00,00,0000,00,00"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_TRUE(std::isnan(s.DateTimeUTC));
             EXPECT_DOUBLE_EQ(s.TimeOfDaySec, 1.0);
         }},
    });
}

TEST(NmeaDecode, InstrumentSentences) {
    RunDecodeCases({
        {"VTG with units", {"GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.COGTrueDeg, 54.7);
             EXPECT_DOUBLE_EQ(s.COGMagDeg, 34.4);
             EXPECT_DOUBLE_EQ(s.SOGKn, 5.5);
         }},
        {"VTG before NMEA 2.0, speed from km/h", {"GPVTG,054.7,034.4,,18.52"},
         [](const kv::TNmeaNavState &s) { EXPECT_NEAR(s.SOGKn, 10.0, 1e-12); }},
        {"HDT", {"HEHDT,274.07,T"},
         [](const kv::TNmeaNavState &s) { EXPECT_DOUBLE_EQ(s.HeadingTrueDeg, 274.07); }},
        {"HDG with deviation east and variation west", {"HCHDG,358.0,3.0,E,2.5,W"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_NEAR(s.HeadingMagDeg, 1.0, 1e-12);
             EXPECT_NEAR(s.HeadingTrueDeg, 358.5, 1e-12);
             EXPECT_DOUBLE_EQ(s.MagVariationDeg, -2.5);
         }},
        {"HDM", {"HCHDM,045.5,M"},
         [](const kv::TNmeaNavState &s) { EXPECT_DOUBLE_EQ(s.HeadingMagDeg, 45.5); }},
        {"VHW", {"VWVHW,,T,,M,6.2,N,11.5,K"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.SpeedThroughWaterKn, 6.2);
             EXPECT_TRUE(std::isnan(s.HeadingTrueDeg));
         }},
        {"DBT metres", {"SDDBT,12.3,f,3.75,M,2.0,F"},
         [](const kv::TNmeaNavState &s) { EXPECT_DOUBLE_EQ(s.DepthBelowTransducerM, 3.75); }},
        {"DBT feet only", {"SDDBT,10.0,f,,M,,F"},
         [](const kv::TNmeaNavState &s) { EXPECT_NEAR(s.DepthBelowTransducerM, 3.048, 1e-12); }},
        {"DPT with keel offset", {"SDDPT,4.1,-0.8"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.DepthBelowTransducerM, 4.1);
             EXPECT_DOUBLE_EQ(s.DepthOffsetM, -0.8);
         }},
        {"MTW", {"YXMTW,17.5,C"},
         [](const kv::TNmeaNavState &s) { EXPECT_DOUBLE_EQ(s.WaterTempC, 17.5); }},
        {"MWV relative in m/s", {"WIMWV,045.0,R,10.0,M,A"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.WindAngleDeg, 45.0);
             EXPECT_NEAR(s.WindSpeedKn, 10.0 * 3600 / 1852, 1e-9);
             EXPECT_FALSE(s.WindTrue);
         }},
        {"MWV invalid", {"WIMWV,045.0,T,10.0,N,V"},
         [](const kv::TNmeaNavState &s) { EXPECT_TRUE(std::isnan(s.WindSpeedKn)); }},
        {"XTE steer left is negative", {"GPXTE,A,A,0.67,L,N"},
         [](const kv::TNmeaNavState &s) { EXPECT_DOUBLE_EQ(s.CrossTrackNM, -0.67); }},
        {"RMB", {"GPRMB,A,0.66,R,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.CrossTrackNM, 0.66);
             EXPECT_EQ(s.DestID, "004");
             EXPECT_DOUBLE_EQ(s.DestRangeNM, 1.3);
             EXPECT_DOUBLE_EQ(s.DestBearingTrueDeg, 52.5);
             EXPECT_NEAR(s.DestLatRad * RadToDeg, 49 + 17.24 / 60, 1e-9);
             EXPECT_FALSE(s.ArrivalAlarm);
         }},
        {"APB", {"GPAPB,A,A,0.10,R,N,V,V,011,M,DEST,011,T,011,M"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_DOUBLE_EQ(s.CrossTrackNM, 0.10);
             EXPECT_EQ(s.DestID, "DEST");
             EXPECT_DOUBLE_EQ(s.DestBearingTrueDeg, 11.0);
         }},
        {"ZDA", {"GPZDA,201530.00,04,07,2002,00,00"},
         [](const kv::TNmeaNavState &s) {
             EXPECT_NEAR(s.DateTimeUTC,
                         ToDateTime(QDateTime(QDate(2002, 7, 4), QTime(20, 15, 30), QTimeZone::utc())),
                         1e-9);
         }},
    });
}

TEST(NmeaDecode, ReceiverTimeGoesToTheClockOnlyWithAFix) {
    TNmeaParser parser;
    std::vector<TDateTime> dates;
    std::vector<double> times;
    parser.SetClockSink({[&](TDateTime t) { dates.push_back(t); },
                         [&](double s) { times.push_back(s); }});
    parser.ParseSentence(Sentence("GPRMC,120000,V,,,,,,,010203,,"));
    parser.ParseSentence(Sentence("GPGGA,120000,,,,,0,00,,,M,,M,,"));
    EXPECT_TRUE(dates.empty());
    EXPECT_TRUE(times.empty());
    parser.ParseSentence(GoodRMC);
    parser.ParseSentence(GoodGGA);
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_NEAR(dates[0],
                ToDateTime(QDateTime(QDate(1994, 3, 23), QTime(12, 35, 20), QTimeZone::utc())),
                1e-9);
    ASSERT_EQ(times.size(), 1u);
    EXPECT_DOUBLE_EQ(times[0], 12 * 3600 + 35 * 60 + 19);
}

TEST(NmeaDecode, ProprietaryAndUnknownSentencesAreValidButUnused) {
    TNmeaParser parser;
    std::vector<std::string> seen;
    parser.SetSentenceHook([&](const kv::TNmeaSentence &s) { seen.emplace_back(s.Type); });
    EXPECT_EQ(parser.ParseSentence(Sentence("PGRMZ,246,f,3")), TNmeaResult::Ignored);
    EXPECT_EQ(parser.ParseSentence(Sentence("GPWPL,4917.16,N,12310.64,W,003")), TNmeaResult::Ignored);
    std::string ais = Sentence("AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0");
    ais[0] = '!';
    EXPECT_EQ(parser.ParseSentence(ais), TNmeaResult::Ignored);
    EXPECT_EQ(seen, (std::vector<std::string>{"PGRMZ", "WPL", "VDM"}));
    EXPECT_EQ(parser.State().Updates, 0u);
}
