#include "base/kvlib/KvErrors.h"
#include "base/strings/KvStrUtils.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>

#include "TestSupport.h"

namespace {

std::string S(const QString &s) { return s.toStdString(); }

}  // namespace

TEST(KvStrUtils, CursorParser) {
    struct Case { const char *name; const char *text; bool hex; bool ok; int32_t value; int consumed; };
    const Case cases[] = {
        {"plain", "123x", false, true, 123, 3},
        {"signed", "-45 ", false, true, -45, 3},
        {"plus", "+7", false, true, 7, 2},
        {"sign alone", "-x", false, false, 0, 0},
        {"no digits", "abc", false, false, 0, 0},
        {"overflow", "2147483648", false, false, 0, 0},
        {"lowest", "-2147483648", false, true, std::numeric_limits<int32_t>::min(), 11},
        {"hex", "$1aF.", true, true, 0x1AF, 4},
        {"hex 32 bits", "$FFFFFFFF", true, true, -1, 9},
        {"hex not allowed", "$10", false, false, 0, 0},
        {"bad hex digit", "$1G", true, false, 0, 0},
        {"hex too long", "$100000000", true, false, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = QString::fromLatin1(c.text);
        const QChar *p = text.constData();
        int32_t v = 99;
        EXPECT_EQ(ParseInteger(p, c.hex, v), c.ok);
        EXPECT_EQ(p - text.constData(), c.consumed);  // the cursor moves only on success
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }

    const QString text = QStringLiteral(" \t\r\nword;rest");
    const QChar *p = text.constData();
    EXPECT_TRUE(SkipBlanks(p));
    EXPECT_FALSE(SkipBlanks(p));
    QString token;
    EXPECT_TRUE(ParseToken(p, token, QStringLiteral(";,")));
    EXPECT_EQ(token, QStringLiteral("word"));
    EXPECT_EQ(*p, u';');  // stops on the delimiter
    EXPECT_FALSE(ParseToken(p, token, QStringLiteral(";")));
    EXPECT_TRUE(token.isEmpty());
    ++p;
    EXPECT_TRUE(ParseToken(p, token, QStringLiteral(";")));
    EXPECT_EQ(token, QStringLiteral("rest"));
    EXPECT_TRUE(p->isNull());

    EXPECT_TRUE(CharInStr(u'b', QStringLiteral("abc")));
    EXPECT_FALSE(CharInStr(u'd', QStringLiteral("abc")));
    EXPECT_TRUE(IsDigitChar(u'7'));
    EXPECT_FALSE(IsDigitChar(QChar(0x0663)));  // Arabic-Indic three is no digit here
    EXPECT_TRUE(IsAlphaNumChar(u'z'));
    EXPECT_FALSE(IsAlphaNumChar(u'é'));
}

TEST(KvStrUtils, Degrees) {
    EXPECT_DOUBLE_EQ(DegMinSecToDeg(52, 30, 36), 52.51);
    EXPECT_DOUBLE_EQ(DegMinSecToDeg(-4, 30, 36), -4.51);
    EXPECT_DOUBLE_EQ(DegMinToDeg(52, 22.5), 52.375);
    EXPECT_DOUBLE_EQ(DegMinToDeg(-52, 22.5), -52.375);
}

TEST(KvStrUtils, StrToVersion) {
    struct Case { const char *text; bool ok; int32_t version; };
    const Case cases[] = {
        {"1", true, MakeVersion(1, 0, 0, 0)},
        {"2 . 5", true, MakeVersion(2, 5, 0, 0)},
        {" 2 .5", true, MakeVersion(2, 5, 0, 0)},
        {" 2 . 5 ", false, 0},  // like "1.2 ": a blank that no "." follows
        {"1.2.3.4", true, 0x01020304},
        {"1.2.3.4 xyz", true, 0x01020304},
        {"255.255.255.255", true, int32_t(0xFFFFFFFF)},
        {"1.256", false, 0},
        {"1.x", false, 0},
        {"1.2 ", false, 0},
        {"", false, 0},
        {"-1", false, 0},
        {"1..2", false, 0},
        {"$10", false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            EXPECT_EQ(StrToVersion(QString::fromLatin1(c.text)), c.version);
            EXPECT_TRUE(c.ok);
        } catch (const EConvertError &e) {
            EXPECT_FALSE(c.ok);
            EXPECT_EQ(S(e.Message()), "StrToVersion: Invalid version number.");
        }
    }
}

TEST(KvStrUtils, VersionToStr) {
    const int32_t v = MakeVersion(1, 2, 3, 4);
    EXPECT_EQ(v, 0x01020304);
    EXPECT_EQ(MakeVersion(1, 0, 0, 0), 0x01000000);
    const char *expected[] = {"", "1", "1.2", "1.2.3", "1.2.3.4", "1.2.3.4"};
    for (int parts = 0; parts <= 5; ++parts) {
        SCOPED_TRACE(parts);
        EXPECT_EQ(S(VersionToStr(v, parts)), expected[parts]);
    }
    EXPECT_EQ(S(VersionToStr(MakeVersion(200, 255, 0, 9), 4)), "200.255.0.9");
    EXPECT_EQ(S(VersionToStr(v, -1)), "");
}

TEST(KvStrUtils, GUIDTexts) {
    const TGUID g{0x0123ABCD, 0x4567, 0x89EF, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}};
    const QString text = QStringLiteral("{0123ABCD-4567-89EF-FEDC-BA9876543210}");
    EXPECT_EQ(GUIDToStr(g), text);
    EXPECT_EQ(S(GUIDToStr(GUID_NULL)), "{00000000-0000-0000-0000-000000000000}");

    struct Case { const char *name; QString text; bool ok; TGUID guid; };
    const Case cases[] = {
        {"upper case", text, true, g},
        {"lower case", text.toLower(), true, g},
        {"empty is the null GUID", QString(), true, GUID_NULL},
        {"no braces", text.mid(1, 36), false, {}},
        {"hyphen misplaced", QStringLiteral("{0123ABCD4-567-89EF-FEDC-BA9876543210}"), false, {}},
        {"bad digit", QStringLiteral("{0123ABCD-4567-89EF-FEDC-BA987654321G}"), false, {}},
        {"blank around", u' ' + text, false, {}},
        {"sign inside", QStringLiteral("{+123ABCD-4567-89EF-FEDC-BA9876543210}"), false, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TGUID out{7, 7, 7, {}};
        EXPECT_EQ(TryStrToGUID(c.text, out), c.ok);
        if (c.ok) {
            EXPECT_TRUE(out == c.guid);
        }
        try {
            EXPECT_TRUE(StrToGUID(c.text) == c.guid);
            EXPECT_TRUE(c.ok);
        } catch (const EConvertError &e) {
            EXPECT_FALSE(c.ok);
            EXPECT_EQ(S(e.Message()), "StrToGUID: Cannot convert string to GUID");
        }
    }
}

TEST(KvStrUtils, CompareGUIDOrdersByLastWordFirst) {
    const TGUID low{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1}};
    const TGUID high{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 2}};
    // The last word's top byte is D4[7]: unsigned, so $80 is above $7F.
    const TGUID top80{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0x80}};
    const TGUID top7F{0, 0, 0, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}};
    const TGUID d2{0, 1, 0, {}};
    const TGUID d3{0, 0, 1, {}};  // D3 is the high half of word 1
    struct Case { const char *name; TGUID a, b; int expected; };
    const Case cases[] = {
        {"equal", low, low, 0},
        {"null with null", GUID_NULL, GUID_NULL, 0},
        {"null below anything", GUID_NULL, d2, -1},
        {"last word decides", low, high, -1},
        {"last word decides reversed", high, low, 1},
        {"unsigned words", top80, top7F, 1},
        {"D3 above D2", d3, d2, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompareGUID(c.a, c.b), c.expected);
    }
}

TEST(KvStrUtils, IntegerRanges) {
    struct Case { const char *text; int32_t min, max; bool ok; bool valueSet; int32_t value; };
    const Case cases[] = {
        {"5", 1, 10, true, true, 5},
        {"15", 1, 10, false, true, 15},  // outside: False, but the value is there
        {"1", 1, 10, true, true, 1},
        {"10", 1, 10, true, true, 10},
        {"", 1, 10, false, false, 0},
        {"abc", 1, 10, false, false, 0},
        {"5 ", 1, 10, false, false, 0},
        {" 5", 1, 10, true, true, 5},
        {"$A", 1, 10, true, true, 10},
        {"0x0B", 1, 20, true, true, 11},
        {"-3", -5, 0, true, true, -3},
        {"99999999999", 1, 10, false, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        int32_t v = -777;
        EXPECT_EQ(TryStrToIntRange(QString::fromLatin1(c.text), c.min, c.max, v), c.ok);
        EXPECT_EQ(v, c.valueSet ? c.value : -777);
    }
}

TEST(KvStrUtils, FloatRanges) {
    TFormatSettings comma = InvariantFormatSettings();
    comma.DecimalSeparator = u',';
    struct Case { const char *text; const TFormatSettings *fs; bool ok; double value; };
    const Case cases[] = {
        {"2.5", &InvariantFormatSettings(), true, 2.5},
        {"2,5", &comma, true, 2.5},
        {"2,5", &InvariantFormatSettings(), false, 0},
        {"2.5", &comma, false, 0},
        {"12.5", &InvariantFormatSettings(), false, 12.5},  // parsed, outside
        {"-1e1", &InvariantFormatSettings(), false, -10},
        {" 3 ", &InvariantFormatSettings(), true, 3},
        {"nan", &InvariantFormatSettings(), false, 0},
        {"", &InvariantFormatSettings(), false, 0},
        {"1,000.5", &InvariantFormatSettings(), false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        double v = 0;
        EXPECT_EQ(TryStrToFloatRange(QString::fromLatin1(c.text), v, *c.fs, 0.0, 10.0), c.ok);
        EXPECT_DOUBLE_EQ(v, c.value);
    }
}

TEST(KvStrUtils, SizeToStr) {
    // UserFormatSettings is built once per run: the test follows whatever it holds.
    const QChar sep = UserFormatSettings().DecimalSeparator;
    const auto d = [sep](const char *t) { return QString::fromLatin1(t).replace(u'.', sep); };
    const int32_t KB = 2, MB = 4, GB = 8;
    struct Case { const char *name; int64_t size; int32_t units; int decimals; bool minimum; QString text; };
    const Case cases[] = {
        {"bytes", 1000, 0, 1, false, QStringLiteral("1000 bytes")},
        {"just below a KB", 1023, 0, 1, false, QStringLiteral("1023 bytes")},
        {"one and a half KB", 1536, 0, 1, false, d("1.5 KB")},
        {"minimum lifts a tiny size", 10, KB, 2, true, d("0.01 KB")},
        {"without minimum", 10, KB, 2, false, d("0.01 KB")},
        {"without minimum, smaller", 4, KB, 2, false, d("0.00 KB")},
        {"empty stays zero", 0, KB, 2, true, d("0.00 KB")},
        {"MB", 3 * 1048576 + 1048576 / 4, 0, 2, false, d("3.25 MB")},
        {"no unit above KB", int64_t(5) << 30, KB, 0, false, QStringLiteral("5242880 KB")},
        {"KB MB GB set", int64_t(3) << 40, KB | MB | GB, 1, false, d("3072.0 GB")},
        {"TB", int64_t(3) << 40, 0, 0, false, QStringLiteral("3 TB")},
        {"negative counts as small", -5, 0, 1, false, QStringLiteral("-5 bytes")},
        {"half rounds away", 2560, 0, 0, false, QStringLiteral("3 KB")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S(SizeToStr(c.size, c.units, c.decimals, c.minimum)), S(c.text));
    }
}

TEST(KvStrUtils, DurationToStr) {
    struct Case { const char *name; int64_t seconds; int32_t parts; bool showZero; const char *text; };
    const Case cases[] = {
        {"hours minutes seconds", 3725, 7, false, "1h 02m 05s"},
        {"days hours minutes", 90061, 14, false, "1d 1h 01m"},
        {"zero hours leave no blank", 86460, 14, false, "1d 01m"},
        {"show zero", 86460, 14, true, "1d 0h 01m"},
        {"all zero shown", 0, 15, true, "0d 0h 00m 00s"},
        {"only seconds are always written", 0, 15, false, "0s"},
        {"hours beyond a day without days", 90000, 6, false, "25h"},
        {"minutes alone carry hours", 7260, 2, false, "121m"},
        {"seconds padded after text", 61, 3, false, "1m 01s"},
        {"minutes first: no padding", 300, 3, false, "5m 00s"},
        {"nothing selected", 3725, 0, false, ""},
        {"negative", -3725, 7, false, "-1h 02m 05s"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S(DurationToStr(c.seconds, c.parts, c.showZero, QStringLiteral("d"),
                                  QStringLiteral("h"), QStringLiteral("m"), QStringLiteral("s"))),
                  c.text);
    }
    EXPECT_EQ(S(DurationToStr(5400, 6, false, QStringLiteral("d"), QStringLiteral("h"),
                              QStringLiteral("min"), QString())),
              "1h 30min");
}

TEST(KvStrUtils, SplitString) {
    struct Case { const char *name; QString text; QChar delimiter; TDynStringArray items; };
    const Case cases[] = {
        {"rests are trimmed", QStringLiteral("a; b ;c"), u';',
         {QStringLiteral("a"), QStringLiteral("b "), QStringLiteral("c")}},
        {"first item keeps its blanks", QStringLiteral("  a ,b"), u',',
         {QStringLiteral("  a "), QStringLiteral("b")}},
        {"no delimiter", QStringLiteral("abc"), u';', {QStringLiteral("abc")}},
        {"empty text", QString(), u';', {QString()}},
        {"empty items", QStringLiteral(";;"), u';', {QString(), QString(), QString()}},
        {"trailing delimiter", QStringLiteral("a;"), u';', {QStringLiteral("a"), QString()}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitString(c.text, c.delimiter), c.items);
    }
}

TEST(KvStrUtils, HTMLEncode) {
    struct Case { const char *name; QString text; const char *html; };
    const Case cases[] = {
        {"quote and ampersand once each", QStringLiteral("a \"b\" & c"),
         "a &quot;b&quot; &amp; c"},
        {"tags", QStringLiteral("<b>"), "&lt;b&gt;"},
        {"single quote cannot end an attribute", QStringLiteral("x' onmouseover='y"),
         "x&#39; onmouseover=&#39;y"},
        {"e acute", QStringLiteral("café"), "caf&eacute;"},
        {"first and last Latin-1", QString(QChar(0xA1)) + QChar(0xFF), "&iexcl;&yuml;"},
        {"multiplication and division", QString(QChar(0xD7)) + QChar(0xF7), "&times;&divide;"},
        {"no-break space stays", QString(QChar(0xA0)), "\xC2\xA0"},
        {"beyond Latin-1 stays", QStringLiteral("€ ł"), "€ ł"},
        {"entity text is not decoded", QStringLiteral("&amp;"), "&amp;amp;"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S(HTMLEncode(c.text)), c.html);
    }
}

TEST(KvStrUtils, IsValidEmailAddress) {
    struct Case { const char *text; bool valid; };
    const Case cases[] = {
        {"a@b.cd", true},           // one-letter local part and host
        {"first.last@mail.example.org", true},
        {"a@b.c", false},           // one-letter top level
        {"@b.cd", false},           // no local part
        {"ab.cd", false},           // no at sign
        {".a@b.cd", false},
        {"a.@b.cd", false},
        {"a@.b.cd", false},         // domain starts with a point
        {"a..b@c.de", false},
        {"a@b..cd", false},
        {"a@bcd", false},           // no point in the domain
        {"a@b.cd.", false},         // domain ends with a point
        {"a@b@c.de", false},        // a second at sign
        {"a@b.cd@evil.example", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsValidEmailAddress(QString::fromLatin1(c.text)), c.valid);
    }
}

TEST(KvStrUtils, ShortenFileNameSteps) {
    // One unit per character: each step is visible as a length.
    const auto width = [](const QString &s) { return int(s.size()); };
    const QString windows = QStringLiteral("C:\\Program Files\\Data\\Maps\\file.txt");
    struct Case { const char *name; QString file; int max; const char *result; };
    const Case cases[] = {
        {"fits", windows, 100, "C:\\Program Files\\Data\\Maps\\file.txt"},
        {"first folder", windows, 30, "C:\\...\\Data\\Maps\\file.txt"},
        {"second folder", windows, 20, "C:\\...\\Maps\\file.txt"},
        {"third folder", windows, 17, "C:\\...\\file.txt"},
        {"drive", windows, 14, "...\\file.txt"},
        {"only the name", windows, 11, "file.txt"},
        {"name never cut", windows, 3, "file.txt"},
        {"unix path", QStringLiteral("/usr/share/maps/file.txt"), 20, "/.../maps/file.txt"},
        {"unix path down to the root", QStringLiteral("/usr/share/maps/file.txt"), 12,
         ".../file.txt"},
        {"relative unix path", QStringLiteral("data/maps/file.txt"), 17, ".../maps/file.txt"},
        {"bare name", QStringLiteral("file.txt"), 3, "file.txt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(S(ShortenFileName(c.file, width, c.max)), c.result);
    }
}

TEST(KvStrUtils, ShortenFileNameWithAFixedWidthFont) {
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) GTEST_SKIP() << "no fixed-width font installed";
    const QFontMetrics fm(font);
    const auto chars = [&fm](int n) { return fm.horizontalAdvance(QString(n, u'x')); };
    const QString file = QStringLiteral("/usr/share/maps/file.txt");
    EXPECT_EQ(S(ShortenFileName(file, fm, chars(24))), S(file));
    EXPECT_EQ(S(ShortenFileName(file, fm, chars(20))), "/.../maps/file.txt");
    EXPECT_EQ(S(ShortenFileName(file, fm, chars(12))), ".../file.txt");
    EXPECT_EQ(S(ShortenFileName(file, fm, chars(11))), "file.txt");
}

TEST(KvStrUtils, FolderExists) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("folder"));
    EXPECT_TRUE(FolderExists(dir));
    EXPECT_FALSE(FolderExists(dir + QStringLiteral("/missing")));
    EXPECT_FALSE(FolderExists(QString()));
}

TEST(KvStrUtils, CoreLibraryWrappers) {
    EXPECT_EQ(S(FileNameReplaceInvalidChars(QStringLiteral("a/b:c?.trk"))), "a_b_c_.trk");
    EXPECT_EQ(S(InsertTildeBeforeFileExt(QStringLiteral("net.gpkg"))), "net~.gpkg");
    EXPECT_LT(StrCompareByTrailingNumberA(QStringLiteral("Port 2"), QStringLiteral("Port 10")), 0);
    EXPECT_NE(StrCompareByTrailingNumberA(QStringLiteral("port 2"), QStringLiteral("Port 2")), 0);
    EXPECT_EQ(StrCompareByTrailingNumberI(QStringLiteral("port 2"), QStringLiteral("PORT 2")), 0);
    EXPECT_LT(StrCompareByTrailingNumberI(QStringLiteral("port 9"), QStringLiteral("PORT 10")), 0);
    EXPECT_EQ(S(SizeToStr2(7, 1, 0, 0, 1536)), "1.5 KB");
    EXPECT_EQ(S(FormatFloatValue(2.5, 0, 1, 0)), "2.5");
    EXPECT_EQ(S(FormatFloatValue(3.0, 0, 1, 0)), "3");
    double v = 1;
    EXPECT_TRUE(TryParseFloat(v, QStringLiteral("4.25"), 0));
    EXPECT_DOUBLE_EQ(v, 4.25);
    EXPECT_FALSE(TryParseFloat(v, QStringLiteral("4x"), 0));
    EXPECT_DOUBLE_EQ(v, 4.25);
}
