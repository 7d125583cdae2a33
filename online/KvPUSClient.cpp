#include "online/KvPUSClient.h"

#include "online/KvPUSClientTexts.h"

#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>

#include <QDir>
#include <algorithm>

namespace {

QByteArray UserAgent() {
    return (ProgInfoGetTitle() + u' ' + QString::number(uint32_t(ProgInfoGetVersion()) >> 24)).toUtf8();
}

bool IsAscii(const QByteArray &text) {
    return std::all_of(text.cbegin(), text.cend(), [](char c) { return uint8_t(c) < 0x80; });
}

}  // namespace

TPUSClient::TPUSClient(QObject *owner, std::unique_ptr<IPUSHttp> http) : QObject(owner), FHttp(std::move(http)) {
    if (!FHttp) FHttp = std::make_unique<TPUSHttpQt>();
    URL = ServiceURL();
    FHttp->OnDocData = [this](const QByteArray &chunk) { FParser.Feed(chunk, FHttp->StatusCode()); };
    FHttp->OnSendData = [this](int64_t sent, int64_t total) {
        if (OnUploadProgress) OnUploadProgress(sent, total);
    };
    FHttp->OnRequestDone = [this](uint16_t error) { RequestDone(error); };
    WireParser();
}

TPUSClient::~TPUSClient() {
    FHttp->OnDocData = nullptr;
    FHttp->OnRequestDone = nullptr;
    FHttp->OnSendData = nullptr;
    FHttp->Abort();
    DropFiles();
}

QString TPUSClient::ServiceURL() {
    QString base;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), QString(),
                     base);
    base = base.trimmed();
    while (base.endsWith(u'/')) base.chop(1);
    return base.isEmpty() ? QString() : base + QStringLiteral("/pus/pus.php");
}

void TPUSClient::SetDownloadFolder(const QString &folder) {
    FDownloadFolder = folder;
    if (!FDownloadFolder.isEmpty() && !FDownloadFolder.endsWith(u'/')) FDownloadFolder += u'/';
}

void TPUSClient::WireParser() {
    TPUSReplyEvents &e = FParser.Events;
    e.OnVersion = [this](int32_t index, const TPUSVersionInfo &info) {
        if (OnRequestVersion) OnRequestVersion(index, int32_t(FGUIDs.size()), info);
    };
    e.OnVersionForKind = [this](const TPUSVersionInfo &info) {
        if (OnRequestVersionForKind) OnRequestVersionForKind(info);
    };
    e.OnHistory = [this](const QByteArray &history) {
        if (OnRequestHistory) OnRequestHistory(history);
    };
    e.OnFileStart = [this](int32_t index, const QString &name, int64_t size) { return StartFile(index, name, size); };
    e.OnFileData = [this](const char *data, int64_t size) { return WriteFile(data, size); };
    e.OnFileEnd = [this] { return EndFile(); };
    e.OnFileProgress = [this](int64_t written, int64_t size) { ReportFile(written, size); };
    e.OnFinish = [this](int32_t result) { FinishCommand(FCommand, result); };
}

// ---- requests -------------------------------------------------------------------------------

void TPUSClient::BeginCommand(TPUSCommand command, const TGUIDsArray &guids) {
    FCommand = command;
    FGUIDs = guids;
    FForm = PUSFormText(command, guids);
    FSocketError = 0;
}

void TPUSClient::RequestVersion(const TGUID &guid) {
    RequestVersion(TGUIDsArray{guid});
}

void TPUSClient::RequestVersion(const TGUIDsArray &guids) {
    BeginCommand(TPUSCommand::pcReqVersion, guids);
    SendRequest();
}

void TPUSClient::RequestHistory(const TGUID &guid) {
    BeginCommand(TPUSCommand::pcReqHistory, TGUIDsArray{guid});
    SendRequest();
}

void TPUSClient::RequestUpdateFile(const TGUID &guid) {
    RequestUpdateFile(TGUIDsArray{guid});
}

void TPUSClient::RequestUpdateFile(const TGUIDsArray &guids) {
    DropFiles();
    FDone.clear();
    BeginCommand(TPUSCommand::pcReqUpdateFile, guids);
    SendRequest();
}

void TPUSClient::SendRequest() {
    // The leading-zero-free encoding is only unambiguous for ASCII form texts.
    Q_ASSERT(IsAscii(FForm));
    FParser.Reset(FCommand, int32_t(FGUIDs.size()), SkipNoUpdateError);
    const QByteArray body = PUSEncodeRequest(FForm);
    const int32_t result = URL.isEmpty() ? PUSResult::NoConnection : FHttp->Post(URL, UserAgent(), body);
    if (result != 0) FinishCommand(FCommand, result);
}

void TPUSClient::Abort() {
    FHttp->Abort();
    FCommand = TPUSCommand::pcNone;
    DropFiles();
}

QString TPUSClient::ErrorText(int32_t result) const {
    return PUSErrorText(result, FDownloadFolder + FParser.FileName(), FSocketError);
}

// ---- outcome --------------------------------------------------------------------------------

// The transport delivers nothing after its Abort, so the command ends here exactly once.
void TPUSClient::FinishCommand(TPUSCommand command, int32_t result) {
    FHttp->Abort();
    FCommand = TPUSCommand::pcNone;
    DropFiles();
    if (OnCommandDone) OnCommandDone(command, result);
}

void TPUSClient::RequestDone(uint16_t error) {
    const TPUSCommand command = FCommand;
    // A completion of a command that already ended (aborted or finished early).
    if (command == TPUSCommand::pcNone) return;
    switch (error) {
    case PUSHttpError::HostNotFound:
    case 11002:
    case PUSHttpError::NoData:
    case PUSHttpError::Unreachable: return FinishCommand(command, PUSResult::NoConnection);
    case PUSHttpError::IdleTimeout: return FinishCommand(command, PUSResult::NoAnswerInTime);
    default: break;
    }
    if (error >= 10000) {
        FSocketError = error;
        FinishCommand(command, PUSResult::SocketError);
        return;
    }
    Completed(command);
}

void TPUSClient::Completed(TPUSCommand command) {
    const int status = FHttp->StatusCode();
    const bool allThere = FParser.Complete() && FParser.Received() == FGUIDs.size();
    int32_t result = FParser.Result();
    if (result == 0 && status >= 400) result = status;
    switch (command) {
    case TPUSCommand::pcReqVersion:
        if (result == 0 && !allThere) result = PUSResult::Malformed;
        break;
    case TPUSCommand::pcReqHistory:
    case TPUSCommand::pcReqVersionForKind:
        if (result == 0 && !FParser.Complete()) result = PUSResult::Malformed;
        break;
    case TPUSCommand::pcReqUpdateFile:
        if (result == 0 && !allThere) result = PUSResult::Malformed;
        if (result == 0 && !PromoteFiles()) result = PUSResult::WriteFailed;
        break;
    case TPUSCommand::pcPostUpdate: break;
    default: {
        if (status >= 400) break;
        const QByteArray kept = FParser.Collected().left(FParser.Collected().indexOf(char(0xFF)));
        const qsizetype lf = kept.indexOf('\n');
        bool ok = lf > 0;
        result = ok ? kept.left(lf).toInt(&ok) : 0;
        if (!ok) result = PUSResult::Malformed;
        break;
    }
    }
    FinishCommand(command, result);
}

// ---- downloads ------------------------------------------------------------------------------

int32_t TPUSClient::StartFile(int32_t, const QString &name, int64_t size) {
    if (!PUSIsPlainFileName(name)) return PUSResult::Malformed;
    if (ExpectedSize >= 1 && size != ExpectedSize) return PUSResult::Damaged;
    if (size < 1) return 0;
    FFile.setFileName(FDownloadFolder + name + QStringLiteral(".part"));
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) return PUSResult::WriteFailed;
    FHash.reset();
    FWritten = 0;
    return 0;
}

int32_t TPUSClient::WriteFile(const char *data, int64_t size) {
    if (FFile.write(data, size) != size) return PUSResult::WriteFailed;
    FHash.addData(QByteArrayView(data, size));
    FWritten += size;
    return 0;
}

int32_t TPUSClient::EndFile() {
    const QString part = FFile.fileName();
    const bool written = FFile.flush();
    FFile.close();
    FParts << part;
    if (!written) return PUSResult::WriteFailed;
    if (!ExpectedSHA256.isEmpty() &&
        QString::fromLatin1(FHash.result().toHex()).compare(ExpectedSHA256.trimmed(), Qt::CaseInsensitive) != 0)
        return PUSResult::Damaged;
    return 0;
}

void TPUSClient::ReportFile(int64_t written, int64_t size) {
    if (!OnRequestUpdateFile) return;
    const int32_t index = FParser.Received();
    const TGUID guid = index >= 1 ? FGUIDs.value(index - 1) : TGUID{};
    OnRequestUpdateFile(written, size, index, int32_t(FGUIDs.size()), guid, FDownloadFolder + FParser.FileName());
}

bool TPUSClient::PromoteFiles() {
    for (const QString &part : std::as_const(FParts)) {
        const QString target = part.chopped(5);
        QFile::remove(target);
        if (!QFile::rename(part, target)) return false;
        FDone << target;
    }
    FParts.clear();
    return true;
}

void TPUSClient::DropFiles() {
    if (FFile.isOpen()) {
        FFile.close();
        FParts << FFile.fileName();
    }
    for (const QString &part : std::as_const(FParts)) QFile::remove(part);
    FParts.clear();
}
