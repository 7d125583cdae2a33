// The user-data client (IUserDataAPI): user reports and the ships saved in the account the
// account client is logged in with. Answers: NavNotify::UserDataRequestDone.
#include "kernel/KvInternal.h"
#include "online/WebServicesClient.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <vector>

namespace kv {

namespace {

bool ValidDimension(float metres) {
    return std::isfinite(metres) && metres >= 0.0f;
}

class TUserDataAPI final : public IUserDataAPI {
public:
    TUserDataAPI(INavMessageDispatcher *disp, IMRCChartCheck *account)
        : FClient(disp, static_cast<IUserDataAPI *>(this), NavNotify::UserDataRequestDone),
          FAccount(account) {}

    void GetShip(int32_t index, IStrW *name, float &length, float &beam, float &height,
                 float &draught) override {
        const bool valid = index >= 0 && index < GetShipCount();
        const TShip ship = valid ? FShips[size_t(index)] : TShip{};
        SetStrW(name, ship.Name);
        length = ship.Length;
        beam = ship.Beam;
        height = ship.Height;
        draught = ship.Draught;
    }

    void UploadShip(const TStrWRec &name, float length, float beam, float height,
                    float draught, int32_t &err) override {
        const QString shipName = ToQString(name).trimmed();
        if (shipName.isEmpty() || !ValidDimension(length) || !ValidDimension(beam) ||
            !ValidDimension(height) || !ValidDimension(draught)) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("uploadship"));
        request.Fields.append({QStringLiteral("name"), shipName});
        request.Fields.append({QStringLiteral("length"), QString::number(double(length))});
        request.Fields.append({QStringLiteral("beam"), QString::number(double(beam))});
        request.Fields.append({QStringLiteral("height"), QString::number(double(height))});
        request.Fields.append({QStringLiteral("draught"), QString::number(double(draught))});
        FClient.Run(request, err, ShipsReader());
    }

    void DeleteShip(const TStrWRec &name, int32_t &err) override {
        const QString shipName = ToQString(name).trimmed();
        if (shipName.isEmpty()) {
            FClient.Refuse(KvErr::InvalidArgument, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("deleteship"));
        request.Fields.append({QStringLiteral("name"), shipName});
        FClient.Run(request, err, ShipsReader());
    }

    void SendReport(const TStrWRec &identity, const TStrWRec &copyAddress,
                    const TStrWRec &subject, const TStrWRec &text, const TStrWRec &chartSets,
                    const TStrWRec &screenshotFile, const TStrWRec &reportPosition,
                    const TStrWRec &boatPosition, const TStrWRec &boatInfo, bool sendCopy,
                    int32_t &err) override {
        const QString screenshot = ToQString(screenshotFile);
        // A named screenshot that is not there would silently go missing from the report.
        if (!screenshot.isEmpty() && !QFileInfo(screenshot).isFile()) {
            FClient.Refuse(KvErr::NotFound, err);
            return;
        }
        TWebRequest request = Request(QStringLiteral("report"));
        request.Fields.append({QStringLiteral("identity"), ToQString(identity)});
        request.Fields.append({QStringLiteral("copyaddress"), ToQString(copyAddress)});
        request.Fields.append({QStringLiteral("subject"), ToQString(subject)});
        request.Fields.append({QStringLiteral("text"), ToQString(text)});
        request.Fields.append({QStringLiteral("chartsets"), ToQString(chartSets)});
        // The picture goes as a file of its own; the field names it without the local folder.
        request.Fields.append({QStringLiteral("screenshot"), QFileInfo(screenshot).fileName()});
        if (!screenshot.isEmpty()) {
            request.UploadField = QStringLiteral("screenshotfile");
            request.UploadFile = screenshot;
        }
        request.Fields.append({QStringLiteral("reportposition"), ToQString(reportPosition)});
        request.Fields.append({QStringLiteral("boatposition"), ToQString(boatPosition)});
        request.Fields.append({QStringLiteral("boatinfo"), ToQString(boatInfo)});
        request.Fields.append({QStringLiteral("sendcopy"), sendCopy ? QStringLiteral("1")
                                                                    : QStringLiteral("0")});
        FClient.Run(request, err);
    }

    void RequestUserData(int32_t &err) override {
        FClient.Run(Request(QStringLiteral("ships")), err, ShipsReader());
    }

    int32_t GetLastResult() override { return FClient.LastResult(); }
    int32_t GetShipCount() override { return int32_t(FShips.size()); }

private:
    struct TShip {
        QString Name;
        float Length = 0, Beam = 0, Height = 0, Draught = 0;
    };

    // Every ship request answers with the account's saved ships ("ships": [{"name",
    // "length", "beam", "height", "draught"}], metres); a failed one keeps the list.
    std::function<int32_t(const TWebAnswer &)> ShipsReader() {
        return [this](const TWebAnswer &answer) {
            const QJsonObject doc = QJsonDocument::fromJson(answer.Body).object();
            if (answer.Result != MRCResult::Ok || !doc.contains(QLatin1String("ships")))
                return answer.Result;
            FShips.clear();
            for (const QJsonValue &v : doc.value(QLatin1String("ships")).toArray()) {
                const QJsonObject o = v.toObject();
                FShips.push_back({o.value(QLatin1String("name")).toString(),
                                  float(o.value(QLatin1String("length")).toDouble()),
                                  float(o.value(QLatin1String("beam")).toDouble()),
                                  float(o.value(QLatin1String("height")).toDouble()),
                                  float(o.value(QLatin1String("draught")).toDouble())});
            }
            return answer.Result;
        };
    }

    TWebRequest Request(const QString &operation) const {
        TWebRequest request;
        request.Service = QStringLiteral("userdata");
        request.Operation = operation;
        QString email, password;
        AccountLogin(FAccount, email, password);
        request.Fields.append({QStringLiteral("email"), email});
        request.Fields.append({QStringLiteral("password"), password});
        return request;
    }

    TWebClient FClient;
    std::vector<TShip> FShips;
    IMRCChartCheck *FAccount;  // the environment's account client; outlives this one
};

}  // namespace

}  // namespace kv

IUserDataAPI *UserDataAPICreate(INavMessageDispatcher *disp, IMRCChartCheck *onlineService) {
    return new kv::TUserDataAPI(disp, onlineService);
}
