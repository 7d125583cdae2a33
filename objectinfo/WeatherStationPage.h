// The page of a weather station: name, position, time of the last measurement and its
// values in the user's units. Pure: reads the station (owned by the core library) and the
// texts of the current language. GUI thread.
#pragma once

#include <KvLibNav6/KvObjectUpdate.h>

#include <QString>
#include <cstdint>
#include <functional>

class IWeatherStation;

struct TWeatherStationPageInput {
    IWeatherStation *Station = nullptr;
    int32_t PositionFormat = 1;
    int32_t UnitSpeed = 0x70004;
    int32_t UnitTemperature = 0x120000;
    // The present moment, UTC: the year of the measurement is written only when it is
    // not this year's. Unset: the program's clock.
    std::function<TDateTime()> NowUTC;
};

QString BuildWeatherStationPage(const TWeatherStationPageInput &in);
