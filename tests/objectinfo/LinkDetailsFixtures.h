// Real core-library objects for the details-panel tests: waypoints of a fresh database and
// point-of-interest database files written in the library's format.
#pragma once

#include "CoreTestSupport.h"
#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvMarinaGuide.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <cmath>

namespace linkdetailstest {

// Waypoints in an unsaved database of their own manager.
class TWaypoints {
public:
    TWaypoints() {
        int32_t err = KvErr::Ok;
        testsupport::Rec font(QStringLiteral("DejaVu Sans"));
        FManager.reset(WptManagerCreate(nullptr, nullptr, 0, 0.0f, 0.0f, font, 8.0f, 0, 0xFF000000u,
                                        8.0f, 0, 0xFF000000u, 8.0f, 0, 0xFF000000u, 5, nullptr,
                                        false, nullptr, nullptr, nullptr, nullptr, err));
        testsupport::Rec name(QStringLiteral("Test"));
        if (FManager) FDatabase = FManager->NewDatabase(name);
    }
    ~TWaypoints() {
        if (FDatabase) FDatabase->Close();
    }
    // Degrees in, radians kept.
    IWptWaypoint *Add(const QString &name, double latDeg, double lonDeg, const QString &subName = {},
                      const QString &link = {}) {
        if (!FDatabase) return nullptr;
        const TGeoPoint3 pos{latDeg * M_PI / 180.0, lonDeg * M_PI / 180.0, 0.0};
        IWptWaypoint *w = FDatabase->NewWaypoint(nullptr, pos, FManager->GetDefaultWaypointType());
        int32_t err = 0;
        testsupport::Rec n(name), s(subName), l(link);
        w->SetName(n, err);
        w->SetSubName(s, err);
        w->SetLink(l, err);
        return w;
    }

private:
    testsupport::Owned<IWptManager> FManager;
    IWptDatabase *FDatabase = nullptr;
};

inline QByteArray JpegBytes(const QColor &colour, QSize size = QSize(40, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

inline const QString DatabaseGuid = QStringLiteral("{6B1E64B2-0C0E-4B7E-9D0A-6F2F8C3D5A10}");

// A point-of-interest file with the entries given; an entry with "picture": true gets the
// JPEG, stored at pictureOffset (past the catalogue; a hole before it keeps a far offset
// cheap on disk).
inline bool WritePointFile(const QString &file, const QJsonArray &entries,
                           const QByteArray &picture = {}, qint64 pictureOffset = 65536) {
    QJsonArray placed;
    for (const QJsonValue &v : entries) {
        QJsonObject o = v.toObject();
        if (o.value(QStringLiteral("picture")).toBool())
            o.insert(QStringLiteral("picture"),
                     QJsonObject{{QStringLiteral("offset"), double(pictureOffset)},
                                 {QStringLiteral("size"), double(picture.size())}});
        placed << o;
    }
    const QByteArray json =
        QJsonDocument(QJsonObject{{QStringLiteral("guid"), DatabaseGuid}, {QStringLiteral("entries"), placed}})
            .toJson(QJsonDocument::Compact);
    if (!picture.isEmpty() && pictureOffset < 24 + json.size()) return false;
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    char raw[16];
    qToLittleEndian<quint32>(1, raw);
    qToLittleEndian<quint32>(1, raw + 4);
    qToLittleEndian<quint64>(quint64(json.size()), raw + 8);
    f.write("KVGEOADD", 8);
    f.write(raw, 16);
    f.write(json);
    if (!picture.isEmpty() && (!f.seek(pictureOffset) || f.write(picture) != picture.size()))
        return false;
    return f.error() == QFileDevice::NoError;
}

inline QJsonObject PointEntry(const QString &guid, const QString &name) {
    return QJsonObject{{QStringLiteral("guid"), guid}, {QStringLiteral("lat"), 52.1},
                       {QStringLiteral("lon"), 5.2}, {QStringLiteral("name"), name}};
}

inline testsupport::Owned<IGeoAddsDatabase> OpenPointFile(const QString &file) {
    testsupport::Owned<IGeoAddsDatabase> db(GeoAddsDatabaseCreate());
    int32_t err = -1;
    testsupport::Rec name(file);
    db->Open(name, TGUID{}, err);
    return err == KvErr::Ok ? std::move(db) : nullptr;
}

}  // namespace linkdetailstest
