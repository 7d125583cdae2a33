// Program information from the build configuration, and version side files.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLib.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace {

int32_t Pack(int major, int minor, int release, int build) {
    return int32_t((uint32_t(major & 0xFF) << 24) | (uint32_t(minor & 0xFF) << 16) |
                   (uint32_t(release & 0xFF) << 8) | uint32_t(build & 0xFF));
}

TGUID GuidFromText(const QString &text) {
    const QUuid u(text);
    TGUID g;
    g.D1 = u.data1;
    g.D2 = u.data2;
    g.D3 = u.data3;
    for (int i = 0; i < 8; ++i) g.D4[i] = u.data4[i];
    return g;
}

QString ProgramFolder() {
    // An override lets an installed program keep its data beside a moved binary.
    const QString forced = qEnvironmentVariable("MARIVO_PROG_DIR");
    QString dir = !forced.isEmpty() ? forced
                  : QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                 : QFileInfo(QStringLiteral("/proc/self/exe"))
                                                       .symLinkTarget()
                                                       .section('/', 0, -2);
    if (!dir.endsWith('/')) dir += '/';
    return dir;
}

class TProgInfo final : public IProgInfo {
public:
    const TStrWRec *GetProgDir() override { return FDir.Set(ProgramFolder()); }
    TDateTime GetVersionDate() override {
        const QDate d = QDate::fromString(QStringLiteral(MARIVO_VERSION_DATE), Qt::ISODate);
        return double(QDate(1899, 12, 30).daysTo(d));
    }
    const TGUID *GetProductGUID() override {
        static const TGUID guid = GuidFromText(QStringLiteral(MARIVO_PRODUCT_GUID));
        return &guid;
    }
    const TStrWRec *GetTitle() override { return FTitle.Set(QStringLiteral(MARIVO_TITLE)); }
    const int32_t *GetVersion() override {
        static const int32_t version = Pack(MARIVO_VERSION_MAJOR, MARIVO_VERSION_MINOR,
                                            MARIVO_VERSION_PATCH, MARIVO_VERSION_TWEAK);
        return &version;
    }
    bool GetVerbose() override { return false; }

private:
    kv::TOwnedText FDir;
    kv::TOwnedText FTitle;
};

}  // namespace

IProgInfo *GetProgInfo() {
    static TProgInfo info;
    return &info;
}

void VersionInfoGetProgNameAndVersion(const TStrWRec &file, IStrW *nameOut,
                                      int32_t &packedVersion, int32_t &err) {
    // Linux executables carry no version resource, so a companion program ships a side
    // file "<program>.version" with the lines "Name=…" and "Version=a.b.c.d".
    packedVersion = 0;
    kv::SetStrW(nameOut, QString());
    QFile side(kv::ToQString(file) + QStringLiteral(".version"));
    if (!side.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err = KvErr::NotFound;
        return;
    }
    QString name;
    bool versionFound = false;
    while (!side.atEnd()) {
        const QString line = QString::fromUtf8(side.readLine()).trimmed();
        const QString key = line.section('=', 0, 0).trimmed();
        const QString value = line.section('=', 1).trimmed();
        if (key.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0) {
            name = value;
        } else if (key.compare(QStringLiteral("Version"), Qt::CaseInsensitive) == 0) {
            const QStringList parts = value.split('.');
            int n[4] = {0, 0, 0, 0};
            bool ok = !parts.isEmpty() && parts.size() <= 4;
            for (int i = 0; ok && i < parts.size(); ++i) {
                n[i] = parts[i].toInt(&ok);
                ok = ok && n[i] >= 0 && n[i] <= 255;
            }
            if (!ok) {
                err = KvErr::BadFormat;
                return;
            }
            packedVersion = Pack(n[0], n[1], n[2], n[3]);
            versionFound = true;
        }
    }
    if (!versionFound) {
        err = KvErr::BadFormat;
        return;
    }
    kv::SetStrW(nameOut, name);
    err = KvErr::Ok;
}
