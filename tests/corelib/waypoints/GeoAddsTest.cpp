// Point-of-interest databases: the file format, the type test, entries and their texts,
// pictures at offsets, entry links.
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvMarinaGuide.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <cmath>
#include <memory>

namespace {

constexpr double Rad = M_PI / 180.0;

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using TDbPtr = std::unique_ptr<IGeoAddsDatabase, Deleter>;

TStrWRec Rec(const QString &s) { return {int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())}; }
QString Text(const TStrWRec *r) { return r ? QString::fromUtf16(r->Text, r->Length) : QString(); }

const QString DbGuid = QStringLiteral("{5A0D3C11-2B44-4E5F-8A67-90B1C2D3E4F5}");
const QString Entry1 = QStringLiteral("{11111111-2222-3333-4444-555555555555}");
const QString Entry2 = QStringLiteral("{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");

QByteArray Header(uint32_t version, uint32_t type, uint64_t catalogueLength) {
    QByteArray h("KVGEOADD", 8);
    char raw[16];
    qToLittleEndian<quint32>(version, raw);
    qToLittleEndian<quint32>(type, raw + 4);
    qToLittleEndian<quint64>(catalogueLength, raw + 8);
    h.append(raw, 16);
    return h;
}

// A file with the given entries; entries with a "pictureBytes" text get that data stored
// after the catalogue and its place written into "picture".
QByteArray BuildFile(QJsonObject root, const QList<QByteArray> &pictures = {}, uint32_t version = 1,
                     uint32_t type = 1) {
    QByteArray json;
    qint64 offsetGuess = 0;
    for (int round = 0; round < 5; ++round) {
        QJsonArray entries = root.value("entries").toArray();
        qint64 at = 24 + offsetGuess;
        int p = 0;
        for (int i = 0; i < entries.size() && p < pictures.size(); ++i) {
            QJsonObject e = entries[i].toObject();
            if (!e.contains("wantsPicture")) continue;
            e.remove("wantsPicture");
            e["picture"] = QJsonObject{{"offset", double(at)}, {"size", double(pictures[p].size())}};
            at += pictures[p++].size();
            entries[i] = e;
        }
        QJsonObject r = root;
        if (root.value("entries").isArray()) r["entries"] = entries;
        json = QJsonDocument(r).toJson(QJsonDocument::Compact);
        if (json.size() == offsetGuess) break;
        offsetGuess = json.size();
    }
    QByteArray file = Header(version, type, uint64_t(json.size())) + json;
    for (const QByteArray &p : pictures) file += p;
    return file;
}

QString WriteFile(const QString &name, const QByteArray &bytes) {
    const QString path = testsupport::MakeTempDir(QStringLiteral("geoadds")) + "/" + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

const QByteArray Jpeg = QByteArray::fromHex("ffd8ffe000104a46494600") + QByteArray(40, 'x') + QByteArray::fromHex("ffd9");

QJsonObject SampleCatalogue() {
    return QJsonObject{
        {"guid", DbGuid},
        {"entries",
         QJsonArray{QJsonObject{{"guid", Entry1}, {"lat", 52.37}, {"lon", 4.90}, {"name", "Scheepsbouw & Zn"},
                                {"address", "Kade 12"}, {"place", "Amsterdam"}, {"phone", "+31 20 1234567"},
                                {"website", "https://example.org/"}, {"openingHours", "Ma–Vr 9–17"},
                                {"specialty", "Diesel engines"}, {"comments", "Ask for <Piet>"},
                                {"email", "info@example.org"}, {"mooring", true}, {"wantsPicture", true}},
                    QJsonObject{{"guid", Entry2}, {"lat", 52.0}, {"lon", 5.0}, {"name", "Kiosk"}}}},
        {"marinas", QJsonArray{QJsonObject{{"Name", "Jachthaven"}, {"Lat", 52.1}, {"Lon", 5.1}}}},
    };
}

}  // namespace

TEST(GeoAdds, TypeTestOfFiles) {
    struct Case { const char *name; QByteArray bytes; int32_t err; int32_t type; };
    const QByteArray good = BuildFile(SampleCatalogue(), {Jpeg});
    const Case cases[] = {
        {"point-of-interest database", good, KvErr::Ok, 1},
        {"another kind of info database", BuildFile(SampleCatalogue(), {}, 1, 2), KvErr::Ok, 2},
        {"newer version", BuildFile(SampleCatalogue(), {}, 2, 1), KvErr::BadVersion, 0},
        {"version 0", BuildFile(SampleCatalogue(), {}, 0, 1), KvErr::BadFormat, 0},
        {"a waypoint database or anything else", QByteArray("SQLite format 3\0 and more bytes here", 37), KvErr::BadFormat, 0},
        {"shorter than a header", QByteArray("KVGEO"), KvErr::BadFormat, 0},
        {"catalogue longer than the file", Header(1, 1, 5000) + "{}", KvErr::BadFormat, 0},
        {"empty file", QByteArray(), KvErr::BadFormat, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile("test.content", c.bytes);
        int32_t type = -1, err = -1;
        WptInfoDatabaseGetTypeFromFile(Rec(path), type, err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(type, c.type);
    }
    int32_t type = -1, err = 0;
    WptInfoDatabaseGetTypeFromFile(Rec(QStringLiteral("/nonexistent/x.content")), type, err);
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_EQ(type, 0);
}

TEST(GeoAdds, OpenReadsEntriesTextsAndPictures) {
    const QString path = WriteFile("poi.content", BuildFile(SampleCatalogue(), {Jpeg}));
    TDbPtr db(GeoAddsDatabaseCreate());
    EXPECT_EQ(db->GetType(), 0);
    EXPECT_EQ(db->GetObject(0), nullptr);
    int32_t err = -1;
    db->Open(Rec(path), TGUID{}, err);
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(db->GetType(), WptInfoDatabaseType::PointOfInterest);
    EXPECT_EQ(Text(db->GetFileName()), path);

    IGeoAddsEntry *e = db->GetObject(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetDatabase(), db.get());
    struct T { const char *name; const TStrWRec *(IGeoAddsEntry::*get)(); const char *want; };
    const T texts[] = {
        {"name", &IGeoAddsEntry::GetName, "Scheepsbouw & Zn"},
        {"address", &IGeoAddsEntry::GetAddress, "Kade 12"},
        {"place", &IGeoAddsEntry::GetPlace, "Amsterdam"},
        {"phone", &IGeoAddsEntry::GetPhone, "+31 20 1234567"},
        {"website", &IGeoAddsEntry::GetWebsite, "https://example.org/"},
        {"opening hours", &IGeoAddsEntry::GetOpeningHours, "Ma–Vr 9–17"},
        {"specialty", &IGeoAddsEntry::GetSpecialty, "Diesel engines"},
        {"comments", &IGeoAddsEntry::GetComments, "Ask for <Piet>"},
        {"e-mail", &IGeoAddsEntry::GetEmail, "info@example.org"},
        {"html", &IGeoAddsEntry::GetHTML, ""},
    };
    for (const auto &t : texts) EXPECT_EQ(Text((e->*t.get)()), QString::fromUtf8(t.want)) << t.name;
    EXPECT_TRUE(e->HasMooring());
    EXPECT_FALSE(e->HasTerrace());

    // The picture is where the entry says, inside the file.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    ASSERT_GT(e->GetPictureOffset(), 24);
    f.seek(e->GetPictureOffset());
    EXPECT_EQ(f.read(Jpeg.size()), Jpeg);

    // Absent fields: empty texts, no picture.
    IGeoAddsEntry *kiosk = db->GetObject(1);
    ASSERT_NE(kiosk, nullptr);
    EXPECT_EQ(Text(kiosk->GetName()), QStringLiteral("Kiosk"));
    for (const auto &t : texts)
        if (std::string(t.name) != "name") {
            EXPECT_TRUE(Text((kiosk->*t.get)()).isEmpty()) << t.name;
        }
    EXPECT_LT(kiosk->GetPictureOffset(), 0);
    EXPECT_EQ(db->GetObject(2), nullptr);
    EXPECT_EQ(db->GetObject(-1), nullptr);
}

TEST(GeoAdds, EntriesAreFoundByPositionAndByLink) {
    const QString path = WriteFile("poi.content", BuildFile(SampleCatalogue(), {Jpeg}));
    TDbPtr db(GeoAddsDatabaseCreate());
    int32_t err = -1;
    db->Open(Rec(path), TGUID{}, err);
    ASSERT_EQ(err, 0);
    int32_t index = -1;
    // About 30 m from the first entry: a hit; 1 km away: none.
    EXPECT_TRUE(db->ObjectAt({52.37 * Rad + 30.0 / 6371000.0, 4.90 * Rad}, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(db->ObjectAt({52.38 * Rad, 4.90 * Rad}, index));
    EXPECT_EQ(index, -1);

    TEntryRef ref;
    ASSERT_TRUE(NavValidateDatabaseEntryLink(Rec("geoadds:" + DbGuid + "/" + Entry2), Rec("geoadds"), nullptr, ref));
    EXPECT_EQ(db->FindEntry(ref), db->GetObject(1));
    ref.Entry.D1 ^= 1;
    EXPECT_EQ(db->FindEntry(ref), nullptr);
    ASSERT_TRUE(NavValidateDatabaseEntryLink(Rec("geoadds:" + Entry1), Rec("geoadds"), &ref.Database, ref));
    EXPECT_EQ(db->FindEntry(ref), db->GetObject(0));
    TEntryRef otherDb = ref;
    otherDb.Database.D2 ^= 1;
    EXPECT_EQ(db->FindEntry(otherDb), nullptr);
}

TEST(GeoAdds, DamagedFilesAreRefusedAndTheOpenDataStays) {
    const QString good = WriteFile("good.content", BuildFile(SampleCatalogue(), {Jpeg}));
    TDbPtr db(GeoAddsDatabaseCreate());
    int32_t err = -1;
    db->Open(Rec(good), TGUID{}, err);
    ASSERT_EQ(err, 0);

    auto spoiled = [](auto change) {
        QJsonObject c = SampleCatalogue();
        change(c);
        return c;
    };
    struct Case { const char *name; QByteArray bytes; int32_t err; };
    QJsonObject badPicture = SampleCatalogue();
    {
        QJsonArray entries = badPicture["entries"].toArray();
        QJsonObject e = entries[0].toObject();
        e.remove("wantsPicture");
        e["picture"] = QJsonObject{{"offset", 1e9}, {"size", 10}};
        entries[0] = e;
        badPicture["entries"] = entries;
    }
    const Case cases[] = {
        {"not JSON", Header(1, 1, 5) + "{oops", KvErr::BadFormat},
        {"no database GUID", BuildFile(spoiled([](QJsonObject &c) { c.remove("guid"); })), KvErr::BadFormat},
        {"entries not a list", BuildFile(spoiled([](QJsonObject &c) { c["entries"] = 3; })), KvErr::BadFormat},
        {"entry without position",
         BuildFile(spoiled([](QJsonObject &c) { c["entries"] = QJsonArray{QJsonObject{{"guid", Entry1}}}; })), KvErr::BadFormat},
        {"entry with a bad GUID",
         BuildFile(spoiled([](QJsonObject &c) { c["entries"] = QJsonArray{QJsonObject{{"guid", "{1234}"}, {"lat", 1}, {"lon", 1}}}; })), KvErr::BadFormat},
        {"picture outside the file", BuildFile(badPicture), KvErr::BadFormat},
        {"marina guide not a list", BuildFile(spoiled([](QJsonObject &c) { c["marinas"] = "x"; })), KvErr::BadFormat},
        {"marina that is no record", BuildFile(spoiled([](QJsonObject &c) { c["marinas"] = QJsonArray{1}; })), KvErr::BadFormat},
        {"another kind of database", BuildFile(SampleCatalogue(), {}, 1, 2), KvErr::BadFormat},
        {"newer version", BuildFile(SampleCatalogue(), {}, 7, 1), KvErr::BadVersion},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile("bad.content", c.bytes);
        err = 0;
        db->Open(Rec(path), TGUID{}, err);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(Text(db->GetFileName()), good);
        ASSERT_NE(db->GetObject(1), nullptr);
        EXPECT_EQ(Text(db->GetObject(1)->GetName()), QStringLiteral("Kiosk"));
    }
}

TEST(EntryLinks, ValidationTable) {
    TGUID given;
    given.D1 = 0xFEEDF00D;
    struct Case {
        const char *name;
        QString link;
        const char *scheme;
        bool withDatabase;
        bool valid;
        uint32_t dbD1;     // D1 of the database in the reference
        uint32_t entryD1;  // D1 of the entry in the reference
    };
    const Case cases[] = {
        {"database and entry", "geoadds:" + DbGuid + "/" + Entry1, "geoadds", false, true, 0x5A0D3C11, 0x11111111},
        {"entry of the given database", "geoadds:" + Entry2, "geoadds", true, true, 0xFEEDF00D, 0xAAAAAAAA},
        {"link's database wins", "geoadds:" + DbGuid + "/" + Entry2, "geoadds", true, true, 0x5A0D3C11, 0xAAAAAAAA},
        {"no database at all", "geoadds:" + Entry2, "geoadds", false, false, 0, 0},
        {"scheme in capitals", "GeoAdds:" + Entry2.toLower(), "geoadds", true, true, 0xFEEDF00D, 0xAAAAAAAA},
        {"structure without network", "wwstruct:" + Entry1, "wwstruct", false, true, 0, 0x11111111},
        {"structure of a network", "wwstruct:" + DbGuid + "/" + Entry1, "wwstruct", false, true, 0x5A0D3C11, 0x11111111},
        {"other scheme than asked", "wwstruct:" + Entry1, "geoadds", true, false, 0, 0},
        {"scheme nobody knows", "http:" + Entry1, "http", true, false, 0, 0},
        {"web address", "https://example.org/", "geoadds", true, false, 0, 0},
        {"empty", "", "geoadds", true, false, 0, 0},
        {"scheme only", "geoadds:", "geoadds", true, false, 0, 0},
        {"garbage GUID", "geoadds:{XYZ}", "geoadds", true, false, 0, 0},
        {"GUID without braces", "geoadds:" + Entry1.mid(1, 36), "geoadds", true, false, 0, 0},
        {"trailing text", "geoadds:" + Entry1 + "x", "geoadds", true, false, 0, 0},
        {"blank inside", "geoadds: " + Entry1, "geoadds", true, false, 0, 0},
        {"two slashes", "geoadds:" + DbGuid + "//" + Entry1, "geoadds", true, false, 0, 0},
        {"three parts", "geoadds:" + DbGuid + "/" + Entry1 + "/" + Entry2, "geoadds", true, false, 0, 0},
        {"null entry", "geoadds:{00000000-0000-0000-0000-000000000000}", "geoadds", true, false, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TEntryRef ref;
        ref.Entry.D1 = 0x77;
        const QString scheme = QString::fromLatin1(c.scheme);
        bool result = !c.valid;
        EXPECT_NO_THROW(result = NavValidateDatabaseEntryLink(Rec(c.link), Rec(scheme), c.withDatabase ? &given : nullptr, ref));
        EXPECT_EQ(result, c.valid);
        if (c.valid) {
            EXPECT_EQ(ref.Database.D1, c.dbD1);
            EXPECT_EQ(ref.Entry.D1, c.entryD1);
        } else {
            EXPECT_EQ(ref.Entry.D1, 0x77u);  // untouched
        }
    }
}
