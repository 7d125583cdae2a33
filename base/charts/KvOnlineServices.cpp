#include "base/charts/KvOnlineServices.h"

#include "base/kvlib/KvStrings.h"

namespace {
inline QString Copy(const TStrWRec *rec) { return StrWToWide(rec); }
}  // namespace

QString DownloadListGetFileName(IMRCChartSetRecord *record, int32_t fileIndex) {
    return Copy(record->GetFileName(fileIndex));
}
QString OnlineChartSetGetName(IMRCChartSetRecord *record) { return Copy(record->GetName()); }
QString OnlineChartSetGetFolderName(IMRCChartSetRecord *record) {
    return Copy(record->GetFolderName());
}
QString OnlineChartSetGetProductName(IMRCChartSetRecord *record) {
    return Copy(record->GetProductName());
}
QString OnlineChartSetGetProductFolderName(IMRCChartSetRecord *record) {
    return Copy(record->GetProductFolderName());
}
QString OnlineChartItemGetName(IMRCAvailableChartSet *row) { return Copy(row->GetItemName()); }
QString OnlineChartProductGetName(IMRCAvailableChartSet *row) { return Copy(row->GetName()); }

QString NewsMessageGetText(IMRCNewsMessage *message) { return Copy(message->GetText()); }
QString NewsMessageGetTitle(IMRCNewsMessage *message) { return Copy(message->GetTitle()); }
QString RemoteFileGetPath(IMRCRemoteFile *file) { return Copy(file->GetPath()); }

bool MRCChartCheckHasRemoteFile(IMRCChartCheck *check, const QString &relPath, int32_t &err) {
    return check->HasRemoteFile(StrW(relPath), err);
}

bool MRCChartCheckGetStoredLogin(IMRCChartCheck *check, QString &email) {
    email.clear();
    TStrWOut out;
    const bool stored = check->GetStoredLogin(out.get());
    email = out.Text();
    return stored;
}

void MRCChartCheckStartFileDownload(IMRCChartCheck *check, IMRCChartSetRecord *product,
                                    int32_t fileIndex, const QString &folder,
                                    const QString &file, int32_t &err) {
    check->StartFileDownload(product, fileIndex, StrW(folder), StrW(file), err);
}

void MRCChartCheckFetchNews(IMRCChartCheck *check, const QString &languageId, int32_t &err) {
    check->FetchNews(StrW(languageId), 0, err);
}

void MRCChartCheckSetLogin(IMRCChartCheck *check, const QString &email, const QString &password,
                           bool remember, int32_t &err) {
    err = 0;
    if (!email.isEmpty() || !password.isEmpty()) {
        check->SetLoginEmail(StrW(email), remember, err);
        if (err != 0) return;
        check->SetLoginPassword(StrW(password), remember, err);
        if (err != 0) return;
    }
    check->SetLogin(StrW(QString()), remember, err);
}

void MRCChartCheckSetLoginEmail(IMRCChartCheck *check, const QString &email, bool remember,
                                int32_t &err) {
    check->SetLoginEmail(StrW(email), remember, err);
}

void MRCChartCheckSetLoginPassword(IMRCChartCheck *check, const QString &password,
                                   bool remember, int32_t &err) {
    check->SetLoginPassword(StrW(password), remember, err);
}

void UserDataGetShip(IUserDataAPI *api, int32_t index, QString &name, float &length,
                     float &beam, float &height, float &draught) {
    name.clear();
    length = beam = height = draught = 0.0f;
    TStrWOut out;
    api->GetShip(index, out.get(), length, beam, height, draught);
    name = out.Text();
}

void UserDataUploadShip(IUserDataAPI *api, const QString &name, float length, float beam,
                        float height, float draught, int32_t &err) {
    api->UploadShip(StrW(name), length, beam, height, draught, err);
}

void UserDataDeleteShip(IUserDataAPI *api, const QString &name, int32_t &err) {
    api->DeleteShip(StrW(name), err);
}

void UserDataSendReport(IUserDataAPI *api, const QString &identity, const QString &copyAddress,
                        const QString &subject, const QString &text, const QString &chartSets,
                        const QString &screenshotFile, const QString &reportPosition,
                        const QString &boatPosition, const QString &boatInfo, bool sendCopy,
                        int32_t &err) {
    api->SendReport(StrW(identity), StrW(copyAddress), StrW(subject), StrW(text),
                    StrW(chartSets), StrW(screenshotFile), StrW(reportPosition),
                    StrW(boatPosition), StrW(boatInfo), sendCopy, err);
}

IS57ChartSet *FindS57ChartSet(IS57ChartCheck *check, const QString &countryCode,
                              const QString &region, const QString &water) {
    return check->FindChartSet(StrW(countryCode), StrW(region), StrW(water));
}

bool GetS57CommonFileInfo(IS57ChartCheck *check, QString &relName, int32_t &unixTime,
                          int64_t &size) {
    relName.clear();
    unixTime = 0;
    size = 0;
    TStrWOut out;
    const bool present = check->GetCommonFileInfo(out.get(), unixTime, size);
    relName = out.Text();
    return present;
}

void DownloadS57ChartSetFile(IS57ChartCheck *check, IS57ChartSet *set, int32_t fileIndex,
                             const QString &folder, int32_t &err) {
    check->DownloadChartSetFile(set, fileIndex, StrW(folder), err);
}

void RequestS57ChartSet(IS57ChartCheck *check, const QString &countryCode, const QString &region,
                        const QString &water, int32_t &err) {
    check->RequestChartSet(StrW(countryCode), StrW(region), StrW(water), err);
}

void DownloadS57CommonFile(IS57ChartCheck *check, const QString &folder, int32_t &err) {
    check->DownloadCommonFile(StrW(folder), err);
}

bool S57ChartSetHasFile(IS57ChartSet *set, const QString &relPath, int32_t &err) {
    return set->HasFile(StrW(relPath), err);
}
QString GetS57ChartSetCountryCode(IS57ChartSet *set) { return Copy(set->GetCountryCode()); }
QString GetS57ChartSetRegion(IS57ChartSet *set) { return Copy(set->GetRegion()); }
QString GetS57ChartSetWater(IS57ChartSet *set) { return Copy(set->GetWater()); }
QString GetS57ChartFileName(IS57ChartFile *file) { return Copy(file->GetFileName()); }
