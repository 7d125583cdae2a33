// The maker's account client (IMRCChartCheck) with its request lists. Requests go through
// the transport of WebServicesTransport.h; the login is held by the client and, when the
// user asks to be remembered, kept in the settings store for later runs.
#include "kernel/KvInternal.h"
#include "online/WebServicesAccountData.h"
#include "online/WebServicesClient.h"
#include "online/WebServicesNews.h"

#include "KvLibNav6/KvAppReg.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <vector>

namespace kv {

namespace {

constexpr char16_t LoginKey[] = u"Online\\Account";
constexpr char16_t EmailValue[] = u"EMail";
// Kept in the user's own settings file next to the address: the remembered login must log
// in again on a later run without asking.
constexpr char16_t PasswordValue[] = u"Password";

TStrWRec Rec(const char16_t *text) {
    return {int32_t(std::char_traits<char16_t>::length(text)), text};
}

QString ReadStoredValue(const char16_t *name) {
    TStrWImpl out;
    GetAppReg()->ReadStringDef(AppRegRoot::Product, Rec(LoginKey), ValueName(Rec(name)),
                               TStrWRec(), &out);
    return QString::fromStdU16String(out.Text());
}

void WriteStoredValue(const char16_t *name, const QString &value, int32_t &err) {
    GetAppReg()->WriteString(AppRegRoot::Product, Rec(LoginKey), ValueName(Rec(name)),
                             ToRec(value), err);
}

void ForgetStoredLogin(int32_t &err) {
    GetAppReg()->DeleteKey(AppRegRoot::Product, Rec(LoginKey), err);
}

class TMRCRequestItem final : public IMRCRequestItem {
public:
    void SetProductNumber(uint32_t productNumber) override { FProduct = productNumber; }
    void SetModuleMask(uint32_t moduleMask) override { FMask = moduleMask; }
    void SetCategory(int32_t category) override { FCategory = category; }

    uint32_t FProduct = 0;
    uint32_t FMask = 0;
    int32_t FCategory = MRCCategory::Charts;
};

class TMRCRequestList final : public IMRCRequestList {
public:
    void Add(NavObject *item) override {
        if (item) FItems.push_back(item);
    }
    int32_t GetCount() override { return int32_t(FItems.size()); }
    NavObject *GetItem(int32_t index) override {
        return index >= 0 && index < GetCount() ? FItems[size_t(index)] : nullptr;
    }
    void Delete(int32_t index) override {
        if (index >= 0 && index < GetCount()) FItems.erase(FItems.begin() + index);
    }
    void Clear() override { FItems.clear(); }

private:
    std::vector<NavObject *> FItems;  // not owned
};

// The request fields of one chart set: a request item or a known record.
bool AddChartSetFields(NavObject *item, int index, TWebRequest &request) {
    const QString n = QString::number(index);
    if (auto *r = dynamic_cast<TMRCRequestItem *>(item)) {
        request.Fields.append({QStringLiteral("product") + n, QString::number(r->FProduct)});
        request.Fields.append({QStringLiteral("modules") + n, QString::number(r->FMask)});
        request.Fields.append({QStringLiteral("category") + n, QString::number(r->FCategory)});
        return true;
    }
    if (auto *r = dynamic_cast<IMRCChartSetRecord *>(item)) {
        request.Fields.append({QStringLiteral("product") + n, QString::number(r->GetProductNumber())});
        request.Fields.append({QStringLiteral("modules") + n, QString::number(r->GetModuleMask())});
        request.Fields.append({QStringLiteral("edition") + n, QString::number(r->GetEdition())});
        return true;
    }
    return false;
}

class TMRCChartCheck final : public IMRCChartCheck {
public:
    TMRCChartCheck(INavMessageDispatcher *disp, const QString &edition, int32_t version)
        : FClient(disp, static_cast<IMRCChartCheck *>(this), NavNotify::AccountRequestDone), FEdition(edition),
          FVersion(version), FDispatcher(disp) {
        // A remembered login serves SetLogin("") of this run.
        FEmail = ReadStoredValue(EmailValue);
        if (!FEmail.isEmpty()) FPassword = ReadStoredValue(PasswordValue);
    }

    bool GetNewEditionState(uint32_t, uint32_t, int32_t &state) override {
        // No chart-set offer was received, so the account has nothing to say.
        state = 0;
        return false;
    }

    bool HasRemoteFile(const TStrWRec &relPath, int32_t &err) override {
        err = KvErr::Ok;
        return FNewsLists.HasFile(ToQString(relPath));
    }

    bool GetStoredLogin(IStrW *email) override {
        const QString stored = ReadStoredValue(EmailValue);
        SetStrW(email, stored);
        return !stored.isEmpty();
    }

    void StartFileDownload(IMRCChartSetRecord *product, int32_t fileIndex,
                           const TStrWRec &folder, const TStrWRec &file, int32_t &err) override {
        const QString relName = ToQString(file);
        if (!product || fileIndex < 0 || fileIndex >= product->GetFileCount() ||
            !IsSafeRelativeName(relName) || ToQString(folder).isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err, MRCRequestKind::File);
            return;
        }
        const QString target = QDir(ToQString(folder)).filePath(relName);
        QDir().mkpath(QFileInfo(target).absolutePath());
        TWebRequest request = Request(QStringLiteral("download"));
        request.Kind = MRCRequestKind::File;
        request.Fields.append({QStringLiteral("email"), FEmail});
        request.Fields.append({QStringLiteral("password"), FPassword});
        request.Fields.append({QStringLiteral("product"), QString::number(product->GetProductNumber())});
        request.Fields.append({QStringLiteral("modules"), QString::number(product->GetModuleMask())});
        request.Fields.append({QStringLiteral("file"), ToQString(*product->GetFileName(fileIndex))});
        // Written as "<target>.part" and renamed only when it holds exactly the record's bytes.
        request.TargetFile = target;
        request.ExpectedSize = product->GetFileSize(fileIndex);
        FClient.Run(request, err);
    }

    void FetchNews(const TStrWRec &languageId, int32_t, int32_t &err) override {
        // Children of the previous news answer stay valid until now.
        TWebRequest request = Request(QStringLiteral("news"));
        request.Kind = MRCRequestKind::News;
        request.Fields.append({QStringLiteral("language"), ToQString(languageId)});
        FClient.Run(request, err, [this](const TWebAnswer &answer) {
            const int32_t result = FNewsLists.Read(answer.Body) ? answer.Result : KvErr::NetworkAnswer;
            if (result == MRCResult::Ok) StartChartStep();
            return result;
        });
    }

    void SetLogin(const TStrWRec &emailSemicolonPassword, bool remember, int32_t &err) override {
        const QString text = ToQString(emailSemicolonPassword);
        if (!text.isEmpty()) {
            // An e-mail address holds no ";": the first one ends it, and everything after it
            // is the password, ";" included.
            const qsizetype split = text.indexOf(QLatin1Char(';'));
            FEmail = split < 0 ? text : text.left(split);
            FPassword = split < 0 ? QString() : text.mid(split + 1);
        }
        int32_t storeErr = KvErr::Ok;
        Remember(remember, true, true, storeErr);
        // Whether the login changed since the last one sent, whichever way it was handed in.
        const bool changed = FEmail != FSentEmail || FPassword != FSentPassword;
        const int32_t kind = changed ? MRCRequestKind::Login : MRCRequestKind::Charts;
        FSentEmail = FEmail;
        FSentPassword = FPassword;
        if (FEmail.isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err, kind);
            return;
        }
        RunLogin(kind, err);
        if (err == KvErr::Ok) err = storeErr;
    }

    void SetLoginEmail(const TStrWRec &email, bool remember, int32_t &err) override {
        FEmail = ToQString(email);
        err = KvErr::Ok;
        Remember(remember, true, false, err);
    }

    void SetLoginPassword(const TStrWRec &password, bool remember, int32_t &err) override {
        FPassword = ToQString(password);
        err = KvErr::Ok;
        Remember(remember, false, true, err);
    }

    int32_t GetLastResult() override { return FClient.LastResult(); }
    bool IsBusy() override { return FClient.Busy(); }
    void SetNewsPending(bool pending) override { FNewsPending = pending; }
    // The lists of the last news answer read whole.
    int32_t GetRemoteFileCount() override { return FNewsLists.FileCount(); }
    IMRCRemoteFile *GetRemoteFile(int32_t i) override { return FNewsLists.File(i); }
    int32_t GetVersionCount() override { return FNewsLists.VersionCount(); }
    IMRCVersionEntry *GetVersion(int32_t i) override { return FNewsLists.Version(i); }
    int32_t GetNewsCount() override { return FNewsLists.NewsCount(); }
    IMRCNewsMessage *GetNews(int32_t i) override { return FNewsLists.News(i); }
    int32_t GetAvailableChartSetCount() override { return int32_t(FOffer.size()); }
    IMRCAvailableChartSet *GetAvailableChartSet(int32_t index) override {
        return index >= 0 && index < GetAvailableChartSetCount() ? FOffer[size_t(index)].get() : nullptr;
    }
    IMRCChartSetRecord *FindChartSetRecord(uint32_t productNumber, uint32_t moduleMask) override {
        for (const auto *list : {&FDownloads, &FKnown})
            for (const auto &r : *list)
                if (r->Product == productNumber && r->Mask == moduleMask) return r.get();
        return nullptr;
    }
    IMRCAvailableChartSet *FindAvailableChartSet(uint32_t productNumber, uint32_t moduleMask) override {
        for (const auto &a : FOffer)
            if (a->Product == productNumber && a->Mask == moduleMask) return a.get();
        return nullptr;
    }
    bool HasNewerEditions() override { return false; }
    IMRCRequestList *NewRequestList() override { return new TMRCRequestList(); }
    IMRCRequestItem *NewRequestItem() override { return new TMRCRequestItem(); }

    void RequestDownload(IMRCRequestList *list, int32_t &err) override {
        RunChartSetRequest(QStringLiteral("downloads"), MRCRequestKind::Records, list, err,
                           [this](const TWebAnswer &answer) { return ReadRecords(answer); });
    }

    int32_t GetDownloadCount() override { return int32_t(FDownloads.size()); }
    IMRCChartSetRecord *GetDownload(int32_t index) override {
        return index >= 0 && index < GetDownloadCount() ? FDownloads[size_t(index)].get() : nullptr;
    }

    void ReportRemoval(IMRCRequestList *records, int32_t &err) override {
        RunChartSetRequest(QStringLiteral("removal"), MRCRequestKind::Removal, records, err, {});
    }

    void Login(QString &email, QString &password) const {
        email = FEmail;
        password = FPassword;
    }

private:
    TWebRequest Request(const QString &operation) const {
        TWebRequest request;
        request.Service = QStringLiteral("account");
        request.Operation = operation;
        request.Fields.append({QStringLiteral("edition"), FEdition});
        request.Fields.append({QStringLiteral("version"), QString::number(FVersion)});
        return request;
    }

    void RunChartSetRequest(const QString &operation, int32_t kind, IMRCRequestList *list,
                            int32_t &err, std::function<int32_t(const TWebAnswer &)> apply) {
        TWebRequest request = Request(operation);
        request.Kind = kind;
        request.Fields.append({QStringLiteral("email"), FEmail});
        request.Fields.append({QStringLiteral("password"), FPassword});
        const int32_t count = list ? list->GetCount() : 0;
        bool valid = count > 0;
        for (int32_t i = 0; valid && i < count; ++i)
            valid = AddChartSetFields(list->GetItem(i), i, request);
        if (!valid) {
            FClient.Refuse(KvErr::InvalidArgument, err, kind);
            return;
        }
        FClient.Run(request, err, std::move(apply));
    }

    // Children handed out before stay valid one answer longer: a window may still show them
    // until it has handled the notification of the new answer.
    int32_t ReadOffer(const TWebAnswer &answer) {
        const QJsonObject doc = QJsonDocument::fromJson(answer.Body).object();
        if (answer.Result != MRCResult::Ok) return answer.Result;
        FOldOffer = std::move(FOffer);
        FOffer = ReadChartSetOffer(doc.value(QLatin1String("chartsets")).toArray());
        FOldKnown = std::move(FKnown);
        FKnown = ReadChartSetRecords(doc.value(QLatin1String("records")).toArray());
        return answer.Result;
    }

    int32_t ReadRecords(const TWebAnswer &answer) {
        if (answer.Result != MRCResult::Ok) return answer.Result;
        const QJsonObject doc = QJsonDocument::fromJson(answer.Body).object();
        FOldDownloads = std::move(FDownloads);
        FDownloads = ReadChartSetRecords(doc.value(QLatin1String("records")).toArray());
        return answer.Result;
    }

    // Without remember the stored login is forgotten (the user unticked "remember me");
    // with it, the parts named are written. err keeps an earlier error.
    void Remember(bool remember, bool email, bool password, int32_t &err) {
        int32_t e = KvErr::Ok;
        if (!remember) {
            ForgetStoredLogin(e);
        } else {
            if (email) WriteStoredValue(EmailValue, FEmail, e);
            if (password && e == KvErr::Ok) WriteStoredValue(PasswordValue, FPassword, e);
        }
        if (err == KvErr::Ok) err = e;
    }

    // The chart step of a news fetch: the offer and the records of the sets the account
    // knows as installed, with the login held, answered as a request of kind Charts. Its
    // start waits until the news answer's notification has been delivered (the answer is
    // posted after this call, so the step is queued twice): GetLastResult must still give
    // the news result to whoever handles that notification. Without a login the account has
    // no charts to tell of: the step is refused as a rejected login.
    void StartChartStep() {
        const std::weak_ptr<bool> alive = FAlive;
        const auto start = [alive, this] {
            if (alive.expired()) return;
            int32_t err = KvErr::Ok;
            if (FEmail.isEmpty()) {
                FClient.Refuse(MRCResult::LoginFailed, err, MRCRequestKind::Charts);
                return;
            }
            RunLogin(MRCRequestKind::Charts, err);
        };
        QCoreApplication *app = QCoreApplication::instance();
        if (!app) return;
        QMetaObject::invokeMethod(
            app, [app, start] { QMetaObject::invokeMethod(app, start, Qt::QueuedConnection); },
            Qt::QueuedConnection);
    }

    // The login held, answered by the offer and the installed-set records.
    void RunLogin(int32_t kind, int32_t &err) {
        TWebRequest request = Request(QStringLiteral("login"));
        request.Kind = kind;
        request.Fields.append({QStringLiteral("email"), FEmail});
        request.Fields.append({QStringLiteral("password"), FPassword});
        FClient.Run(request, err, [this](const TWebAnswer &answer) { return ReadOffer(answer); });
    }

    TWebClient FClient;
    QString FEdition;
    int32_t FVersion;
    QString FEmail;
    QString FPassword;
    QString FSentEmail;
    QString FSentPassword;
    bool FNewsPending = false;
    INavMessageDispatcher *FDispatcher;
    TNewsLists FNewsLists;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    std::vector<std::unique_ptr<TAvailableChartSet>> FOffer, FOldOffer;
    std::vector<std::unique_ptr<TChartSetRecord>> FKnown, FOldKnown, FDownloads, FOldDownloads;
};

}  // namespace

bool AccountLogin(IMRCChartCheck *check, QString &email, QString &password) {
    email.clear();
    password.clear();
    auto *account = dynamic_cast<TMRCChartCheck *>(check);
    if (!account) return false;
    account->Login(email, password);
    return !email.isEmpty();
}

}  // namespace kv

IMRCChartCheck *MRCChartCheckCreate(INavMessageDispatcher *disp, const TStrWRec &edition,
                                    int32_t packedProgramVersion) {
    return new kv::TMRCChartCheck(disp, kv::ToQString(edition), packedProgramVersion);
}
