#include "TestSupport.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptionLog.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvFileVersionInfo.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QLocale>
#include <QProcess>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Records, at its release, whether the variable that held it was already nil.
class TRecorded : public NavObject {
public:
    TRecorded(int &deletes, NavObject *const *holder = nullptr)
        : FDeletes(deletes), FHolder(holder) {}
    ~TRecorded() override {
        ++FDeletes;
        if (FHolder) HolderWasNil = (*FHolder == nullptr);
    }
    static inline bool HolderWasNil = false;

private:
    int &FDeletes;
    NavObject *const *FHolder;
};

QString ReadFile(const QString &name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Points the library's exception log at a fresh file for one test.
class TLogFile {
public:
    TLogFile()
        : FBefore(GetExceptionLogFile()),
          FName(testsupport::MakeTempDir(QStringLiteral("log")) + QStringLiteral("/ex.log")) {
        SetExceptionLogFile(FName);
    }
    ~TLogFile() { SetExceptionLogFile(FBefore); }
    QString Text() const { return ReadFile(FName); }

private:
    QString FBefore;
    QString FName;
};

struct TNotAnException {
    int Code = 3;
};

}  // namespace

TEST(KvErrors, RaiseIfError) {
    const QString notFound = ErrorToStrA(KvErr::NotFound);
    struct Case { const char *name; int32_t error; QString message; bool raises; QString text; };
    const Case cases[] = {
        {"zero never raises", 0, QStringLiteral("Saving"), false, {}},
        {"zero with empty message", 0, {}, false, {}},
        {"empty message gives the error text alone", KvErr::NotFound, {}, true, notFound},
        {"message in parentheses", KvErr::NotFound, QStringLiteral("Saving"), true,
         notFound + QStringLiteral(" (Saving)")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            RaiseIfError(c.error, c.message);
            EXPECT_FALSE(c.raises);
        } catch (const Exception &e) {
            EXPECT_TRUE(c.raises);
            EXPECT_EQ(e.Message(), c.text);
        }
    }
    EXPECT_TRUE(ErrorToStrA(0x7FFF1234).contains(QStringLiteral("2147422772")));
}

TEST(KvErrors, ParseJpegErrorNumber) {
    struct Case { const char *message; bool ok; int number; };
    const Case cases[] = {
        {"JPEG error #42", true, 42},
        {"JPEG error #0", true, 0},
        {"JPEG error #-7", true, -7},
        {"JPEG error #-1", false, 0},
        {"JPEG error #x", false, 0},
        {"JPEG error #", false, 0},
        {"JPEG error #4a", false, 0},
        {"error #4", false, 0},
        {"jpeg error #4", false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        int n = 12345;
        EXPECT_EQ(ParseJpegErrorNumber(QString::fromUtf8(c.message), n), c.ok);
        EXPECT_EQ(n, c.ok ? c.number : 12345);  // untouched on failure
    }
}

TEST(KvLib, ObjectDeleteAndNil) {
    NavObject *none = nullptr;
    ObjectDeleteAndNil(none);  // nil: nothing happens
    EXPECT_EQ(none, nullptr);

    int deletes = 0;
    NavObject *obj = nullptr;
    obj = new TRecorded(deletes, &obj);
    ObjectDeleteAndNil(obj);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(deletes, 1);
    // Whatever the release does, it can no longer reach the object through the variable.
    EXPECT_TRUE(TRecorded::HolderWasNil);

    {
        TNavPtr<NavObject> held(new TRecorded(deletes));
    }
    EXPECT_EQ(deletes, 2);
}

TEST(KvStrings, TextKeepsEveryCharacterAcrossTheBoundary) {
    const QString text = QStringLiteral("Λίμνη 湖 ") + QString::fromUcs4(U"\U0001F6A2") +
                         QStringLiteral(" Ærø");
    TStrWRec rec;
    WideToStrW(text, rec);
    EXPECT_EQ(rec.Length, text.size());  // UTF-16 units: the pair counts twice

    IStrW *s = StrWCreateFromStr(text);
    EXPECT_EQ(StrWToWide(s), text);
    StrWDeleteIfAssigned(s);
    StrWDeleteIfAssigned(nullptr);

    TStrWRec empty;
    WideToStrW(QString(), empty);
    EXPECT_EQ(empty.Length, 0);
    ASSERT_NE(empty.Text, nullptr);
    EXPECT_EQ(empty.Text[0], u'\0');
}

TEST(KvStrings, LeadingByteOrderMarkCharactersAreText) {
    // A name may start with U+FEFF or U+FFFE; neither is a byte-order mark here.
    for (const QString &text : {QString(QChar(0xFEFF)) + QStringLiteral("Buoy"),
                               QString(QChar(0xFFFE)) + QStringLiteral("ab")}) {
        IStrW *s = StrWCreateFromStr(text);
        EXPECT_EQ(StrWToWide(s), text);
        StrWDeleteIfAssigned(s);
    }
}

TEST(KvStrings, StrWToWideCopiesByLengthOnly) {
    const char16_t unterminated[] = {u'L', u'o', u'c', u'k', u'!', u'!'};
    TStrWRec rec{4, unterminated};
    EXPECT_EQ(StrWToWide(&rec), QStringLiteral("Lock"));
    EXPECT_EQ(StrWToWide(static_cast<const TStrWRec *>(nullptr)), QString());
}

TEST(KvStrings, StrWListToStringsClearsTheTargetFirst) {
    QStringList target{QStringLiteral("stale"), QStringLiteral("entries")};
    TStrWListOut list;
    StrWListToStrings(list.get(), target);
    EXPECT_TRUE(target.isEmpty());
    EXPECT_EQ(StrWListCount(list.get()), 0);
    EXPECT_EQ(StrWListGetStrA(list.get(), 0), QString());
}

TEST(KvExceptions, ExceptionInASlotLandsInTheLogWithClassAndMessage) {
    TLogFile log;
    testsupport::TExpectReports reports;
    QPushButton button(QStringLiteral("Go"));
    QObject::connect(&button, &QPushButton::clicked,
                     [] { throw EConvertError(QStringLiteral("'5,2x' is not a number")); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);

    ASSERT_EQ(reports.Count(), 1);
    EXPECT_EQ(reports.ClassName(0), QStringLiteral("EConvertError"));
    EXPECT_EQ(reports.Message(0), QStringLiteral("'5,2x' is not a number"));
    const QString text = log.Text();
    EXPECT_TRUE(text.contains(QStringLiteral("EConvertError"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("'5,2x' is not a number"))) << text.toStdString();
}

TEST(KvExceptions, ANonExceptionObjectIsReportedWithItsTypeAndNoMessage) {
    TLogFile log;
    testsupport::TExpectReports reports;
    QObject target;
    QObject::connect(&target, &QObject::objectNameChanged, [] { throw TNotAnException(); });
    QTimer::singleShot(0, &target, [&] { target.setObjectName(QStringLiteral("x")); });
    QTest::qWait(20);

    ASSERT_EQ(reports.Count(), 1);
    EXPECT_TRUE(reports.ClassName(0).contains(QStringLiteral("TNotAnException")));
    EXPECT_TRUE(reports.Message(0).isEmpty());
    EXPECT_TRUE(log.Text().contains(QStringLiteral("TNotAnException")));
}

TEST(KvProgInfo, WrappersReadTheLibrarysProgramInformation) {
    EXPECT_EQ(ProgInfoGetTitle(), QStringLiteral("Marivo Ostrel"));
    EXPECT_TRUE(ProgInfoGetProgDir().endsWith('/'));
    EXPECT_EQ(uint32_t(ProgInfoGetVersion()) >> 24, 6u);
    EXPECT_FALSE(ProgInfoGetProductGUID() == TGUID());
}

TEST(KvFileVersionInfo, NameIsEmptiedWhenTheProgramIsMissing) {
    QString name = QStringLiteral("stale");
    int32_t version = 0, err = 0;
    VersionInfoGetProgNameAndVersionA(testsupport::MakeTempDir(QStringLiteral("v")) +
                                          QStringLiteral("/none"),
                                      name, version, err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_TRUE(name.isEmpty());
}

// A skipper whose desktop writes numbers with a decimal comma (Dutch, German, French): the
// C library's numbers keep their point, the texts the program shows keep the comma.
TEST(KvLibLocale, ADecimalCommaLocaleLeavesTheCLibrarysNumbersAlone) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("locale"));
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("nl_NL"), QStringLiteral("-f"),
                                                  QStringLiteral("UTF-8"), dir + QStringLiteral("/nl_NL.UTF-8")});
    ASSERT_TRUE(localedef.waitForFinished(60000));
    ASSERT_EQ(localedef.exitCode(), 0) << localedef.readAllStandardError().constData();
    testsupport::TChildProcess child(QStringLiteral("KvLibLocale.DISABLED_Child"),
                                     {{QStringLiteral("LOCPATH"), dir}, {QStringLiteral("LC_ALL"), QStringLiteral("nl_NL.UTF-8")}});
    EXPECT_TRUE(child.WaitForLine("shown 52,5")) << child.Output().constData();
    EXPECT_TRUE(child.WaitForLine("printf 52.5 strtod 52.25")) << child.Output().constData();
}

TEST(KvLibLocale, DISABLED_Child) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 52.5);
    const QByteArray shown = "shown " + QLocale::system().toString(52.5, 'f', 1).toUtf8();
    testsupport::TellParent(shown.constData());
    const QByteArray c = QByteArray("printf ") + buf + " strtod " + QByteArray::number(std::strtod("52.25", nullptr));
    testsupport::TellParent(c.constData());
}
