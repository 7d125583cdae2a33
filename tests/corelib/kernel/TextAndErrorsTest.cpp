#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <memory>
#include <string>

namespace {

std::u16string Copy(const TStrWRec *rec) {
    return rec ? std::u16string(rec->Text, size_t(rec->Length)) : std::u16string();
}

QString Q(const TStrWRec *rec) {
    return QString::fromStdU16String(Copy(rec));
}

struct StrWDeleter {
    void operator()(IStrW *s) const { StrWDelete(s); }
};

}  // namespace

TEST(CoreLibText, EmptyStringHasLengthZeroAndTerminatedText) {
    std::unique_ptr<IStrW, StrWDeleter> s(StrWCreate(nullptr, 0));
    ASSERT_NE(s->GetRec(), nullptr);
    EXPECT_EQ(s->GetRec()->Length, 0);
    ASSERT_NE(s->GetRec()->Text, nullptr);
    EXPECT_EQ(s->GetRec()->Text[0], u'\0');
}

TEST(CoreLibText, CreateCopiesByLengthFromUnterminatedBuffer) {
    const char16_t buffer[] = {u'a', u'b', u'c', u'X', u'Y'};  // no terminator
    std::unique_ptr<IStrW, StrWDeleter> s(StrWCreate(buffer, 3));
    EXPECT_EQ(Copy(s->GetRec()), u"abc");
    EXPECT_EQ(s->GetRec()->Text[3], u'\0');  // the library's copy is terminated
}

TEST(CoreLibText, NonLatinTextAndSurrogatePairsSurvive) {
    const std::u16string text = u"Λίμνη 湖 \U0001F6A2 Ærø";
    std::unique_ptr<IStrW, StrWDeleter> s(StrWCreate(text.data(), int32_t(text.size())));
    EXPECT_EQ(Copy(s->GetRec()), text);
}

TEST(CoreLibText, ListKeepsEntriesInOrderAndRefusesBadIndex) {
    IStrWList *list = StrWListCreate();
    EXPECT_EQ(StrWListGetCount(list), 0);
    EXPECT_EQ(StrWListGetStr(list, 0), nullptr);
    EXPECT_EQ(StrWListGetStr(list, -1), nullptr);
    ObjectDelete(list);
    EXPECT_EQ(StrWListGetCount(nullptr), 0);
}

TEST(CoreLibText, DecodesCodePage1252AndLatin1) {
    const char bytes[] = "\x80 \x9f \xe9 \x81";
    const int32_t len = int32_t(sizeof(bytes) - 1);
    struct Case { const char *name; int32_t codePage; std::u16string expected; };
    const Case cases[] = {
        {"1252 maps euro, Y-diaeresis, e-acute; undefined byte kept", 1252, u"€ Ÿ é \u0081"},
        {"Latin-1 maps every byte to itself", 28591, u"\u0080 \u009f é \u0081"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t n = MultiByteToUnicode_GetBufSize(bytes, len, c.codePage);
        ASSERT_EQ(n, int32_t(c.expected.size()));
        std::u16string out(size_t(n), u'?');
        MultiByteToUnicode(out.data(), n, bytes, len, c.codePage);
        EXPECT_EQ(out, c.expected);
    }
    const char utf8[] = "Gr\xc3\xbc\xc3\x9f";
    std::u16string out(4, u'?');
    ASSERT_EQ(MultiByteToUnicode_GetBufSize(utf8, 6, 65001), 4);
    MultiByteToUnicode(out.data(), 4, utf8, 6, 65001);
    EXPECT_EQ(out, u"Grüß");
}

TEST(CoreLibErrors, EveryKnownValueHasItsOwnTextAndUnknownOnesNameTheNumber) {
    const int32_t known[] = {KvErr::Cancelled, KvErr::GPSSilent, KvErr::BadFormat,
                             KvErr::NotFound, KvErr::ImageDecode, KvErr::PortBusy,
                             KvErr::ReadOnly, KvErr::NameTooLong, KvErr::PointAttached,
                             KvErr::NoGPSPort, KvErr::ImageFormat};
    const QString unknownText = Q(ErrorToStr(0x7123456));
    EXPECT_TRUE(unknownText.contains(QStringLiteral("118633558"))) << unknownText.toStdString();
    EXPECT_TRUE(unknownText.contains(QStringLiteral("7123456"))) << unknownText.toStdString();
    for (int32_t e : known) {
        SCOPED_TRACE(e);
        const QString text = Q(ErrorToStr(e));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.startsWith(QStringLiteral("Unknown error")));
    }
    // Records stay valid for the run: a second request hands out the same one.
    EXPECT_EQ(ErrorToStr(KvErr::NotFound), ErrorToStr(KvErr::NotFound));
}

TEST(CoreLibProgInfo, BuildConstantsAreConsistent) {
    IProgInfo *info = GetProgInfo();
    EXPECT_EQ(Q(info->GetTitle()), QStringLiteral("Marivo Ostrel"));
    EXPECT_TRUE(Q(info->GetProgDir()).endsWith('/'));
    EXPECT_EQ(uint32_t(*info->GetVersion()) >> 24, 6u);
    EXPECT_GT(info->GetVersionDate(), 45000.0);  // a date after 2023
    const TGUID *guid = info->GetProductGUID();
    EXPECT_FALSE(*guid == TGUID());
}

TEST(CoreLibProgInfo, VersionSideFileOfACompanionProgram) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("version"));
    const QString program = dir + QStringLiteral("/chartmanager");
    struct Case { const char *name; const char *content; int32_t err; int32_t version; const char16_t *progName; };
    const Case cases[] = {
        {"complete", "Name=Chart Manager\nVersion=1.5.0.2\n", 0, 0x01050002, u"Chart Manager"},
        {"short version", "Version=2.1\n", 0, 0x02010000, u""},
        {"no version line", "Name=x\n", KvErr::BadFormat, 0, u""},
        {"garbled version", "Version=1.x.3\n", KvErr::BadFormat, 0, u""},
        {"part out of range", "Version=1.300\n", KvErr::BadFormat, 0, u""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(program + QStringLiteral(".version"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        std::unique_ptr<IStrW, StrWDeleter> name(StrWCreate(u"old", 3));
        int32_t version = -1, err = -1;
        const std::u16string path = program.toStdU16String();
        VersionInfoGetProgNameAndVersion({int32_t(path.size()), path.c_str()}, name.get(),
                                         version, err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(version, c.version);
        EXPECT_EQ(Copy(name->GetRec()), std::u16string(c.progName));
    }
    const std::u16string missing = (dir + QStringLiteral("/absent")).toStdU16String();
    int32_t version = 0, err = 0;
    VersionInfoGetProgNameAndVersion({int32_t(missing.size()), missing.c_str()}, nullptr,
                                     version, err);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(CoreLibExceptionHandler, LogsTheLastRaisedExceptionOfTheThread) {
    const QString log = testsupport::MakeTempDir(QStringLiteral("exlog")) + QStringLiteral("/ex.log");
    const std::u16string logName = log.toStdU16String();
    const QString before = Q(GetExceptionLogFileName());
    SetExceptionLogFileName({int32_t(logName.size()), logName.c_str()});
    EXPECT_EQ(Q(GetExceptionLogFileName()), log);

    IExceptionHandler *h = ExceptionHandlerGet();
    h->ExceptionRaised({9, u"EOverflow"}, {13, u"value too big"});
    h->HandleException(7);  // another thread id: nothing raised there
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Unhandled (unknown)"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("value too big")));
    const std::u16string b = before.toStdU16String();
    SetExceptionLogFileName({int32_t(b.size()), b.c_str()});
}
