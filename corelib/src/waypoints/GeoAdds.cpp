// Point-of-interest databases (".content" files of chart products).
//
// File format, version 1 (all integers little-endian):
//   offset  0  8 bytes   magic "KVGEOADD"
//   offset  8  uint32    format version (1)
//   offset 12  uint32    database type (WptInfoDatabaseType; 1 = point of interest)
//   offset 16  uint64    length N of the catalogue that follows
//   offset 24  N bytes   catalogue: a UTF-8 JSON object
//   then                 picture data (JPEG), placed where the catalogue says
// Catalogue: {"guid": "{…}" (the database's identity, used by entry links),
//             "entries": [ {"guid": "{…}", "lat": deg, "lon": deg, "name", "address",
//                           "place", "comments", "email", "html", "openingHours", "phone",
//                           "specialty", "website" (texts), "mooring", "terrace" (Booleans),
//                           "picture": {"offset": byte offset in the file, "size": bytes}} ],
//             "marinas": [ marina-guide entries, see MarinaGuide.h ] }
// A reader refuses a newer version (KvErr::BadVersion) and any file whose catalogue or
// picture places do not fit the file (KvErr::BadFormat); nothing of such a file is used.
#include "waypoints/GeoAdds.h"

#include "kernel/KvInternal.h"
#include "waypoints/MarinaGuide.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <GeographicLib/Geodesic.hpp>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr char Magic[8] = {'K', 'V', 'G', 'E', 'O', 'A', 'D', 'D'};
constexpr uint32_t FormatVersion = 1;
constexpr qint64 HeaderSize = 24;
constexpr double DegToRad = M_PI / 180.0;
constexpr double RadToDeg = 180.0 / M_PI;
// A click within this distance of an entry's symbol hits it.
constexpr double HitDistanceM = 100.0;

struct THeader {
    uint32_t Version = 0;
    int32_t Type = 0;
    uint64_t CatalogueLength = 0;
};

int32_t ReadHeader(QFile &file, THeader &header) {
    if (!file.exists()) return KvErr::NotFound;
    if (!file.open(QIODevice::ReadOnly)) return KvErr::ReadFailed;
    char raw[HeaderSize];
    if (file.read(raw, HeaderSize) != HeaderSize) return KvErr::BadFormat;
    if (std::memcmp(raw, Magic, sizeof Magic) != 0) return KvErr::BadFormat;
    header.Version = qFromLittleEndian<quint32>(raw + 8);
    header.Type = int32_t(qFromLittleEndian<quint32>(raw + 12));
    header.CatalogueLength = qFromLittleEndian<quint64>(raw + 16);
    if (header.Version == 0) return KvErr::BadFormat;
    if (header.Version > FormatVersion) return KvErr::BadVersion;
    if (header.CatalogueLength > uint64_t(file.size() - HeaderSize)) return KvErr::BadFormat;
    return KvErr::Ok;
}

bool ParseGuid(const QJsonValue &value, TGUID &out) {
    if (!value.isString()) return false;
    return kv::geoadds::GuidFromText(value.toString(), out);
}

class TGeoAddsDatabase;

class TGeoAddsEntry final : public IGeoAddsEntry {
public:
    TGeoAddsEntry(TGeoAddsDatabase *db, const QJsonObject &o) : FDatabase(db) {
        auto text = [&o](const char *key) { return o.value(QLatin1String(key)).toString(); };
        FAddress.Set(text("address"));
        FPlace.Set(text("place"));
        FComments.Set(text("comments"));
        FEmail.Set(text("email"));
        FHTML.Set(text("html"));
        FName.Set(text("name"));
        FOpeningHours.Set(text("openingHours"));
        FPhone.Set(text("phone"));
        FSpecialty.Set(text("specialty"));
        FWebsite.Set(text("website"));
        FMooring = o.value(QLatin1String("mooring")).toBool(false);
        FTerrace = o.value(QLatin1String("terrace")).toBool(false);
        FPosition = {o.value(QLatin1String("lat")).toDouble() * DegToRad,
                     o.value(QLatin1String("lon")).toDouble() * DegToRad};
    }
    const TStrWRec *GetAddress() override { return FAddress.Get(); }
    const TStrWRec *GetPlace() override { return FPlace.Get(); }
    const TStrWRec *GetComments() override { return FComments.Get(); }
    const TStrWRec *GetEmail() override { return FEmail.Get(); }
    const TStrWRec *GetHTML() override { return FHTML.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetOpeningHours() override { return FOpeningHours.Get(); }
    const TStrWRec *GetPhone() override { return FPhone.Get(); }
    const TStrWRec *GetSpecialty() override { return FSpecialty.Get(); }
    const TStrWRec *GetWebsite() override { return FWebsite.Get(); }
    IGeoAddsDatabase *GetDatabase() override;
    int64_t GetPictureOffset() override { return FPictureOffset; }
    bool HasMooring() override { return FMooring; }
    bool HasTerrace() override { return FTerrace; }

    TGUID Guid;
    TGeoPoint FPosition;
    int64_t FPictureOffset = -1;

private:
    TGeoAddsDatabase *FDatabase;
    kv::TOwnedText FAddress, FPlace, FComments, FEmail, FHTML, FName, FOpeningHours, FPhone,
        FSpecialty, FWebsite;
    bool FMooring = false, FTerrace = false;
};

class TGeoAddsDatabase final : public IGeoAddsDatabase {
public:
    bool ObjectAt(const TGeoPoint &pos, int32_t &index) override {
        index = -1;
        double best = HitDistanceM;
        const GeographicLib::Geodesic &g = GeographicLib::Geodesic::WGS84();
        for (size_t i = 0; i < FEntries.size(); ++i) {
            const TGeoPoint &p = FEntries[i]->FPosition;
            double s12 = 0;
            g.Inverse(pos.Lat * RadToDeg, pos.Lon * RadToDeg, p.Lat * RadToDeg, p.Lon * RadToDeg, s12);
            if (s12 <= best) {
                best = s12;
                index = int32_t(i);
            }
        }
        return index >= 0;
    }
    int32_t GetType() override { return FType; }
    const TStrWRec *GetFileName() override { return FFileName.Get(); }

    void Open(const TStrWRec &fileRec, const TGUID &productGuid, int32_t &err) override {
        // A file that cannot be read leaves the data of the previous Open in place.
        TLoaded loaded;
        err = Load(kv::ToQString(fileRec), loaded);
        if (err != KvErr::Ok) return;
        FEntries = std::move(loaded.Entries);
        FMarinas = std::move(loaded.Marinas);
        FGuid = loaded.Guid;
        FType = loaded.Type;
        FProduct = productGuid;
        FFileName.Set(loaded.FileName);
    }

    IGeoAddsEntry *GetObject(int32_t index) override {
        if (index < 0 || size_t(index) >= FEntries.size()) return nullptr;
        return FEntries[size_t(index)].get();
    }

    IGeoAddsEntry *FindEntry(const TEntryRef &ref) override {
        if (!(ref.Database == FGuid)) return nullptr;
        for (const auto &e : FEntries)
            if (e->Guid == ref.Entry) return e.get();
        return nullptr;
    }

    const std::vector<std::unique_ptr<IMarinaGuideEntry>> &Marinas() const { return FMarinas; }

private:
    struct TLoaded {
        QString FileName;
        TGUID Guid;
        int32_t Type = 0;
        std::vector<std::unique_ptr<TGeoAddsEntry>> Entries;
        std::vector<std::unique_ptr<IMarinaGuideEntry>> Marinas;
    };

    int32_t Load(const QString &fileName, TLoaded &out) {
        QFile file(fileName);
        THeader header;
        if (const int32_t err = ReadHeader(file, header); err != KvErr::Ok) return err;
        if (header.Type != WptInfoDatabaseType::PointOfInterest) return KvErr::BadFormat;
        const QByteArray json = file.read(qint64(header.CatalogueLength));
        if (json.size() != qint64(header.CatalogueLength)) return KvErr::ReadFailed;
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject()) return KvErr::BadFormat;
        const QJsonObject root = doc.object();
        if (!ParseGuid(root.value(QLatin1String("guid")), out.Guid)) return KvErr::BadFormat;
        const QJsonValue entries = root.value(QLatin1String("entries"));
        if (!entries.isArray() && !entries.isUndefined()) return KvErr::BadFormat;
        const qint64 fileSize = file.size();
        for (const QJsonValue &v : entries.toArray()) {
            if (!v.isObject()) return KvErr::BadFormat;
            const QJsonObject o = v.toObject();
            auto entry = std::make_unique<TGeoAddsEntry>(this, o);
            if (!ParseGuid(o.value(QLatin1String("guid")), entry->Guid)) return KvErr::BadFormat;
            if (!o.value(QLatin1String("lat")).isDouble() || !o.value(QLatin1String("lon")).isDouble())
                return KvErr::BadFormat;
            const QJsonValue pic = o.value(QLatin1String("picture"));
            if (pic.isObject()) {
                const double offset = pic.toObject().value(QLatin1String("offset")).toDouble(-1);
                const double size = pic.toObject().value(QLatin1String("size")).toDouble(-1);
                const double dataStart = double(HeaderSize) + double(header.CatalogueLength);
                if (offset < dataStart || size <= 0 || offset + size > double(fileSize) ||
                    offset != std::floor(offset))
                    return KvErr::BadFormat;
                entry->FPictureOffset = int64_t(offset);
            } else if (!pic.isUndefined() && !pic.isNull()) {
                return KvErr::BadFormat;
            }
            out.Entries.push_back(std::move(entry));
        }
        const QJsonValue marinas = root.value(QLatin1String("marinas"));
        if (!marinas.isArray() && !marinas.isUndefined()) return KvErr::BadFormat;
        for (const QJsonValue &v : marinas.toArray()) {
            if (!v.isObject()) return KvErr::BadFormat;
            out.Marinas.push_back(kv::marina::EntryFromJson(v.toObject()));
        }
        out.Type = header.Type;
        out.FileName = QFileInfo(fileName).absoluteFilePath();
        return KvErr::Ok;
    }

    std::vector<std::unique_ptr<TGeoAddsEntry>> FEntries;
    std::vector<std::unique_ptr<IMarinaGuideEntry>> FMarinas;
    TGUID FGuid;
    TGUID FProduct;
    int32_t FType = 0;
    kv::TOwnedText FFileName;
};

IGeoAddsDatabase *TGeoAddsEntry::GetDatabase() { return FDatabase; }

}  // namespace

namespace kv::geoadds {

bool GuidFromText(const QString &text, TGUID &out) {
    // Exactly the registry form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, any case.
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}') return false;
    for (qsizetype i = 1; i < 37; ++i) {
        const QChar c = text[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != u'-' : !isxdigit(c.unicode() < 128 ? c.toLatin1() : 'x')) return false;
    }
    const QUuid u(text);
    if (u.isNull()) return false;
    out.D1 = u.data1;
    out.D2 = u.data2;
    out.D3 = u.data3;
    std::memcpy(out.D4, u.data4, 8);
    return true;
}

const std::vector<std::unique_ptr<IMarinaGuideEntry>> *MarinaEntries(IGeoAddsDatabase *db) {
    auto *own = dynamic_cast<TGeoAddsDatabase *>(db);
    return own ? &own->Marinas() : nullptr;
}

}  // namespace kv::geoadds

IGeoAddsDatabase *GeoAddsDatabaseCreate() { return new TGeoAddsDatabase; }

void WptInfoDatabaseGetTypeFromFile(const TStrWRec &file, int32_t &type, int32_t &err) {
    type = 0;
    QFile f(kv::ToQString(file));
    THeader header;
    err = ReadHeader(f, header);
    if (err == KvErr::Ok) type = header.Type;
}
