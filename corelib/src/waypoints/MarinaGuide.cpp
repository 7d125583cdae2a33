#include "waypoints/MarinaGuide.h"

#include "kernel/KvInternal.h"

#include <QJsonValue>
#include <QString>
#include <cmath>
#include <map>

namespace {

constexpr double DegToRad = M_PI / 180.0;

class TMarinaGuideEntry final : public IMarinaGuideEntry {
public:
    explicit TMarinaGuideEntry(const QJsonObject &object) : FData(object) {
        const QJsonValue lat = FData.value(QStringLiteral("Lat"));
        const QJsonValue lon = FData.value(QStringLiteral("Lon"));
        if (lat.isDouble() && lon.isDouble())
            FPosition = {lat.toDouble() * DegToRad, lon.toDouble() * DegToRad};
        else
            FPosition = {GeoPointNoPosition, GeoPointNoPosition};
        FBox.Length = float(Number(u"BoxLength", -1));
        FBox.Width = float(Number(u"BoxWidth", -1));
    }

    const TGeoPoint *GetPosition() override { return &FPosition; }
    // The file carries no waypoint database of its own.
    IWptWaypoint *GetWaypoint() override { return nullptr; }
    const TMarinaGuideBoxSize *GetBoxSize() override { return &FBox; }

    const TStrWRec *GetCharacteristics() override { return Text(u"Characteristics"); }
    const TStrWRec *GetCharacteristics2() override { return Text(u"Characteristics2"); }
    const TStrWRec *GetChartImage() override { return Text(u"ChartImage"); }
    const TStrWRec *GetCity() override { return Text(u"City"); }
    const TStrWRec *GetConventionalSocketsNote() override { return Text(u"ConventionalSocketsNote"); }
    const TStrWRec *GetCEESocketsNote() override { return Text(u"CEESocketsNote"); }
    const TStrWRec *GetEmail() override { return Text(u"Email"); }
    const TStrWRec *GetHarbourMasterFax() override { return Text(u"HarbourMasterFax"); }
    const TStrWRec *GetGroceryStoreNote() override { return Text(u"GroceryStoreNote"); }
    const TStrWRec *GetHarbourMasterAvailability() override { return Text(u"HarbourMasterAvailability"); }
    const TStrWRec *GetHarbourMasterLanguages() override { return Text(u"HarbourMasterLanguages"); }
    const TStrWRec *GetPhone() override { return Text(u"Phone"); }
    const TStrWRec *GetVHF() override { return Text(u"VHF"); }
    const TStrWRec *GetLocationText() override { return Text(u"LocationText"); }
    const TStrWRec *GetLocationTextEN() override { return Text(u"LocationTextEN"); }
    const TStrWRec *GetMaxCurrent() override { return Text(u"MaxCurrent"); }
    const TStrWRec *GetMaxStay() override { return Text(u"MaxStay"); }
    const TStrWRec *GetMaxWaterLevelChange() override { return Text(u"MaxWaterLevelChange"); }
    const TStrWRec *GetMMSI() override { return Text(u"MMSI"); }
    const TStrWRec *GetName() override { return Text(u"Name"); }
    const TStrWRec *GetPaymentOptions() override { return Text(u"PaymentOptions"); }
    const TStrWRec *GetOpened() override { return Text(u"Opened"); }
    const TStrWRec *GetSeason() override { return Text(u"Season"); }
    const TStrWRec *GetPriceCrane() override { return Text(u"PriceCrane"); }
    const TStrWRec *GetPriceNote() override { return Text(u"PriceNote"); }
    const TStrWRec *GetDiscount() override { return Text(u"Discount"); }
    const TStrWRec *GetPriceFreshWater() override { return Text(u"PriceFreshWater"); }
    const TStrWRec *GetPriceChildNight() override { return Text(u"PriceChildNight"); }
    const TStrWRec *GetPriceBerthNight() override { return Text(u"PriceBerthNight"); }
    const TStrWRec *GetPriceBerthSeason() override { return Text(u"PriceBerthSeason"); }
    const TStrWRec *GetPriceBerthYear() override { return Text(u"PriceBerthYear"); }
    const TStrWRec *GetPricePersonNight() override { return Text(u"PricePersonNight"); }
    const TStrWRec *GetReferencePrice() override { return Text(u"ReferencePrice"); }
    const TStrWRec *GetPriceElectricityKWh() override { return Text(u"PriceElectricityKWh"); }
    const TStrWRec *GetPriceElectricityNight() override { return Text(u"PriceElectricityNight"); }
    const TStrWRec *GetPriceHotShowers() override { return Text(u"PriceHotShowers"); }
    const TStrWRec *GetPriceWinch() override { return Text(u"PriceWinch"); }
    const TStrWRec *GetRestaurantNote() override { return Text(u"RestaurantNote"); }
    const TStrWRec *GetSnackbarNote() override { return Text(u"SnackbarNote"); }
    const TStrWRec *GetHeaderText() override { return Text(u"HeaderText"); }
    const TStrWRec *GetSupermarketNote() override { return Text(u"SupermarketNote"); }
    const TStrWRec *GetWebsite() override { return Text(u"Website"); }
    int32_t GetNumber() override { return Int(u"Number", 0); }
    int32_t GetClassCateringLeisure() override { return Int(u"ClassCateringLeisure", -1); }
    int32_t GetClassTechService() override { return Int(u"ClassTechService", -1); }
    int32_t GetOpenedYear() override { return Int(u"OpenedYear", 0); }
    int32_t GetPricesYear() override { return Int(u"PricesYear", 0); }
    int32_t GetReferencePriceYear() override { return Int(u"ReferencePriceYear", 0); }
    int32_t GetSeasonYear() override { return Int(u"SeasonYear", 0); }
    bool HasPriceInformation() override { return Bool(u"HasPriceInformation"); }
    int32_t GetCEESocketCount() override { return Int(u"CEESocketCount", -1); }
    int32_t GetSocketCount() override { return Int(u"SocketCount", -1); }
    int32_t GetFreshWaterConnections() override { return Int(u"FreshWaterConnections", -1); }
    int32_t GetTVConnections() override { return Int(u"TVConnections", -1); }
    int32_t GetAnchorages() override { return Int(u"Anchorages", -1); }
    int32_t GetMaxStayNights() override { return Int(u"MaxStayNights", -1); }
    float GetCraneTons() override { return float(Number(u"CraneTons", 0)); }
    double GetMaxLength() override { return Number(u"MaxLength", -1); }
    double GetMaxDraught() override { return Number(u"MaxDraught", -1); }
    int32_t GetWaterwayDistance() override { return Int(u"WaterwayDistance", -1); }
    bool IsLeftBank() override { return Bool(u"IsLeftBank"); }
    bool IsRightBank() override { return Bool(u"IsRightBank"); }
    int32_t GetMaxCurrentUnit() override { return Int(u"MaxCurrentUnit", 0); }
    bool IsLocationExceptional() override { return Bool(u"IsLocationExceptional"); }
    bool IsLocationBeautiful() override { return Bool(u"IsLocationBeautiful"); }
    bool IsQuietAlways() override { return Bool(u"IsQuietAlways"); }
    bool IsQuietAtNight() override { return Bool(u"IsQuietAtNight"); }
    bool AreDogsAllowed() override { return Bool(u"AreDogsAllowed"); }
    bool AreDogsDisallowed() override { return Bool(u"AreDogsDisallowed"); }
    bool AreDogsAllowedLimited() override { return Bool(u"AreDogsAllowedLimited"); }
    bool HasNoticeboard() override { return Bool(u"HasNoticeboard"); }
    bool HasBuoys() override { return Bool(u"HasBuoys"); }
    bool HasLights() override { return Bool(u"HasLights"); }
    bool HasRedGreenSigns() override { return Bool(u"HasRedGreenSigns"); }
    bool HasNoReservations() override { return Bool(u"HasNoReservations"); }
    float GetDistanceCentre() override { return float(Number(u"DistanceCentre", -1)); }
    float GetDistancePublicTransport() override { return float(Number(u"DistancePublicTransport", -1)); }
    float GetDistanceBoatCharter() override { return float(Number(u"DistanceBoatCharter", -1)); }
    float GetDistanceGasBottles() override { return float(Number(u"DistanceGasBottles", -1)); }
    float GetDistanceChandlery() override { return float(Number(u"DistanceChandlery", -1)); }
    float GetDistanceShipyard() override { return float(Number(u"DistanceShipyard", -1)); }
    float GetDistanceEngineService() override { return float(Number(u"DistanceEngineService", -1)); }
    float GetDistanceSailRepair() override { return float(Number(u"DistanceSailRepair", -1)); }
    float GetDistanceBreadService() override { return float(Number(u"DistanceBreadService", -1)); }
    float GetDistanceKiosk() override { return float(Number(u"DistanceKiosk", -1)); }
    float GetDistanceGroceryStore() override { return float(Number(u"DistanceGroceryStore", -1)); }
    float GetDistanceSupermarket() override { return float(Number(u"DistanceSupermarket", -1)); }
    float GetDistanceSnackbar() override { return float(Number(u"DistanceSnackbar", -1)); }
    float GetDistanceRestaurant() override { return float(Number(u"DistanceRestaurant", -1)); }
    float GetDistanceBikeRental() override { return float(Number(u"DistanceBikeRental", -1)); }
    float GetDistanceScubaTanks() override { return float(Number(u"DistanceScubaTanks", -1)); }
    float GetDistanceBeach() override { return float(Number(u"DistanceBeach", -1)); }
    float GetDistancePlayground() override { return float(Number(u"DistancePlayground", -1)); }
    float GetDistanceSauna() override { return float(Number(u"DistanceSauna", -1)); }
    float GetDistanceSteamBath() override { return float(Number(u"DistanceSteamBath", -1)); }
    float GetDistanceWellness() override { return float(Number(u"DistanceWellness", -1)); }
    float GetDistanceSolarium() override { return float(Number(u"DistanceSolarium", -1)); }
    float GetDistanceHotel() override { return float(Number(u"DistanceHotel", -1)); }
    float GetDistanceApartments() override { return float(Number(u"DistanceApartments", -1)); }
    float GetDistanceCamping() override { return float(Number(u"DistanceCamping", -1)); }
    float GetDistancePitches() override { return float(Number(u"DistancePitches", -1)); }
    bool HasBerthLighting() override { return Bool(u"HasBerthLighting"); }
    bool HasDryBerths() override { return Bool(u"HasDryBerths"); }
    bool HasMooringBuoys() override { return Bool(u"HasMooringBuoys"); }
    bool HasWinterStorageInside() override { return Bool(u"HasWinterStorageInside"); }
    bool HasWinterStorageOutside() override { return Bool(u"HasWinterStorageOutside"); }
    bool HasDiesel() override { return Bool(u"HasDiesel"); }
    bool HasSuper() override { return Bool(u"HasSuper"); }
    bool HasGas() override { return Bool(u"HasGas"); }
    bool HasCrane() override { return Bool(u"HasCrane"); }
    bool HasSlipway() override { return Bool(u"HasSlipway"); }
    bool HasSlipwayWinch() override { return Bool(u"HasSlipwayWinch"); }
    bool HasSewagePumping() override { return Bool(u"HasSewagePumping"); }
    bool HasSpecialWaste() override { return Bool(u"HasSpecialWaste"); }
    bool HasBilgeWater() override { return Bool(u"HasBilgeWater"); }
    bool HasChemicalToilet() override { return Bool(u"HasChemicalToilet"); }
    bool HasWashBasins() override { return Bool(u"HasWashBasins"); }
    bool HasShowers() override { return Bool(u"HasShowers"); }
    bool HasToilets() override { return Bool(u"HasToilets"); }
    bool HasSanitaryWheelchair() override { return Bool(u"HasSanitaryWheelchair"); }
    bool HasToiletsWheelchair() override { return Bool(u"HasToiletsWheelchair"); }
    bool HasShowersWheelchair() override { return Bool(u"HasShowersWheelchair"); }
    bool HasWashingMachines() override { return Bool(u"HasWashingMachines"); }
    bool HasDryer() override { return Bool(u"HasDryer"); }
    bool HasBBQArea() override { return Bool(u"HasBBQArea"); }
    bool HasBBQStation() override { return Bool(u"HasBBQStation"); }
    bool HasTVConnection() override { return Bool(u"HasTVConnection"); }
    bool HasInternetBerth() override { return Bool(u"HasInternetBerth"); }
    bool HasInternetMarina() override { return Bool(u"HasInternetMarina"); }
    bool HasInternetCorner() override { return Bool(u"HasInternetCorner"); }
    bool HasParking() override { return Bool(u"HasParking"); }
    bool HasParkingGuarded() override { return Bool(u"HasParkingGuarded"); }
    bool HasParkingGuardedNight() override { return Bool(u"HasParkingGuardedNight"); }
    bool HasTrailerParking() override { return Bool(u"HasTrailerParking"); }
    bool HasTrailerParkingGuarded() override { return Bool(u"HasTrailerParkingGuarded"); }
    bool HasTrailerParkingGuardedNight() override { return Bool(u"HasTrailerParkingGuardedNight"); }

private:
    // Each text keeps its own record, so a record stays valid while other getters run.
    const TStrWRec *Text(const char16_t *key) {
        const QString k = QString::fromUtf16(key);
        return FTexts[k].Set(FData.value(k).toString());
    }
    bool Bool(const char16_t *key) const { return FData.value(QString::fromUtf16(key)).toBool(false); }
    double Number(const char16_t *key, double missing) const {
        const QJsonValue v = FData.value(QString::fromUtf16(key));
        return v.isDouble() ? v.toDouble() : missing;
    }
    int32_t Int(const char16_t *key, int32_t missing) const {
        const QJsonValue v = FData.value(QString::fromUtf16(key));
        return v.isDouble() ? int32_t(v.toInt(missing)) : missing;
    }

    QJsonObject FData;
    TGeoPoint FPosition;
    TMarinaGuideBoxSize FBox;
    std::map<QString, kv::TOwnedText> FTexts;
};

}  // namespace

namespace kv::marina {

std::unique_ptr<IMarinaGuideEntry> EntryFromJson(const QJsonObject &object) {
    return std::make_unique<TMarinaGuideEntry>(object);
}

}  // namespace kv::marina
