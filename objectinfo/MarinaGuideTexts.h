// Eight-language texts of the marina-guide page.
#pragma once

#include "base/texts/KvLanguage.h"

namespace MarinaStr {

// Section headers and labels.
extern const TLanguageStrings General, Facilities, Chart, PriceInformation, AdditionalInformation,
    HarbourMaster, Location, Opened, Season, Tel, VHF, Mail, Website, ReferencePrice,
    ReferencePriceSeason, Prices, PricesSeason, Included, Discount, PaymentOptions, Other,
    NoReservations, MaxStayNights, MaxStay, Nights, LanguagesSpoken, Fax, MMSI, Available,
    Anchorages, LocationEN;
// Price items.
extern const TLanguageStrings BerthNight, BerthSeason, BerthYear, Crane, Winch, PersonNight,
    ChildNight, HotShowers, ElectricityKWh, ElectricityNight, Electricity, FreshWater;
// Picture titles outside the icon tables.
extern const TLanguageStrings ClassTech, ClassCatering, MaxShipsLength, MaxDraught, MaxCurrent,
    MaxWaterLevelChange, HasBuoys, HasLights, RedGreen, Maestro, Mastercard, Visa, PetrolStation,
    Diesel, Super, Gas, And;
// Class texts 0..5.
extern const TLanguageStrings ClassText[6];

}  // namespace MarinaStr
