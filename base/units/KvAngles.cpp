#include "base/units/KvAngles.h"

#include "base/kvlib/KvStrings.h"

void AngleToStr1(int32_t decimals, QChar posLetter, QChar negLetter, double angleRad,
                 int32_t format, int32_t kind, int32_t value, QString &text) {
    TStrWOut out;
    _AngleToStr1(out.get(), angleRad, decimals, posLetter.unicode(), negLetter.unicode(),
                 format, kind, value);
    text = out.Text();
}

void AngleToStr2(int32_t format, int32_t precision, int32_t value, double angleRad,
                 QString &text) {
    TStrWOut out;
    _AngleToStr2(out.get(), angleRad, format, precision, value);
    text = out.Text();
}

double StrToAngleDefA(const QString &text, QChar posLetter, QChar negLetter, double def,
                      int32_t kind, int32_t value) {
    return StrToAngleDef(StrW(text), def, posLetter.unicode(), negLetter.unicode(), kind,
                         value);
}

bool StrToAngleTryA(double &angleRad, const QString &text, QChar posLetter, QChar negLetter,
                    int32_t kind, int32_t value) {
    return StrToAngleTry(angleRad, StrW(text), posLetter.unicode(), negLetter.unicode(), kind,
                         value);
}
