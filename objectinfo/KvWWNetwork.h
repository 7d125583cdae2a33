// The program's layer over the core library's waterway network: loading a network file,
// water-body bits, structure lookup, the network version and one text adapter per text
// operation of the network objects.
//
// Every text crosses as QString, character for character (both sides are UTF-16). The
// objects passed in belong to the network and must be valid (nullptr is a caller error);
// only the network from WWNetworkLoadFromFile is the caller's to release (ObjectDelete).
// Exceptions of a library operation pass to the caller after the adapter's temporary
// library strings are released. All calls on the GUI thread.
#pragma once

#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

// Loads a ".kvwwn" file. Returns the network (owned by the caller) with error 0, or
// nullptr with the library's error: KvErr::NotFound for a missing file,
// KvErr::WWNetworkDamaged for a damaged or unreadable one, KvErr::BadVersion for a newer
// format. Never raises; the message is the caller's. context is reserved (nullptr).
IWWNetwork *WWNetworkLoadFromFile(const QString &fileName, void *context, int32_t &error);

// The 32-bit water-body set with only bit n set. n outside 0..31 names no water body and
// gives the empty set.
uint32_t WaterBodyMask(int n);

// Structure by its identifier (ISRS location code, any case). On True the structure is
// network->GetStruct(index); on False index is left to the library.
bool WWNetworkFindStruct(IWWNetwork *network, const QString &identifier, int32_t &index);

// Packed version of the network: major << 24 | minor << 16 | release << 8 | build.
int32_t WWNetworkGetVersion(IWWNetwork *network);

// The network's float values with its "no value" (WWMissing) as an empty optional; a
// missing level object is no value either.
std::optional<float> WWLevelValue(const TWWLevel *level);
std::optional<float> WWFloatValue(float value);

// ---- structures ----
QString WWStructGetName(IWWStruct *s);
QString WWStructGetISRS(IWWStruct *s);
// Clears images, then adds the picture files in the library's order.
void WWStructGetImages(IWWStruct *s, QStringList &images);
QString WWStructGetAddress(IWWStruct *s);
QString WWStructGetPostalCode(IWWStruct *s);
QString WWStructGetPlace(IWWStruct *s);
QString WWStructGetPhone(IWWStruct *s);
QString WWStructGetVHFChannel(IWWStruct *s);
QString WWStructGetComplex(IWWStruct *s);
// Chart label and its short subtext; both cleared first.
void WWStructGetTexts(IWWStruct *s, QString &label, QString &subtext);

// ---- sections (position: metres from the section's start junction) ----
QString WWSectionGetName(IWWSection *section);
// The adapters with a Boolean clear their out values first, return the library's answer
// and copy what the library left in the texts even when it answers False.
bool WWSectionGetRemark(IWWSection *section, double position, QString &text);
// True where a navigation permit is required.
bool WWSectionGetPermit(IWWSection *section, QString &url, QString &description,
                        double position);
// direction: 1 travelling along the section, 0 against it.
bool WWSectionGetVHFReportChannel(IWWSection *section, int32_t direction, int32_t &channel,
                                  QString &callSign, double position);
bool WWSectionGetVHFSectorChannel(IWWSection *section, int32_t &channel, QString &callSign,
                                  double position);

// ---- fairways ----
QString WWFairwayGetName(IWWFairway *fairway);
QString WWFairwayPartGetName(IWWFairwayPart *part);
// Row text of the location-search lists.
QString WWFairwayPartGetListName(IWWFairwayPart *part);

// ---- managers ----
QString WWManagerGetName(IWWManager *manager);
QString WWManagerGetDepartment(IWWManager *manager);
QString WWManagerGetMailAddress(IWWManager *manager);
QString WWManagerGetMailPostalCode(IWWManager *manager);
QString WWManagerGetMailPlace(IWWManager *manager);
QString WWManagerGetVisitAddress(IWWManager *manager);
QString WWManagerGetVisitPlace(IWWManager *manager);
QString WWManagerGetPhone(IWWManager *manager);
QString WWManagerGetFax(IWWManager *manager);
QString WWManagerGetWebsite(IWWManager *manager);

// ---- structure items ----
QString WWBridgePassageGetISRS(IWWBridgePassage *passage);
QString WWBridgePassageGetRemark(IWWBridgePassage *passage);
QString WWLockChamberGetName(IWWLockChamber *chamber);
QString WWLockChamberGetISRS(IWWLockChamber *chamber);
QString WWLockChamberGetRemark(IWWLockChamber *chamber);
// Passage of a weir-type barrier (structure kind 0).
QString WWWeirPassageGetRemark(IWWPassage *passage);
// Passage of an other work (structure kind 2).
QString WWOtherPassageGetRemark(IWWPassage *passage);
QString WWBarrierPassageGetRemark(IWWBarrierPassage *passage);
QString WWShipTunnelPassageGetRemark(IWWShipTunnelPassage *passage);
QString WWOperatingPeriodGetRemark(IWWOperatingPeriod *period);

// ---- weather stations ----
QString WeatherStationGetName(IWeatherStation *station);

// The library string behind one out-text of an adapter: created empty, released on every
// exit path. LiveCount is the number alive in the process; outside an adapter call it is
// 0 unless one leaked.
class TWWTextOut {
public:
    TWWTextOut();
    ~TWWTextOut();
    TWWTextOut(const TWWTextOut &) = delete;
    TWWTextOut &operator=(const TWWTextOut &) = delete;

    IStrW *get() const { return FStr.get(); }
    QString Text() const;
    static int LiveCount();

private:
    struct Deleter {
        void operator()(IStrW *s) const;
    };
    std::unique_ptr<IStrW, Deleter> FStr;
};

// The library string list of WWStructGetImages, counted with the strings above.
class TWWTextListOut {
public:
    TWWTextListOut();
    ~TWWTextListOut();
    TWWTextListOut(const TWWTextListOut &) = delete;
    TWWTextListOut &operator=(const TWWTextListOut &) = delete;

    IStrWList *get() const { return FList.get(); }
    // Clears target, then adds every entry in list order.
    void CopyTo(QStringList &target) const;

private:
    struct Deleter {
        void operator()(IStrWList *l) const;
    };
    std::unique_ptr<IStrWList, Deleter> FList;
};
