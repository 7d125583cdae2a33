// Latitudes, longitudes, courses and bearings as text and back. Angles are radians; the
// hemisphere letters are the caller's (the first letters of the eight-language compass
// texts). GUI thread.
#pragma once

#include <KvLibNav6/KvUnits.h>

#include <QChar>
#include <QString>
#include <cstdint>

// A latitude (kind 1) or longitude (kind 2) in position format 0, 1 or 2 (KvAngleFormat)
// with the given decimals (normally DefAngleDecimalsFor(format)); callers pass value 1.
void AngleToStr1(int32_t decimals, QChar posLetter, QChar negLetter, double angleRad,
                 int32_t format, int32_t kind, int32_t value, QString &text);
// A course or bearing in whole degrees: format 0 the number alone, 1 with "°"; precision is
// the least number of digits (3 for courses: "005"); callers pass value 1 (0..359).
void AngleToStr2(int32_t format, int32_t precision, int32_t value, double angleRad,
                 QString &text);
// A typed latitude or longitude in any position format, or def when the text is none.
double StrToAngleDefA(const QString &text, QChar posLetter, QChar negLetter, double def,
                      int32_t kind, int32_t value);
// As StrToAngleDefA; false, with angleRad untouched, when the text is no angle of the kind
// ("91N" is no latitude).
bool StrToAngleTryA(double &angleRad, const QString &text, QChar posLetter, QChar negLetter,
                    int32_t kind, int32_t value);
