// The news centre's check cycle without a window: stage 1 asks the account for news,
// content files and versions and compares the local help files; stage 0 weighs the pending
// chart updates (below the automatic-update threshold they are applied without asking).
// A failed news fetch ends the cycle: the account starts no chart step after it.
// The account is reached through INewsAccount, so tests give it answers directly.
// GUI thread.
#pragma once

#include "online/FrmNewsCenterLinks.h"
#include "online/FrmNewsCenterPage.h"

#include <KvLibNav6/KvTypes.h>

#include <QList>
#include <QString>
#include <cstdint>

struct TNewsRemoteFile {
    QString Path;  // "/" separators, relative to the help folder
    int32_t Time = 0;  // Unix seconds, UTC
    int64_t Size = 0;
};
struct TNewsVersion {
    TGUID GUID{};
    int32_t Version = 0;
};
struct TNewsMessage {
    int32_t Number = 0;
    QString Title;
    QString Text;  // HTML
};
struct TNewsPurchase {
    TDateTime PurchaseDate = 0;
    bool Installed = false;  // the account holds a record of it
};
struct TNewsChartUpdate {
    int32_t Kind = 0;  // 1 or 2: a chart update
    int64_t Size = 0;
    int32_t FileTime = 0;  // Unix seconds
    int32_t ProductNumber = 0;
};

class INewsAccount {
public:
    virtual ~INewsAccount() = default;
    virtual void SetNewsPending(bool pending) = 0;
    // Starts news, content files and versions; a non-zero result when it could not start.
    virtual int32_t FetchNews(const QString &languageId) = 0;
    virtual int32_t LastResult() = 0;
    virtual QList<TNewsRemoteFile> RemoteFiles() = 0;
    virtual bool HasRemoteFile(const QString &relativePath) = 0;
    virtual QList<TNewsVersion> Versions() = 0;
    virtual QList<TNewsMessage> News() = 0;
    virtual QList<TNewsPurchase> Purchases() = 0;
    virtual bool HasNewerEditions() = 0;
    virtual QList<TNewsChartUpdate> ChartUpdates() = 0;
    virtual void StartAutoUpdate() = 0;
    // The title of the installed chart product with that number; empty when none is.
    virtual QString InstalledProductTitle(int32_t productNumber) = 0;
};

struct TNewsCheckSettings {
    TGUID ProgramGUID{};
    int32_t ProgramVersion = 0;
    QString ProgramTitle;
    TGUID ChartManagerGUID{};
    int32_t ChartManagerVersion = 0;  // 0: not installed
    int32_t ThresholdMB = 500;
    // The local help files (trailing separator); empty: no comparison.
    QString HelpFolder;
    QString LanguageId;
    TDateTime Now = 0;  // local time
};

// The help folder below the common application-data folder for a language; languages
// without help files of their own use the English ones.
QString NewsHelpFolder(const QString &commonAppData, int32_t language);

class TNewsCheck {
public:
    explicit TNewsCheck(INewsAccount &account) : FAccount(account) {}

    TNewsCheckSettings Settings;

    void Start(bool waitForCharts);
    // An account answer of request kind (MRCRequestKind): only the news answer while the
    // news step waits, and the chart answer while the chart step waits, are this check's; the
    // others (install runs, logins of other windows) change nothing. True when a page is to
    // be built.
    bool Step(int32_t kind);
    bool Checking() const { return FChecking; }
    int Stage() const { return FStage; }

    // The items found, in page order; attention: something new or unread is listed.
    QList<TNewsItem> Items(const TNewsReadSet &read, bool &attention) const;
    bool UpdateAllEnabled() const { return FProgramUpdate || FChartManagerUpdate || FChartUpdates || FHelpCount > 0; }
    bool ProgramUpdate() const { return FProgramUpdate; }
    bool ChartManagerUpdate() const { return FChartManagerUpdate; }
    bool ChartUpdates() const { return FChartUpdates; }
    int HelpCount() const { return FHelpCount; }
    int64_t HelpSize() const { return FHelpSize; }
    bool LoginFailed() const { return FLoginFailed; }

private:
    void AddProblem(const QString &problem);
    // False when the news fetch failed.
    bool NewsStep();
    void ChartStep();
    void CompareHelpFiles();
    void CompareVersions();
    void AddChartItem(QList<TNewsItem> &items) const;
    void AddPurchaseItem(QList<TNewsItem> &items) const;

    INewsAccount &FAccount;
    bool FChecking = false;
    bool FWaitForCharts = false;
    int FStage = 0;
    QString FProblems;
    bool FLoginFailed = false;
    bool FProgramUpdate = false;
    bool FChartManagerUpdate = false;
    bool FChartUpdates = false;
    int32_t FNewVersion = 0;
    int32_t FNewChartManagerVersion = 0;
    int FHelpCount = 0;
    int64_t FHelpSize = 0;
    QList<TNewsMessage> FNews;
    QList<TNewsPurchase> FPurchases;
    QList<TNewsChartUpdate> FUpdates;
    bool FNewerEditions = false;
};
