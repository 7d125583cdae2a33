// The pages of a notice to skippers and of a water report ("FTM details"), the notice title
// the route table shows, and the texts of the notices' code tables. Pure: reads the objects
// (owned by the object-update manager or the waterway network), keeps nothing. Every text
// from the service is HTML-encoded; only web and mail addresses in the contents and the
// communication numbers become links. Dates and numbers follow the locale of the options.
// GUI thread.
#pragma once

#include <KvLibNav6/KvObjectUpdate.h>

#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>

struct TNoticePageOptions {
    // The user's regional formats (tests: a fixed locale).
    QLocale Locale = QLocale::system();
    // UTC to local time; unset: the core library's GetLocalDateTime.
    std::function<TDateTime(TDateTime utc)> ToLocal;
};

// The "FTM details" page skeleton with its first contents marker replaced by body.
QString FTMWrapPage(const QString &body);
// positionFormat is handed through for pages with coordinates; these pages show none.
QString FTMNoticeBuildPage(IFTMNotice *notice, int32_t positionFormat, bool showTitle, bool wrap,
                           const TNoticePageOptions &options = {});
// The report's title is always shown.
QString FTMWaterReportBuildPage(IWaterReport *report, int32_t positionFormat, bool showTitle, bool wrap,
                                const TNoticePageOptions &options = {});
// The row text of a notice in the route table (plain text).
QString FTMNoticeGetTitle(IFTMNotice *notice);

// Plain-text adapters.
QString FTMNoticeGetOriginator(IFTMNotice *notice);
QString FTMNoticeGetContents(IFTMNotice *notice);
QString FTMNoticeGetFairwayName(IFTMNotice *notice);
QString FTMNoticeGetCommNumber(IFTMNotice *notice, int32_t index);
QString FTMObjectGetName(IFTMObject *object);
QString WaterReportGetTitle(IWaterReport *report);
QString WaterMeasurementGetUnit(IWaterMeasurement *measurement);
QString WaterMeasurementGetDifferenceText(IWaterMeasurement *measurement);

// Code tables in the current language: "Unknown" for a code outside the table, except
// reporting regime and reference level, which give an empty text.
QString FTMCommunicationCodeToStr(int32_t code);
QString FTMDirectionCodeToStr(int32_t code);
QString FTMIndicationCodeToStr(int32_t code);
QString FTMReportingCodeToStr(int32_t code);
QString FTMTargetGroupCodeToStr(int32_t code);
QString FTMIntervalCodeToStr(int32_t code);
QString FTMPositionCodeToStr(int32_t code);
QString FTMReferenceCodeToStr(int32_t code);
QString FTMLimitationCodeToStr(int32_t code);
QString FTMSubjectCodeToStr(int32_t code);
QString FTMReasonCodeToStr(int32_t code);
QString FTMObjectTypeCodeToStr(int32_t code);
QString WaterMeasureCodeToStr(int32_t code);
QString WaterBarrageStatusToStr(int32_t code);
QString WaterRegimeCodeToStr(int32_t code);

// The value part of a limitation's line ("maximum 2.5 m NAP"); empty when it has none.
QString FTMLimitationValueText(IFTMLimitation *limitation, const QLocale &locale);
// Period k of a limitation, dates already local.
QString FTMPeriodText(IFTMLimitation *limitation, int32_t k, const TNoticePageOptions &options);
// Encoded text in which http, https and ftp addresses, "www." addresses and mail addresses
// are links.
QString FTMTextWithLinks(const QString &text);
