// Texts of marina-guide entries and point-of-interest databases for the detail pages,
// the type test of an add-on database file and the check of database-entry links.
//
// Every getter copies the record's text at once; an absent value is an empty text. The
// records belong to their owners (the chart product's guide, the database). GUI thread
// only.
#pragma once

#include <KvLibNav6/KvMarinaGuide.h>

#include <QString>
#include <cstdint>

// Marina-guide entry texts.
QString MarinaGuideGetCharacteristics(IMarinaGuideEntry *entry);
QString MarinaGuideGetCharacteristics2(IMarinaGuideEntry *entry);
QString MarinaGuideGetChartImage(IMarinaGuideEntry *entry);
QString MarinaGuideGetCity(IMarinaGuideEntry *entry);
QString MarinaGuideGetConventionalSocketsNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetCEESocketsNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetEmail(IMarinaGuideEntry *entry);
QString MarinaGuideGetHarbourMasterFax(IMarinaGuideEntry *entry);
QString MarinaGuideGetGroceryStoreNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetHarbourMasterAvailability(IMarinaGuideEntry *entry);
QString MarinaGuideGetHarbourMasterLanguages(IMarinaGuideEntry *entry);
QString MarinaGuideGetPhone(IMarinaGuideEntry *entry);
QString MarinaGuideGetVHF(IMarinaGuideEntry *entry);
QString MarinaGuideGetLocationText(IMarinaGuideEntry *entry);
QString MarinaGuideGetLocationTextEN(IMarinaGuideEntry *entry);
QString MarinaGuideGetMaxCurrent(IMarinaGuideEntry *entry);
QString MarinaGuideGetMaxStay(IMarinaGuideEntry *entry);
QString MarinaGuideGetMaxWaterLevelChange(IMarinaGuideEntry *entry);
QString MarinaGuideGetMMSI(IMarinaGuideEntry *entry);
QString MarinaGuideGetName(IMarinaGuideEntry *entry);
QString MarinaGuideGetPaymentOptions(IMarinaGuideEntry *entry);
QString MarinaGuideGetOpened(IMarinaGuideEntry *entry);
QString MarinaGuideGetSeason(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceCrane(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetDiscount(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceFreshWater(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceChildNight(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceBerthNight(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceBerthSeason(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceBerthYear(IMarinaGuideEntry *entry);
QString MarinaGuideGetPricePersonNight(IMarinaGuideEntry *entry);
QString MarinaGuideGetReferencePrice(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceElectricityKWh(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceElectricityNight(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceHotShowers(IMarinaGuideEntry *entry);
QString MarinaGuideGetPriceWinch(IMarinaGuideEntry *entry);
QString MarinaGuideGetRestaurantNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetSnackbarNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetHeaderText(IMarinaGuideEntry *entry);
QString MarinaGuideGetSupermarketNote(IMarinaGuideEntry *entry);
QString MarinaGuideGetWebsite(IMarinaGuideEntry *entry);
// The same text as MarinaGuideGetHeaderText, under the name some pages use.
inline QString MarinaGuideGetHeaderRight(IMarinaGuideEntry *entry);

// Point-of-interest entry texts. GetHTML: a ready-made page that replaces the generated one.
QString GeoAddsEntryGetAddress(IGeoAddsEntry *entry);
QString GeoAddsEntryGetPlace(IGeoAddsEntry *entry);
QString GeoAddsEntryGetComments(IGeoAddsEntry *entry);
QString GeoAddsEntryGetEmail(IGeoAddsEntry *entry);
QString GeoAddsEntryGetHTML(IGeoAddsEntry *entry);
QString GeoAddsEntryGetName(IGeoAddsEntry *entry);
QString GeoAddsEntryGetOpeningHours(IGeoAddsEntry *entry);
QString GeoAddsEntryGetPhone(IGeoAddsEntry *entry);
QString GeoAddsEntryGetSpecialty(IGeoAddsEntry *entry);
QString GeoAddsEntryGetWebsite(IGeoAddsEntry *entry);

// The opened database file: entry pictures are read from it at their offsets.
QString GeoAddsDatabaseGetFileName(IGeoAddsDatabase *database);
// Opens fileName for the chart product productGuid; err as the library reports it (the
// database keeps its previous contents when the file cannot be used).
void GeoAddsDatabaseOpen(IGeoAddsDatabase *database, const QString &fileName,
                         const TGUID &productGuid, int32_t &err);
// Kind of an add-on info database file (WptInfoDatabaseType; 1 = point of interest)
// without opening it. databaseType is 0 when err is not 0.
void GetWptInfoDatabaseType(const QString &fileName, int32_t &databaseType, int32_t &err);
// True when link is an entry link of scheme ("geoadds" or "wwstruct"); ref then names the
// database and the entry. databaseGuid (may be nullptr) is the database a link without one
// refers to. Any other text gives False; nothing is raised.
bool CheckDatabaseEntryLink(const QString &link, const QString &scheme, const TGUID *databaseGuid,
                            TEntryRef &ref);

inline QString MarinaGuideGetHeaderRight(IMarinaGuideEntry *entry) {
    return MarinaGuideGetHeaderText(entry);
}
