#include "base/controls/KvEdits.h"

#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <QFocusEvent>
#include <QRegularExpression>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

// Runs every change of the text through the owner's character filter. A validator sees
// typed and pasted text alike, which a key handler would not.
class TCustomEditEx::TFilter : public QValidator {
public:
    explicit TFilter(TCustomEditEx *owner) : QValidator(owner), FOwner(owner) {}
    State validate(QString &input, int &pos) const override {
        if (FOwner->FUpdating) return Acceptable;
        QString out;
        out.reserve(input.size());
        int newPos = pos;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            QChar kept = c;
            if (c.unicode() >= 32 && c.unicode() <= 126) kept = FOwner->FilterChar(c);
            if (kept.isNull()) {
                if (i < pos) --newPos;
                continue;
            }
            out += kept;
        }
        input = out;
        pos = std::clamp(newPos, 0, int(out.size()));
        return Acceptable;
    }

private:
    TCustomEditEx *FOwner;
};

TCustomEditEx::TCustomEditEx(QWidget *parent) : QLineEdit(parent) {
    resize(121, sizeHint().height());
    setValidator(new TFilter(this));
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

void TCustomEditEx::SetCharCase(TEditCharCase value) {
    if (value == FCharCase) return;
    FCharCase = value;
    if (value == ecUpperCase) setText(text().toUpper());
    if (value == ecLowerCase) setText(text().toLower());
}

void TCustomEditEx::SetMaxLength(int value) {
    FMaxLength = std::max(0, value);
    setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

int TCustomEditEx::GetSelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TCustomEditEx::GetSelLength() const {
    return hasSelectedText() ? selectionLength() : 0;
}

void TCustomEditEx::SetSelLength(int length) {
    setSelection(GetSelStart(), std::max(0, length));
}

void TCustomEditEx::SetSelStart(int position) {
    deselect();
    setCursorPosition(position);
}

void TCustomEditEx::Change() {
    if (OnChange) OnChange(this);
}

QChar TCustomEditEx::FilterChar(QChar c) const {
    switch (FCharCase) {
    case ecUpperCase: return c.toUpper();
    case ecLowerCase: return c.toLower();
    default: return c;
    }
}

void TCustomEditEx::focusInEvent(QFocusEvent *e) {
    QLineEdit::focusInEvent(e);
    if (AutoSelect && e->reason() != Qt::MouseFocusReason) selectAll();
}

void TCustomEditEx::focusOutEvent(QFocusEvent *e) {
    DoExit();
    QLineEdit::focusOutEvent(e);
    if (OnExit) OnExit(this);
}

// --- Number texts -----------------------------------------------------------------------

namespace {

// 0.d1d2... × 10^Exponent; Digits empty for zero.
struct TDecimal {
    bool Negative = false;
    QString Digits;
    int Exponent = 0;
};

// value rounded to precision significant digits.
TDecimal ToDecimal(long double value, int precision) {
    TDecimal d;
    d.Negative = std::signbit(value) && value != 0.0L;
    if (value == 0.0L) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, std::fabs(value));
    const QString s = QString::fromLatin1(buf);  // "d.dddde±xx"
    const int ePos = int(s.indexOf(u'e'));
    QString digits = s.left(ePos);
    digits.remove(u'.');
    d.Exponent = s.mid(ePos + 1).toInt() + 1;
    while (digits.endsWith(u'0')) digits.chop(1);
    d.Digits = digits;
    return d;
}

// Keeps the first `keep` digits, an exact decimal half rounding away from zero.
void RoundDigits(TDecimal &d, int keep) {
    if (keep >= d.Digits.size()) return;
    if (keep < 0) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    const bool up = d.Digits[keep] >= u'5';
    QString digits = d.Digits.left(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == u'9') {
            digits[i] = u'0';
            --i;
        }
        if (i < 0) {
            digits.prepend(u'1');
            ++d.Exponent;
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
        }
    }
    while (digits.endsWith(u'0')) digits.chop(1);
    d.Digits = digits;
    if (digits.isEmpty()) d.Exponent = 0;
}

QChar DigitAt(const TDecimal &d, int i) {
    return i >= 0 && i < d.Digits.size() ? d.Digits[i] : QChar(u'0');
}

QString ExponentText(int exponent, int digits, bool alwaysSign) {
    if (digits > 4) digits = 0;
    QString s = QString::number(std::abs(exponent)).rightJustified(digits, u'0');
    if (exponent < 0) s.prepend(u'-');
    else if (alwaysSign) s.prepend(u'+');
    return u'E' + s;
}

// Fixed notation with `decimals` decimals (-1: as many as the digits need, no trailing
// zeros).
QString FixedText(const TDecimal &d, int decimals, QChar sep) {
    QString intPart;
    for (int i = 0; i < d.Exponent; ++i) intPart += DigitAt(d, i);
    if (intPart.isEmpty()) intPart = QStringLiteral("0");
    QString frac;
    const int fracDigits = decimals >= 0 ? decimals : std::max(0, int(d.Digits.size()) - d.Exponent);
    for (int i = 0; i < fracDigits; ++i) frac += DigitAt(d, d.Exponent + i);
    QString s = intPart;
    if (!frac.isEmpty()) s += sep + frac;
    return s;
}

QString GeneralText(const TDecimal &d, int precision, int digits, QChar sep) {
    if (d.Digits.isEmpty()) return QStringLiteral("0");
    if (d.Exponent >= -3 && d.Exponent <= precision) return FixedText(d, -1, sep);
    QString s = d.Digits.left(1);
    if (d.Digits.size() > 1) s += sep + d.Digits.mid(1);
    return s + ExponentText(d.Exponent - 1, digits, false);
}

QString WithSign(const TDecimal &d, const QString &text) {
    return d.Negative && !d.Digits.isEmpty() ? u'-' + text : text;
}

}  // namespace

int64_t RoundHalfEven64(long double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exact in long double; anything at or above it saturates.
    constexpr long double limit = 9223372036854775808.0L;
    if (value >= limit) return std::numeric_limits<int64_t>::max();
    if (value < -limit) return std::numeric_limits<int64_t>::min();
    const long double r = std::nearbyint(value);  // default rounding mode: ties to even
    if (r >= limit) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(r);
}

QString NumberEditFormat(long double value, TNumberEditType type, int digits, int precision,
                         QChar sep) {
    switch (type) {
    case etIntBinary: {
        const auto bits = static_cast<uint32_t>(static_cast<uint64_t>(RoundHalfEven64(value)));
        int width = std::clamp(digits, 1, 32);
        for (int b = 31; b >= 0; --b)
            if (bits & (1u << b)) {
                width = std::max(width, b + 1);
                break;
            }
        QString s;
        for (int b = width - 1; b >= 0; --b) s += (bits & (1u << b)) ? u'1' : u'0';
        return s;
    }
    case etIntDecimal:
        return QString::number(RoundHalfEven64(value));
    case etIntHex: {
        const auto bits = static_cast<uint64_t>(RoundHalfEven64(value));
        return QString::number(bits, 16).toUpper().rightJustified(std::clamp(digits, 0, 16), u'0');
    }
    case etFloatGeneral:
    case etFloatFixed:
    case etFloatExponent:
        break;
    }
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    precision = std::clamp(precision, 2, 18);
    TDecimal d = ToDecimal(value, precision);
    if (type == etFloatGeneral) return WithSign(d, GeneralText(d, precision, digits, sep));
    if (type == etFloatFixed) {
        if (d.Exponent > precision) return WithSign(d, GeneralText(d, precision, digits, sep));
        const int decimals = std::clamp(digits, 0, 18);
        RoundDigits(d, d.Exponent + decimals);
        return WithSign(d, FixedText(d, decimals, sep));
    }
    QString s = DigitAt(d, 0);
    s += sep;
    for (int i = 1; i < precision; ++i) s += DigitAt(d, i);
    return WithSign(d, s + ExponentText(d.Digits.isEmpty() ? 0 : d.Exponent - 1, digits, true));
}

bool NumberEditParse(const QString &input, TNumberEditType type, QChar sep, long double &value) {
    const QString text = input.trimmed();
    switch (type) {
    case etIntBinary: {
        if (text.size() > 32) return false;
        uint32_t bits = 0;
        for (QChar c : text) {
            if (c != u'0' && c != u'1') return false;
            bits = (bits << 1) | (c == u'1' ? 1u : 0u);
        }
        value = bits;
        return true;
    }
    case etIntDecimal: {
        static const QRegularExpression re(QStringLiteral("^[+-]?[0-9]+$"));
        if (!re.match(text).hasMatch()) return false;
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok, 10);
        if (!ok) return false;
        value = static_cast<long double>(v);
        return true;
    }
    case etIntHex: {
        QString digits = text.startsWith(u'$') ? text.mid(1) : text;
        static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f]{1,16}$"));
        if (!re.match(digits).hasMatch()) return false;
        bool ok = false;
        const qulonglong v = digits.toULongLong(&ok, 16);
        if (!ok) return false;
        value = static_cast<long double>(static_cast<int64_t>(v));
        return true;
    }
    case etFloatGeneral:
    case etFloatFixed:
    case etFloatExponent:
        break;
    }
    const QString s = QRegularExpression::escape(QString(sep));
    const QRegularExpression re(QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)([Ee][+-]?[0-9]+)?$").arg(s));
    if (!re.match(text).hasMatch()) return false;
    QString plain = text;
    plain.replace(sep, u'.');
    const QByteArray latin = plain.toLatin1();
    char *end = nullptr;
    const long double v = std::strtold(latin.constData(), &end);
    if (end != latin.constData() + latin.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

QChar NumberEditFilterChar(QChar c, TNumberEditType type, QChar sep) {
    const QChar u = c.toUpper();
    const bool digit = u >= u'0' && u <= u'9';
    switch (type) {
    case etIntBinary: return u == u'0' || u == u'1' ? u : QChar();
    case etIntDecimal: return digit || u == u'-' ? u : QChar();
    case etIntHex: return digit || (u >= u'A' && u <= u'F') || u == u'$' ? u : QChar();
    case etFloatGeneral:
    case etFloatFixed:
    case etFloatExponent:
        break;
    }
    if (u == u'.' || u == u',') return sep;
    if (digit || u == u'+' || u == u'-' || u == u'E' || u == sep) return u;
    return QChar();
}

// --- TNumberEdit ------------------------------------------------------------------------

TNumberEdit::TNumberEdit(QWidget *parent)
    : TCustomEditEx(parent), FDecimalSeparator(UserFormatSettings().DecimalSeparator) {
    SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetMaxLength(32);
    UpdateText();
}

void TNumberEdit::SetValue(long double x) {
    if (!FUndefined && x == FValue) return;
    FValue = FMin != FMax ? (x > FMax ? FMax : x < FMin ? FMin : x) : x;
    FUndefined = false;
    UpdateText();
}

void TNumberEdit::SetMax(long double x) {
    if (x == FMax) return;
    FMax = x;
    if (FMax < FMin) FMin = FMax;
    SetValue(FValue);
}

void TNumberEdit::SetMin(long double x) {
    if (x == FMin) return;
    FMin = x;
    if (FMin > FMax) FMax = FMin;
    SetValue(FValue);
}

void TNumberEdit::SetEditType(TNumberEditType t) {
    if (t == FEditType) return;
    long double v = FValue;
    ReadText(v);
    FEditType = t;
    SetValue(v);
    UpdateText();
}

void TNumberEdit::SetDigits(int n) {
    n = std::max(0, n);
    if (n == FDigits) return;
    FDigits = n;
    UpdateText();
}

void TNumberEdit::SetPrecision(int n) {
    if (n == FPrecision) return;
    FPrecision = n;
    UpdateText();
}

void TNumberEdit::SetUndefinedEnable(bool b) {
    if (b == FUndefinedEnable) return;
    FUndefinedEnable = b;
    if (!b) FUndefined = false;
    UpdateText();
}

void TNumberEdit::SetUndefined(bool b) {
    if (b && !FUndefinedEnable) return;
    if (b == FUndefined) return;
    FUndefined = b;
    UpdateText();
}

void TNumberEdit::SetDecimalSeparator(QChar c) {
    if (c == FDecimalSeparator) return;
    FDecimalSeparator = c;
    UpdateText();
}

int64_t TNumberEdit::GetIntValue() const {
    return FUndefined ? 0 : RoundHalfEven64(FValue);
}

void TNumberEdit::StepUp() {
    if (!FUndefined) SetValue(FValue + Step);
}

void TNumberEdit::StepDown() {
    if (!FUndefined) SetValue(FValue - Step);
}

bool TNumberEdit::ReadText(long double &value) {
    const QString t = text();
    if (FUndefinedEnable) {
        FUndefined = t.isEmpty();
        if (FUndefined) return false;
    }
    value = FValue;
    long double v = 0.0L;
    if (!NumberEditParse(t, FEditType, FDecimalSeparator, v)) return false;
    if (FMin != FMax) {
        if (v < FMin) {
            value = FMin;
            return false;
        }
        if (v > FMax) {
            value = FMax;
            return false;
        }
    }
    value = v;
    return true;
}

void TNumberEdit::UpdateText() {
    const bool was = FUpdating;
    FUpdating = true;
    setText(FUndefined ? QString()
                       : NumberEditFormat(FValue, FEditType, FDigits, FPrecision, FDecimalSeparator));
    FUpdating = was;
}

void TNumberEdit::Change() {
    if (!FUpdating) ReadText(FValue);
    TCustomEditEx::Change();
}

void TNumberEdit::DoExit() {
    ReadText(FValue);
    UpdateText();
}

QChar TNumberEdit::FilterChar(QChar c) const {
    return NumberEditFilterChar(c, FEditType, FDecimalSeparator);
}

// --- Positions --------------------------------------------------------------------------

TGeoLetters GeoEditLetters(TGeoEditType type, int32_t language) {
    const TLanguageStrings &neg = type == getLat ? KvStr::CompassPointS : KvStr::CompassPointW;
    const TLanguageStrings &pos = type == getLat ? KvStr::CompassPointN : KvStr::CompassPointE;
    auto first = [](const QString &s) { return s.isEmpty() ? QChar() : s[0].toUpper(); };
    return {first(LanguageTextIn(neg, language)), first(LanguageTextIn(pos, language)),
            first(LanguageTextIn(neg, KvLang::English)), first(LanguageTextIn(pos, KvLang::English))};
}

namespace {

int32_t KindOf(TGeoEditType type) {
    return type == getLat ? KvAngleKind::Latitude : KvAngleKind::Longitude;
}

}  // namespace

QString GeoEditFormatText(double degrees, TGeoEditType type, int32_t formatCode,
                          const TGeoLetters &letters) {
    QString text;
    AngleToStr1(DefAngleDecimalsFor(formatCode), letters.Pos, letters.Neg, degrees * M_PI / 180.0,
                formatCode, KindOf(type), 1, text);
    return text;
}

bool GeoEditParseText(const QString &input, TGeoEditType type, const TGeoLetters &letters,
                      double &degrees) {
    QString text = input.toUpper();
    // Localised letters first become the English ones: French "O" is west, Dutch "O" east,
    // so only this edit knows what a letter means.
    text.replace(letters.Neg, letters.NegEnglish);
    text.replace(letters.Pos, letters.PosEnglish);
    double rad = 0.0;
    if (!StrToAngleTryA(rad, text, letters.PosEnglish, letters.NegEnglish, KindOf(type), 1))
        return false;
    degrees = rad * 180.0 / M_PI;
    return true;
}

QChar GeoEditFilterChar(QChar c, const TGeoLetters &letters, QChar sep) {
    const QChar u = c.toUpper();
    if (u == u'.' || u == u',') return sep;
    if ((u >= u'0' && u <= u'9') || u == u' ' || u == u'"' || u == u'\'' || u == u'+' ||
        u == u'-' || u == sep || u == letters.Neg || u == letters.Pos ||
        u == letters.NegEnglish || u == letters.PosEnglish)
        return u;
    return QChar();
}

TGeoEdit::TGeoEdit(QWidget *parent)
    : TCustomEditEx(parent), FDecimalSeparator(UserFormatSettings().DecimalSeparator) {
    LoadLetters();
}

void TGeoEdit::LoadLetters() {
    FLetters = GeoEditLetters(FType, GetCurrentLanguage());
    UpdateText();
}

void TGeoEdit::SetValue(double degrees) {
    if (!FUndefined && degrees == FValue) return;
    FUndefined = false;
    FValue = degrees;
    UpdateText();
}

void TGeoEdit::SetGeoEditType(TGeoEditType t) {
    if (t == FType) return;
    FType = t;
    LoadLetters();
}

TGeoEditFormat TGeoEdit::GeoEditFormat() const {
    return FAngleFormat == 0 ? gefDeg : FAngleFormat == 1 ? gefDegMin : gefDegMinSec;
}

void TGeoEdit::SetGeoEditFormat(TGeoEditFormat f) {
    SetAngleFormat(f == gefDeg ? 0 : f == gefDegMin ? 1 : 2);
}

void TGeoEdit::SetAngleFormat(int32_t code) {
    if (code == FAngleFormat) return;
    FAngleFormat = code;
    UpdateText();
}

void TGeoEdit::SetUndefinedEnabled(bool b) {
    if (b == FUndefinedEnabled) return;
    FUndefinedEnabled = b;
    if (!b) FUndefined = false;
    UpdateText();
}

bool TGeoEdit::ReadText(double &degrees) {
    const QString t = text();
    if (FUndefinedEnabled) {
        FUndefined = t.trimmed().isEmpty();
        if (FUndefined) return false;
    }
    return GeoEditParseText(t, FType, FLetters, degrees);
}

void TGeoEdit::UpdateText() {
    const bool was = FUpdating;
    FUpdating = true;
    setText(FUndefined ? QString() : GeoEditFormatText(FValue, FType, FAngleFormat, FLetters));
    FUpdating = was;
}

void TGeoEdit::DoExit() {
    ReadText(FValue);
    UpdateText();
}

QChar TGeoEdit::FilterChar(QChar c) const {
    return GeoEditFilterChar(c, FLetters, FDecimalSeparator);
}
