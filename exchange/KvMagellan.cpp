#include "exchange/KvMagellan.h"

#include "base/kvlib/KvStrings.h"
#include "base/texts/KvLanguage.h"

namespace {

TMglDeviceListFactory &Factory() {
    static TMglDeviceListFactory factory;
    return factory;
}

const TLanguageStrings SMemoryInternal = {
    "internal flash memory", "intern flashgeheugen", "internen Flash-Speicher",
    "mémoire flash interne", "", "memoria flash interna", "intern flashhukommelse",
    "internt flashminne"};
const TLanguageStrings SMemorySD = {"SD card", "SD-kaart", "SD-Karte", "carte SD", "",
                                    "scheda SD", "SD-kort", "SD-kort"};
const TLanguageStrings SMemoryCF = {"CF card", "CF-kaart", "CF-Karte", "carte CF", "",
                                    "scheda CF", "CF-kort", "CF-kort"};
const TLanguageStrings SMemoryDisk = {"disk", "schijf", "Festplatte", "disque", "", "disco",
                                      "disk", "disk"};

}  // namespace

TMglDeviceListFactory SetMglDeviceListFactory(TMglDeviceListFactory factory) {
    TMglDeviceListFactory old = std::move(Factory());
    Factory() = std::move(factory);
    return old;
}

IMglDeviceList *MagellanDeviceListCreate() {
    return Factory() ? Factory()() : MglDeviceListCreate();
}

QString MagellanMemoryTypeName(int32_t memoryType) {
    switch (memoryType) {
    case MglMemoryType::InternalFlash: return LanguageText(SMemoryInternal);
    case MglMemoryType::SDCard: return LanguageText(SMemorySD);
    case MglMemoryType::CFCard: return LanguageText(SMemoryCF);
    case MglMemoryType::Disk: return LanguageText(SMemoryDisk);
    default: return QString();
    }
}

TMagellanDeviceInfo MagellanGetDeviceInfo(IMglDeviceList *list, int32_t index) {
    TMagellanDeviceInfo info;
    TMglDriveRec drive;
    TStrWOut name;
    list->GetDevice(index, drive, name.get(), info.ID, info.Version, info.MemoryType,
                    info.Reserved, info.TotalSize, info.FreeSize);
    info.Drive = StrWToWide(&drive.Root);
    info.Name = name.Text();
    return info;
}

int32_t MagellanReadData(const QString &drive, IWptDatabase *db, uint32_t requestFlags) {
    const std::u16string text = drive.toStdU16String();
    TMglDriveRec rec;
    rec.Root = TStrWRec{int32_t(text.size()), text.c_str()};
    return MglReadData(rec, db, requestFlags);
}
