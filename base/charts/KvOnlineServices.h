// Program-side access to the core library's online clients: the maker's account service
// (news, content files, downloads, login), the online chart products of the install pages,
// the user-data service and the Inland ENC download client.
//
// The clients answer every request they start through notifications posted by the message
// dispatcher given at creation (see KvWebServices.h); these wrappers only start requests and
// read what the last answer left. Texts in are handed over for the one call, texts out are
// copied at once and emptied first. Errors come back through `err` (0 = success); the
// wrappers raise nothing of their own. GUI thread only.
#pragma once

#include <KvLibNav6/KvWebServices.h>

#include <QString>
#include <cstdint>

// Factories; the result is the caller's (ObjectDelete). edition: "Ostrel".
IMRCChartCheck *CreateMRCChartCheck(INavMessageDispatcher *dispatcher, const QString &edition,
                                    int32_t packedProgramVersion);
// The Inland ENC client; callers pass an empty text and the packed version 1.0.0.0
// (MakeVersion(1, 0, 0, 0)).
IS57ChartCheck *CreateS57ChartCheck(INavMessageDispatcher *dispatcher, const QString &text,
                                    int32_t packedVersion);
IUserDataAPI *CreateUserDataAPI(INavMessageDispatcher *dispatcher, IMRCChartCheck *onlineService);

// Online chart products of the install pages.
// File fileIndex of a download record, relative to the product's add-on folder.
QString DownloadListGetFileName(IMRCChartSetRecord *record, int32_t fileIndex);
QString OnlineChartSetGetName(IMRCChartSetRecord *record);
// Second folder level below the chart installation folder.
QString OnlineChartSetGetFolderName(IMRCChartSetRecord *record);
QString OnlineChartSetGetProductName(IMRCChartSetRecord *record);
// First folder level below the chart installation folder.
QString OnlineChartSetGetProductFolderName(IMRCChartSetRecord *record);
QString OnlineChartItemGetName(IMRCAvailableChartSet *row);
QString OnlineChartProductGetName(IMRCAvailableChartSet *row);

// The account service.
QString NewsMessageGetText(IMRCNewsMessage *message);
QString NewsMessageGetTitle(IMRCNewsMessage *message);
// "/" separators.
QString RemoteFileGetPath(IMRCRemoteFile *file);
bool MRCChartCheckHasRemoteFile(IMRCChartCheck *check, const QString &relPath, int32_t &err);
// email is emptied first; False when no login is remembered.
bool MRCChartCheckGetStoredLogin(IMRCChartCheck *check, QString &email);
void MRCChartCheckStartFileDownload(IMRCChartCheck *check, IMRCChartSetRecord *product,
                                    int32_t fileIndex, const QString &folder,
                                    const QString &file, int32_t &err);
// languageId as LanguageToLanguageID gives it.
void MRCChartCheckFetchNews(IMRCChartCheck *check, const QString &languageId, int32_t &err);
// Logs in and fetches the account's chart-set offer. The e-mail address and the password
// travel separately (slots 56 and 57) and are never joined into one text, so a password
// may hold any character, ";" included; the login itself is then started with the empty
// text, which tells the client to use the login it now holds. Both texts empty: log in
// with the remembered login.
void MRCChartCheckSetLogin(IMRCChartCheck *check, const QString &email, const QString &password,
                           bool remember, int32_t &err);
void MRCChartCheckSetLoginEmail(IMRCChartCheck *check, const QString &email, bool remember,
                                int32_t &err);
void MRCChartCheckSetLoginPassword(IMRCChartCheck *check, const QString &password,
                                   bool remember, int32_t &err);

// The user-data service (dimensions in metres).
void UserDataGetShip(IUserDataAPI *api, int32_t index, QString &name, float &length,
                     float &beam, float &height, float &draught);
void UserDataUploadShip(IUserDataAPI *api, const QString &name, float length, float beam,
                        float height, float draught, int32_t &err);
void UserDataDeleteShip(IUserDataAPI *api, const QString &name, int32_t &err);
// The nine texts in the order the service takes them: identity (program name, " v" and
// version), copy address (empty without a copy), subject, report text, chart sets in use
// (one line each: product title, " - ", set title), screenshot file (empty without one),
// selected position, own ship's position with its waterway section and distance mark, boat
// description; then the send-copy flag.
void UserDataSendReport(IUserDataAPI *api, const QString &identity, const QString &copyAddress,
                        const QString &subject, const QString &text, const QString &chartSets,
                        const QString &screenshotFile, const QString &reportPosition,
                        const QString &boatPosition, const QString &boatInfo, bool sendCopy,
                        int32_t &err);

// The Inland ENC client and its chart sets.
// nullptr when the service does not offer that chart set.
IS57ChartSet *FindS57ChartSet(IS57ChartCheck *check, const QString &countryCode,
                              const QString &region, const QString &water);
// The file outside the chart sets; False (texts emptied, date and size 0) when none.
bool GetS57CommonFileInfo(IS57ChartCheck *check, QString &relName, int32_t &unixTime,
                          int64_t &size);
void DownloadS57ChartSetFile(IS57ChartCheck *check, IS57ChartSet *set, int32_t fileIndex,
                             const QString &folder, int32_t &err);
void RequestS57ChartSet(IS57ChartCheck *check, const QString &countryCode, const QString &region,
                        const QString &water, int32_t &err);
void DownloadS57CommonFile(IS57ChartCheck *check, const QString &folder, int32_t &err);
bool S57ChartSetHasFile(IS57ChartSet *set, const QString &relPath, int32_t &err);
QString GetS57ChartSetCountryCode(IS57ChartSet *set);
QString GetS57ChartSetRegion(IS57ChartSet *set);
QString GetS57ChartSetWater(IS57ChartSet *set);
// "/" separators.
QString GetS57ChartFileName(IS57ChartFile *file);
