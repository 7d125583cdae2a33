// Position and course texts, parsing of typed positions, and angle reduction.
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <memory>

namespace {

constexpr double Deg = M_PI / 180.0;

struct TStrWDeleter {
    void operator()(IStrW *s) const { StrWDelete(s); }
};

class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

QString Angle1(double rad, int32_t decimals, char16_t pos, char16_t neg, int32_t format,
               int32_t kind, int32_t value = 1) {
    std::unique_ptr<IStrW, TStrWDeleter> s(StrWCreate(u"", 0));
    _AngleToStr1(s.get(), rad, decimals, pos, neg, format, kind, value);
    return QString::fromUtf16(s->GetRec()->Text, s->GetRec()->Length);
}

QString Angle2(double rad, int32_t format, int32_t precision, int32_t value = 1) {
    std::unique_ptr<IStrW, TStrWDeleter> s(StrWCreate(u"", 0));
    _AngleToStr2(s.get(), rad, format, precision, value);
    return QString::fromUtf16(s->GetRec()->Text, s->GetRec()->Length);
}

bool TryParse(double &rad, const QString &text, char16_t pos, char16_t neg, int32_t kind) {
    TStrWRec rec{int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())};
    return StrToAngleTry(rad, rec, pos, neg, kind, 1);
}

}  // namespace

TEST(AngleToStr1, ThreeFormatsWithHemisphereLetters) {
    using namespace KvAngleFormat;
    using namespace KvAngleKind;
    struct Case {
        const char *name; int lang; double degrees; int32_t decimals; char16_t pos, neg;
        int32_t format; int32_t kind; const char16_t *text;
    };
    const Case cases[] = {
        {"degrees, north", KvLang::English, 52.375, 5, u'N', u'S', Degrees, Latitude, u"52.37500° N"},
        {"degrees, south", KvLang::English, -33.9, 5, u'N', u'S', Degrees, Latitude, u"33.90000° S"},
        {"minutes, north", KvLang::English, 52.375, 3, u'N', u'S', DegreesMinutes, Latitude, u"52°22.500' N"},
        {"minutes, west with three-digit degrees", KvLang::English, -4.9, 3, u'E', u'W', DegreesMinutes, Longitude, u"004°54.000' W"},
        {"seconds, east", KvLang::English, 4.8975, 1, u'E', u'W', DegreesMinutesSeconds, Longitude, u"004°53'51.0\" E"},
        {"seconds, south single digit", KvLang::English, -5.0 - 1.0 / 60 - 2.5 / 3600, 1, u'N', u'S', DegreesMinutesSeconds, Latitude, u"05°01'02.5\" S"},
        {"minutes carry into the next degree", KvLang::English, 52.0 + 59.9996 / 60, 3, u'N', u'S', DegreesMinutes, Latitude, u"53°00.000' N"},
        {"seconds carry into minutes and degrees", KvLang::English, 52.0 + 59.0 / 60 + 59.96 / 3600, 1, u'N', u'S', DegreesMinutesSeconds, Latitude, u"53°00'00.0\" N"},
        {"degrees carry", KvLang::English, 179.999996, 5, u'E', u'W', Degrees, Longitude, u"180.00000° E"},
        {"tiny negative reads as zero north", KvLang::English, -1e-9, 3, u'N', u'S', DegreesMinutes, Latitude, u"00°00.000' N"},
        {"Dutch east letter and comma", KvLang::Dutch, 4.9, 3, u'O', u'W', DegreesMinutes, Longitude, u"004°54,000' O"},
        {"no decimals", KvLang::English, 52.5, 0, u'N', u'S', DegreesMinutes, Latitude, u"52°30' N"},
        {"unknown format shows minutes", KvLang::English, 52.375, 3, u'N', u'S', 7, Latitude, u"52°22.500' N"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        EXPECT_EQ(Angle1(c.degrees * Deg, c.decimals, c.pos, c.neg, c.format, c.kind),
                  QString::fromUtf16(c.text));
    }
}

TEST(AngleToStr1, ValueZeroGivesASignInsteadOfALetter) {
    EXPECT_EQ(Angle1(-52.375 * Deg, 3, u'N', u'S', KvAngleFormat::DegreesMinutes,
                     KvAngleKind::Latitude, 0),
              QStringLiteral("-52°22.500'"));
}

TEST(AngleToStr1, DefaultDecimalsPerFormat) {
    const int32_t *d = GetDefAngleDecimals();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d[KvAngleFormat::Degrees], 5);
    EXPECT_EQ(d[KvAngleFormat::DegreesMinutes], 3);
    EXPECT_EQ(d[KvAngleFormat::DegreesMinutesSeconds], 1);
    EXPECT_EQ(GetDefAngleDecimals(), d);  // one table for the run
}

TEST(AngleText, RoundTripInEveryFormatAndHemisphere) {
    struct Letters { int lang; char16_t n, s, e, w; };
    const Letters languages[] = {{KvLang::English, u'N', u'S', u'E', u'W'},
                                 {KvLang::Dutch, u'N', u'Z', u'O', u'W'},
                                 {KvLang::French, u'N', u'S', u'E', u'O'}};
    const double values[] = {52.3754321, -33.8568, 0.5, -0.0001, 89.99999};
    const double tolerance[KvAngleFormat::Count] = {0.5e-5, 0.5e-3 / 60, 0.5e-1 / 3600};
    for (const auto &l : languages) {
        TLanguage lang(l.lang);
        for (int32_t format = 0; format < KvAngleFormat::Count; ++format) {
            for (double v : values) {
                for (int32_t kind : {KvAngleKind::Latitude, KvAngleKind::Longitude}) {
                    const char16_t pos = kind == KvAngleKind::Latitude ? l.n : l.e;
                    const char16_t neg = kind == KvAngleKind::Latitude ? l.s : l.w;
                    const double degrees = kind == KvAngleKind::Latitude ? v : v * 2.0;
                    const QString text = Angle1(degrees * Deg, GetDefAngleDecimals()[format],
                                                pos, neg, format, kind);
                    SCOPED_TRACE(text.toStdString());
                    double back = 999.0;
                    ASSERT_TRUE(TryParse(back, text, pos, neg, kind));
                    EXPECT_NEAR(back / Deg, degrees, tolerance[format] * 1.0001);
                }
            }
        }
    }
}

TEST(StrToAngleTry, AcceptedSpellings) {
    using namespace KvAngleKind;
    struct Case { const char *name; const char16_t *text; char16_t pos, neg; int32_t kind; double degrees; };
    const Case cases[] = {
        {"plain decimal degrees", u"52.375", u'N', u'S', Latitude, 52.375},
        {"decimal comma", u"52,375", u'N', u'S', Latitude, 52.375},
        {"minus sign", u"-4.5", u'E', u'W', Longitude, -4.5},
        {"leading letter", u"S 33 51.408", u'N', u'S', Latitude, -(33 + 51.408 / 60)},
        {"trailing letter without blank", u"52°22.5'N", u'N', u'S', Latitude, 52.375},
        {"lower-case letter", u"52 22.5 s", u'N', u'S', Latitude, -52.375},
        {"seconds with marks", u"4°53'51\" E", u'E', u'W', Longitude, 4.8975},
        {"two apostrophes for seconds", u"4°53'51'' W", u'E', u'W', Longitude, -4.8975},
        {"colon separated", u"52:22:30", u'N', u'S', Latitude, 52.375},
        {"Dutch east letter", u"004°54,000' O", u'O', u'W', Longitude, 4.9},
        {"English letter still understood", u"4 54 E", u'O', u'W', Longitude, 4.9},
        {"French west letter", u"4 54 O", u'E', u'O', Longitude, -4.9},
        {"the pole", u"90 N", u'N', u'S', Latitude, 90.0},
        {"the date line", u"180W", u'E', u'W', Longitude, -180.0},
        {"blanks around", u"  52.5  ", u'N', u'S', Latitude, 52.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        double rad = 999.0;
        ASSERT_TRUE(TryParse(rad, QString::fromUtf16(c.text), c.pos, c.neg, c.kind));
        EXPECT_NEAR(rad / Deg, c.degrees, 1e-9);
    }
}

TEST(StrToAngleTry, RefusedTextsLeaveTheAngleUntouched) {
    using namespace KvAngleKind;
    struct Case { const char *name; const char16_t *text; int32_t kind; };
    const Case cases[] = {
        {"latitude beyond the pole", u"91N", Latitude},
        {"longitude beyond the date line", u"180.5 E", Longitude},
        {"empty", u"", Latitude},
        {"blanks only", u"   ", Latitude},
        {"sixty minutes", u"52 60 N", Latitude},
        {"sixty seconds", u"52 10 60 N", Latitude},
        {"fraction before minutes", u"52.5 10 N", Latitude},
        {"four numbers", u"1 2 3 4", Latitude},
        {"letter of the other kind", u"52 E", Latitude},
        {"two letters", u"N 52 S", Latitude},
        {"sign and letter", u"-52 N", Latitude},
        {"text after the letter", u"52 N 3", Latitude},
        {"seconds without minutes", u"52°30\"", Latitude},
        {"minutes mark twice", u"52' 30'", Latitude},
        {"placeholder", u"- --- °  --.---'", Latitude},
        {"word", u"north", Latitude},
        {"exponent", u"1e1", Longitude},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        double rad = 0.123;
        EXPECT_FALSE(TryParse(rad, QString::fromUtf16(c.text), u'N', u'S', c.kind));
        EXPECT_EQ(rad, 0.123);
    }
}

TEST(StrToAngleDef, DefaultWhenNoAngle) {
    const QString bad = QStringLiteral("91N");
    const QString good = QStringLiteral("45 30 S");
    auto rec = [](const QString &s) {
        return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
    };
    EXPECT_EQ(StrToAngleDef(rec(bad), 0.0, u'N', u'S', KvAngleKind::Latitude, 1), 0.0);
    EXPECT_EQ(StrToAngleDef(rec(bad), -7.0, u'N', u'S', KvAngleKind::Latitude, 1), -7.0);
    EXPECT_NEAR(StrToAngleDef(rec(good), 0.0, u'N', u'S', KvAngleKind::Latitude, 1) / Deg,
                -45.5, 1e-12);
}

TEST(AngleToStr2, CoursesInWholeDegrees) {
    struct Case { const char *name; double degrees; int32_t format; int32_t precision; int32_t value; const char16_t *text; };
    const Case cases[] = {
        {"three digits, number only", 5.2, 0, 3, 1, u"005"},
        {"with degree sign", 45.0, 1, 3, 1, u"045°"},
        {"rounds to 360 reads 000", 359.6, 0, 3, 1, u"000"},
        {"negative course reduced", -10.0, 0, 3, 1, u"350"},
        {"two digits for turn angles", 7.4, 0, 2, 1, u"07"},
        {"more than two digits when needed", 135.0, 0, 2, 1, u"135"},
        {"several turns reduced", 725.0, 1, 3, 1, u"005°"},
        {"value 0 keeps the sign", -10.0, 0, 3, 0, u"-010"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Angle2(c.degrees * Deg, c.format, c.precision, c.value),
                  QString::fromUtf16(c.text));
    }
}

TEST(ReduceAngle, PrincipalRanges) {
    struct Case { double in; double zeroBased; double centred; };
    const Case cases[] = {
        {0.0, 0.0, 0.0},
        {M_PI, M_PI, M_PI},
        {-M_PI, M_PI, M_PI},
        {3 * M_PI, M_PI, M_PI},
        {-M_PI / 2, 1.5 * M_PI, -M_PI / 2},
        {2 * M_PI, 0.0, 0.0},
        {7 * M_PI / 4 + 4 * M_PI, 7 * M_PI / 4, -M_PI / 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_NEAR(ReduceAngleD(c.in), c.centred, 1e-12);
        // A float input near ±π may land on either end of the range.
        const float f = ReduceAngleF(float(c.in));
        EXPECT_GT(f, -float(M_PI));
        EXPECT_LE(f, float(M_PI));
        EXPECT_NEAR(std::fmod(f - c.centred + 3 * M_PI, 2 * M_PI) - M_PI, 0.0, 1e-5);
        const float z = ReduceAngle0F(float(c.in));
        EXPECT_GE(z, 0.0f);
        EXPECT_LT(z, float(2 * M_PI));
        EXPECT_NEAR(std::fmod(z - c.zeroBased + 3 * M_PI, 2 * M_PI) - M_PI, 0.0, 1e-5);
    }
    EXPECT_GT(ReduceAngleF(-float(M_PI)), 0.0f);  // the float nearest −π lies outside (−π, π]
}
