// Clients of the online services: the maker's account service (news, content files,
// versions, login, chart-set offer and downloads), the user-data service (user reports,
// saved ships) and the Inland ENC download service.
//
// Requests run in the background. Every request that was started is answered exactly once
// by a notification posted through the dispatcher given at creation, on the GUI thread,
// also when it failed: 130 account request finished, 131 download progress (received
// bytes in TNavNotification::Value), 134 Inland ENC step finished, 137 user-data request
// finished. P1 of the notification is the requesting client object, so that a subscriber
// ignores answers to other clients; P2 of every 130 and 131 is the kind of request it
// answers (MRCRequestKind), so that a window acts only on the kinds it waits for. Without
// a reachable service a request fails with KvErr::NetworkFailed in its result, never by
// blocking.
//
// Ownership: children handed out by a client (records, files, news, chart sets) belong to
// it and stay valid until its next request of the same kind. Sizes are bytes; "Unix
// seconds" are signed seconds since 1970-01-01 UTC. All calls on the GUI thread.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvErrorCodes.h"

class INavMessageDispatcher;

class IMRCChartCheck;
class IMRCNewsMessage;
class IMRCRemoteFile;
class IMRCVersionEntry;
class IMRCAvailableChartSet;
class IMRCChartSetRecord;
class IMRCRequestList;
class IMRCRequestItem;
class IUserDataAPI;
class IS57ChartCheck;
class IS57ChartSet;
class IS57ChartFile;
class IS57ChartSetList;

// GetLastResult of IMRCChartCheck and IUserDataAPI; other values are errors.
namespace MRCResult {
inline constexpr int32_t Ok = 0;
inline constexpr int32_t LoginFailed = 4;   // unknown e-mail address or wrong password
}  // namespace MRCResult

// P2 of the account client's notifications 130 and 131: the request they answer.
namespace MRCRequestKind {
inline constexpr int32_t News = 1;      // FetchNews
inline constexpr int32_t Charts = 2;    // SetLogin with the login sent last: the offer again
inline constexpr int32_t Login = 3;     // SetLogin after the login changed, then the offer
inline constexpr int32_t Records = 4;   // RequestDownload
inline constexpr int32_t File = 5;      // StartFileDownload
inline constexpr int32_t Removal = 6;   // ReportRemoval
}  // namespace MRCRequestKind

// IMRCChartCheck::GetNewEditionState.
namespace MRCEditionState {
inline constexpr int32_t Installable = 1;   // a newer edition can be installed
inline constexpr int32_t ToOrder = 2;       // the installed edition is outdated; order anew
}  // namespace MRCEditionState

// IMRCAvailableChartSet::GetCategory, IMRCRequestItem::SetCategory.
namespace MRCCategory {
inline constexpr int32_t Programs = 0;
inline constexpr int32_t Charts = 1;
inline constexpr int32_t Addons = 2;
// Companion item of a program: never listed, selected together with the program of the
// same product number.
inline constexpr int32_t Companion = 99;
}  // namespace MRCCategory

// IMRCAvailableChartSet::GetGroup of rows without a group ("General").
inline constexpr int32_t MRCGroupGeneral = 9999;

// IS57ChartSet::GetState (kept by the client for the download manager).
namespace S57ChartSetState {
inline constexpr int32_t NotInstalled = 0;
inline constexpr int32_t Deleted = 1;
inline constexpr int32_t UpdatesAvailable = 2;
inline constexpr int32_t Installed = 3;
}  // namespace S57ChartSetState

// The maker's account service. From MRCChartCheckCreate; owned by the caller (the
// environment's online service). The stored login persists across runs in the settings
// store; downloaded files persist where they were written.
class KVLIB_API IMRCChartCheck : public NavObject {
public:
    // Edition state (MRCEditionState) of an installed chart set, from the last chart-set
    // offer: False when the account has nothing to say about it. chartSetMask is
    // 1 << chart-set kind.
    virtual bool GetNewEditionState(uint32_t productKey, uint32_t chartSetMask,
                                    int32_t &state) = 0;                             // slot 2 (assumed)
    // relPath ("/" or "\" separators) is in the content-file list of the last FetchNews.
    virtual bool HasRemoteFile(const TStrWRec &relPath, int32_t &err) = 0;           // slot 10
    // False when no login is stored (the start-up wizard then runs).
    virtual bool GetStoredLogin(IStrW *email) = 0;                                   // slot 30
    // Downloads file number fileIndex of a download record into folder + file, where file
    // is the record's relative name (GetFileName(fileIndex)). Progress: 131; end: 130.
    // The bytes go to "<target>.part", which replaces the target only when its size is
    // the record's: a failed or cut transfer leaves no file and an older one as it was. A
    // name with "..", "\", an empty component or an absolute path is refused
    // (InvalidArgument).
    virtual void StartFileDownload(IMRCChartSetRecord *product, int32_t fileIndex,
                                   const TStrWRec &folder, const TStrWRec &file,
                                   int32_t &err) = 0;                                // slot 40
    // Fetches the news in the language (LanguageToLanguageID), the content-file list and
    // the version list; answered by 130. reserved: 0.
    virtual void FetchNews(const TStrWRec &languageId, int32_t reserved, int32_t &err) = 0;  // slot 43
    // "e-mail;password" ("" = use the stored login), then fetches the chart-set offer of
    // the account; answered by 130. remember: store the login for later runs.
    virtual void SetLogin(const TStrWRec &emailSemicolonPassword, bool remember,
                          int32_t &err) = 0;                                         // slot 55
    virtual void SetLoginEmail(const TStrWRec &email, bool remember, int32_t &err) = 0;  // slot 56
    virtual void SetLoginPassword(const TStrWRec &password, bool remember,
                                  int32_t &err) = 0;                                 // slot 57
    // Result of the last finished request (MRCResult).
    virtual int32_t GetLastResult() = 0;                                             // slot —
    // True while a request runs.
    virtual bool IsBusy() = 0;                                                       // slot —
    // Marks that the news centre waits for a news answer.
    virtual void SetNewsPending(bool pending) = 0;                                   // slot —
    virtual int32_t GetRemoteFileCount() = 0;                                        // slot —
    virtual IMRCRemoteFile *GetRemoteFile(int32_t index) = 0;                        // slot —
    // Current versions of the maker's programs (this program and its companions).
    virtual int32_t GetVersionCount() = 0;                                           // slot —
    virtual IMRCVersionEntry *GetVersion(int32_t index) = 0;                         // slot —
    virtual int32_t GetNewsCount() = 0;                                              // slot —
    virtual IMRCNewsMessage *GetNews(int32_t index) = 0;                             // slot —
    // The account's chart-set offer, in the service's order.
    virtual int32_t GetAvailableChartSetCount() = 0;                                 // slot —
    virtual IMRCAvailableChartSet *GetAvailableChartSet(int32_t index) = 0;          // slot —
    // Record of an installed chart set known to the account; nullptr when none.
    virtual IMRCChartSetRecord *FindChartSetRecord(uint32_t productNumber,
                                                   uint32_t moduleMask) = 0;         // slot —
    virtual IMRCAvailableChartSet *FindAvailableChartSet(uint32_t productNumber,
                                                         uint32_t moduleMask) = 0;   // slot —
    // Newer editions of installed chart sets can be purchased.
    virtual bool HasNewerEditions() = 0;                                             // slot —
    // Owned by the caller.
    virtual IMRCRequestList *NewRequestList() = 0;                                   // slot —
    virtual IMRCRequestItem *NewRequestItem() = 0;                                   // slot —
    // Asks for the download records and file lists of the requested chart sets (a list of
    // IMRCRequestItem); answered by 130, then GetDownloadCount / GetDownload.
    virtual void RequestDownload(IMRCRequestList *request, int32_t &err) = 0;        // slot —
    virtual int32_t GetDownloadCount() = 0;                                          // slot —
    virtual IMRCChartSetRecord *GetDownload(int32_t index) = 0;                      // slot —
    // Reports removed chart sets (a list of IMRCChartSetRecord); answered by 130.
    virtual void ReportRemoval(IMRCRequestList *records, int32_t &err) = 0;          // slot —
};

// A news message of the service.
class KVLIB_API IMRCNewsMessage : public NavObject {
public:
    // HTML body.
    virtual const TStrWRec *GetText() = 0;                                           // slot 3
    virtual const TStrWRec *GetTitle() = 0;                                          // slot 4
    virtual int32_t GetNumber() = 0;                                                 // slot —
};

// An entry of the service's content-file list (help files).
class KVLIB_API IMRCRemoteFile : public NavObject {
public:
    // Relative path with "/" separators.
    virtual const TStrWRec *GetPath() = 0;                                           // slot 1
    // Modification time, Unix seconds.
    virtual int32_t GetTime() = 0;                                                   // slot —
    virtual int64_t GetSize() = 0;                                                   // slot —
};

// Current version of one of the maker's programs.
class KVLIB_API IMRCVersionEntry : public NavObject {
public:
    // Product GUID of the program.
    virtual const TGUID *GetGUID() = 0;                                              // slot —
    // Packed version: major << 24 | minor << 16 | release << 8 | build.
    virtual int32_t GetVersion() = 0;                                                // slot —
};

// A row of the account's chart-set offer ("installable chart set"). The selected,
// installed and update-available flags are kept by the client for the install pages and
// never sent.
class KVLIB_API IMRCAvailableChartSet : public NavObject {
public:
    // Row name.
    virtual const TStrWRec *GetItemName() = 0;                                       // slot 10 (assumed)
    // Name of the chart product the row belongs to (wrapper OnlineChartProductGetName).
    virtual const TStrWRec *GetName() = 0;                                           // slot 14
    virtual uint32_t GetProductNumber() = 0;                                         // slot —
    virtual uint32_t GetModuleMask() = 0;                                            // slot —
    virtual int32_t GetCategory() = 0;                                               // slot — (MRCCategory)
    // Group of the row; MRCGroupGeneral when none.
    virtual int32_t GetGroup() = 0;                                                  // slot —
    // Edition number; greater = newer.
    virtual int32_t GetEdition() = 0;                                                // slot —
    virtual int64_t GetSize() = 0;                                                   // slot —
    virtual TDateTime GetPurchaseDate() = 0;                                         // slot —
    virtual bool IsSelected() = 0;                                                   // slot —
    virtual void SetSelected(bool value) = 0;                                        // slot —
    virtual bool IsInstalled() = 0;                                                  // slot —
    virtual void SetInstalled(bool value) = 0;                                       // slot —
    virtual bool IsUpdateAvailable() = 0;                                            // slot —
    virtual void SetUpdateAvailable(bool value) = 0;                                 // slot —
};

// A chart set known to the account with its downloadable files ("download list"): from
// FindChartSetRecord (installed sets) or GetDownload (answer of RequestDownload).
// GetProductFolderName and GetFolderName are the set's two folder levels below the chart
// installation folder; file names are relative to the set's folder (or its add-on folder).
class KVLIB_API IMRCChartSetRecord : public NavObject {
public:
    // Relative name of file fileIndex ("/" separators).
    virtual const TStrWRec *GetFileName(int32_t fileIndex) = 0;                      // slot 12 (assumed)
    virtual const TStrWRec *GetName() = 0;                                           // slot 19 (assumed)
    // Second folder level (the chart set's folder).
    virtual const TStrWRec *GetFolderName() = 0;                                     // slot 20 (assumed)
    virtual const TStrWRec *GetProductName() = 0;                                    // slot 22 (assumed)
    // First folder level (the product's folder).
    virtual const TStrWRec *GetProductFolderName() = 0;                              // slot 24 (assumed)
    // The record answers a request of the last RequestDownload.
    virtual bool IsRequested() = 0;                                                  // slot —
    // 0 = usable; other values: the service refused the set.
    virtual int32_t GetResult() = 0;                                                 // slot —
    virtual int32_t GetFileCount() = 0;                                              // slot —
    virtual int64_t GetFileSize(int32_t fileIndex) = 0;                              // slot —
    // Unix seconds.
    virtual int32_t GetFileTime(int32_t fileIndex) = 0;                              // slot —
    virtual bool IsAddonFile(int32_t fileIndex) = 0;                                 // slot —
    virtual uint32_t GetProductNumber() = 0;                                         // slot —
    virtual uint32_t GetModuleMask() = 0;                                            // slot —
    virtual int32_t GetEdition() = 0;                                                // slot —
    // Client-side flag of the install run.
    virtual void SetDone(bool done) = 0;                                             // slot —
    virtual bool IsDone() = 0;                                                       // slot —
};

// A list of request items or chart-set records handed to RequestDownload or
// ReportRemoval. From IMRCChartCheck::NewRequestList; owned by the caller. It does not
// own its items: Delete and Clear only remove the references.
class KVLIB_API IMRCRequestList : public NavObject {
public:
    virtual void Add(NavObject *item) = 0;                                           // slot —
    virtual int32_t GetCount() = 0;                                                  // slot —
    virtual NavObject *GetItem(int32_t index) = 0;                                   // slot —
    virtual void Delete(int32_t index) = 0;                                          // slot —
    virtual void Clear() = 0;                                                        // slot —
};

// One requested chart set. From IMRCChartCheck::NewRequestItem; owned by the caller.
class KVLIB_API IMRCRequestItem : public NavObject {
public:
    virtual void SetProductNumber(uint32_t productNumber) = 0;                       // slot —
    virtual void SetModuleMask(uint32_t moduleMask) = 0;                             // slot —
    virtual void SetCategory(int32_t category) = 0;                                  // slot — (MRCCategory)
};

// User reports and the ships saved in the account the online service is logged in with.
// From UserDataAPICreate; owned by its creator. Answers: notification 137.
class KVLIB_API IUserDataAPI : public NavObject {
public:
    // Saved ship index (as last received), dimensions in metres.
    virtual void GetShip(int32_t index, IStrW *name, float &length, float &beam,
                         float &height, float &draught) = 0;                         // slot 2
    // Stores the dimensions (metres) under the name; answered by 137.
    virtual void UploadShip(const TStrWRec &name, float length, float beam, float height,
                            float draught, int32_t &err) = 0;                        // slot 4
    // Removes the saved ship of that name; answered by 137.
    virtual void DeleteShip(const TStrWRec &name, int32_t &err) = 0;                 // slot 5
    // Hands a user report to the service; err 0 when it was accepted for sending (the
    // outcome follows by 137). identity: program name, " v" and version; copyAddress
    // empty without a copy; chartSets one line per set; screenshotFile empty without one;
    // the three position and boat texts are display texts.
    virtual void SendReport(const TStrWRec &identity, const TStrWRec &copyAddress,
                            const TStrWRec &subject, const TStrWRec &text,
                            const TStrWRec &chartSets, const TStrWRec &screenshotFile,
                            const TStrWRec &reportPosition, const TStrWRec &boatPosition,
                            const TStrWRec &boatInfo, bool sendCopy, int32_t &err) = 0;  // slot 7
    // Fetches the saved ships of the logged-in account; answered by 137.
    virtual void RequestUserData(int32_t &err) = 0;                                  // slot —
    // Result of the last finished request (MRCResult).
    virtual int32_t GetLastResult() = 0;                                             // slot — ≡ GetResult
    virtual int32_t GetShipCount() = 0;                                              // slot —
};

// Inland ENC download client. From S57ChartCheckCreate; owned by the caller (news centre,
// S-57 download manager). Chart sets are identified by country code, region and water.
// Answers: notification 134.
class KVLIB_API IS57ChartCheck : public NavObject {
public:
    // Chart set of exactly that identity in the last list or request; nullptr when none.
    virtual IS57ChartSet *FindChartSet(const TStrWRec &countryCode, const TStrWRec &region,
                                       const TStrWRec &water) = 0;                   // slot 2
    // The common file outside the sets (relative name, "/" separators); False when the
    // service has none.
    virtual bool GetCommonFileInfo(IStrW *relName, int32_t &unixTime, int64_t &size) = 0;  // slot 3
    // Writes folder + the file's relative name; answered by 134.
    virtual void DownloadChartSetFile(IS57ChartSet *set, int32_t fileIndex,
                                      const TStrWRec &folder, int32_t &err) = 0;     // slot 8
    // Fetches one chart set with its file list; answered by 134.
    virtual void RequestChartSet(const TStrWRec &cc, const TStrWRec &region,
                                 const TStrWRec &water, int32_t &err) = 0;           // slot 9
    // Writes the common file into folder; answered by 134.
    virtual void DownloadCommonFile(const TStrWRec &folder, int32_t &err) = 0;       // slot 11
    // Fetches the list of all chart sets; answered by 134.
    virtual void RequestChartSetList(int32_t &err) = 0;                              // slot —
    virtual int32_t GetChartSetCount() = 0;                                          // slot —
    virtual IS57ChartSet *GetChartSet(int32_t index) = 0;                            // slot —
    // A list owned by the client, to collect the sets for RequestChartSets.
    virtual IS57ChartSetList *GetSelectionList() = 0;                                // slot —
    // Fetches the listed sets with their file lists; answered by 134.
    virtual void RequestChartSets(IS57ChartSetList *sets, int32_t &err) = 0;         // slot —
    // 0 = the last request completed.
    virtual int32_t GetLastResult() = 0;                                             // slot —
};

// An Inland ENC chart set of the service.
class KVLIB_API IS57ChartSet : public NavObject {
public:
    // relPath ("/" separators) is a file of the set.
    virtual bool HasFile(const TStrWRec &relPath, int32_t &err) = 0;                 // slot 1
    virtual const TStrWRec *GetCountryCode() = 0;                                    // slot 3
    virtual const TStrWRec *GetRegion() = 0;                                         // slot 7
    virtual const TStrWRec *GetWater() = 0;                                          // slot 10
    virtual int32_t GetFileCount() = 0;                                              // slot —
    virtual IS57ChartFile *GetFile(int32_t index) = 0;                               // slot —
    // Unix seconds.
    virtual int32_t GetDate() = 0;                                                   // slot —
    virtual int64_t GetSize() = 0;                                                   // slot —
    // S57ChartSetState.
    virtual int32_t GetState() = 0;                                                  // slot —
    virtual void SetState(int32_t state) = 0;                                        // slot —
};

// A file of an Inland ENC chart set.
class KVLIB_API IS57ChartFile : public NavObject {
public:
    // Relative name, "/" separators.
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 1
    // Unix seconds.
    virtual int32_t GetDate() = 0;                                                   // slot —
    virtual int64_t GetSize() = 0;                                                   // slot —
};

// A selection of chart sets; it does not own them.
class KVLIB_API IS57ChartSetList : public NavObject {
public:
    virtual void Add(IS57ChartSet *set) = 0;                                         // slot —
    virtual void Clear() = 0;                                                        // slot —
    virtual int32_t GetCount() = 0;                                                  // slot —
    virtual IS57ChartSet *GetItem(int32_t index) = 0;                                // slot —
};

// The maker's account service for this edition ("Ostrel"); packedProgramVersion is the
// program's packed version (sent with requests). Owned by the caller.
KVLIB_API IMRCChartCheck *MRCChartCheckCreate(INavMessageDispatcher *disp,
                                              const TStrWRec &edition,
                                              int32_t packedProgramVersion);
// Inland ENC download client; text is reserved (""), packedVersion 1.0.0.0 ($01000000).
// Owned by the caller.
KVLIB_API IS57ChartCheck *S57ChartCheckCreate(INavMessageDispatcher *disp,
                                              const TStrWRec &text, int32_t packedVersion);
// User-data client that uses the login of onlineService. Owned by the caller.
KVLIB_API IUserDataAPI *UserDataAPICreate(INavMessageDispatcher *disp,
                                          IMRCChartCheck *onlineService);
