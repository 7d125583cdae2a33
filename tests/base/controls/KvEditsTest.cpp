#include "base/controls/KvEdits.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

#include <limits>

namespace {

// A window with the edit under test and a second edit to move the focus to, so that
// leaving the edit is a real focus change.
struct TEditWindow {
    QWidget Window;
    QLineEdit *Other;
    explicit TEditWindow(QLineEdit *edit) {
        auto *l = new QVBoxLayout(&Window);
        edit->setParent(&Window);
        l->addWidget(edit);
        Other = new QLineEdit(&Window);
        l->addWidget(Other);
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
    }
    void Leave() { Other->setFocus(Qt::TabFocusReason); }
};

class LanguageScope {
public:
    explicit LanguageScope(int32_t lang) : FPrevious(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~LanguageScope() { SetCurrentLanguage(FPrevious); }

private:
    int32_t FPrevious;
};

}  // namespace

TEST(NumberEditFormat, IntegerAndFloatTexts) {
    struct Case {
        const char *name;
        long double value;
        TNumberEditType type;
        int digits, precision;
        char sep;
        const char *text;
    };
    const Case cases[] = {
        {"binary 5", 5, etIntBinary, 3, 7, '.', "101"},
        {"binary widens to the highest set bit", 9, etIntBinary, 3, 7, '.', "1001"},
        {"binary pads to Digits", 2, etIntBinary, 3, 7, '.', "010"},
        {"binary zero with Digits 0", 0, etIntBinary, 0, 7, '.', "0"},
        {"binary of -1 is 32 ones", -1, etIntBinary, 3, 7, '.', "11111111111111111111111111111111"},
        {"hex pads to Digits", 255, etIntHex, 3, 7, '.', "0FF"},
        {"hex 42", 42, etIntHex, 3, 7, '.', "02A"},
        {"hex wider than Digits", 0x12345, etIntHex, 3, 7, '.', "12345"},
        {"hex negative shows 16 digits", -1, etIntHex, 3, 7, '.', "FFFFFFFFFFFFFFFF"},
        {"decimal negative", -5, etIntDecimal, 3, 7, '.', "-5"},
        {"decimal half to even down", 2.5L, etIntDecimal, 3, 7, '.', "2"},
        {"decimal half to even up", 3.5L, etIntDecimal, 3, 7, '.', "4"},
        {"fixed two decimals", 3.14159L, etFloatFixed, 2, 7, '.', "3.14"},
        {"fixed pads decimals", 3.5L, etFloatFixed, 2, 7, '.', "3.50"},
        {"fixed with comma", 3.14159L, etFloatFixed, 2, 7, ',', "3,14"},
        {"fixed rounds a decimal half away from zero", -0.005L, etFloatFixed, 2, 7, '.', "-0.01"},
        {"fixed rounding carries", 9.999L, etFloatFixed, 2, 7, '.', "10.00"},
        {"fixed no decimals", 2.7L, etFloatFixed, 0, 7, '.', "3"},
        {"fixed beyond Precision falls back to general", 123456789, etFloatFixed, 2, 7, '.', "1.234568E08"},
        {"general plain", 1234.5L, etFloatGeneral, 3, 7, '.', "1234.5"},
        {"general whole number", 100, etFloatGeneral, 3, 7, '.', "100"},
        {"general smallest fixed", 0.0001L, etFloatGeneral, 3, 7, '.', "0.0001"},
        {"general small goes scientific", 0.00001L, etFloatGeneral, 3, 7, '.', "1E-005"},
        {"general large goes scientific", 12345678, etFloatGeneral, 3, 7, '.', "1.234568E007"},
        {"general exponent Digits above 4 count as 0", 12345678, etFloatGeneral, 5, 7, '.', "1.234568E7"},
        {"general rounds to Precision", 2.0L / 3.0L, etFloatGeneral, 3, 4, ',', "0,6667"},
        {"general negative", -2.5L, etFloatGeneral, 3, 7, '.', "-2.5"},
        {"general zero", 0, etFloatGeneral, 3, 7, '.', "0"},
        {"exponent keeps zeros and sign", 1234.56L, etFloatExponent, 2, 4, '.', "1.235E+03"},
        {"exponent negative exponent", 0.5L, etFloatExponent, 1, 3, ',', "5,00E-1"},
        {"exponent zero", 0, etFloatExponent, 2, 4, '.', "0.000E+00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NumberEditFormat(c.value, c.type, c.digits, c.precision, QChar(c.sep)),
                  QString::fromLatin1(c.text));
    }
}

TEST(NumberEditParse, AcceptsOnlyNumbersOfTheType) {
    struct Case {
        const char *name;
        const char *text;
        TNumberEditType type;
        char sep;
        bool ok;
        long double value;
    };
    const Case cases[] = {
        {"binary", "101", etIntBinary, '.', true, 5},
        {"binary empty is zero", "", etIntBinary, '.', true, 0},
        {"binary other digit", "102", etIntBinary, '.', false, 0},
        {"binary 33 digits", "100000000000000000000000000000000", etIntBinary, '.', false, 0},
        {"binary 32 digits unsigned", "11111111111111111111111111111111", etIntBinary, '.', true, 4294967295.0L},
        {"decimal negative", "-42", etIntDecimal, '.', true, -42},
        {"decimal with letters", "4a", etIntDecimal, '.', false, 0},
        {"decimal beyond 64 bits", "99999999999999999999", etIntDecimal, '.', false, 0},
        {"decimal empty", "", etIntDecimal, '.', false, 0},
        {"hex lower case", "ff", etIntHex, '.', true, 255},
        {"hex with dollar", "$FF", etIntHex, '.', true, 255},
        {"hex 64-bit pattern", "FFFFFFFFFFFFFFFF", etIntHex, '.', true, -1},
        {"hex 17 digits", "1FFFFFFFFFFFFFFFF", etIntHex, '.', false, 0},
        {"hex no digit", "G", etIntHex, '.', false, 0},
        {"float point", "3.5", etFloatFixed, '.', true, 3.5L},
        {"float exponent", "-1.5E3", etFloatGeneral, '.', true, -1500},
        {"float leading separator", ".5", etFloatGeneral, '.', true, 0.5L},
        {"float trailing separator", "5.", etFloatGeneral, '.', true, 5},
        {"float other separator", "3,5", etFloatGeneral, '.', false, 0},
        {"float comma locale", "3,5", etFloatGeneral, ',', true, 3.5L},
        {"float exponent without digits", "1E", etFloatGeneral, '.', false, 0},
        {"float two separators", "1.2.3", etFloatGeneral, '.', false, 0},
        {"float empty", "", etFloatGeneral, '.', false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        long double v = 77;
        EXPECT_EQ(NumberEditParse(QString::fromLatin1(c.text), c.type, QChar(c.sep), v), c.ok);
        EXPECT_EQ(double(v), double(c.ok ? c.value : 77)) << "a failed parse leaves the value";
    }
}

TEST(NumberEdit, GetIntValueRoundsHalfToEvenAndSaturates) {
    struct Case { const char *name; long double value; int64_t expected; };
    const Case cases[] = {
        {"2.5", 2.5L, 2},
        {"3.5", 3.5L, 4},
        {"-2.5", -2.5L, -2},
        {"1e30", 1e30L, std::numeric_limits<int64_t>::max()},
        {"-1e30", -1e30L, std::numeric_limits<int64_t>::min()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TNumberEdit e;
        e.SetEditType(etFloatGeneral);
        e.SetValue(c.value);
        EXPECT_EQ(e.GetIntValue(), c.expected);
    }
}

TEST(NumberEdit, TypingFollowsValueWithinLimitsAndExitClamps) {
    auto *e = new TNumberEdit;
    e->SetMax(10);
    e->SetMin(1);
    TEditWindow w(e);
    std::vector<double> seen;
    e->OnChange = [&](QObject *) { seen.push_back(double(e->Value())); };
    QTest::keyClicks(e, QStringLiteral("2"));
    EXPECT_EQ(double(e->Value()), 2.0);
    QTest::keyClicks(e, QStringLiteral("5"));
    EXPECT_EQ(double(e->Value()), 10.0) << "25 is limited to Max while typing";
    EXPECT_EQ(e->text(), QStringLiteral("25")) << "the typed text stays until exit";
    EXPECT_EQ(seen.size(), 2u);
    w.Leave();
    EXPECT_EQ(e->text(), QStringLiteral("10"));
    EXPECT_EQ(double(e->Value()), 10.0);
}

TEST(NumberEdit, LettersAreDroppedWhenTypedAndPasted) {
    struct Case { const char *name; TNumberEditType type; const char *input; const char *text; };
    const Case cases[] = {
        {"decimal", etIntDecimal, "1a-2b", "1-2"},
        {"binary", etIntBinary, "1021", "101"},
        {"hex upper-cases", etIntHex, "fgx1", "F1"},
        {"float", etFloatGeneral, "3x.5e2", "3.5E2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            auto *e = new TNumberEdit;
            e->SetEditType(c.type);
            e->SetDecimalSeparator(u'.');
            TEditWindow w(e);
            QTest::keyClicks(e, QString::fromLatin1(c.input));
            EXPECT_EQ(e->text(), QString::fromLatin1(c.text)) << "typed";
        }
        {
            auto *e = new TNumberEdit;
            e->SetEditType(c.type);
            e->SetDecimalSeparator(u'.');
            TEditWindow w(e);
            QApplication::clipboard()->setText(QString::fromLatin1(c.input));
            e->paste();
            EXPECT_EQ(e->text(), QString::fromLatin1(c.text)) << "pasted";
        }
    }
}

TEST(NumberEdit, CommaTypedInPointLocaleReadsAsDecimal) {
    auto *e = new TNumberEdit;
    e->SetDecimalSeparator(u'.');
    e->SetEditType(etFloatFixed);
    e->SetDigits(2);
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("3,5"));
    EXPECT_EQ(e->text(), QStringLiteral("3.5"));
    EXPECT_EQ(double(e->Value()), 3.5);
    w.Leave();
    EXPECT_EQ(e->text(), QStringLiteral("3.50"));
}

TEST(NumberEdit, UnreadableTextRevertsOnExit) {
    auto *e = new TNumberEdit;
    e->SetIntValue(7);
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("--"));
    EXPECT_EQ(double(e->Value()), 7.0);
    w.Leave();
    EXPECT_EQ(e->text(), QStringLiteral("7"));
}

TEST(NumberEdit, EditTypeChangeKeepsTheValue) {
    TNumberEdit e;
    e.SetIntValue(42);
    e.SetEditType(etIntHex);
    EXPECT_EQ(e.text(), QStringLiteral("02A"));
    e.SetEditType(etIntBinary);
    EXPECT_EQ(e.text(), QStringLiteral("101010"));
    EXPECT_EQ(e.GetIntValue(), 42);
}

TEST(NumberEdit, LimitsKeepMinBelowMax) {
    TNumberEdit e;
    e.SetMax(10);
    e.SetMin(5);
    e.SetMax(3);
    EXPECT_EQ(double(e.Min()), 3.0);
    EXPECT_EQ(double(e.Max()), 3.0);
    e.SetMin(8);
    EXPECT_EQ(double(e.Max()), 8.0);
    TNumberEdit free;
    free.SetValue(-5);
    EXPECT_EQ(free.text(), QStringLiteral("-5")) << "Min = Max means no limits";
}

TEST(NumberEdit, UndefinedStateFromEmptyTextAndBack) {
    auto *e = new TNumberEdit;
    e->SetUndefinedEnable(true);
    e->SetIntValue(12);
    TEditWindow w(e);
    QTest::keyClick(e, Qt::Key_Delete);
    EXPECT_TRUE(e->Undefined());
    EXPECT_EQ(e->GetIntValue(), 0);
    e->StepUp();
    EXPECT_TRUE(e->Undefined()) << "stepping does nothing while undefined";
    w.Leave();
    EXPECT_EQ(e->text(), QString());
    e->SetIntValue(12);
    EXPECT_FALSE(e->Undefined()) << "setting the same value makes it defined";
    EXPECT_EQ(e->text(), QStringLiteral("12"));

    TNumberEdit strict;
    strict.SetUndefined(true);
    EXPECT_FALSE(strict.Undefined()) << "not allowed without UndefinedEnable";
}

TEST(NumberEdit, EqualValueLeavesTypedTextAlone) {
    auto *e = new TNumberEdit;
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("05"));
    EXPECT_EQ(double(e->Value()), 5.0);
    e->SetValue(5);
    EXPECT_EQ(e->text(), QStringLiteral("05"));
}

TEST(GeoEditLetters, LocalisedHemisphereLetters) {
    struct Case { const char *name; TGeoEditType type; int32_t lang; const char *negPos; };
    const Case cases[] = {
        {"English latitude", getLat, KvLang::English, "SN"},
        {"Dutch latitude", getLat, KvLang::Dutch, "ZN"},
        {"Dutch longitude", getLong, KvLang::Dutch, "WO"},
        {"German longitude", getLong, KvLang::German, "WO"},
        {"French longitude", getLong, KvLang::French, "OE"},
        {"Swedish longitude", getLong, KvLang::Swedish, "VO"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TGeoLetters l = GeoEditLetters(c.type, c.lang);
        EXPECT_EQ(QString(l.Neg) + l.Pos, QString::fromLatin1(c.negPos));
        EXPECT_EQ(QString(l.NegEnglish) + l.PosEnglish,
                  c.type == getLat ? QStringLiteral("SN") : QStringLiteral("WE"));
    }
}

TEST(GeoEditText, FormatsInEachFormatAndTwoLanguages) {
    struct Case { const char *name; int32_t lang; TGeoEditType type; int32_t format; double deg; const char *text; };
    const Case cases[] = {
        {"English degrees", KvLang::English, getLat, 0, 52.375, "52.37500° N"},
        {"English degrees minutes", KvLang::English, getLat, 1, 52.375, "52°22.500' N"},
        {"English dms south", KvLang::English, getLat, 2, -52.375, "52°22'30.0\" S"},
        {"English longitude west", KvLang::English, getLong, 1, -4.9, "004°54.000' W"},
        {"Dutch east is O", KvLang::Dutch, getLong, 1, 4.9, "004°54,000' O"},
        {"Dutch south is Z", KvLang::Dutch, getLat, 2, -52.375, "52°22'30,0\" Z"},
        {"Dutch degrees west", KvLang::Dutch, getLong, 0, -4.9, "004,90000° W"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LanguageScope lang(c.lang);
        EXPECT_EQ(GeoEditFormatText(c.deg, c.type, c.format, GeoEditLetters(c.type, c.lang)),
                  QString::fromUtf8(c.text));
    }
}

TEST(GeoEditText, ParsesLocalisedAndEnglishLetters) {
    struct Case { const char *name; int32_t lang; TGeoEditType type; const char *text; bool ok; double deg; };
    const Case cases[] = {
        {"English lat", KvLang::English, getLat, "52 22.5 N", true, 52.375},
        {"English lat south marks", KvLang::English, getLat, "52°22.500' S", true, -52.375},
        {"Dutch O is east", KvLang::Dutch, getLong, "4 54 O", true, 4.9},
        {"Dutch accepts E", KvLang::Dutch, getLong, "4 54 e", true, 4.9},
        {"Dutch W is west", KvLang::Dutch, getLong, "4 54,0 W", true, -4.9},
        {"Dutch Z is south", KvLang::Dutch, getLat, "52 22,5 Z", true, -52.375},
        {"French O is west", KvLang::French, getLong, "4 54 O", true, -4.9},
        {"latitude beyond 90", KvLang::English, getLat, "91 N", false, 0},
        {"minutes beyond 59", KvLang::English, getLat, "52 75 N", false, 0},
        {"no number", KvLang::English, getLat, "N", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        double deg = 123.0;
        EXPECT_EQ(GeoEditParseText(QString::fromUtf8(c.text), c.type, GeoEditLetters(c.type, c.lang), deg), c.ok);
        EXPECT_NEAR(deg, c.ok ? c.deg : 123.0, 1e-9);
    }
}

TEST(GeoEdit, DutchLongitudeShowsOAndAcceptsE) {
    LanguageScope lang(KvLang::Dutch);
    auto *e = new TGeoEdit;
    e->SetGeoEditType(getLong);
    e->SetGeoEditFormat(gefDegMin);
    e->SetValue(4.9);
    EXPECT_TRUE(e->text().endsWith(u'O')) << e->text().toStdString();
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("5 30 e"));
    EXPECT_EQ(e->Value(), 4.9) << "positions are read only on exit";
    w.Leave();
    EXPECT_NEAR(e->Value(), 5.5, 1e-9);
    EXPECT_EQ(e->text(), QStringLiteral("005°30,000' O"));
}

TEST(GeoEdit, UnreadableTextRevertsAndBlankBecomesUndefined) {
    auto *e = new TGeoEdit;
    e->SetValue(52.5);
    const QString shown = e->text();
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("52 75 N"));
    w.Leave();
    EXPECT_EQ(e->Value(), 52.5);
    EXPECT_EQ(e->text(), shown);

    e->SetUndefinedEnabled(true);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, QStringLiteral("   "));
    w.Leave();
    EXPECT_TRUE(e->Undefined());
    EXPECT_EQ(e->text(), QString());
    e->SetValue(52.5);
    EXPECT_FALSE(e->Undefined());
    EXPECT_EQ(e->text(), shown);
}

TEST(GeoEdit, KeyFilterDropsOtherLetters) {
    auto *e = new TGeoEdit;
    e->SetDecimalSeparator(u'.');
    TEditWindow w(e);
    QTest::keyClicks(e, QStringLiteral("5x2q 3,5 n"));
    EXPECT_EQ(e->text(), QStringLiteral("52 3.5 N"));
}
