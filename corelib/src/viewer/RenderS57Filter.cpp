#include "viewer/RenderS57Filter.h"

#include "KvLibNav6/KvNavEnv.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace kv::render {

int S57DateValue(const QString &text) {
    const QString t = text.trimmed();
    bool ok = false;
    if (t.size() == 8 && !t.startsWith(u'-')) {
        const int v = t.toInt(&ok);
        return ok && QDate(v / 10000, v / 100 % 100, v % 100).isValid() ? v : 0;
    }
    if (t.size() == 6 && t.startsWith(QLatin1String("--"))) {
        const int v = t.mid(2).toInt(&ok);
        // 29 February is a valid recurring day, so the check uses a leap year.
        return ok && QDate(2000, v / 100, v % 100).isValid() ? v : 0;
    }
    return 0;
}

namespace {

int DayValue(const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

// Each bound compares with the day in its own kind: CCYYMMDD or MMDD; 0 is open.
bool Inside(int start, int end, const QDate &day) {
    const int md = day.month() * 100 + day.day();
    auto at = [&](int v) { return v >= 10000 ? DayValue(day) : md; };
    // A yearly period across the turn of the year: valid from its start or up to its end.
    if (start > 0 && end > 0 && start < 10000 && end < 10000 && start > end) return md >= start || md <= end;
    if (start > 0 && at(start) < start) return false;
    if (end > 0 && at(end) > end) return false;
    return true;
}

}  // namespace

bool S57ValidOn(const TS57Feature &f, const QDate &day) {
    return Inside(f.DateStart, f.DateEnd, day) && Inside(f.PeriodStart, f.PeriodEnd, day);
}

QDate S52FeatureDay(const TS52Settings &s) {
    if (!s.PredictedTime) return QDateTime::currentDateTimeUtc().date();
    const double t = s.PredictedTime->GetTime();
    if (!std::isfinite(t)) return QDateTime::currentDateTimeUtc().date();
    return QDate(1899, 12, 30).addDays(qint64(std::floor(t)));
}

bool S57IsBathymetricSpec(const QString &productSpec) {
    return productSpec.contains(QLatin1String("bENC"), Qt::CaseSensitive) ||
           productSpec.contains(QLatin1String("bathymetric"), Qt::CaseInsensitive);
}

}  // namespace kv::render
