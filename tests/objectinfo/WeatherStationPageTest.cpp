// The weather station page: missing values, the year rule of the measurement time with an
// injected clock, wind speed with its second unit, and a station without a name.
#include "PageFakes.h"
#include "objectinfo/WeatherStationPage.h"

#include "base/controls/KvCalendarEx.h"

#include <gtest/gtest.h>

#include <KvLibNav6/KvUnits.h>

namespace {

using namespace pagefakes;

TDateTime At(int year, int month, int day, int hour) {
    return KvCalendar::FromQDateTime(QDate(year, month, day), QTime(hour, 5));
}

QString Page(TFakeStation &s, TDateTime now) {
    TWeatherStationPageInput in;
    in.Station = &s;
    in.UnitSpeed = KvUnit::KilometrePerHour;
    in.UnitTemperature = KvUnit::Celsius;
    in.NowUTC = [now] { return now; };
    return BuildWeatherStationPage(in);
}

QString Line(const char *label, const QString &value) {
    return QStringLiteral("                %1: %2<br />\r\n").arg(QLatin1String(label), value);
}

TEST(WeatherStationPage, MissingValuesShowDashesInEveryRow) {
    TFakeStation s;
    s.Name.Set(QStringLiteral("Velm"));
    s.Time = At(2026, 5, 2, 12);
    for (double *v : {&s.Height, &s.Humidity, &s.Pressure, &s.Temperature, &s.Visibility, &s.Direction, &s.Speed,
                      &s.Gust})
        *v = -9999.0;
    const QString page = Page(s, At(2026, 6, 1, 0));
    for (const char *label : {"Height", "Humidity", "Air pressure", "Temperature", "Visibility", "Direction of wind",
                              "Wind speed", "Wind gust"}) {
        SCOPED_TRACE(label);
        EXPECT_TRUE(page.contains(Line(label, QStringLiteral("---")))) << page.toStdString();
    }
}

TEST(WeatherStationPage, ValuesAreConvertedAndFormatted) {
    TFakeStation s;
    s.Time = At(2026, 5, 2, 12);
    s.Height = 12.34;
    s.Humidity = 0.0;
    s.Pressure = 101325.0;
    s.Temperature = -3.24;
    s.Visibility = 8000.4;
    s.Direction = M_PI / 2;
    s.Speed = 10.0;  // m/s: 36 km/h, force 5
    s.Gust = 20.0;
    const QString page = Page(s, At(2026, 6, 1, 0));
    EXPECT_FALSE(page.contains(QStringLiteral("Name:"))) << "an empty name leaves its row out";
    const struct {
        const char *label;
        QString value;
    } rows[] = {{"Height", QStringLiteral("12.3 m")},
                {"Humidity", QStringLiteral("0 %")},
                {"Air pressure", QStringLiteral("1013.3 hPa")},
                {"Temperature", QStringLiteral("-3.2 ") + QString::fromUtf8("°C")},
                {"Visibility", QStringLiteral("8000 m")},
                {"Direction of wind", QStringLiteral("90 ") + QString::fromUtf8("°")},
                {"Wind speed", QStringLiteral("36.0 km/h (5 Bft)")},
                {"Wind gust", QStringLiteral("72.0 km/h")}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_TRUE(page.contains(Line(r.label, r.value))) << page.toStdString();
    }
}

TEST(WeatherStationPage, TheYearIsWrittenOnlyForAnotherYear) {
    TFakeStation s;
    s.Time = At(2025, 12, 30, 11);
    const QString lastYear = Page(s, At(2026, 1, 3, 12));
    const QString thisYear = Page(s, At(2025, 12, 31, 12));
    EXPECT_TRUE(lastYear.contains(QStringLiteral("2025"))) << lastYear.toStdString();
    EXPECT_FALSE(thisYear.contains(QStringLiteral("2025"))) << thisYear.toStdString();
    EXPECT_TRUE(thisYear.contains(QStringLiteral("Measurement: ")));
    EXPECT_TRUE(thisYear.contains(QStringLiteral(" 30 ")));
}

}  // namespace
