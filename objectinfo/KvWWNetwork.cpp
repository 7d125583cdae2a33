#include "objectinfo/KvWWNetwork.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

#include <atomic>

namespace {

// Library strings and lists the adapters hold right now.
std::atomic<int> LiveTemporaries{0};

}  // namespace

// ---- temporaries ----

TWWTextOut::TWWTextOut() : FStr(StrWCreateEmpty()) {
    if (FStr) ++LiveTemporaries;
}

TWWTextOut::~TWWTextOut() = default;

void TWWTextOut::Deleter::operator()(IStrW *s) const {
    StrWDelete(s);
    --LiveTemporaries;
}

QString TWWTextOut::Text() const {
    return StrWToWide(FStr.get());
}

int TWWTextOut::LiveCount() {
    return LiveTemporaries.load();
}

TWWTextListOut::TWWTextListOut() : FList(StrWListNew()) {
    if (FList) ++LiveTemporaries;
}

TWWTextListOut::~TWWTextListOut() = default;

void TWWTextListOut::Deleter::operator()(IStrWList *l) const {
    ObjectDelete(l);
    --LiveTemporaries;
}

void TWWTextListOut::CopyTo(QStringList &target) const {
    StrWListToStrings(FList.get(), target);
}

// ---- network ----

IWWNetwork *WWNetworkLoadFromFile(const QString &fileName, void *context, int32_t &error) {
    return WWNetworkCreateFromFile(StrW(fileName), context, error);
}

uint32_t WaterBodyMask(int n) {
    // A shift by 32 or more is undefined, and wrapping n would alias body 32 to body 0;
    // a set tested with the empty mask matches nothing.
    if (n < 0 || n >= 32) return 0;
    return uint32_t(1) << n;
}

bool WWNetworkFindStruct(IWWNetwork *network, const QString &identifier, int32_t &index) {
    return network->FindStructByID(StrW(identifier), index);
}

int32_t WWNetworkGetVersion(IWWNetwork *network) {
    return network->GetVersion();
}

// ---- structures ----

std::optional<float> WWLevelValue(const TWWLevel *level) {
    if (!level) return std::nullopt;
    return WWFloatValue(level->Value);
}

std::optional<float> WWFloatValue(float value) {
    if (!(value < WWMissing)) return std::nullopt;
    return value;
}

QString WWStructGetName(IWWStruct *s) { return StrWToWide(s->GetName()); }
QString WWStructGetISRS(IWWStruct *s) { return StrWToWide(s->GetISRS()); }

void WWStructGetImages(IWWStruct *s, QStringList &images) {
    images.clear();
    TWWTextListOut list;
    s->GetImages(list.get());
    list.CopyTo(images);
}

QString WWStructGetAddress(IWWStruct *s) { return StrWToWide(s->GetAddress()); }
QString WWStructGetPostalCode(IWWStruct *s) { return StrWToWide(s->GetPostalCode()); }
QString WWStructGetPlace(IWWStruct *s) { return StrWToWide(s->GetPlace()); }
QString WWStructGetPhone(IWWStruct *s) { return StrWToWide(s->GetPhone()); }
QString WWStructGetVHFChannel(IWWStruct *s) { return StrWToWide(s->GetVHFChannel()); }
QString WWStructGetComplex(IWWStruct *s) { return StrWToWide(s->GetComplex()); }

void WWStructGetTexts(IWWStruct *s, QString &label, QString &subtext) {
    label.clear();
    subtext.clear();
    TWWTextOut labelOut, subtextOut;
    s->GetTexts(labelOut.get(), subtextOut.get());
    label = labelOut.Text();
    subtext = subtextOut.Text();
}

// ---- sections ----

QString WWSectionGetName(IWWSection *section) { return StrWToWide(section->GetName()); }

bool WWSectionGetRemark(IWWSection *section, double position, QString &text) {
    text.clear();
    TWWTextOut textOut;
    const bool result = section->GetRemark(position, textOut.get());
    text = textOut.Text();
    return result;
}

bool WWSectionGetPermit(IWWSection *section, QString &url, QString &description,
                        double position) {
    url.clear();
    description.clear();
    TWWTextOut urlOut, descriptionOut;
    const bool result = section->GetPermit(position, urlOut.get(), descriptionOut.get());
    url = urlOut.Text();
    description = descriptionOut.Text();
    return result;
}

bool WWSectionGetVHFReportChannel(IWWSection *section, int32_t direction, int32_t &channel,
                                  QString &callSign, double position) {
    // The library sets the channel only where it finds one.
    channel = 0;
    callSign.clear();
    TWWTextOut callSignOut;
    const bool result =
        section->GetVHFReportChannel(position, direction, channel, callSignOut.get());
    callSign = callSignOut.Text();
    return result;
}

bool WWSectionGetVHFSectorChannel(IWWSection *section, int32_t &channel, QString &callSign,
                                  double position) {
    channel = 0;
    callSign.clear();
    TWWTextOut callSignOut;
    const bool result = section->GetVHFSectorChannel(position, channel, callSignOut.get());
    callSign = callSignOut.Text();
    return result;
}

// ---- fairways ----

QString WWFairwayGetName(IWWFairway *fairway) { return StrWToWide(fairway->GetName()); }
QString WWFairwayPartGetName(IWWFairwayPart *part) { return StrWToWide(part->GetName()); }
QString WWFairwayPartGetListName(IWWFairwayPart *part) { return StrWToWide(part->GetListName()); }

// ---- managers ----

QString WWManagerGetName(IWWManager *m) { return StrWToWide(m->GetName()); }
QString WWManagerGetDepartment(IWWManager *m) { return StrWToWide(m->GetDepartment()); }
QString WWManagerGetMailAddress(IWWManager *m) { return StrWToWide(m->GetMailAddress()); }
QString WWManagerGetMailPostalCode(IWWManager *m) { return StrWToWide(m->GetMailPostalCode()); }
QString WWManagerGetMailPlace(IWWManager *m) { return StrWToWide(m->GetMailPlace()); }
QString WWManagerGetVisitAddress(IWWManager *m) { return StrWToWide(m->GetVisitAddress()); }
QString WWManagerGetVisitPlace(IWWManager *m) { return StrWToWide(m->GetVisitPlace()); }
QString WWManagerGetPhone(IWWManager *m) { return StrWToWide(m->GetPhone()); }
QString WWManagerGetFax(IWWManager *m) { return StrWToWide(m->GetFax()); }
QString WWManagerGetWebsite(IWWManager *m) { return StrWToWide(m->GetWebsite()); }

// ---- structure items ----

QString WWBridgePassageGetISRS(IWWBridgePassage *p) { return StrWToWide(p->GetISRS()); }
QString WWBridgePassageGetRemark(IWWBridgePassage *p) { return StrWToWide(p->GetRemark()); }
QString WWLockChamberGetName(IWWLockChamber *c) { return StrWToWide(c->GetName()); }
QString WWLockChamberGetISRS(IWWLockChamber *c) { return StrWToWide(c->GetISRS()); }
QString WWLockChamberGetRemark(IWWLockChamber *c) { return StrWToWide(c->GetRemark()); }
QString WWWeirPassageGetRemark(IWWPassage *p) { return StrWToWide(p->GetRemark()); }
QString WWOtherPassageGetRemark(IWWPassage *p) { return StrWToWide(p->GetRemark()); }
QString WWBarrierPassageGetRemark(IWWBarrierPassage *p) { return StrWToWide(p->GetRemark()); }
QString WWShipTunnelPassageGetRemark(IWWShipTunnelPassage *p) { return StrWToWide(p->GetRemark()); }
QString WWOperatingPeriodGetRemark(IWWOperatingPeriod *p) { return StrWToWide(p->GetRemark()); }

// ---- weather stations ----

QString WeatherStationGetName(IWeatherStation *station) { return StrWToWide(station->GetName()); }
