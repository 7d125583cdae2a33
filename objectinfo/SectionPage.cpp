#include "objectinfo/SectionPage.h"

#include "base/math/KvMath.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/LinkDetailsTexts.h"

#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

using namespace LinkDetailsStr;

QString Line(const QString &text) { return text + PageLineEnd; }

QString Row(const QString &label, const QString &value) {
    if (value.isEmpty()) return QString();
    return Line(QString(16, QLatin1Char(' ')) + QStringLiteral("<tr valign=\"top\"><td>") + label +
                QStringLiteral(":</td><td>") + value + QStringLiteral("</td></tr>"));
}

QString WideLine(const QString &text) {
    return Line(QStringLiteral("<tr><td colspan=\"2\">") + text + QStringLiteral("</td></tr>"));
}

QString Spacer() { return Line(QStringLiteral("<tr><td colspan=\"2\">&nbsp;</td></tr>")); }

QString Heading(const QString &text) {
    return Line(QStringLiteral("<tr><td colspan=\"2\"><b>") + text + QStringLiteral("</b></td></tr>"));
}

QString Measure(double value, int32_t fromUnit, int32_t toUnit) {
    return QString::number(UnitConvert(value, fromUnit, toUnit), 'f', 1) + QLatin1Char(' ') +
           UnitToStr(toUnit);
}

bool Given(float v) { return v > 0.0f && v < WWMissing; }

// The section's direction at the position; none when the library leaves the vector at zero.
std::optional<float> DirectionAngle(IWWSection *section, IGeodeticCalibration *calibration,
                                    double position) {
    TFloat2 v{0.0f, 0.0f};
    section->GetDirection(position, calibration, v);
    if (v.X == 0.0f && v.Y == 0.0f) return std::nullopt;
    return ReduceAngleF(float(Float2Angle(v)));
}

QString Opposite(float angle) { return SectionCompassWord(ReduceAngleF(angle + float(std::numbers::pi))); }

QString ToTheLine(const std::optional<float> &angle, bool along) {
    if (!angle) return QString();
    const QString word = along ? SectionCompassWord(*angle) : Opposite(*angle);
    return WideLine(LanguageText(ToTheOnly).replace(QStringLiteral("%s"), word));
}

QString DimensionRows(float depth, float height, float length, float width,
                      const TSectionPageUnits &u) {
    const int32_t m = KvUnit::Metre;
    QString out;
    if (Given(depth)) {
        out += Row(LanguageText(Depth), Measure(depth, m, u.UnitDepth));
        if (u.DepthTolerance != 0.0f)
            out += Row(LanguageText(CalcDepth), Measure(double(depth) + double(u.DepthTolerance), m, u.UnitDepth));
    }
    if (Given(height)) out += Row(LanguageText(Height), Measure(height, m, u.UnitDistanceSmall));
    if (Given(length)) out += Row(LanguageText(Length), Measure(length, m, u.UnitDistanceSmall));
    if (Given(width)) out += Row(LanguageText(Width), Measure(width, m, u.UnitDistanceSmall));
    return out;
}

QString NameRows(IWWSection *section) {
    QString out = Row(LanguageText(Name), HTMLEncode(WWSectionGetName(section)));
    if (IWWFairway *fairway = section->GetFairway())
        out += Row(LanguageText(WaterwayRoute), HTMLEncode(WWFairwayGetName(fairway)));
    return out;
}

QString TrafficLines(IWWSection *section, double pos, const std::optional<float> &angle,
                     const TSectionPageUnits &u) {
    QString out;
    const double mark = section->GetDistanceMark(pos);
    if (mark >= 0.0) out += Row(LanguageText(DistanceMark), SectionDistanceMarkText(mark));
    const float speed = section->GetSpeedLimit(pos);
    if (Given(speed)) out += Row(LanguageText(MaxAllowedSpeed), Measure(speed, KvUnit::MetrePerSecond, u.UnitSpeed));
    float current = 0.0f;
    if (section->GetCurrent(pos, current))
        out += Row(LanguageText(Current), Measure(current, KvUnit::MetrePerSecond, u.UnitSpeed));
    bool along = true;
    if (section->GetOneWay(pos, along))
        out += WideLine(angle ? LanguageText(OneWayTrafficTo) + QLatin1Char(' ') +
                                    (along ? SectionCompassWord(*angle) : Opposite(*angle))
                              : LanguageText(OneWayTraffic));
    uint32_t flags = 0;
    if (section->GetNavigability(pos, flags) && (flags & 3u) != 3u) {
        if (flags == 0)
            out += WideLine(LanguageText(NotNavigable));
        else if (flags & WWVesselClass::Pleasure)
            out += WideLine(LanguageText(PleasureBoatingOnly));
        else if (flags & WWVesselClass::Commercial)
            out += WideLine(LanguageText(CommercialShippingOnly));
    }
    bool keepLeft = false;
    if (section->GetKeepLeft(pos, keepLeft) && keepLeft) out += WideLine(LanguageText(StayAtLeftBank));
    return out;
}

QString RemarkAndPermit(IWWSection *section, double pos) {
    QString out, remark;
    // Remarks come from the network file: shown as text, never as markup.
    if (WWSectionGetRemark(section, pos, remark) && !remark.isEmpty())
        out += Spacer() + WideLine(HTMLEncode(remark));
    QString url, description;
    if (WWSectionGetPermit(section, url, description, pos)) {
        out += Spacer() + Heading(LanguageText(NavigableWithPermitOnly));
        const QString link = url.isEmpty() ? QString()
                                           : QStringLiteral("<a href=\"%1\">%2</a>")
                                                 .arg(HTMLEncode(url), LanguageText(MoreInformation));
        if (!description.isEmpty())
            out += WideLine(HTMLEncode(description) + (link.isEmpty() ? QString() : QStringLiteral("<br />") + link));
        else if (!link.isEmpty())
            out += WideLine(link);
    }
    return out;
}

QString DimensionBlocks(IWWSection *section, double pos, const TSectionPageUnits &u) {
    QString out;
    float d = WWMissing, h = WWMissing, l = WWMissing, w = WWMissing;
    if (section->GetMaxDimensions(pos, d, h, l, w) && (Given(d) || Given(h) || Given(l) || Given(w)))
        out += Spacer() + Heading(LanguageText(MaxAllowedDimensions)) + DimensionRows(d, h, l, w, u);
    d = h = l = w = WWMissing;
    // Here a 0 counts: the heading says the section is for commercial shipping.
    if (section->GetCommercialDimensions(pos, d, h, l, w) &&
        (d < WWMissing || h < WWMissing || l < WWMissing || w < WWMissing))
        out += Spacer() + Heading(LanguageText(CommercialExceptIfBigger)) + DimensionRows(d, h, l, w, u);
    return out;
}

QString ChannelRows(int32_t channel, const QString &callSign) {
    return Row(LanguageText(VHFChannel), QString::number(channel)) +
           Row(LanguageText(Callsign), HTMLEncode(callSign));
}

QString ChannelBlocks(IWWSection *section, double pos, const std::optional<float> &angle) {
    QString out;
    int32_t c1 = 0, c0 = 0;
    QString s1, s0;
    const bool r1 = WWSectionGetVHFReportChannel(section, 1, c1, s1, pos);
    const bool r0 = WWSectionGetVHFReportChannel(section, 0, c0, s0, pos);
    if (r1 || r0) {
        out += Spacer() + Heading(LanguageText(VHFReportChannel));
        if (r1 && r0 && c1 == c0 && s1 == s0) {
            out += ChannelRows(c1, s1);
        } else {
            // Traffic each way is told its own channel when the two differ.
            if (r1) out += ToTheLine(angle, true) + ChannelRows(c1, s1);
            if (r0) out += ToTheLine(angle, false) + ChannelRows(c0, s0);
        }
    }
    int32_t channel = 0;
    QString callSign;
    if (WWSectionGetVHFSectorChannel(section, channel, callSign, pos))
        out += Spacer() + Heading(LanguageText(VHFSectorChannel)) + ChannelRows(channel, callSign);
    return out;
}

}  // namespace

QString SectionCompassWord(float a) {
    constexpr double p8 = std::numbers::pi / 8;
    struct TBound {
        float Low, High;
        const TLanguageStrings *Word;
    };
    static const std::array<TBound, 7> bounds = {{
        {float(-7 * p8), float(-5 * p8), &KvStr::CompassWordNorthwest},
        {float(-5 * p8), float(-3 * p8), &KvStr::CompassWordNorth},
        {float(-3 * p8), float(-p8), &KvStr::CompassWordNortheast},
        {float(-p8), float(p8), &KvStr::CompassWordEast},
        {float(p8), float(3 * p8), &KvStr::CompassWordSoutheast},
        {float(3 * p8), float(5 * p8), &KvStr::CompassWordSouth},
        {float(5 * p8), float(7 * p8), &KvStr::CompassWordSouthwest},
    }};
    for (const TBound &b : bounds)
        if (a >= b.Low && a <= b.High) return LanguageText(*b.Word);
    return LanguageText(KvStr::CompassWordWest);
}

QString SectionDistanceMarkText(double metres) {
    // Whole hectometres counted from metres: a division into kilometres first leaves
    // 1,200 m a hair below 1.2 km and the tenth would drop to 1.1.
    const auto hm = int64_t(std::floor((metres + 1e-6) / 100.0));
    return QStringLiteral("%1.%2 km").arg(hm / 10).arg(hm % 10);
}

QString BuildSectionPage(IWWSection *section, IGeodeticCalibration *calibration, double positionM,
                         bool wholePage, const TSectionPageUnits &units) {
    if (!section) return QString();
    QString f = FragmentBegin() + Line(QStringLiteral("            <table width=\"100%\">"));
    f += NameRows(section);
    const std::optional<float> angle = DirectionAngle(section, calibration, positionM);
    f += TrafficLines(section, positionM, angle, units);
    f += RemarkAndPermit(section, positionM);
    f += DimensionBlocks(section, positionM, units);
    f += ChannelBlocks(section, positionM, angle);
    f += Line(QStringLiteral("            </table>")) + FragmentEnd();
    return wholePage ? WrapDetailsPage(f) : f;
}
