// The typed registry helpers against the library's settings store in a fresh folder.
#include "TestSupport.h"

#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <functional>
#include <vector>

namespace {

TGUID Guid(uint32_t d1) {
    TGUID g;
    g.D1 = d1;
    g.D2 = 0x1234;
    g.D3 = 0x5678;
    for (int i = 0; i < 8; ++i) g.D4[i] = uint8_t(i * 31);
    return g;
}

class RegistryHelpers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FStore.Opened()); }
    testsupport::TPrivateSettingsStore FStore{QStringLiteral("registry")};
};

// One row per value type: write a value through the helper, then check the reader with a
// default, the plain reader (where the type has one) and the missing-value answers.
struct TypeCase {
    const char *name;
    std::function<void(const QString &key, const ValueName &, int32_t &)> write;
    std::function<void(const QString &key, const ValueName &)> readsWritten;
    std::function<void(const QString &key, const ValueName &)> readsMissing;
};

TEST_F(RegistryHelpers, EveryTypeRoundTripsAndMissingValuesGiveTheDefault) {
    const QByteArray blob = QByteArray::fromHex("00ff10e07f80");
    const QString text = QStringLiteral("Straße · Ῥόδος · 北海道");
    const std::vector<TypeCase> cases = {
        {"Boolean",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteBool(GetAppReg(), 1, k, n, true, e); },
         [](const QString &k, const ValueName &n) {
             EXPECT_TRUE(RegReadBoolDef(GetAppReg(), 1, k, n, false));
             int32_t e = -1;
             EXPECT_TRUE(RegReadBool(GetAppReg(), 1, k, n, e));
             EXPECT_EQ(e, 0);
         },
         [](const QString &k, const ValueName &n) {
             EXPECT_TRUE(RegReadBoolDef(GetAppReg(), 1, k, n, true));
             int32_t e = 0;
             EXPECT_FALSE(RegReadBool(GetAppReg(), 1, k, n, e));
             EXPECT_NE(e, 0);
         }},
        {"Integer",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteInteger(GetAppReg(), 1, k, n, -123456, e); },
         [](const QString &k, const ValueName &n) {
             EXPECT_EQ(RegReadIntegerDef(GetAppReg(), 1, k, n, 0), -123456);
             int32_t e = -1;
             EXPECT_EQ(RegReadInteger(GetAppReg(), 1, k, n, e), -123456);
             EXPECT_EQ(e, 0);
         },
         [](const QString &k, const ValueName &n) {
             EXPECT_EQ(RegReadIntegerDef(GetAppReg(), 1, k, n, 77), 77);
             int32_t e = 0;
             RegReadInteger(GetAppReg(), 1, k, n, e);
             EXPECT_NE(e, 0);
         }},
        {"Single",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteSingle(GetAppReg(), 1, k, n, 3.3f, e); },
         [](const QString &k, const ValueName &n) { EXPECT_EQ(RegReadSingleDef(GetAppReg(), 1, k, n, 0.0f), 3.3f); },
         [](const QString &k, const ValueName &n) { EXPECT_EQ(RegReadSingleDef(GetAppReg(), 1, k, n, -1.5f), -1.5f); }},
        {"Double",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteDouble(GetAppReg(), 1, k, n, 52.0 + 1.0 / 7.0, e); },
         [](const QString &k, const ValueName &n) {
             EXPECT_EQ(RegReadDoubleDef(GetAppReg(), 1, k, n, 0.0), 52.0 + 1.0 / 7.0);
             int32_t e = -1;
             EXPECT_EQ(RegReadDouble(GetAppReg(), 1, k, n, e), 52.0 + 1.0 / 7.0);
             EXPECT_EQ(e, 0);
         },
         [](const QString &k, const ValueName &n) {
             EXPECT_EQ(RegReadDoubleDef(GetAppReg(), 1, k, n, 4.25), 4.25);
             int32_t e = 0;
             RegReadDouble(GetAppReg(), 1, k, n, e);
             EXPECT_NE(e, 0);
         }},
        {"date-time",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteDateTime(GetAppReg(), 1, k, n, 45372.75, e); },
         [](const QString &k, const ValueName &n) { EXPECT_EQ(RegReadDateTimeDef(GetAppReg(), 1, k, n, 0.0), 45372.75); },
         [](const QString &k, const ValueName &n) { EXPECT_EQ(RegReadDateTimeDef(GetAppReg(), 1, k, n, 1.5), 1.5); }},
        {"GUID",
         [](const QString &k, const ValueName &n, int32_t &e) { RegWriteGUID(GetAppReg(), 1, k, n, Guid(0xCAFE0001), e); },
         [](const QString &k, const ValueName &n) {
             TGUID out;
             RegReadGUIDDef(GetAppReg(), 1, k, n, TGUID(), out);
             EXPECT_TRUE(out == Guid(0xCAFE0001));
             int32_t e = -1;
             RegReadGUID(GetAppReg(), 1, k, n, e, out);
             EXPECT_EQ(e, 0);
             EXPECT_TRUE(out == Guid(0xCAFE0001));
         },
         [](const QString &k, const ValueName &n) {
             TGUID out = Guid(5);
             RegReadGUIDDef(GetAppReg(), 1, k, n, TGUID(), out);
             EXPECT_TRUE(out == TGUID()) << "the null GUID default comes back as given";
             int32_t e = 0;
             RegReadGUID(GetAppReg(), 1, k, n, e, out);
             EXPECT_NE(e, 0);
         }},
        {"binary",
         [&blob](const QString &k, const ValueName &n, int32_t &e) { RegWriteBinary(GetAppReg(), 1, k, n, blob.constData(), int32_t(blob.size()), e); },
         [&blob](const QString &k, const ValueName &n) {
             QByteArray buffer(blob.size(), '\0');
             int32_t e = -1;
             RegReadBinary(GetAppReg(), 1, k, n, buffer.data(), int32_t(buffer.size()), e);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(buffer, blob);
         },
         [](const QString &k, const ValueName &n) {
             QByteArray buffer(6, 'q');
             int32_t e = 0;
             RegReadBinary(GetAppReg(), 1, k, n, buffer.data(), 6, e);
             EXPECT_NE(e, 0);
             EXPECT_EQ(buffer, QByteArray(6, 'q'));
         }},
        {"text",
         [&text](const QString &k, const ValueName &n, int32_t &e) { RegWriteString(GetAppReg(), 1, k, n, text, e); },
         [&text](const QString &k, const ValueName &n) {
             QString out = QStringLiteral("old");
             RegReadStringDef(GetAppReg(), 1, k, n, QStringLiteral("def"), out);
             EXPECT_EQ(out, text);
             int32_t e = -1;
             RegReadString(GetAppReg(), 1, k, n, e, out);
             EXPECT_EQ(e, 0);
             EXPECT_EQ(out, text);
         },
         [](const QString &k, const ValueName &n) {
             QString out = QStringLiteral("old");
             RegReadStringDef(GetAppReg(), 1, k, n, QStringLiteral("def"), out);
             EXPECT_EQ(out, QStringLiteral("def"));
             int32_t e = 0;
             RegReadString(GetAppReg(), 1, k, n, e, out);
             EXPECT_NE(e, 0);
             EXPECT_TRUE(out.isEmpty());
         }},
    };
    const QString key = QStringLiteral("Helpers\\Types");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        c.readsMissing(key, RegName(name));
        int32_t err = -1;
        c.write(key, RegName(name), err);
        ASSERT_EQ(err, 0);
        c.readsWritten(key, RegName(name));
        c.readsWritten(key.toUpper(), RegName(name.toUpper()));
        c.readsMissing(QStringLiteral("Helpers\\Elsewhere"), RegName(name));
    }
}

TEST_F(RegistryHelpers, TextsAndNamesStartingWithByteOrderMarkCharactersSurvive) {
    // U+FEFF and U+FFFE at the start are characters of the text, not byte-order marks.
    const QString zwnbsp = QString(QChar(0xFEFF)) + QStringLiteral("Folder");
    const QString swapped = QString(QChar(0xFFFE)) + QStringLiteral("ab");
    int32_t err = -1;
    RegWriteString(GetAppReg(), 1, QStringLiteral("Bom"), RegName(zwnbsp), swapped, err);
    ASSERT_EQ(err, 0);
    QString out;
    RegReadStringDef(GetAppReg(), 1, QStringLiteral("Bom"), RegName(zwnbsp), QString(), out);
    EXPECT_EQ(out, swapped);
    QStringList names;
    RegGetValueNames(GetAppReg(), 1, QStringLiteral("Bom"), names, err);
    EXPECT_EQ(names, QStringList{zwnbsp});
}

TEST_F(RegistryHelpers, ListsAreClearedAndFilledInOrder) {
    IAppReg *reg = GetAppReg();
    int32_t err = -1;
    const QStringList visible = {QStringLiteral("/charts/NL1CW.000"), QStringLiteral("b"),
                                 QStringLiteral("A\\B")};
    for (const QString &name : visible) RegWriteBool(reg, 1, QStringLiteral("S57\\Visible"), RegName(name), true, err);
    RegCreateKey(reg, 1, QStringLiteral("S57\\Folders\\1"), err);
    RegCreateKey(reg, 1, QStringLiteral("S57\\Folders\\0"), err);
    ASSERT_EQ(err, 0);

    struct Case { const char *name; bool keys; QString key; QStringList expected; int32_t error; };
    const Case cases[] = {
        {"value names in writing order", false, QStringLiteral("S57\\Visible"), visible, 0},
        {"key names in creation order", true, QStringLiteral("S57\\Folders"),
         {QStringLiteral("1"), QStringLiteral("0")}, 0},
        {"key without values", false, QStringLiteral("S57\\Folders"), {}, 0},
        {"key without sub-keys", true, QStringLiteral("S57\\Visible"), {}, 0},
        {"missing key", false, QStringLiteral("S57\\Nothing"), {}, KvErr::NotFound},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList list = {QStringLiteral("left over")};
        int32_t e = -1;
        if (c.keys)
            RegGetKeyNames(reg, 1, c.key, list, e);
        else
            RegGetValueNames(reg, 1, c.key, list, e);
        EXPECT_EQ(list, c.expected);
        EXPECT_EQ(e, c.error);
    }
}

TEST_F(RegistryHelpers, KeyHelpers) {
    IAppReg *reg = GetAppReg();
    int32_t err = -1;
    RegWriteInteger(reg, 1, QStringLiteral("Desktop\\SailingArea"), RegName(u"Area"), 3, err);
    RegWriteInteger(reg, 1, QStringLiteral("Desktop\\Viewer"), RegName(u"Zoom"), 4, err);
    RegWriteInteger(reg, 1, QStringLiteral("Desktop"), RegName(u"Left"), 5, err);
    ASSERT_EQ(err, 0);
    RegClearKeyExcept(reg, 1, QStringLiteral("Desktop"), QStringLiteral("SailingArea"), err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(RegReadIntegerDef(reg, 1, QStringLiteral("Desktop\\SailingArea"), RegName(u"Area"), 0), 3);
    EXPECT_FALSE(RegKeyExists(reg, 1, QStringLiteral("Desktop\\Viewer")));
    EXPECT_EQ(RegReadIntegerDef(reg, 1, QStringLiteral("Desktop"), RegName(u"Left"), 0), 0);

    RegClearKey(reg, 1, QStringLiteral("Desktop"), err);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(RegKeyExists(reg, 1, QStringLiteral("Desktop")));
    EXPECT_FALSE(RegKeyExists(reg, 1, QStringLiteral("Desktop\\SailingArea")));

    RegDeleteKey(reg, 1, QStringLiteral("Desktop"), err);
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(RegKeyExists(reg, 1, QStringLiteral("Desktop")));
    RegDeleteKey(reg, 1, QStringLiteral("Desktop"), err);
    EXPECT_EQ(err, 0) << "deleting a missing key succeeds";

    RegWriteString(reg, 1, QStringLiteral("Routes"), RegName(u"Name"), QStringLiteral("x"), err);
    RegDeleteValue(reg, 1, QStringLiteral("Routes"), RegName(u"name"), err);
    EXPECT_EQ(err, 0);
    int32_t e = 0;
    QString gone;
    RegReadString(reg, 1, QStringLiteral("Routes"), RegName(u"Name"), e, gone);
    EXPECT_EQ(e, KvErr::NotFound);

    QString path = QStringLiteral("stale");
    RegGetKeyPath(reg, 1, QStringLiteral("NavMsgDeviceManager"), err, path);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(path, QStringLiteral("Software\\Korvane\\Marivo\\Ostrel\\NavMsgDeviceManager"));
    RegGetKeyPath(reg, 0, QStringLiteral("NavMsgDeviceManager"), err, path);
    EXPECT_NE(err, 0);
    EXPECT_TRUE(path.isEmpty()) << "no text from the registry leaves the path empty";

    QString display = QStringLiteral("stale");
    RegGetDisplayName(reg, display);
    EXPECT_TRUE(display.isEmpty()) << "the normal per-user store needs no caption note";

    // Root 0 is read once, with an empty key path; nothing is shipped here.
    QString network = QStringLiteral("stale");
    RegReadString(reg, 0, QString(), RegName(u"WaterwayNetworkPath"), e, network);
    EXPECT_EQ(e, KvErr::NotFound);
    EXPECT_TRUE(network.isEmpty());
    RegWriteString(reg, 0, QString(), RegName(u"WaterwayNetworkPath"), QStringLiteral("x"), e);
    EXPECT_EQ(e, KvErr::ReadOnly);
}

}  // namespace
