// Marina guide entries of chart products and point-of-interest (".content") databases,
// with the entry links the detail pages resolve.
//
// Positions are radians. Distances are metres unless a declaration names another unit.
// All calls on the GUI thread.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvErrorCodes.h"

class IWptWaypoint;

class IGeoAddsDatabase;
class IGeoAddsEntry;

// Box size of a marina berth, metres; Length −1 when not given.
struct TMarinaGuideBoxSize {
    float Length = -1.0f;
    float Width = -1.0f;
};

// Entry named by a database-entry link: the database and the entry inside it. For the
// "wwstruct" scheme Database is the network's GUID (null GUID when the link names none)
// and Entry the structure's GUID (IWWNetwork::FindStruct).
struct TEntryRef {
    TGUID Database{};
    TGUID Entry{};
};

// Link schemes NavValidateDatabaseEntryLink accepts.
inline constexpr char16_t EntryLinkSchemeGeoAdds[] = u"geoadds";
inline constexpr char16_t EntryLinkSchemeWWStruct[] = u"wwstruct";

// WptInfoDatabaseGetTypeFromFile, IGeoAddsDatabase::GetType.
namespace WptInfoDatabaseType {
inline constexpr int32_t PointOfInterest = 1;
}  // namespace WptInfoDatabaseType

// One marina of a chart product's marina guide. Handed out by the viewer's object events
// and the add-on data; owned by that data, valid while the chart product stays loaded.
// Text getters return an empty text when the guide gives nothing.
class KVLIB_API IMarinaGuideEntry : public NavObject {
public:
    virtual const TStrWRec *GetCharacteristics() = 0;                                // slot 19
    virtual const TStrWRec *GetCharacteristics2() = 0;                               // slot 20
    // File name of the chart picture inside the guide's "Charts" icon folder; empty: the
    // picture is named after GetNumber.
    virtual const TStrWRec *GetChartImage() = 0;                                     // slot 21
    virtual const TStrWRec *GetCity() = 0;                                           // slot 23
    virtual const TStrWRec *GetConventionalSocketsNote() = 0;                        // slot 37
    // Amperage note of the CEE sockets.
    virtual const TStrWRec *GetCEESocketsNote() = 0;                                 // slot 39
    virtual const TStrWRec *GetEmail() = 0;                                          // slot 40
    virtual const TStrWRec *GetHarbourMasterFax() = 0;                               // slot 42
    virtual const TStrWRec *GetGroceryStoreNote() = 0;                               // slot 47
    virtual const TStrWRec *GetHarbourMasterAvailability() = 0;                      // slot 50
    virtual const TStrWRec *GetHarbourMasterLanguages() = 0;                         // slot 51
    virtual const TStrWRec *GetPhone() = 0;                                          // slot 52
    virtual const TStrWRec *GetVHF() = 0;                                            // slot 53
    virtual const TStrWRec *GetLocationText() = 0;                                   // slot 56
    virtual const TStrWRec *GetLocationTextEN() = 0;                                 // slot 57
    // Value text; its unit is GetMaxCurrentUnit.
    virtual const TStrWRec *GetMaxCurrent() = 0;                                     // slot 66
    virtual const TStrWRec *GetMaxStay() = 0;                                        // slot 71
    // Value text in metres.
    virtual const TStrWRec *GetMaxWaterLevelChange() = 0;                            // slot 72
    virtual const TStrWRec *GetMMSI() = 0;                                           // slot 73
    virtual const TStrWRec *GetName() = 0;                                           // slot 76
    virtual const TStrWRec *GetPaymentOptions() = 0;                                 // slot 82
    virtual const TStrWRec *GetOpened() = 0;                                         // slot 83
    virtual const TStrWRec *GetSeason() = 0;                                         // slot 84
    // Prices are display texts with their currency; "0" means included.
    virtual const TStrWRec *GetPriceCrane() = 0;                                     // slot 95
    virtual const TStrWRec *GetPriceNote() = 0;                                      // slot 96
    virtual const TStrWRec *GetDiscount() = 0;                                       // slot 97
    virtual const TStrWRec *GetPriceFreshWater() = 0;                                // slot 98
    virtual const TStrWRec *GetPriceChildNight() = 0;                                // slot 99
    virtual const TStrWRec *GetPriceBerthNight() = 0;                                // slot 100
    virtual const TStrWRec *GetPriceBerthSeason() = 0;                               // slot 101
    virtual const TStrWRec *GetPriceBerthYear() = 0;                                 // slot 102
    virtual const TStrWRec *GetPricePersonNight() = 0;                               // slot 103
    virtual const TStrWRec *GetReferencePrice() = 0;                                 // slot 104
    virtual const TStrWRec *GetPriceElectricityKWh() = 0;                            // slot 105
    virtual const TStrWRec *GetPriceElectricityNight() = 0;                          // slot 106
    virtual const TStrWRec *GetPriceHotShowers() = 0;                                // slot 108
    virtual const TStrWRec *GetPriceWinch() = 0;                                     // slot 109
    virtual const TStrWRec *GetRestaurantNote() = 0;                                 // slot 114
    virtual const TStrWRec *GetSnackbarNote() = 0;                                   // slot 127
    // Right-hand text of the page header.
    virtual const TStrWRec *GetHeaderText() = 0;                                     // slot 128 ≡ MarinaGuideGetHeaderRight
    virtual const TStrWRec *GetSupermarketNote() = 0;                                // slot 133
    virtual const TStrWRec *GetWebsite() = 0;                                        // slot 144

    // Owned by the entry.
    virtual const TGeoPoint *GetPosition() = 0;                                      // slot —
    // Waypoint of the marina in the product's add-on database; nullptr when it has none.
    // Owned by that database.
    virtual IWptWaypoint *GetWaypoint() = 0;                                         // slot —
    virtual int32_t GetNumber() = 0;                                                 // slot —
    // Classes 0..5; negative when not given.
    virtual int32_t GetClassCateringLeisure() = 0;                                   // slot —
    virtual int32_t GetClassTechService() = 0;                                       // slot —
    // Year codes: 2011 and later a year; below that 1 and 2 are codes of early editions,
    // other values no year.
    virtual int32_t GetOpenedYear() = 0;                                             // slot —
    virtual int32_t GetPricesYear() = 0;                                             // slot —
    virtual int32_t GetReferencePriceYear() = 0;                                     // slot —
    virtual int32_t GetSeasonYear() = 0;                                             // slot —
    virtual bool HasPriceInformation() = 0;                                          // slot —
    // Counts: negative when not given.
    virtual int32_t GetCEESocketCount() = 0;                                         // slot —
    virtual int32_t GetSocketCount() = 0;                                            // slot —
    virtual int32_t GetFreshWaterConnections() = 0;                                  // slot —
    virtual int32_t GetTVConnections() = 0;                                          // slot —
    virtual int32_t GetAnchorages() = 0;                                             // slot —
    virtual int32_t GetMaxStayNights() = 0;                                          // slot —
    // Owned by the entry.
    virtual const TMarinaGuideBoxSize *GetBoxSize() = 0;                             // slot —
    // Crane capacity in tonnes (unit $C800E); 0 when not given.
    virtual float GetCraneTons() = 0;                                                // slot —
    // Negative when not given.
    virtual double GetMaxLength() = 0;                                               // slot —
    virtual double GetMaxDraught() = 0;                                              // slot —
    // Distance of the marina along its waterway; negative when none.
    virtual int32_t GetWaterwayDistance() = 0;                                       // slot —
    virtual bool IsLeftBank() = 0;                                                   // slot —
    virtual bool IsRightBank() = 0;                                                  // slot —
    // Unit code of the GetMaxCurrent text.
    virtual int32_t GetMaxCurrentUnit() = 0;                                         // slot —

    // Location and character (header icons).
    virtual bool IsLocationExceptional() = 0;                                        // slot —
    virtual bool IsLocationBeautiful() = 0;                                          // slot —
    virtual bool IsQuietAlways() = 0;                                                // slot —
    virtual bool IsQuietAtNight() = 0;                                               // slot —
    virtual bool AreDogsAllowed() = 0;                                               // slot —
    virtual bool AreDogsDisallowed() = 0;                                            // slot —
    virtual bool AreDogsAllowedLimited() = 0;                                        // slot —
    virtual bool HasNoticeboard() = 0;                                               // slot —
    virtual bool HasBuoys() = 0;                                                     // slot —
    virtual bool HasLights() = 0;                                                    // slot —
    virtual bool HasRedGreenSigns() = 0;                                             // slot —
    virtual bool HasNoReservations() = 0;                                            // slot —

    // Distances to facilities, metres: negative when there is none, 0..100 means at the
    // marina itself.
    virtual float GetDistanceCentre() = 0;                                           // slot —
    virtual float GetDistancePublicTransport() = 0;                                  // slot —
    virtual float GetDistanceBoatCharter() = 0;                                      // slot —
    virtual float GetDistanceGasBottles() = 0;                                       // slot —
    virtual float GetDistanceChandlery() = 0;                                        // slot —
    virtual float GetDistanceShipyard() = 0;                                         // slot —
    virtual float GetDistanceEngineService() = 0;                                    // slot —
    virtual float GetDistanceSailRepair() = 0;                                       // slot —
    virtual float GetDistanceBreadService() = 0;                                     // slot —
    virtual float GetDistanceKiosk() = 0;                                            // slot —
    virtual float GetDistanceGroceryStore() = 0;                                     // slot —
    virtual float GetDistanceSupermarket() = 0;                                      // slot —
    virtual float GetDistanceSnackbar() = 0;                                         // slot —
    virtual float GetDistanceRestaurant() = 0;                                       // slot —
    virtual float GetDistanceBikeRental() = 0;                                       // slot —
    virtual float GetDistanceScubaTanks() = 0;                                       // slot —
    virtual float GetDistanceBeach() = 0;                                            // slot —
    virtual float GetDistancePlayground() = 0;                                       // slot —
    virtual float GetDistanceSauna() = 0;                                            // slot —
    virtual float GetDistanceSteamBath() = 0;                                        // slot —
    virtual float GetDistanceWellness() = 0;                                         // slot —
    virtual float GetDistanceSolarium() = 0;                                         // slot —
    virtual float GetDistanceHotel() = 0;                                            // slot —
    virtual float GetDistanceApartments() = 0;                                       // slot —
    virtual float GetDistanceCamping() = 0;                                          // slot —
    virtual float GetDistancePitches() = 0;                                          // slot —

    // Facilities.
    virtual bool HasBerthLighting() = 0;                                             // slot —
    virtual bool HasDryBerths() = 0;                                                 // slot —
    virtual bool HasMooringBuoys() = 0;                                              // slot —
    virtual bool HasWinterStorageInside() = 0;                                       // slot —
    virtual bool HasWinterStorageOutside() = 0;                                      // slot —
    virtual bool HasDiesel() = 0;                                                    // slot —
    virtual bool HasSuper() = 0;                                                     // slot —
    virtual bool HasGas() = 0;                                                       // slot —
    virtual bool HasCrane() = 0;                                                     // slot —
    virtual bool HasSlipway() = 0;                                                   // slot —
    virtual bool HasSlipwayWinch() = 0;                                              // slot —
    virtual bool HasSewagePumping() = 0;                                             // slot —
    virtual bool HasSpecialWaste() = 0;                                              // slot —
    virtual bool HasBilgeWater() = 0;                                                // slot —
    virtual bool HasChemicalToilet() = 0;                                            // slot —
    virtual bool HasWashBasins() = 0;                                                // slot —
    virtual bool HasShowers() = 0;                                                   // slot —
    virtual bool HasToilets() = 0;                                                   // slot —
    virtual bool HasSanitaryWheelchair() = 0;                                        // slot —
    virtual bool HasToiletsWheelchair() = 0;                                         // slot —
    virtual bool HasShowersWheelchair() = 0;                                         // slot —
    virtual bool HasWashingMachines() = 0;                                           // slot —
    virtual bool HasDryer() = 0;                                                     // slot —
    virtual bool HasBBQArea() = 0;                                                   // slot —
    virtual bool HasBBQStation() = 0;                                                // slot —
    virtual bool HasTVConnection() = 0;                                              // slot —
    virtual bool HasInternetBerth() = 0;                                             // slot —
    virtual bool HasInternetMarina() = 0;                                            // slot —
    virtual bool HasInternetCorner() = 0;                                            // slot —
    virtual bool HasParking() = 0;                                                   // slot —
    virtual bool HasParkingGuarded() = 0;                                            // slot —
    virtual bool HasParkingGuardedNight() = 0;                                       // slot —
    virtual bool HasTrailerParking() = 0;                                            // slot —
    virtual bool HasTrailerParkingGuarded() = 0;                                     // slot —
    virtual bool HasTrailerParkingGuardedNight() = 0;                                // slot —
};

// Point-of-interest database of a chart product's ".content" file (shops, services and
// other places). From GeoAddsDatabaseCreate, then Open; owned by the caller (the
// environment's per-product record). Entry pictures are JPEG data inside the file.
class KVLIB_API IGeoAddsDatabase : public NavObject {
public:
    // Entry whose symbol lies at pos (radians, within the hit distance the library uses).
    virtual bool ObjectAt(const TGeoPoint &pos, int32_t &index) = 0;                 // slot 1
    // WptInfoDatabaseType.
    virtual int32_t GetType() = 0;                                                   // slot 3
    virtual const TStrWRec *GetFileName() = 0;                                       // slot 4
    // Opens the file for the chart product productGuid; a second Open replaces the data.
    virtual void Open(const TStrWRec &file, const TGUID &productGuid, int32_t &err) = 0;  // slot 5
    virtual IGeoAddsEntry *GetObject(int32_t index) = 0;                             // slot 8
    // Entry of a link checked by NavValidateDatabaseEntryLink; nullptr when the reference
    // names another database or an unknown entry.
    virtual IGeoAddsEntry *FindEntry(const TEntryRef &ref) = 0;                      // slot —
};

// One point of interest. Owned by its database. Text getters return an empty text when
// the entry has no value.
class KVLIB_API IGeoAddsEntry : public NavObject {
public:
    virtual const TStrWRec *GetAddress() = 0;                                        // slot 1
    virtual const TStrWRec *GetPlace() = 0;                                          // slot 3
    virtual const TStrWRec *GetComments() = 0;                                       // slot 4
    virtual const TStrWRec *GetEmail() = 0;                                          // slot 6
    // Ready-made HTML page; when not empty it is shown instead of a generated page, with
    // relative image names resolved in the database file's folder.
    virtual const TStrWRec *GetHTML() = 0;                                           // slot 8
    virtual const TStrWRec *GetName() = 0;                                           // slot 10
    virtual const TStrWRec *GetOpeningHours() = 0;                                   // slot 11
    virtual const TStrWRec *GetPhone() = 0;                                          // slot 12
    virtual const TStrWRec *GetSpecialty() = 0;                                      // slot 14
    virtual const TStrWRec *GetWebsite() = 0;                                        // slot 17
    virtual IGeoAddsDatabase *GetDatabase() = 0;                                     // slot —
    // Byte offset of the entry's JPEG picture in the database file; negative when none.
    virtual int64_t GetPictureOffset() = 0;                                          // slot —
    virtual bool HasMooring() = 0;                                                   // slot —
    virtual bool HasTerrace() = 0;                                                   // slot —
};

// An empty point-of-interest database; Open loads a file into it. Owned by the caller.
KVLIB_API IGeoAddsDatabase *GeoAddsDatabaseCreate();
// Kind of an add-on info database file without opening it (WptInfoDatabaseType).
// KvErr::NotFound when the file is missing, KvErr::BadFormat when it is no such database.
KVLIB_API void WptInfoDatabaseGetTypeFromFile(const TStrWRec &file, int32_t &type,
                                              int32_t &err);
// True when link is an entry link of scheme ("geoadds", "wwstruct"); refOut then names the
// database and the entry. With databaseGuid given, a link naming no database refers to
// that one. Never fails otherwise: any other text gives False.
KVLIB_API bool NavValidateDatabaseEntryLink(const TStrWRec &link, const TStrWRec &scheme,
                                            const TGUID *databaseGuid, TEntryRef &refOut);
