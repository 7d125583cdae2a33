#include "base/marina/KvMarinaGuide.h"

#include "base/kvlib/KvStrings.h"

QString MarinaGuideGetCharacteristics(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetCharacteristics()); }
QString MarinaGuideGetCharacteristics2(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetCharacteristics2()); }
QString MarinaGuideGetChartImage(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetChartImage()); }
QString MarinaGuideGetCity(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetCity()); }
QString MarinaGuideGetConventionalSocketsNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetConventionalSocketsNote()); }
QString MarinaGuideGetCEESocketsNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetCEESocketsNote()); }
QString MarinaGuideGetEmail(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetEmail()); }
QString MarinaGuideGetHarbourMasterFax(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetHarbourMasterFax()); }
QString MarinaGuideGetGroceryStoreNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetGroceryStoreNote()); }
QString MarinaGuideGetHarbourMasterAvailability(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetHarbourMasterAvailability()); }
QString MarinaGuideGetHarbourMasterLanguages(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetHarbourMasterLanguages()); }
QString MarinaGuideGetPhone(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPhone()); }
QString MarinaGuideGetVHF(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetVHF()); }
QString MarinaGuideGetLocationText(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetLocationText()); }
QString MarinaGuideGetLocationTextEN(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetLocationTextEN()); }
QString MarinaGuideGetMaxCurrent(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetMaxCurrent()); }
QString MarinaGuideGetMaxStay(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetMaxStay()); }
QString MarinaGuideGetMaxWaterLevelChange(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetMaxWaterLevelChange()); }
QString MarinaGuideGetMMSI(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetMMSI()); }
QString MarinaGuideGetName(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetName()); }
QString MarinaGuideGetPaymentOptions(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPaymentOptions()); }
QString MarinaGuideGetOpened(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetOpened()); }
QString MarinaGuideGetSeason(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetSeason()); }
QString MarinaGuideGetPriceCrane(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceCrane()); }
QString MarinaGuideGetPriceNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceNote()); }
QString MarinaGuideGetDiscount(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetDiscount()); }
QString MarinaGuideGetPriceFreshWater(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceFreshWater()); }
QString MarinaGuideGetPriceChildNight(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceChildNight()); }
QString MarinaGuideGetPriceBerthNight(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceBerthNight()); }
QString MarinaGuideGetPriceBerthSeason(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceBerthSeason()); }
QString MarinaGuideGetPriceBerthYear(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceBerthYear()); }
QString MarinaGuideGetPricePersonNight(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPricePersonNight()); }
QString MarinaGuideGetReferencePrice(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetReferencePrice()); }
QString MarinaGuideGetPriceElectricityKWh(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceElectricityKWh()); }
QString MarinaGuideGetPriceElectricityNight(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceElectricityNight()); }
QString MarinaGuideGetPriceHotShowers(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceHotShowers()); }
QString MarinaGuideGetPriceWinch(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetPriceWinch()); }
QString MarinaGuideGetRestaurantNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetRestaurantNote()); }
QString MarinaGuideGetSnackbarNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetSnackbarNote()); }
QString MarinaGuideGetHeaderText(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetHeaderText()); }
QString MarinaGuideGetSupermarketNote(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetSupermarketNote()); }
QString MarinaGuideGetWebsite(IMarinaGuideEntry *entry) { return StrWToWide(entry->GetWebsite()); }
QString GeoAddsEntryGetAddress(IGeoAddsEntry *entry) { return StrWToWide(entry->GetAddress()); }
QString GeoAddsEntryGetPlace(IGeoAddsEntry *entry) { return StrWToWide(entry->GetPlace()); }
QString GeoAddsEntryGetComments(IGeoAddsEntry *entry) { return StrWToWide(entry->GetComments()); }
QString GeoAddsEntryGetEmail(IGeoAddsEntry *entry) { return StrWToWide(entry->GetEmail()); }
QString GeoAddsEntryGetHTML(IGeoAddsEntry *entry) { return StrWToWide(entry->GetHTML()); }
QString GeoAddsEntryGetName(IGeoAddsEntry *entry) { return StrWToWide(entry->GetName()); }
QString GeoAddsEntryGetOpeningHours(IGeoAddsEntry *entry) { return StrWToWide(entry->GetOpeningHours()); }
QString GeoAddsEntryGetPhone(IGeoAddsEntry *entry) { return StrWToWide(entry->GetPhone()); }
QString GeoAddsEntryGetSpecialty(IGeoAddsEntry *entry) { return StrWToWide(entry->GetSpecialty()); }
QString GeoAddsEntryGetWebsite(IGeoAddsEntry *entry) { return StrWToWide(entry->GetWebsite()); }

QString GeoAddsDatabaseGetFileName(IGeoAddsDatabase *database) {
    return StrWToWide(database->GetFileName());
}

void GeoAddsDatabaseOpen(IGeoAddsDatabase *database, const QString &fileName,
                         const TGUID &productGuid, int32_t &err) {
    database->Open(StrW(fileName), productGuid, err);
}

void GetWptInfoDatabaseType(const QString &fileName, int32_t &databaseType, int32_t &err) {
    databaseType = 0;
    WptInfoDatabaseGetTypeFromFile(StrW(fileName), databaseType, err);
    if (err != 0) databaseType = 0;
}

bool CheckDatabaseEntryLink(const QString &link, const QString &scheme, const TGUID *databaseGuid,
                            TEntryRef &ref) {
    TEntryRef found;
    if (!NavValidateDatabaseEntryLink(StrW(link), StrW(scheme), databaseGuid, found)) return false;
    ref = found;
    return true;
}
