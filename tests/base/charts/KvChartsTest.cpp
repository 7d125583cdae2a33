// Chart and online-client wrappers against gmock fakes of the library's objects: which
// operation each wrapper calls, argument order, out texts, and the fixed datum names.
#include "TestSupport.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/kvlib/KvStrings.h"
#include "tests/base/charts/ChartFakes.h"

#include <KvLibNav6/KvLanguage.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <functional>
#include <stdexcept>

using namespace chartfakes;
using ::testing::_;
using ::testing::DoAll;
using ::testing::Invoke;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;

namespace {

// The fakes fill library strings through the settings store (SetFakeText), which needs an
// opened store.
class ChartWrappers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FStore.Opened()); }
    testsupport::TPrivateSettingsStore FStore{QStringLiteral("chartwrappers")};
    TTexts FTexts;
};

}  // namespace

TEST(ChartWrappersPlain, VerticalDatumNames) {
    struct Case { int32_t code; const char *name; };
    const Case cases[] = {
        {1, "Mean low water springs"},
        {23, "Lowest astronomical tide"},
        {30, "Highest astronomical tide (HAT)"},
        {38, "Dutch river low water reference level (OLR)"},
        {41, "Ohio River Datum"},
        {0, "Unknown"},
        {42, "Unknown"},
        {-1, "Unknown"},
    };
    for (const auto &c : cases) EXPECT_EQ(VerticalDatumToStr(c.code), QString::fromLatin1(c.name)) << c.code;
}

// Every raster-information getter reads its own operation: each row gives one operation a
// distinct text while all others answer with another.
TEST_F(ChartWrappers, RasterInfoGettersReadTheirOwnOperation) {
    using Getter = QString (*)(IRasterChartInfo *);
    using Stub = std::function<void(MockRasterChartInfo &, const TStrWRec *)>;
    struct Case { const char *name; Getter getter; Stub stub; };
#define ROW(W, M) {#W, W, [](MockRasterChartInfo &m, const TStrWRec *r) { ON_CALL(m, M()).WillByDefault(Return(r)); }}
    const Case cases[] = {
        ROW(RasterChartInfoGetName, GetName),
        ROW(RasterChartInfoGetNumber, GetNumber),
        ROW(RasterChartInfoGetDigitizedBy, GetDigitizedBy),
        ROW(RasterChartInfoGetLegendFileName, GetLegendFileName),
        ROW(RasterChartInfoGetTermsText, GetTermsText),
        ROW(RasterChartInfoGetDisclaimer, GetDisclaimer),
        ROW(RasterChartInfoGetChartSetName, GetChartSetName),
        ROW(RasterChartInfoGetProductCode, GetProductCode),
        ROW(RasterChartInfoGetRevisionDate, GetRevisionDate),
        ROW(RasterChartInfoGetOriginalScale, GetOriginalScale),
        ROW(RasterChartInfoGetSourceChartName, GetSourceChartName),
        ROW(RasterChartInfoGetSourceNotice, GetSourceNotice),
        ROW(RasterChartInfoGetSourcePublisher, GetSourcePublisher),
        ROW(RasterChartInfoGetDepthUnits, GetDepthUnits),
        ROW(RasterChartInfoGetHeightUnits, GetHeightUnits),
    };
#undef ROW
    const TStrWRec *other = FTexts.Rec(QStringLiteral("other"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        NiceMock<MockRasterChartInfo> info;
        for (const auto &o : cases) o.stub(info, other);
        const QString want = QString::fromLatin1(c.name) + QStringLiteral(" · ünï");
        c.stub(info, FTexts.Rec(want));
        EXPECT_EQ(c.getter(&info), want);
    }
}

TEST_F(ChartWrappers, InfoFileCopiesBothTextsAndEmptiesThemOnFailure) {
    NiceMock<MockRasterChartInfo> info;
    EXPECT_CALL(info, GetInfoFile(2, _, _, _))
        .WillOnce(Invoke([](int32_t, int32_t, IStrW *title, IStrW *file) {
            SetFakeText(title, QStringLiteral("Tidal streams"));
            SetFakeText(file, QStringLiteral("info/streams.html"));
            return true;
        }));
    QString title = QStringLiteral("stale"), file = QStringLiteral("stale");
    EXPECT_TRUE(RasterChartInfoGetInfoFile(&info, 2, title, file));
    EXPECT_EQ(title, QStringLiteral("Tidal streams"));
    EXPECT_EQ(file, QStringLiteral("info/streams.html"));

    EXPECT_CALL(info, GetInfoFile(9, _, _, _)).WillOnce(Return(false));
    EXPECT_FALSE(RasterChartInfoGetInfoFile(&info, 9, title, file));
    EXPECT_TRUE(title.isEmpty());
    EXPECT_TRUE(file.isEmpty());

    title = file = QStringLiteral("stale");
    EXPECT_CALL(info, GetInfoFile(3, _, _, _)).WillOnce(Invoke([](int32_t, int32_t, IStrW *, IStrW *) -> bool {
        throw std::runtime_error("engine failure");
    }));
    EXPECT_THROW(RasterChartInfoGetInfoFile(&info, 3, title, file), std::runtime_error);
    EXPECT_TRUE(title.isEmpty());
    EXPECT_TRUE(file.isEmpty());
}

TEST_F(ChartWrappers, S57FolderOutTextsAreEmptiedFirst) {
    NiceMock<MockChartManager> m;
    EXPECT_CALL(m, GetS57FolderInfo(4, _, _, _))
        .WillOnce(Invoke([](int32_t, IStrW *cc, IStrW *region, IStrW *water) {
            SetFakeText(cc, QStringLiteral("NL"));
            SetFakeText(region, QStringLiteral("Noord"));
            SetFakeText(water, QStringLiteral("IJssel"));
        }));
    QString cc, region, water;
    ChartManagerGetS57FolderInfo(&m, 4, cc, region, water);
    EXPECT_EQ(cc, QStringLiteral("NL"));
    EXPECT_EQ(region, QStringLiteral("Noord"));
    EXPECT_EQ(water, QStringLiteral("IJssel"));

    EXPECT_CALL(m, GetS57Folder(1, _, _, _, _))
        .WillOnce(Invoke([](int32_t, IStrW *folder, bool &fixed, IStrW *, bool &sub) {
            SetFakeText(folder, QStringLiteral("/data/s57"));
            fixed = true;
            sub = true;
        }));
    EXPECT_CALL(m, GetS57Folder(2, _, _, _, _)).WillOnce(Invoke([](int32_t, IStrW *, bool &, IStrW *, bool &) {
        throw std::runtime_error("engine failure");
    }));
    QString folder;
    bool fixed = false, sub = false;
    ChartManagerGetS57Folder(&m, 1, folder, fixed, sub);
    EXPECT_EQ(folder, QStringLiteral("/data/s57"));
    EXPECT_TRUE(fixed);
    EXPECT_TRUE(sub);
    EXPECT_THROW(ChartManagerGetS57Folder(&m, 2, folder, fixed, sub), std::runtime_error);
    EXPECT_TRUE(folder.isEmpty());
    EXPECT_FALSE(fixed);
    EXPECT_FALSE(sub);
}

TEST_F(ChartWrappers, ChartManagerPassesTextsAndIndices) {
    NiceMock<MockChartManager> m;
    EXPECT_CALL(m, FindChart(_, _)).WillOnce(Invoke([](const TStrWRec &name, int32_t &index) {
        EXPECT_EQ(ToQ(name), QStringLiteral("1R7EMS01"));
        index = 12;
        return true;
    }));
    int32_t index = 0;
    EXPECT_TRUE(ChartManagerFindChart(&m, QStringLiteral("1R7EMS01"), index));
    EXPECT_EQ(index, 12);

    EXPECT_CALL(m, HasS57Folder(_, _)).WillOnce(Return(false));
    EXPECT_FALSE(ChartManagerHasS57Folder(&m, QStringLiteral("/x"), index));
    EXPECT_EQ(index, -1);

    EXPECT_CALL(m, AddS57Folder(_, true, nullptr, nullptr)).WillOnce(Invoke(
        [](const TStrWRec &f, bool, IS57RegistrarManager *, IS52PresentationLib *) {
            EXPECT_EQ(ToQ(f), QStringLiteral("/charts/Zeeland"));
        }));
    ChartManagerAddS57Folder(&m, QStringLiteral("/charts/Zeeland"), true, nullptr, nullptr);

    EXPECT_CALL(m, SaveS57BaseData(_, _)).WillOnce(Invoke([](const TStrWRec &f, int32_t &err) {
        EXPECT_EQ(ToQ(f), QStringLiteral("/cache/S57ChartBaseData.ini"));
        err = 21;
    }));
    int32_t err = 0;
    ChartManagerSaveS57BaseData(&m, QStringLiteral("/cache/S57ChartBaseData.ini"), err);
    EXPECT_EQ(err, 21);
}

TEST_F(ChartWrappers, ChartSetTextsComeFromTheSetInformation) {
    NiceMock<MockChartSet> set;
    NiceMock<MockChartSetInfo> info;
    ON_CALL(set, GetInfo()).WillByDefault(Return(&info));
    ON_CALL(info, GetTitle()).WillByDefault(Return(FTexts.Rec("Waddenzee")));
    ON_CALL(info, GetCode()).WillByDefault(Return(FTexts.Rec("NF")));
    ON_CALL(info, GetFolder()).WillByDefault(Return(FTexts.Rec("NL2024/NF")));
    EXPECT_EQ(ChartSetGetTitle(&set), QStringLiteral("Waddenzee"));
    EXPECT_EQ(ChartSetGetCode(&set), QStringLiteral("NF"));
    EXPECT_EQ(ChartSetGetFolder(&set), QStringLiteral("NL2024/NF"));
    NiceMock<MockChartSet> bare;  // a set without information has empty texts
    EXPECT_TRUE(ChartSetGetCode(&bare).isEmpty());

    NiceMock<MockChartProductInfo> product;
    ON_CALL(product, GetTitle()).WillByDefault(Return(FTexts.Rec("")));
    ON_CALL(product, GetCode()).WillByDefault(Return(FTexts.Rec(QString::fromUtf16(ChartProductCode::User))));
    EXPECT_TRUE(ChartProductGetTitle(&product).isEmpty());
    EXPECT_EQ(ChartProductGetCode(&product), QStringLiteral("_USER"));
}

TEST_F(ChartWrappers, UserReportPassesNineTextsInOrder) {
    NiceMock<MockUserDataAPI> api;
    const QStringList texts = {"Marivo Ostrel v6.0.0.1", "me@example.org", "Bridge closed",
                               "The bridge at km 12 is closed.", "NL - Waddenzee\nNL - IJssel",
                               "/tmp/shot.png", "52°22.500'N 4°54.000'E",
                               "52°10.000'N 5°00.000'E, Amstel km 3", "Motor yacht 12 m"};
    EXPECT_CALL(api, SendReport(_, _, _, _, _, _, _, _, _, true, _))
        .WillOnce(Invoke([&texts](const TStrWRec &a, const TStrWRec &b, const TStrWRec &c,
                                  const TStrWRec &d, const TStrWRec &e, const TStrWRec &f,
                                  const TStrWRec &g, const TStrWRec &h, const TStrWRec &i, bool,
                                  int32_t &err) {
            const QStringList got = {ToQ(a), ToQ(b), ToQ(c), ToQ(d), ToQ(e), ToQ(f), ToQ(g), ToQ(h), ToQ(i)};
            EXPECT_EQ(got, texts);
            err = 0x400000;
        }));
    int32_t err = 0;
    UserDataSendReport(&api, texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6],
                       texts[7], texts[8], true, err);
    EXPECT_EQ(err, 0x400000);
}

TEST_F(ChartWrappers, UserDataShipValues) {
    NiceMock<MockUserDataAPI> api;
    EXPECT_CALL(api, GetShip(1, _, _, _, _, _))
        .WillOnce(Invoke([](int32_t, IStrW *name, float &l, float &b, float &h, float &d) {
            SetFakeText(name, QStringLiteral("Zeemeeuw"));
            l = 12.5f; b = 3.8f; h = 4.1f; d = 1.2f;
        }));
    QString name = QStringLiteral("stale");
    float l = 0, b = 0, h = 0, d = 0;
    UserDataGetShip(&api, 1, name, l, b, h, d);
    EXPECT_EQ(name, QStringLiteral("Zeemeeuw"));
    EXPECT_EQ(l, 12.5f);
    EXPECT_EQ(b, 3.8f);
    EXPECT_EQ(h, 4.1f);
    EXPECT_EQ(d, 1.2f);
    EXPECT_CALL(api, UploadShip(_, 12.5f, 3.8f, 4.1f, 1.2f, _))
        .WillOnce(Invoke([](const TStrWRec &n, float, float, float, float, int32_t &err) {
            EXPECT_EQ(ToQ(n), QStringLiteral("Zeemeeuw"));
            err = 0;
        }));
    int32_t err = -1;
    UserDataUploadShip(&api, QStringLiteral("Zeemeeuw"), 12.5f, 3.8f, 4.1f, 1.2f, err);
    EXPECT_EQ(err, 0);
}

TEST_F(ChartWrappers, DownloadPassesFolderBeforeFile) {
    NiceMock<MockMRCChartCheck> check;
    EXPECT_CALL(check, StartFileDownload(nullptr, 3, _, _, _))
        .WillOnce(Invoke([](IMRCChartSetRecord *, int32_t, const TStrWRec &folder,
                            const TStrWRec &file, int32_t &err) {
            EXPECT_EQ(ToQ(folder), QStringLiteral("/charts/NL/"));
            EXPECT_EQ(ToQ(file), QStringLiteral("NF/chart.kap"));
            err = 0;
        }));
    int32_t err = -1;
    MRCChartCheckStartFileDownload(&check, nullptr, 3, QStringLiteral("/charts/NL/"),
                                   QStringLiteral("NF/chart.kap"), err);
    EXPECT_EQ(err, 0);

    EXPECT_CALL(check, FetchNews(_, 0, _)).WillOnce(Invoke([](const TStrWRec &lang, int32_t, int32_t &e) {
        EXPECT_EQ(ToQ(lang), QStringLiteral("nl"));
        e = 0x400000;
    }));
    MRCChartCheckFetchNews(&check, QStringLiteral("nl"), err);
    EXPECT_EQ(err, 0x400000);
}

// A password may hold ";": the wrapper never joins it with the e-mail address.
TEST_F(ChartWrappers, LoginKeepsAddressAndPasswordApart) {
    struct Case { const char *name; const char *email; const char *password; bool sendsFields; };
    const Case cases[] = {
        {"plain", "skipper@example.org", "secret", true},
        {"semicolon in password", "skipper@example.org", "se;cr;et", true},
        {"remembered login", "", "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ::testing::InSequence order;
        NiceMock<MockMRCChartCheck> check;
        if (c.sendsFields) {
            EXPECT_CALL(check, SetLoginEmail(_, true, _)).WillOnce(Invoke([&c](const TStrWRec &t, bool, int32_t &e) {
                EXPECT_EQ(ToQ(t), QString::fromLatin1(c.email));
                e = 0;
            }));
            EXPECT_CALL(check, SetLoginPassword(_, true, _)).WillOnce(Invoke([&c](const TStrWRec &t, bool, int32_t &e) {
                EXPECT_EQ(ToQ(t), QString::fromLatin1(c.password));
                e = 0;
            }));
        } else {
            EXPECT_CALL(check, SetLoginEmail(_, _, _)).Times(0);
            EXPECT_CALL(check, SetLoginPassword(_, _, _)).Times(0);
        }
        EXPECT_CALL(check, SetLogin(_, true, _)).WillOnce(Invoke([](const TStrWRec &t, bool, int32_t &e) {
            EXPECT_EQ(t.Length, 0);
            e = 0;
        }));
        int32_t err = -1;
        MRCChartCheckSetLogin(&check, QString::fromLatin1(c.email), QString::fromLatin1(c.password), true, err);
        EXPECT_EQ(err, 0);
    }
    // A refused address stops before the password is handed over.
    NiceMock<MockMRCChartCheck> check;
    EXPECT_CALL(check, SetLoginEmail(_, _, _)).WillOnce(SetArgReferee<2>(4));
    EXPECT_CALL(check, SetLoginPassword(_, _, _)).Times(0);
    EXPECT_CALL(check, SetLogin(_, _, _)).Times(0);
    int32_t err = 0;
    MRCChartCheckSetLogin(&check, QStringLiteral("a@b"), QStringLiteral("c"), false, err);
    EXPECT_EQ(err, 4);
}

TEST_F(ChartWrappers, StoredLoginAndCommonFile) {
    NiceMock<MockMRCChartCheck> check;
    EXPECT_CALL(check, GetStoredLogin(_)).WillOnce(Invoke([](IStrW *e) {
        SetFakeText(e, QStringLiteral("skipper@example.org"));
        return true;
    }));
    QString email;
    EXPECT_TRUE(MRCChartCheckGetStoredLogin(&check, email));
    EXPECT_EQ(email, QStringLiteral("skipper@example.org"));

    NiceMock<MockS57ChartCheck> ienc;
    EXPECT_CALL(ienc, GetCommonFileInfo(_, _, _)).WillOnce(Invoke([](IStrW *n, int32_t &t, int64_t &s) {
        SetFakeText(n, QStringLiteral("common/catalog.031"));
        t = 1700000000;
        s = 123456789012LL;
        return true;
    }));
    QString rel;
    int32_t time = 0;
    int64_t size = 0;
    EXPECT_TRUE(GetS57CommonFileInfo(&ienc, rel, time, size));
    EXPECT_EQ(rel, QStringLiteral("common/catalog.031"));
    EXPECT_EQ(time, 1700000000);
    EXPECT_EQ(size, 123456789012LL);

    EXPECT_CALL(ienc, RequestChartSet(_, _, _, _))
        .WillOnce(Invoke([](const TStrWRec &cc, const TStrWRec &rg, const TStrWRec &wt, int32_t &e) {
            EXPECT_EQ(ToQ(cc), QStringLiteral("DE"));
            EXPECT_EQ(ToQ(rg), QStringLiteral("Rhein"));
            EXPECT_EQ(ToQ(wt), QStringLiteral("Mosel"));
            e = 0x400000;
        }));
    int32_t err = 0;
    RequestS57ChartSet(&ienc, QStringLiteral("DE"), QStringLiteral("Rhein"), QStringLiteral("Mosel"), err);
    EXPECT_EQ(err, 0x400000);
}
