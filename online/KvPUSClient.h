// The client of the program update service: asks which version of a product is current,
// fetches a release history and downloads update files, each as an asynchronous form POST
// to <base URL>/pus/pus.php. Every command ends with exactly one OnCommandDone.
//
// Downloads are written as "<name>.part" and take their final name only once the whole
// reply was read and, where the caller gave them, the size and SHA-256 matched; a file
// that fails is deleted. Owned by the dialog that uses it; GUI thread.
#pragma once

#include "online/KvPUSClientHttp.h"
#include "online/KvPUSClientParser.h"

#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <memory>

class TPUSClient : public QObject {
    Q_OBJECT
public:
    // http: the transport (a TPUSHttpQt when none is given).
    explicit TPUSClient(QObject *owner, std::unique_ptr<IPUSHttp> http = nullptr);
    ~TPUSClient() override;

    // The service URL: the services' base URL ("Services\BaseURL") + "/pus/pus.php"; empty
    // when no base URL is set.
    static QString ServiceURL();

    QString URL;
    const QString &DownloadFolder() const { return FDownloadFolder; }
    // Adds a trailing separator.
    void SetDownloadFolder(const QString &folder);
    bool SkipNoUpdateError = false;
    // What the next download must be: its size (<1: unchecked) and SHA-256 in hexadecimal
    // (empty: unchecked). Both apply to every file of the request.
    int64_t ExpectedSize = 0;
    QString ExpectedSHA256;

    void RequestVersion(const TGUID &guid);
    void RequestVersion(const TGUIDsArray &guids);
    void RequestHistory(const TGUID &guid);
    void RequestUpdateFile(const TGUID &guid);
    void RequestUpdateFile(const TGUIDsArray &guids);
    // Stops the transfer and deletes a partial file; fires nothing.
    void Abort();
    bool IsBusy() const { return FCommand != TPUSCommand::pcNone; }
    QString ErrorText(int32_t result) const;
    // The files of the last successful download (full names).
    const QStringList &DownloadedFiles() const { return FDone; }

    std::function<void(TPUSCommand command, int32_t result)> OnCommandDone;
    std::function<void(int32_t index, int32_t count, const TPUSVersionInfo &info)> OnRequestVersion;
    std::function<void(const TPUSVersionInfo &info)> OnRequestVersionForKind;
    std::function<void(const QByteArray &history)> OnRequestHistory;
    // progress and size of file index (1-based) of count; fileName: folder + received name.
    std::function<void(int64_t progress, int64_t size, int32_t index, int32_t count, const TGUID &guid,
                       const QString &fileName)>
        OnRequestUpdateFile;
    std::function<void(int64_t progress, int64_t total)> OnUploadProgress;

    // For the dialogs' tests: the transport given at construction.
    IPUSHttp &Http() { return *FHttp; }

private:
    void BeginCommand(TPUSCommand command, const TGUIDsArray &guids);
    void SendRequest();
    void FinishCommand(TPUSCommand command, int32_t result);
    void RequestDone(uint16_t error);
    void Completed(TPUSCommand command);
    void WireParser();
    int32_t StartFile(int32_t index, const QString &name, int64_t size);
    int32_t WriteFile(const char *data, int64_t size);
    int32_t EndFile();
    void ReportFile(int64_t written, int64_t size);
    bool PromoteFiles();
    void DropFiles();

    std::unique_ptr<IPUSHttp> FHttp;
    TPUSReplyParser FParser;
    TPUSCommand FCommand = TPUSCommand::pcNone;
    TGUIDsArray FGUIDs;
    QByteArray FForm;
    bool FIgnoreNextDone = false;
    int32_t FSocketError = 0;
    QString FDownloadFolder;
    QFile FFile;
    QCryptographicHash FHash{QCryptographicHash::Sha256};
    int64_t FWritten = 0;
    // Verified ".part" files waiting for the end of the reply, and the promoted ones.
    QStringList FParts;
    QStringList FDone;
};
