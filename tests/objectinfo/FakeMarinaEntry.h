// A marina-guide entry whose every value the test sets: texts and numbers by the
// operation's name without "Get", Booleans by being named in Flags. Anything not set is
// "not given": an empty text, False, -1.
#pragma once

#include <KvLibNav6/KvMarinaGuide.h>

#include <QJsonObject>
#include <cmath>

#include <QString>
#include <map>
#include <set>
#include <string>

class TFakeMarinaEntry final : public IMarinaGuideEntry {
public:
    std::map<std::string, QString> Texts;
    std::map<std::string, double> Numbers;
    std::set<std::string> Flags;
    TGeoPoint Position{0.0, 0.0};
    IWptWaypoint *Waypoint = nullptr;
    TMarinaGuideBoxSize Box;

    // The values of an entry of a point-of-interest file's "marinas" list (degrees there).
    static void FromJson(TFakeMarinaEntry &e, const QJsonObject &o) {
        for (auto it = o.begin(); it != o.end(); ++it) {
            const std::string key = it.key().toStdString();
            if (it->isString()) e.Texts[key] = it->toString();
            else if (it->isBool() && it->toBool()) e.Flags.insert(key);
            else if (it->isDouble()) e.Numbers[key] = it->toDouble();
        }
        e.Position = {o.value(QStringLiteral("Lat")).toDouble() * M_PI / 180.0,
                      o.value(QStringLiteral("Lon")).toDouble() * M_PI / 180.0};
        e.Box = {float(o.value(QStringLiteral("BoxLength")).toDouble(-1)),
                 float(o.value(QStringLiteral("BoxWidth")).toDouble(-1))};
    }

    const TStrWRec *GetCharacteristics() override { return Text("Characteristics"); }
    const TStrWRec *GetCharacteristics2() override { return Text("Characteristics2"); }
    const TStrWRec *GetChartImage() override { return Text("ChartImage"); }
    const TStrWRec *GetCity() override { return Text("City"); }
    const TStrWRec *GetConventionalSocketsNote() override { return Text("ConventionalSocketsNote"); }
    const TStrWRec *GetCEESocketsNote() override { return Text("CEESocketsNote"); }
    const TStrWRec *GetEmail() override { return Text("Email"); }
    const TStrWRec *GetHarbourMasterFax() override { return Text("HarbourMasterFax"); }
    const TStrWRec *GetGroceryStoreNote() override { return Text("GroceryStoreNote"); }
    const TStrWRec *GetHarbourMasterAvailability() override { return Text("HarbourMasterAvailability"); }
    const TStrWRec *GetHarbourMasterLanguages() override { return Text("HarbourMasterLanguages"); }
    const TStrWRec *GetPhone() override { return Text("Phone"); }
    const TStrWRec *GetVHF() override { return Text("VHF"); }
    const TStrWRec *GetLocationText() override { return Text("LocationText"); }
    const TStrWRec *GetLocationTextEN() override { return Text("LocationTextEN"); }
    const TStrWRec *GetMaxCurrent() override { return Text("MaxCurrent"); }
    const TStrWRec *GetMaxStay() override { return Text("MaxStay"); }
    const TStrWRec *GetMaxWaterLevelChange() override { return Text("MaxWaterLevelChange"); }
    const TStrWRec *GetMMSI() override { return Text("MMSI"); }
    const TStrWRec *GetName() override { return Text("Name"); }
    const TStrWRec *GetPaymentOptions() override { return Text("PaymentOptions"); }
    const TStrWRec *GetOpened() override { return Text("Opened"); }
    const TStrWRec *GetSeason() override { return Text("Season"); }
    const TStrWRec *GetPriceCrane() override { return Text("PriceCrane"); }
    const TStrWRec *GetPriceNote() override { return Text("PriceNote"); }
    const TStrWRec *GetDiscount() override { return Text("Discount"); }
    const TStrWRec *GetPriceFreshWater() override { return Text("PriceFreshWater"); }
    const TStrWRec *GetPriceChildNight() override { return Text("PriceChildNight"); }
    const TStrWRec *GetPriceBerthNight() override { return Text("PriceBerthNight"); }
    const TStrWRec *GetPriceBerthSeason() override { return Text("PriceBerthSeason"); }
    const TStrWRec *GetPriceBerthYear() override { return Text("PriceBerthYear"); }
    const TStrWRec *GetPricePersonNight() override { return Text("PricePersonNight"); }
    const TStrWRec *GetReferencePrice() override { return Text("ReferencePrice"); }
    const TStrWRec *GetPriceElectricityKWh() override { return Text("PriceElectricityKWh"); }
    const TStrWRec *GetPriceElectricityNight() override { return Text("PriceElectricityNight"); }
    const TStrWRec *GetPriceHotShowers() override { return Text("PriceHotShowers"); }
    const TStrWRec *GetPriceWinch() override { return Text("PriceWinch"); }
    const TStrWRec *GetRestaurantNote() override { return Text("RestaurantNote"); }
    const TStrWRec *GetSnackbarNote() override { return Text("SnackbarNote"); }
    const TStrWRec *GetHeaderText() override { return Text("HeaderText"); }
    const TStrWRec *GetSupermarketNote() override { return Text("SupermarketNote"); }
    const TStrWRec *GetWebsite() override { return Text("Website"); }
    const TGeoPoint *GetPosition() override { return &Position; }
    IWptWaypoint *GetWaypoint() override { return Waypoint; }
    int32_t GetNumber() override { return int32_t(Number("Number", -1)); }
    int32_t GetClassCateringLeisure() override { return int32_t(Number("ClassCateringLeisure", -1)); }
    int32_t GetClassTechService() override { return int32_t(Number("ClassTechService", -1)); }
    int32_t GetOpenedYear() override { return int32_t(Number("OpenedYear", -1)); }
    int32_t GetPricesYear() override { return int32_t(Number("PricesYear", -1)); }
    int32_t GetReferencePriceYear() override { return int32_t(Number("ReferencePriceYear", -1)); }
    int32_t GetSeasonYear() override { return int32_t(Number("SeasonYear", -1)); }
    bool HasPriceInformation() override { return Flags.count("HasPriceInformation") > 0; }
    int32_t GetCEESocketCount() override { return int32_t(Number("CEESocketCount", -1)); }
    int32_t GetSocketCount() override { return int32_t(Number("SocketCount", -1)); }
    int32_t GetFreshWaterConnections() override { return int32_t(Number("FreshWaterConnections", -1)); }
    int32_t GetTVConnections() override { return int32_t(Number("TVConnections", -1)); }
    int32_t GetAnchorages() override { return int32_t(Number("Anchorages", -1)); }
    int32_t GetMaxStayNights() override { return int32_t(Number("MaxStayNights", -1)); }
    const TMarinaGuideBoxSize *GetBoxSize() override { return &Box; }
    float GetCraneTons() override { return float(Number("CraneTons", -1)); }
    double GetMaxLength() override { return Number("MaxLength", -1); }
    double GetMaxDraught() override { return Number("MaxDraught", -1); }
    int32_t GetWaterwayDistance() override { return int32_t(Number("WaterwayDistance", -1)); }
    bool IsLeftBank() override { return Flags.count("IsLeftBank") > 0; }
    bool IsRightBank() override { return Flags.count("IsRightBank") > 0; }
    int32_t GetMaxCurrentUnit() override { return int32_t(Number("MaxCurrentUnit", -1)); }
    bool IsLocationExceptional() override { return Flags.count("IsLocationExceptional") > 0; }
    bool IsLocationBeautiful() override { return Flags.count("IsLocationBeautiful") > 0; }
    bool IsQuietAlways() override { return Flags.count("IsQuietAlways") > 0; }
    bool IsQuietAtNight() override { return Flags.count("IsQuietAtNight") > 0; }
    bool AreDogsAllowed() override { return Flags.count("AreDogsAllowed") > 0; }
    bool AreDogsDisallowed() override { return Flags.count("AreDogsDisallowed") > 0; }
    bool AreDogsAllowedLimited() override { return Flags.count("AreDogsAllowedLimited") > 0; }
    bool HasNoticeboard() override { return Flags.count("HasNoticeboard") > 0; }
    bool HasBuoys() override { return Flags.count("HasBuoys") > 0; }
    bool HasLights() override { return Flags.count("HasLights") > 0; }
    bool HasRedGreenSigns() override { return Flags.count("HasRedGreenSigns") > 0; }
    bool HasNoReservations() override { return Flags.count("HasNoReservations") > 0; }
    float GetDistanceCentre() override { return float(Number("DistanceCentre", -1)); }
    float GetDistancePublicTransport() override { return float(Number("DistancePublicTransport", -1)); }
    float GetDistanceBoatCharter() override { return float(Number("DistanceBoatCharter", -1)); }
    float GetDistanceGasBottles() override { return float(Number("DistanceGasBottles", -1)); }
    float GetDistanceChandlery() override { return float(Number("DistanceChandlery", -1)); }
    float GetDistanceShipyard() override { return float(Number("DistanceShipyard", -1)); }
    float GetDistanceEngineService() override { return float(Number("DistanceEngineService", -1)); }
    float GetDistanceSailRepair() override { return float(Number("DistanceSailRepair", -1)); }
    float GetDistanceBreadService() override { return float(Number("DistanceBreadService", -1)); }
    float GetDistanceKiosk() override { return float(Number("DistanceKiosk", -1)); }
    float GetDistanceGroceryStore() override { return float(Number("DistanceGroceryStore", -1)); }
    float GetDistanceSupermarket() override { return float(Number("DistanceSupermarket", -1)); }
    float GetDistanceSnackbar() override { return float(Number("DistanceSnackbar", -1)); }
    float GetDistanceRestaurant() override { return float(Number("DistanceRestaurant", -1)); }
    float GetDistanceBikeRental() override { return float(Number("DistanceBikeRental", -1)); }
    float GetDistanceScubaTanks() override { return float(Number("DistanceScubaTanks", -1)); }
    float GetDistanceBeach() override { return float(Number("DistanceBeach", -1)); }
    float GetDistancePlayground() override { return float(Number("DistancePlayground", -1)); }
    float GetDistanceSauna() override { return float(Number("DistanceSauna", -1)); }
    float GetDistanceSteamBath() override { return float(Number("DistanceSteamBath", -1)); }
    float GetDistanceWellness() override { return float(Number("DistanceWellness", -1)); }
    float GetDistanceSolarium() override { return float(Number("DistanceSolarium", -1)); }
    float GetDistanceHotel() override { return float(Number("DistanceHotel", -1)); }
    float GetDistanceApartments() override { return float(Number("DistanceApartments", -1)); }
    float GetDistanceCamping() override { return float(Number("DistanceCamping", -1)); }
    float GetDistancePitches() override { return float(Number("DistancePitches", -1)); }
    bool HasBerthLighting() override { return Flags.count("HasBerthLighting") > 0; }
    bool HasDryBerths() override { return Flags.count("HasDryBerths") > 0; }
    bool HasMooringBuoys() override { return Flags.count("HasMooringBuoys") > 0; }
    bool HasWinterStorageInside() override { return Flags.count("HasWinterStorageInside") > 0; }
    bool HasWinterStorageOutside() override { return Flags.count("HasWinterStorageOutside") > 0; }
    bool HasDiesel() override { return Flags.count("HasDiesel") > 0; }
    bool HasSuper() override { return Flags.count("HasSuper") > 0; }
    bool HasGas() override { return Flags.count("HasGas") > 0; }
    bool HasCrane() override { return Flags.count("HasCrane") > 0; }
    bool HasSlipway() override { return Flags.count("HasSlipway") > 0; }
    bool HasSlipwayWinch() override { return Flags.count("HasSlipwayWinch") > 0; }
    bool HasSewagePumping() override { return Flags.count("HasSewagePumping") > 0; }
    bool HasSpecialWaste() override { return Flags.count("HasSpecialWaste") > 0; }
    bool HasBilgeWater() override { return Flags.count("HasBilgeWater") > 0; }
    bool HasChemicalToilet() override { return Flags.count("HasChemicalToilet") > 0; }
    bool HasWashBasins() override { return Flags.count("HasWashBasins") > 0; }
    bool HasShowers() override { return Flags.count("HasShowers") > 0; }
    bool HasToilets() override { return Flags.count("HasToilets") > 0; }
    bool HasSanitaryWheelchair() override { return Flags.count("HasSanitaryWheelchair") > 0; }
    bool HasToiletsWheelchair() override { return Flags.count("HasToiletsWheelchair") > 0; }
    bool HasShowersWheelchair() override { return Flags.count("HasShowersWheelchair") > 0; }
    bool HasWashingMachines() override { return Flags.count("HasWashingMachines") > 0; }
    bool HasDryer() override { return Flags.count("HasDryer") > 0; }
    bool HasBBQArea() override { return Flags.count("HasBBQArea") > 0; }
    bool HasBBQStation() override { return Flags.count("HasBBQStation") > 0; }
    bool HasTVConnection() override { return Flags.count("HasTVConnection") > 0; }
    bool HasInternetBerth() override { return Flags.count("HasInternetBerth") > 0; }
    bool HasInternetMarina() override { return Flags.count("HasInternetMarina") > 0; }
    bool HasInternetCorner() override { return Flags.count("HasInternetCorner") > 0; }
    bool HasParking() override { return Flags.count("HasParking") > 0; }
    bool HasParkingGuarded() override { return Flags.count("HasParkingGuarded") > 0; }
    bool HasParkingGuardedNight() override { return Flags.count("HasParkingGuardedNight") > 0; }
    bool HasTrailerParking() override { return Flags.count("HasTrailerParking") > 0; }
    bool HasTrailerParkingGuarded() override { return Flags.count("HasTrailerParkingGuarded") > 0; }
    bool HasTrailerParkingGuardedNight() override { return Flags.count("HasTrailerParkingGuardedNight") > 0; }

private:
    const TStrWRec *Text(const char *key) {
        auto it = Texts.find(key);
        const QString &text = it == Texts.end() ? FEmpty : it->second;
        TStrWRec &rec = FRecs[key];
        rec = TStrWRec{int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())};
        return &rec;
    }
    double Number(const char *key, double absent) const {
        auto it = Numbers.find(key);
        return it == Numbers.end() ? absent : it->second;
    }
    const QString FEmpty;
    std::map<std::string, TStrWRec> FRecs;
};
