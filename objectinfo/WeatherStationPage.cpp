#include "objectinfo/WeatherStationPage.h"

#include "base/controls/KvCalendarEx.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/LinkDetailsTexts.h"

#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvUnits.h>

namespace {

using namespace LinkDetailsStr;

QString Plain(double v, int decimals, const QString &unit) {
    if (v == WeatherValueMissing) return QStringLiteral("---");
    return QString::number(v, 'f', decimals) + QLatin1Char(' ') + unit;
}

QString Converted(double v, int32_t from, int32_t to, int decimals, bool withSecond) {
    if (v == WeatherValueMissing) return QStringLiteral("---");
    QString text = QString::number(UnitConvert(v, from, to), 'f', decimals) + QLatin1Char(' ') + UnitToStr(to);
    if (withSecond)
        text += QStringLiteral(" (") + QString::number(UnitConvert(v, from, KvUnit::Beaufort), 'f', 0) +
                QLatin1Char(' ') + UnitToStr(KvUnit::Beaufort) + QLatin1Char(')');
    return text;
}

QString MeasurementText(TDateTime utc, const std::function<TDateTime()> &nowUTC) {
    const TDateTime local = GetLocalDateTime(utc);
    const TDateTime now = GetLocalDateTime(nowUTC ? nowUTC() : GlobalGPSClock()->GetDateTimeUTC());
    const bool otherYear = KvCalendar::ToQDate(local).year() != KvCalendar::ToQDate(now).year();
    return FormatDateTime(QStringLiteral("ddd d mmm ") + (otherYear ? QStringLiteral("yyyy ") : QString()) +
                              QStringLiteral("h:nn"),
                          1, local);
}

}  // namespace

QString BuildWeatherStationPage(const TWeatherStationPageInput &in) {
    IWeatherStation *s = in.Station;
    if (!s) return QString();
    const QString metre = UnitToStr(KvUnit::Metre);
    QString f = FragmentBegin();
    // Station names come from downloaded data: shown as text.
    f += TextLine(LanguageText(Name), HTMLEncode(WeatherStationGetName(s)));
    if (const TGeoPoint *p = s->GetPosition()) {
        f += TextLine(LanguageText(Latitude), AngleText(p->Lat, in.PositionFormat, 1));
        f += TextLine(LanguageText(Longitude), AngleText(p->Lon, in.PositionFormat, 2));
    }
    f += TextLine(LanguageText(Measurement), MeasurementText(s->GetMeasurementTime(), in.NowUTC));
    f += TextLine(LanguageText(Height), Plain(s->GetHeight(0), 1, metre));
    f += TextLine(LanguageText(Humidity), Plain(s->GetHumidity(0), 0, QStringLiteral("%")));
    f += TextLine(LanguageText(AirPressure),
                  Converted(s->GetAirPressure(0), KvUnit::Pascal, KvUnit::Hectopascal, 1, false));
    f += TextLine(LanguageText(Temperature),
                  Converted(s->GetTemperature(0), KvUnit::Celsius, in.UnitTemperature, 1, false));
    f += TextLine(LanguageText(Visibility), Plain(s->GetVisibility(0), 0, metre));
    f += TextLine(LanguageText(WindDirection),
                  Converted(s->GetWindDirection(0), KvUnit::Radian, KvUnit::Degree, 0, false));
    f += TextLine(LanguageText(WindSpeed),
                  Converted(s->GetWindSpeed(0), KvUnit::MetrePerSecond, in.UnitSpeed, 1, true));
    f += TextLine(LanguageText(WindGust),
                  Converted(s->GetWindGust(0), KvUnit::MetrePerSecond, in.UnitSpeed, 1, false));
    return WrapDetailsPage(f + FragmentEnd());
}
