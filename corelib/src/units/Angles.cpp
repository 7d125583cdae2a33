// Angle texts: positions in the three position formats, courses and bearings, parsing of
// typed positions, and reduction of angles into their principal ranges.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvUnits.h"
#include "units/UnitsInternal.h"

#include <QStringList>

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double RadToDeg = 180.0 / M_PI;
constexpr double DegToRad = M_PI / 180.0;
constexpr double TwoPi = 2.0 * M_PI;

// Decimals that keep every format near a few metres on the ground: 0.00001° (1.1 m),
// 0.001' (1.9 m), 0.1" (3.1 m).
constexpr int32_t DefaultDecimals[KvAngleFormat::Count] = {5, 3, 1};
constexpr int MaxDecimals = 9;

int DegreeWidth(int32_t kind) {
    return kind == KvAngleKind::Latitude ? 2 : kind == KvAngleKind::Longitude ? 3 : 1;
}

double MaxDegrees(int32_t kind) {
    return kind == KvAngleKind::Latitude ? 90.0 : kind == KvAngleKind::Longitude ? 180.0 : 360.0;
}

QString Pad(int64_t value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

QString Fraction(int64_t value, int decimals) {
    if (decimals <= 0) return {};
    return kv::DecimalSeparator() + Pad(value, decimals);
}

// The angle as text; the sign is left to the caller. Rounding happens once, on the whole
// angle in the smallest unit shown, so 59.9995' carries into the next degree.
QString FormatMagnitude(double degrees, int decimals, int32_t format, int32_t kind) {
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const int width = DegreeWidth(kind);
    switch (format) {
    case KvAngleFormat::Degrees: {
        const int64_t steps = std::llround(degrees * double(scale));
        return Pad(steps / scale, width) + Fraction(steps % scale, decimals) + u'°';
    }
    case KvAngleFormat::DegreesMinutesSeconds: {
        const int64_t perDegree = 3600 * scale;
        const int64_t steps = std::llround(degrees * double(perDegree));
        const int64_t rest = steps % perDegree;
        return Pad(steps / perDegree, width) + u'°' + Pad(rest / (60 * scale), 2) + u'\'' +
               Pad(rest % (60 * scale) / scale, 2) + Fraction(rest % scale, decimals) + u'"';
    }
    default: {
        const int64_t perDegree = 60 * scale;
        const int64_t steps = std::llround(degrees * double(perDegree));
        const int64_t rest = steps % perDegree;
        return Pad(steps / perDegree, width) + u'°' + Pad(rest / scale, 2) +
               Fraction(rest % scale, decimals) + u'\'';
    }
    }
}

// True when the text shows nothing but zeros (a tiny negative angle rounds to "00°00.000'").
bool ShowsZero(const QString &text) {
    for (QChar c : text)
        if (c >= u'1' && c <= u'9') return false;
    return true;
}

// The letters that mean positive and negative here: the caller's, and as a fallback the
// English ones of the kind where they do not clash with the caller's (German "O" is east,
// French "O" is west, so only the caller knows).
struct THemispheres {
    QChar Pos, Neg, PosEnglish, NegEnglish;

    THemispheres(char16_t pos, char16_t neg, int32_t kind)
        : Pos(QChar(pos).toUpper()), Neg(QChar(neg).toUpper()) {
        if (kind == KvAngleKind::Latitude) {
            PosEnglish = u'N';
            NegEnglish = u'S';
        } else if (kind == KvAngleKind::Longitude) {
            PosEnglish = u'E';
            NegEnglish = u'W';
        }
        if (PosEnglish == Neg || PosEnglish == Pos) PosEnglish = QChar();
        if (NegEnglish == Pos || NegEnglish == Neg) NegEnglish = QChar();
    }

    // +1, -1, or 0 when the character is no hemisphere letter.
    int SignOf(QChar c) const {
        const QChar u = c.toUpper();
        if (u.isNull()) return 0;
        if (u == Pos || u == PosEnglish) return 1;
        if (u == Neg || u == NegEnglish) return -1;
        return 0;
    }
};

enum class TMark { None, Degrees, Minutes, Seconds };

struct TNumber {
    QString Digits;  // with '.' as decimal point
    bool HasFraction = false;
    TMark Mark = TMark::None;
};

TMark MarkOf(QChar c) {
    switch (c.unicode()) {
    case u'°': case u'º': case u'˚': return TMark::Degrees;
    case u'\'': case u'′': case u'’': case u'´': return TMark::Minutes;
    case u'"': case u'″': case u'”': return TMark::Seconds;
    default: return TMark::None;
    }
}

// Degrees (unsigned, before the hemisphere) of a typed angle: one to three numbers for
// degrees, minutes and seconds, separated by blanks, ':' or the marks ° ' ", with a
// decimal point or comma in the last one only; a sign or a hemisphere letter before or
// after. nullopt for anything else.
std::optional<double> Parse(const QString &input, const THemispheres &letters, int32_t kind) {
    const QString text = input.trimmed();
    std::vector<TNumber> numbers;
    int sign = 0;          // from '+' / '-'
    int letterSign = 0;    // from a hemisphere letter
    bool letterAfter = false;
    const int n = int(text.size());
    for (int i = 0; i < n;) {
        const QChar c = text[i];
        if (c.isSpace() || c == u':') {
            ++i;
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            if (letterAfter) return std::nullopt;  // nothing may follow a trailing letter
            TNumber num;
            while (i < n) {
                const QChar d = text[i];
                if (d >= u'0' && d <= u'9') {
                    num.Digits += d;
                } else if ((d == u'.' || d == u',') && !num.HasFraction && i + 1 < n &&
                           text[i + 1] >= u'0' && text[i + 1] <= u'9') {
                    num.Digits += u'.';
                    num.HasFraction = true;
                } else {
                    break;
                }
                ++i;
            }
            numbers.push_back(num);
            continue;
        }
        if (const TMark mark = MarkOf(c); mark != TMark::None) {
            if (numbers.empty() || numbers.back().Mark != TMark::None) return std::nullopt;
            // Two apostrophes stand for a seconds mark.
            if (mark == TMark::Minutes && i + 1 < n && MarkOf(text[i + 1]) == TMark::Minutes) {
                numbers.back().Mark = TMark::Seconds;
                i += 2;
            } else {
                numbers.back().Mark = mark;
                ++i;
            }
            continue;
        }
        if (c == u'+' || c == u'-' || c == u'−') {
            if (!numbers.empty() || sign != 0 || letterSign != 0) return std::nullopt;
            sign = c == u'+' ? 1 : -1;
            ++i;
            continue;
        }
        const int s = letters.SignOf(c);
        if (s == 0 || letterSign != 0) return std::nullopt;
        letterSign = s;
        letterAfter = !numbers.empty();
        ++i;
    }
    if (numbers.empty() || numbers.size() > 3) return std::nullopt;
    if (sign != 0 && letterSign != 0) return std::nullopt;

    double parts[3] = {0.0, 0.0, 0.0};
    int next = 0;
    for (size_t k = 0; k < numbers.size(); ++k) {
        const TNumber &num = numbers[k];
        int place = next;
        if (num.Mark == TMark::Degrees) place = 0;
        if (num.Mark == TMark::Minutes) place = 1;
        if (num.Mark == TMark::Seconds) place = 2;
        if (place != next) return std::nullopt;                      // out of order or a gap
        if (num.HasFraction && k + 1 < numbers.size()) return std::nullopt;
        bool ok = false;
        parts[place] = num.Digits.toDouble(&ok);
        if (!ok) return std::nullopt;
        next = place + 1;
    }
    if (parts[1] >= 60.0 || parts[2] >= 60.0) return std::nullopt;
    const double degrees = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    if (degrees > MaxDegrees(kind)) return std::nullopt;
    const int total = letterSign != 0 ? letterSign : (sign != 0 ? sign : 1);
    return total * degrees;
}

}  // namespace

void _AngleToStr1(IStrW *out, double angleRad, int32_t decimals, char16_t posLetter,
                  char16_t negLetter, int32_t format, int32_t kind, int32_t value) {
    // Beyond any turn count a position could have (and beyond what the integers hold).
    if (!std::isfinite(angleRad) || std::fabs(angleRad) > 1.0e6) {
        kv::SetStrW(out, QString());
        return;
    }
    if (format < 0 || format >= KvAngleFormat::Count) format = KvAngleFormat::DegreesMinutes;
    if (decimals < 0) decimals = DefaultDecimals[format];
    decimals = std::min(decimals, MaxDecimals);
    const double degrees = angleRad * RadToDeg;
    QString text = FormatMagnitude(std::fabs(degrees), decimals, format, kind);
    const bool negative = degrees < 0.0 && !ShowsZero(text);
    // Value 0 asks for a signed number without hemisphere letter.
    const QChar letter = negative ? QChar(negLetter) : QChar(posLetter);
    if (value != 0 && !letter.isNull()) {
        text += u' ';
        text += letter;
    } else if (negative) {
        text.prepend(u'-');
    }
    kv::SetStrW(out, text);
}

void _AngleToStr2(IStrW *out, double angleRad, int32_t format, int32_t precision,
                  int32_t value) {
    if (!std::isfinite(angleRad) || std::fabs(angleRad) > 1.0e6) {
        kv::SetStrW(out, QString());
        return;
    }
    // Whole degrees, at least `precision` digits ("005"); value 1 gives the direction in
    // 0..359 (after rounding, so 359.6° reads 000), other values the signed angle.
    // Format 1 appends the degree sign; format 0 leaves it to the caller's unit label.
    int64_t degrees = std::llround(angleRad * RadToDeg);
    if (value == 1) degrees = ((degrees % 360) + 360) % 360;
    const int width = std::clamp(precision, 1, 3);
    QString text = Pad(std::abs(degrees), width);
    if (degrees < 0) text.prepend(u'-');
    if (format == 1) text += u'°';
    kv::SetStrW(out, text);
}

double StrToAngleDef(const TStrWRec &text, double def, char16_t pos, char16_t neg, int32_t kind,
                     int32_t value) {
    double angle = def;
    return StrToAngleTry(angle, text, pos, neg, kind, value) ? angle : def;
}

bool StrToAngleTry(double &angleRad, const TStrWRec &text, char16_t pos, char16_t neg,
                   int32_t kind, int32_t /*value*/) {
    const std::optional<double> degrees = Parse(kv::ToQString(text), THemispheres(pos, neg, kind), kind);
    if (!degrees) return false;
    angleRad = *degrees * DegToRad;
    return true;
}

const int32_t *GetDefAngleDecimals() {
    return DefaultDecimals;
}

float ReduceAngle0F(float a) {
    double r = std::fmod(double(a), TwoPi);
    if (r < 0.0) r += TwoPi;
    const float f = float(r);
    // Rounding to float can land on 2π itself.
    return f >= float(TwoPi) ? 0.0f : f;
}

double ReduceAngleD(double a) {
    double r = std::fmod(a + M_PI, TwoPi);
    if (r <= 0.0) r += TwoPi;
    return r - M_PI;
}

float ReduceAngleF(float a) {
    const float f = float(ReduceAngleD(double(a)));
    // The float nearest −π lies just below it: keep the range (−π, π].
    return f <= -float(M_PI) ? float(M_PI) : f;
}
