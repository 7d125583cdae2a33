#include "online/FrmNewsCenterLinks.h"

#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>

#include <algorithm>

namespace {

const QString MsgReadKey = QStringLiteral("Desktop\\NewsCenter\\MsgRead");
constexpr int32_t Root = AppRegRoot::Product;

}  // namespace

TNewsLink NewsLinkRoute(const QString &url) {
    if (url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return TNewsLink::External;
    static const struct {
        const char *Word;
        TNewsLink Link;
    } words[] = {
        {"autoupdatesize", TNewsLink::AutoUpdateSize},
        {"chartbazupdate", TNewsLink::ChartBaZUpdate},
        {"chartupdate", TNewsLink::ChartUpdate},
        {"covbiencupdate", TNewsLink::CovbiencUpdate},
        {"mrcmanagerupdate", TNewsLink::MRCManagerUpdate},
        {"helpupdate", TNewsLink::HelpUpdate},
        {"programupdate", TNewsLink::ProgramUpdate},
        {"s57update", TNewsLink::S57Update},
        {"userupdate", TNewsLink::UserUpdate},
        {"wwnetworkupdate", TNewsLink::WWNetworkUpdate},
        {"wwnetworkimageupdate", TNewsLink::WWNetworkImageUpdate},
    };
    const QString lower = url.toLower();
    for (const auto &w : words)
        if (lower.contains(QLatin1String(w.Word))) return w.Link;
    return TNewsLink::Cancel;
}

QStringList TNewsReadSet::Numbers() const {
    QStringList list(FNumbers.cbegin(), FNumbers.cend());
    std::sort(list.begin(), list.end());
    return list;
}

void TNewsReadSet::Load() {
    QStringList names;
    int32_t err = 0;
    RegGetValueNames(GetAppReg(), Root, MsgReadKey, names, err);
    for (const QString &n : names) FNumbers.insert(n);
}

void TNewsReadSet::Save() const {
    for (const QString &n : FNumbers) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), Root, MsgReadKey, RegName(n), QString(), err);
        RaiseIfError(err);
    }
}
