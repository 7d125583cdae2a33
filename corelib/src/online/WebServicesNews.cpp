#include "online/WebServicesNews.h"

#include "kernel/KvInternal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace kv {

namespace {

class TNewsMessage final : public IMRCNewsMessage {
public:
    TNewsMessage(int32_t number, const QString &title, const QString &text) : FNumber(number) {
        FTitle.Set(title);
        FText.Set(text);
    }
    const TStrWRec *GetText() override { return FText.Get(); }
    const TStrWRec *GetTitle() override { return FTitle.Get(); }
    int32_t GetNumber() override { return FNumber; }

private:
    int32_t FNumber;
    TOwnedText FTitle, FText;
};

class TRemoteFile final : public IMRCRemoteFile {
public:
    TRemoteFile(const QString &path, int32_t time, int64_t size) : FPathText(path), FTime(time), FSize(size) {
        FPath.Set(path);
    }
    const TStrWRec *GetPath() override { return FPath.Get(); }
    int32_t GetTime() override { return FTime; }
    int64_t GetSize() override { return FSize; }
    const QString &Path() const { return FPathText; }

private:
    QString FPathText;
    TOwnedText FPath;
    int32_t FTime;
    int64_t FSize;
};

class TVersionEntry final : public IMRCVersionEntry {
public:
    TVersionEntry(const TGUID &guid, int32_t version) : FGUID(guid), FVersion(version) {}
    const TGUID *GetGUID() override { return &FGUID; }
    int32_t GetVersion() override { return FVersion; }

private:
    TGUID FGUID;
    int32_t FVersion;
};

// "a.b.c.d", each part 0..255.
bool ReadVersion(const QString &text, int32_t &version) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4) return false;
    uint32_t packed = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok);
        if (!ok || v > 255) return false;
        packed = (packed << 8) | v;
    }
    version = int32_t(packed);
    return true;
}

bool ReadGUID(const QString &text, TGUID &guid) {
    const QUuid u(text);
    if (u.isNull() || !text.startsWith(QLatin1Char('{'))) return false;
    guid.D1 = u.data1;
    guid.D2 = u.data2;
    guid.D3 = u.data3;
    for (int i = 0; i < 8; ++i) guid.D4[i] = u.data4[i];
    return true;
}

QString Normalised(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool PlainRelativePath(const QString &path) {
    return !path.isEmpty() && !path.startsWith(QLatin1Char('/')) && !path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

}  // namespace

struct TNewsLists::TLists {
    std::vector<std::unique_ptr<TNewsMessage>> News;
    std::vector<std::unique_ptr<TRemoteFile>> Files;
    std::vector<std::unique_ptr<TVersionEntry>> Versions;
};

TNewsLists::TNewsLists() : FLists(std::make_unique<TLists>()) {}
TNewsLists::~TNewsLists() = default;

bool TNewsLists::Read(const QByteArray &body) {
    const QJsonObject answer = QJsonDocument::fromJson(body).object();
    auto lists = std::make_unique<TLists>();
    for (const QJsonValue &v : answer.value(QStringLiteral("news")).toArray()) {
        const QJsonObject o = v.toObject();
        if (!o.value(QStringLiteral("number")).isDouble() || !o.value(QStringLiteral("title")).isString()) return false;
        lists->News.push_back(std::make_unique<TNewsMessage>(o.value(QStringLiteral("number")).toInt(),
                                                             o.value(QStringLiteral("title")).toString(),
                                                             o.value(QStringLiteral("text")).toString()));
    }
    for (const QJsonValue &v : answer.value(QStringLiteral("files")).toArray()) {
        const QJsonObject o = v.toObject();
        const QString path = Normalised(o.value(QStringLiteral("path")).toString());
        const double size = o.value(QStringLiteral("size")).toDouble(-1);
        if (!PlainRelativePath(path) || size < 0 || !o.value(QStringLiteral("time")).isDouble()) return false;
        lists->Files.push_back(
            std::make_unique<TRemoteFile>(path, o.value(QStringLiteral("time")).toInt(), int64_t(size)));
    }
    for (const QJsonValue &v : answer.value(QStringLiteral("versions")).toArray()) {
        const QJsonObject o = v.toObject();
        TGUID guid{};
        int32_t version = 0;
        if (!ReadGUID(o.value(QStringLiteral("guid")).toString(), guid) ||
            !ReadVersion(o.value(QStringLiteral("version")).toString(), version))
            return false;
        lists->Versions.push_back(std::make_unique<TVersionEntry>(guid, version));
    }
    FLists = std::move(lists);
    return true;
}

int32_t TNewsLists::NewsCount() const { return int32_t(FLists->News.size()); }
int32_t TNewsLists::FileCount() const { return int32_t(FLists->Files.size()); }
int32_t TNewsLists::VersionCount() const { return int32_t(FLists->Versions.size()); }

IMRCNewsMessage *TNewsLists::News(int32_t i) const {
    return i >= 0 && i < NewsCount() ? FLists->News[size_t(i)].get() : nullptr;
}

IMRCRemoteFile *TNewsLists::File(int32_t i) const {
    return i >= 0 && i < FileCount() ? FLists->Files[size_t(i)].get() : nullptr;
}

IMRCVersionEntry *TNewsLists::Version(int32_t i) const {
    return i >= 0 && i < VersionCount() ? FLists->Versions[size_t(i)].get() : nullptr;
}

bool TNewsLists::HasFile(const QString &relativePath) const {
    const QString wanted = Normalised(relativePath);
    for (const auto &f : FLists->Files)
        if (f->Path().compare(wanted, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace kv
