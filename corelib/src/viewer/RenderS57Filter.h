// What the S-52 settings leave out of a cell beyond the display category and SCAMIN: features
// valid only part of the time (date filter) and bathymetric cells (bENC filter).
#pragma once

#include "viewer/RenderS57.h"

#include <QDate>

namespace kv::render {

// A date attribute (DATSTA, DATEND, PERSTA, PEREND) as a number: CCYYMMDD for a fixed date,
// MMDD for a date that recurs each year ("--MMDD"); 0 when the text is neither.
int S57DateValue(const QString &text);

// Whether the feature is valid on the day: inside its fixed dates and its yearly period
// (which may run across the turn of the year). Dates that could not be read do not hide it.
bool S57ValidOn(const TS57Feature &f, const QDate &day);

// The day date-dependent features are judged by: the predicted time handed to the S-52
// library, else today (UTC).
QDate S52FeatureDay(const TS52Settings &s);

// Whether the product specification of a cell's DSID names a bathymetric cell.
bool S57IsBathymetricSpec(const QString &productSpec);

}  // namespace kv::render
