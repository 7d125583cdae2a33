// Marina-guide and point-of-interest wrappers: each getter reads its own operation, the
// database wrappers against the library's database files, the link check.
#include "TestSupport.h"

#include "base/marina/KvMarinaGuide.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <map>
#include <memory>
#include <string>

namespace {

// Answers every text operation with its own name, or with nothing at all.
class TNamedMarinaEntry final : public IMarinaGuideEntry {
public:
    bool Empty = false;
    const TStrWRec *GetCharacteristics() override { return Answer(u"GetCharacteristics"); }
    const TStrWRec *GetCharacteristics2() override { return Answer(u"GetCharacteristics2"); }
    const TStrWRec *GetChartImage() override { return Answer(u"GetChartImage"); }
    const TStrWRec *GetCity() override { return Answer(u"GetCity"); }
    const TStrWRec *GetConventionalSocketsNote() override { return Answer(u"GetConventionalSocketsNote"); }
    const TStrWRec *GetCEESocketsNote() override { return Answer(u"GetCEESocketsNote"); }
    const TStrWRec *GetEmail() override { return Answer(u"GetEmail"); }
    const TStrWRec *GetHarbourMasterFax() override { return Answer(u"GetHarbourMasterFax"); }
    const TStrWRec *GetGroceryStoreNote() override { return Answer(u"GetGroceryStoreNote"); }
    const TStrWRec *GetHarbourMasterAvailability() override { return Answer(u"GetHarbourMasterAvailability"); }
    const TStrWRec *GetHarbourMasterLanguages() override { return Answer(u"GetHarbourMasterLanguages"); }
    const TStrWRec *GetPhone() override { return Answer(u"GetPhone"); }
    const TStrWRec *GetVHF() override { return Answer(u"GetVHF"); }
    const TStrWRec *GetLocationText() override { return Answer(u"GetLocationText"); }
    const TStrWRec *GetLocationTextEN() override { return Answer(u"GetLocationTextEN"); }
    const TStrWRec *GetMaxCurrent() override { return Answer(u"GetMaxCurrent"); }
    const TStrWRec *GetMaxStay() override { return Answer(u"GetMaxStay"); }
    const TStrWRec *GetMaxWaterLevelChange() override { return Answer(u"GetMaxWaterLevelChange"); }
    const TStrWRec *GetMMSI() override { return Answer(u"GetMMSI"); }
    const TStrWRec *GetName() override { return Answer(u"GetName"); }
    const TStrWRec *GetPaymentOptions() override { return Answer(u"GetPaymentOptions"); }
    const TStrWRec *GetOpened() override { return Answer(u"GetOpened"); }
    const TStrWRec *GetSeason() override { return Answer(u"GetSeason"); }
    const TStrWRec *GetPriceCrane() override { return Answer(u"GetPriceCrane"); }
    const TStrWRec *GetPriceNote() override { return Answer(u"GetPriceNote"); }
    const TStrWRec *GetDiscount() override { return Answer(u"GetDiscount"); }
    const TStrWRec *GetPriceFreshWater() override { return Answer(u"GetPriceFreshWater"); }
    const TStrWRec *GetPriceChildNight() override { return Answer(u"GetPriceChildNight"); }
    const TStrWRec *GetPriceBerthNight() override { return Answer(u"GetPriceBerthNight"); }
    const TStrWRec *GetPriceBerthSeason() override { return Answer(u"GetPriceBerthSeason"); }
    const TStrWRec *GetPriceBerthYear() override { return Answer(u"GetPriceBerthYear"); }
    const TStrWRec *GetPricePersonNight() override { return Answer(u"GetPricePersonNight"); }
    const TStrWRec *GetReferencePrice() override { return Answer(u"GetReferencePrice"); }
    const TStrWRec *GetPriceElectricityKWh() override { return Answer(u"GetPriceElectricityKWh"); }
    const TStrWRec *GetPriceElectricityNight() override { return Answer(u"GetPriceElectricityNight"); }
    const TStrWRec *GetPriceHotShowers() override { return Answer(u"GetPriceHotShowers"); }
    const TStrWRec *GetPriceWinch() override { return Answer(u"GetPriceWinch"); }
    const TStrWRec *GetRestaurantNote() override { return Answer(u"GetRestaurantNote"); }
    const TStrWRec *GetSnackbarNote() override { return Answer(u"GetSnackbarNote"); }
    const TStrWRec *GetHeaderText() override { return Answer(u"GetHeaderText"); }
    const TStrWRec *GetSupermarketNote() override { return Answer(u"GetSupermarketNote"); }
    const TStrWRec *GetWebsite() override { return Answer(u"GetWebsite"); }
    const TGeoPoint *GetPosition() override { return nullptr; }
    IWptWaypoint *GetWaypoint() override { return nullptr; }
    int32_t GetNumber() override { return -1; }
    int32_t GetClassCateringLeisure() override { return -1; }
    int32_t GetClassTechService() override { return -1; }
    int32_t GetOpenedYear() override { return -1; }
    int32_t GetPricesYear() override { return -1; }
    int32_t GetReferencePriceYear() override { return -1; }
    int32_t GetSeasonYear() override { return -1; }
    bool HasPriceInformation() override { return false; }
    int32_t GetCEESocketCount() override { return -1; }
    int32_t GetSocketCount() override { return -1; }
    int32_t GetFreshWaterConnections() override { return -1; }
    int32_t GetTVConnections() override { return -1; }
    int32_t GetAnchorages() override { return -1; }
    int32_t GetMaxStayNights() override { return -1; }
    const TMarinaGuideBoxSize *GetBoxSize() override { return nullptr; }
    float GetCraneTons() override { return -1; }
    double GetMaxLength() override { return -1; }
    double GetMaxDraught() override { return -1; }
    int32_t GetWaterwayDistance() override { return -1; }
    bool IsLeftBank() override { return false; }
    bool IsRightBank() override { return false; }
    int32_t GetMaxCurrentUnit() override { return -1; }
    bool IsLocationExceptional() override { return false; }
    bool IsLocationBeautiful() override { return false; }
    bool IsQuietAlways() override { return false; }
    bool IsQuietAtNight() override { return false; }
    bool AreDogsAllowed() override { return false; }
    bool AreDogsDisallowed() override { return false; }
    bool AreDogsAllowedLimited() override { return false; }
    bool HasNoticeboard() override { return false; }
    bool HasBuoys() override { return false; }
    bool HasLights() override { return false; }
    bool HasRedGreenSigns() override { return false; }
    bool HasNoReservations() override { return false; }
    float GetDistanceCentre() override { return -1; }
    float GetDistancePublicTransport() override { return -1; }
    float GetDistanceBoatCharter() override { return -1; }
    float GetDistanceGasBottles() override { return -1; }
    float GetDistanceChandlery() override { return -1; }
    float GetDistanceShipyard() override { return -1; }
    float GetDistanceEngineService() override { return -1; }
    float GetDistanceSailRepair() override { return -1; }
    float GetDistanceBreadService() override { return -1; }
    float GetDistanceKiosk() override { return -1; }
    float GetDistanceGroceryStore() override { return -1; }
    float GetDistanceSupermarket() override { return -1; }
    float GetDistanceSnackbar() override { return -1; }
    float GetDistanceRestaurant() override { return -1; }
    float GetDistanceBikeRental() override { return -1; }
    float GetDistanceScubaTanks() override { return -1; }
    float GetDistanceBeach() override { return -1; }
    float GetDistancePlayground() override { return -1; }
    float GetDistanceSauna() override { return -1; }
    float GetDistanceSteamBath() override { return -1; }
    float GetDistanceWellness() override { return -1; }
    float GetDistanceSolarium() override { return -1; }
    float GetDistanceHotel() override { return -1; }
    float GetDistanceApartments() override { return -1; }
    float GetDistanceCamping() override { return -1; }
    float GetDistancePitches() override { return -1; }
    bool HasBerthLighting() override { return false; }
    bool HasDryBerths() override { return false; }
    bool HasMooringBuoys() override { return false; }
    bool HasWinterStorageInside() override { return false; }
    bool HasWinterStorageOutside() override { return false; }
    bool HasDiesel() override { return false; }
    bool HasSuper() override { return false; }
    bool HasGas() override { return false; }
    bool HasCrane() override { return false; }
    bool HasSlipway() override { return false; }
    bool HasSlipwayWinch() override { return false; }
    bool HasSewagePumping() override { return false; }
    bool HasSpecialWaste() override { return false; }
    bool HasBilgeWater() override { return false; }
    bool HasChemicalToilet() override { return false; }
    bool HasWashBasins() override { return false; }
    bool HasShowers() override { return false; }
    bool HasToilets() override { return false; }
    bool HasSanitaryWheelchair() override { return false; }
    bool HasToiletsWheelchair() override { return false; }
    bool HasShowersWheelchair() override { return false; }
    bool HasWashingMachines() override { return false; }
    bool HasDryer() override { return false; }
    bool HasBBQArea() override { return false; }
    bool HasBBQStation() override { return false; }
    bool HasTVConnection() override { return false; }
    bool HasInternetBerth() override { return false; }
    bool HasInternetMarina() override { return false; }
    bool HasInternetCorner() override { return false; }
    bool HasParking() override { return false; }
    bool HasParkingGuarded() override { return false; }
    bool HasParkingGuardedNight() override { return false; }
    bool HasTrailerParking() override { return false; }
    bool HasTrailerParkingGuarded() override { return false; }
    bool HasTrailerParkingGuardedNight() override { return false; }

private:
    const TStrWRec *Answer(const char16_t *name) {
        std::u16string &text = FTexts[name];
        text = Empty ? std::u16string() : std::u16string(name) + u" · é";
        FRecs[name] = TStrWRec{int32_t(text.size()), text.c_str()};
        return &FRecs[name];
    }
    std::map<std::u16string, std::u16string> FTexts;
    std::map<std::u16string, TStrWRec> FRecs;
};

}  // namespace

TEST(MarinaGuideWrappers, EveryGetterReadsItsOwnOperation) {
    struct Case { const char *operation; QString (*getter)(IMarinaGuideEntry *); };
    const Case cases[] = {
        {"GetCharacteristics", MarinaGuideGetCharacteristics},
        {"GetCharacteristics2", MarinaGuideGetCharacteristics2},
        {"GetChartImage", MarinaGuideGetChartImage},
        {"GetCity", MarinaGuideGetCity},
        {"GetConventionalSocketsNote", MarinaGuideGetConventionalSocketsNote},
        {"GetCEESocketsNote", MarinaGuideGetCEESocketsNote},
        {"GetEmail", MarinaGuideGetEmail},
        {"GetHarbourMasterFax", MarinaGuideGetHarbourMasterFax},
        {"GetGroceryStoreNote", MarinaGuideGetGroceryStoreNote},
        {"GetHarbourMasterAvailability", MarinaGuideGetHarbourMasterAvailability},
        {"GetHarbourMasterLanguages", MarinaGuideGetHarbourMasterLanguages},
        {"GetPhone", MarinaGuideGetPhone},
        {"GetVHF", MarinaGuideGetVHF},
        {"GetLocationText", MarinaGuideGetLocationText},
        {"GetLocationTextEN", MarinaGuideGetLocationTextEN},
        {"GetMaxCurrent", MarinaGuideGetMaxCurrent},
        {"GetMaxStay", MarinaGuideGetMaxStay},
        {"GetMaxWaterLevelChange", MarinaGuideGetMaxWaterLevelChange},
        {"GetMMSI", MarinaGuideGetMMSI},
        {"GetName", MarinaGuideGetName},
        {"GetPaymentOptions", MarinaGuideGetPaymentOptions},
        {"GetOpened", MarinaGuideGetOpened},
        {"GetSeason", MarinaGuideGetSeason},
        {"GetPriceCrane", MarinaGuideGetPriceCrane},
        {"GetPriceNote", MarinaGuideGetPriceNote},
        {"GetDiscount", MarinaGuideGetDiscount},
        {"GetPriceFreshWater", MarinaGuideGetPriceFreshWater},
        {"GetPriceChildNight", MarinaGuideGetPriceChildNight},
        {"GetPriceBerthNight", MarinaGuideGetPriceBerthNight},
        {"GetPriceBerthSeason", MarinaGuideGetPriceBerthSeason},
        {"GetPriceBerthYear", MarinaGuideGetPriceBerthYear},
        {"GetPricePersonNight", MarinaGuideGetPricePersonNight},
        {"GetReferencePrice", MarinaGuideGetReferencePrice},
        {"GetPriceElectricityKWh", MarinaGuideGetPriceElectricityKWh},
        {"GetPriceElectricityNight", MarinaGuideGetPriceElectricityNight},
        {"GetPriceHotShowers", MarinaGuideGetPriceHotShowers},
        {"GetPriceWinch", MarinaGuideGetPriceWinch},
        {"GetRestaurantNote", MarinaGuideGetRestaurantNote},
        {"GetSnackbarNote", MarinaGuideGetSnackbarNote},
        {"GetHeaderText", MarinaGuideGetHeaderText},
        {"GetSupermarketNote", MarinaGuideGetSupermarketNote},
        {"GetWebsite", MarinaGuideGetWebsite},
    };
    EXPECT_EQ(std::size(cases), 42u);
    TNamedMarinaEntry entry;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.operation);
        entry.Empty = false;
        EXPECT_EQ(c.getter(&entry), QString::fromLatin1(c.operation) + QString::fromUtf8(" · é"));
        entry.Empty = true;
        EXPECT_TRUE(c.getter(&entry).isEmpty());
    }
    entry.Empty = false;
    EXPECT_EQ(MarinaGuideGetHeaderRight(&entry), MarinaGuideGetHeaderText(&entry));
}

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

const QString DbGuid = QStringLiteral("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
const QString EntryGuid = QStringLiteral("{12345678-9ABC-DEF0-1234-56789ABCDEF0}");

QString WriteDatabase(const QByteArray &catalogue, uint32_t type = 1) {
    QByteArray bytes("KVGEOADD", 8);
    char raw[16];
    qToLittleEndian<quint32>(1, raw);
    qToLittleEndian<quint32>(type, raw + 4);
    qToLittleEndian<quint64>(quint64(catalogue.size()), raw + 8);
    bytes.append(raw, 16);
    bytes += catalogue;
    const QString path = testsupport::MakeTempDir(QStringLiteral("marina")) + "/Product.content";
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

}  // namespace

TEST(PointOfInterestWrappers, TypeTestOpenAndTexts) {
    const QString path = WriteDatabase(
        QStringLiteral(R"({"guid":"%1","entries":[{"guid":"%2","lat":52.0,"lon":5.0,"name":"Bakkerij","place":"Zwolle","website":"https://example.org"}]})")
            .arg(DbGuid, EntryGuid)
            .toUtf8());
    int32_t type = -1, err = -1;
    GetWptInfoDatabaseType(path, type, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(type, WptInfoDatabaseType::PointOfInterest);

    const QString other = testsupport::MakeTempDir(QStringLiteral("marina")) + "/Other.wpt";
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database at all, but long enough for a header");
    }
    GetWptInfoDatabaseType(other, type, err);
    EXPECT_EQ(err, KvErr::BadFormat);
    EXPECT_EQ(type, 0);

    std::unique_ptr<IGeoAddsDatabase, Deleter> db(GeoAddsDatabaseCreate());
    GeoAddsDatabaseOpen(db.get(), path, TGUID{}, err);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(GeoAddsDatabaseGetFileName(db.get()), path);
    IGeoAddsEntry *e = db->GetObject(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(GeoAddsEntryGetName(e), QStringLiteral("Bakkerij"));
    EXPECT_EQ(GeoAddsEntryGetPlace(e), QStringLiteral("Zwolle"));
    EXPECT_EQ(GeoAddsEntryGetWebsite(e), QStringLiteral("https://example.org"));
    for (auto getter : {GeoAddsEntryGetAddress, GeoAddsEntryGetComments, GeoAddsEntryGetEmail,
                        GeoAddsEntryGetHTML, GeoAddsEntryGetOpeningHours, GeoAddsEntryGetPhone,
                        GeoAddsEntryGetSpecialty})
        EXPECT_TRUE(getter(e).isEmpty());

    GeoAddsDatabaseOpen(db.get(), other, TGUID{}, err);
    EXPECT_EQ(err, KvErr::BadFormat);
    EXPECT_EQ(GeoAddsDatabaseGetFileName(db.get()), path);

    // A link to the entry finds it.
    TEntryRef ref;
    ASSERT_TRUE(CheckDatabaseEntryLink("geoadds:" + DbGuid + "/" + EntryGuid, QStringLiteral("geoadds"), nullptr, ref));
    EXPECT_EQ(db->FindEntry(ref), e);
}

TEST(PointOfInterestWrappers, LinkCheckLeavesTheReferenceAloneWhenItFails) {
    TEntryRef ref;
    ref.Entry.D1 = 42;
    for (const QString &link : {QString(), QStringLiteral("geoadds"), QStringLiteral("mailto:a@b"),
                                "wwstruct:" + EntryGuid}) {
        EXPECT_FALSE(CheckDatabaseEntryLink(link, QStringLiteral("geoadds"), nullptr, ref)) << link.toStdString();
        EXPECT_EQ(ref.Entry.D1, 42u);
    }
    EXPECT_TRUE(CheckDatabaseEntryLink("wwstruct:" + EntryGuid, QStringLiteral("wwstruct"), nullptr, ref));
    EXPECT_EQ(ref.Entry.D1, 0x12345678u);
}
