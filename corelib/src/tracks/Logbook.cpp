// The ship's logbook: a small versioned entry file with picture thumbnails.
#include "tracks/LogbookImpl.h"

#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>

Q_LOGGING_CATEGORY(lcLogbook, "kvlibnav6.logbook")

namespace kv {

namespace {

constexpr qint64 MaxLogbookBytes = 64 * 1024 * 1024;
constexpr int EntryFieldCount = 16;  // "Entry" and fifteen values

enum EntryFlag : int32_t {
    FlagHasPosition = 1,
    FlagCourseAndSpeedValid = 2,
    FlagSimulated = 4,
    FlagHasContext = 8,
    FlagAll = 15,
};

TDateTime NowUTC() {
    // Days since 1899-12-30; 25569 is 1970-01-01.
    return double(QDateTime::currentMSecsSinceEpoch()) / 86400000.0 + 25569.0;
}

QString Escape(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

bool Unescape(QStringView s, QString &out) {
    out.clear();
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= s.size()) return false;
        switch (s[i].unicode()) {
        case '\\': out += QLatin1Char('\\'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        default: return false;
        }
    }
    return true;
}

// The shortest text that reads back to the same value, independent of the locale.
// Non-finite values are never written: a NaN would not read back.
template <class T>
QString Num(T v) {
    if (!std::isfinite(v)) return QStringLiteral("0");
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, r.ptr - buf);
}

bool ToInt(QStringView s, int32_t &v) {
    bool ok = false;
    v = s.toInt(&ok);
    return ok;
}
bool ToDouble(QStringView s, double &v) {
    bool ok = false;
    v = s.toDouble(&ok);
    return ok && std::isfinite(v);
}
bool ToFloat(QStringView s, float &v) {
    double d = 0.0;
    if (!ToDouble(s, d) || std::fabs(d) > 3.4e38) return false;
    v = float(d);
    return true;
}

bool ParseEntry(const QList<QStringView> &f, TLogbookEntry &e) {
    if (f.size() != EntryFieldCount) return false;
    int32_t flags = 0;
    TLogbookContext &c = e.Context;
    if (!ToInt(f[1], e.Id) || e.Id <= 0 || !ToInt(f[2], e.Kind) || !ToInt(f[3], e.Option2) ||
        !ToInt(f[4], e.Option3) || !ToDouble(f[5], c.TimeUTC) || !ToInt(f[6], flags) ||
        (flags & ~FlagAll) != 0 || !ToDouble(f[7], c.Position.Lat) ||
        !ToDouble(f[8], c.Position.Lon) || !ToFloat(f[9], c.CourseOverGround) ||
        !ToFloat(f[10], c.SpeedOverGround) || !ToFloat(f[11], c.Heading) ||
        !ToDouble(f[12], c.DistanceOverGround) || !ToDouble(f[13], c.RouteDistance))
        return false;
    c.HasPosition = flags & FlagHasPosition;
    c.CourseAndSpeedValid = flags & FlagCourseAndSpeedValid;
    c.Simulated = flags & FlagSimulated;
    e.HasContext = flags & FlagHasContext;
    return Unescape(f[14], e.Picture) && Unescape(f[15], e.Text);
}

}  // namespace

TNavLogbook::TNavLogbook(QString file, NavObject *owner, ThumbnailProc thumbnail)
    : FFile(std::move(file)), FOwner(owner), FThumbnail(thumbnail) {}

QString TNavLogbook::ThumbnailFolder() const { return FFile + QLatin1String(".thumbs"); }

QString TNavLogbook::ThumbnailFile(const TLogbookEntry &e) const {
    return ThumbnailFolder() + QLatin1Char('/') + QString::number(e.Id) + QLatin1String(".png");
}

QString TNavLogbook::PicturePath(const TLogbookEntry &e) const {
    if (e.Picture.isEmpty()) return QString();
    return QFileInfo(QFileInfo(FFile).absoluteDir(), e.Picture).absoluteFilePath();
}

void TNavLogbook::MakeThumbnail(const TLogbookEntry &e) {
    if (!FThumbnail || e.Picture.isEmpty()) return;
    const QString source = PicturePath(e);
    if (!QFileInfo(source).isFile()) return;  // a picture that went away is skipped
    const QString target = ThumbnailFile(e);
    if (QFileInfo::exists(target)) return;
    if (!QDir().mkpath(ThumbnailFolder())) {
        qCWarning(lcLogbook) << "Thumbnail folder not created:" << ThumbnailFolder();
        return;
    }
    // The program's callback catches for itself; this guards the entry list against one that
    // does not, so a bad picture never costs the logbook.
    try {
        FThumbnail(reinterpret_cast<const char16_t *>(source.utf16()),
                   reinterpret_cast<const char16_t *>(target.utf16()), LogbookThumbnailWidth,
                   LogbookThumbnailHeight);
    } catch (...) {
        qCWarning(lcLogbook) << "Thumbnail callback failed for" << source;
    }
}

void TNavLogbook::AddEntry(const TStrWRec &text, const TStrWRec &pictureFile, int32_t entryKind,
                           const TLogbookContext *context, int32_t option2, int32_t option3) {
    TLogbookEntry e;
    e.Id = FNextId++;
    e.Kind = entryKind;
    e.Option2 = option2;
    e.Option3 = option3;
    e.HasContext = context != nullptr;
    if (context) e.Context = *context;
    else e.Context.TimeUTC = NowUTC();
    e.Picture = ToQString(pictureFile);
    e.Text = ToQString(text);
    FEntries.push_back(e);
    MakeThumbnail(FEntries.back());
}

void TNavLogbook::SetUTCOffset(int32_t minutes) {
    // Offsets beyond a day are no time zone; keep the last good one.
    if (minutes >= -24 * 60 && minutes <= 24 * 60) FUTCOffset = minutes;
}

QByteArray TNavLogbook::Serialize() const {
    QString s;
    const QChar tab = QLatin1Char('\t'), nl = QLatin1Char('\n');
    s += QLatin1String("KvNavLogbook") + tab + QString::number(LogbookVersion) + nl;
    s += QLatin1String("UTCOffset") + tab + QString::number(FUTCOffset) + nl;
    for (const TLogbookEntry &e : FEntries) {
        const TLogbookContext &c = e.Context;
        const int32_t flags = (c.HasPosition ? FlagHasPosition : 0) |
                              (c.CourseAndSpeedValid ? FlagCourseAndSpeedValid : 0) |
                              (c.Simulated ? FlagSimulated : 0) | (e.HasContext ? FlagHasContext : 0);
        const QStringList fields = {QStringLiteral("Entry"), QString::number(e.Id),
                                    QString::number(e.Kind), QString::number(e.Option2),
                                    QString::number(e.Option3), Num(c.TimeUTC),
                                    QString::number(flags), Num(c.Position.Lat),
                                    Num(c.Position.Lon), Num(c.CourseOverGround),
                                    Num(c.SpeedOverGround), Num(c.Heading),
                                    Num(c.DistanceOverGround), Num(c.RouteDistance),
                                    Escape(e.Picture), Escape(e.Text)};
        s += fields.join(tab) + nl;
    }
    s += QLatin1String("End") + tab + QString::number(FEntries.size()) + nl;
    return s.toUtf8();
}

int32_t TNavLogbook::Parse(const QByteArray &data, std::vector<TLogbookEntry> &entries,
                           int32_t &utcOffset) {
    entries.clear();
    utcOffset = 0;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(data);
    if (decoder.hasError() || !text.endsWith(QLatin1Char('\n'))) return KvErr::BadFormat;
    QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    lines.removeLast();  // after the final line end

    if (lines.isEmpty()) return KvErr::BadFormat;
    const QList<QStringView> head = lines.first().split(QLatin1Char('\t'));
    int32_t version = 0;
    if (head.size() != 2 || head[0] != QLatin1String("KvNavLogbook") || !ToInt(head[1], version) ||
        version < 1)
        return KvErr::BadFormat;
    if (version > LogbookVersion) return KvErr::BadVersion;

    bool haveOffset = false, ended = false;
    std::set<int32_t> ids;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (ended) return KvErr::BadFormat;  // nothing may follow the end line
        const QList<QStringView> f = lines[i].split(QLatin1Char('\t'));
        if (f[0] == QLatin1String("Entry")) {
            TLogbookEntry e;
            if (!ParseEntry(f, e) || !ids.insert(e.Id).second) return KvErr::BadFormat;
            entries.push_back(std::move(e));
        } else if (f[0] == QLatin1String("UTCOffset")) {
            if (haveOffset || f.size() != 2 || !ToInt(f[1], utcOffset) ||
                std::abs(utcOffset) > 24 * 60)
                return KvErr::BadFormat;
            haveOffset = true;
        } else if (f[0] == QLatin1String("End")) {
            int32_t count = -1;
            if (f.size() != 2 || !ToInt(f[1], count) || count != int32_t(entries.size()))
                return KvErr::BadFormat;
            ended = true;
        } else {
            return KvErr::BadFormat;
        }
    }
    if (!ended) return KvErr::BadFormat;  // cut short
    return KvErr::Ok;
}

int32_t TNavLogbook::Load() {
    FEntries.clear();
    QFile f(FFile);
    if (!QFileInfo(FFile).isFile()) return KvErr::NotFound;
    if (!f.open(QIODevice::ReadOnly))
        return f.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied : KvErr::ReadFailed;
    if (f.size() > MaxLogbookBytes) return KvErr::BadFormat;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return KvErr::ReadFailed;

    std::vector<TLogbookEntry> entries;
    int32_t offset = 0;
    if (const int32_t err = Parse(data, entries, offset)) return err;
    FEntries = std::move(entries);
    FUTCOffset = offset;
    FNextId = 1;
    for (const TLogbookEntry &e : FEntries) FNextId = std::max(FNextId, e.Id + 1);
    for (const TLogbookEntry &e : FEntries) MakeThumbnail(e);
    return KvErr::Ok;
}

void TNavLogbook::Save(INavBoat *boat, int32_t mode, int32_t &err) {
    err = KvErr::Ok;
    QSaveFile f(FFile);
    if (!f.open(QIODevice::WriteOnly)) {
        err = f.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied : KvErr::WriteFailed;
        return;
    }
    const QByteArray data = Serialize();
    if (f.write(data) != data.size() || !f.commit()) err = KvErr::WriteFailed;
}

}  // namespace kv

INavLogbook *NavLogbookLoadFromFile(const TStrWRec &file, NavObject *owner,
                                    ThumbnailProc thumbnail, int32_t &err) {
    const QString name = kv::ToQString(file);
    if (name.isEmpty()) {
        err = KvErr::NotFound;
        return nullptr;
    }
    auto logbook = std::make_unique<kv::TNavLogbook>(name, owner, thumbnail);
    err = logbook->Load();
    if (err != KvErr::Ok) return nullptr;
    return logbook.release();
}
