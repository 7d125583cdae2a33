// The pages of the object details panel that need no widget: the shared page skeleton, the
// point-of-interest, waypoint and short structure pages, and the pages of attached
// documents. Pages are Unicode text with CR LF line ends; every data text is HTML-encoded
// and every href attribute-encoded. Core-library objects are read, never kept. GUI thread.
#pragma once

#include <QString>
#include <cstdint>

class IGeoAddsEntry;
class IGeodeticCalibration;
class IWWStruct;
class IWptWaypoint;

inline constexpr char16_t PageContentsMarker[] = u"<!-- contents -->";
inline const QString PageLineEnd = QStringLiteral("\r\n");

// The "Waypoint properties" skeleton with its first contents marker replaced by fragment.
QString WrapDetailsPage(const QString &fragment);
// The first (case-sensitive) contents marker of templ replaced by fragment, once.
QString ReplaceContentsMarker(const QString &templ, const QString &fragment);
// Every line padded with blanks to 90 characters and ended by CR LF.
QString PaddedTemplate(const char *const *lines, int count);

// The fragment's opening and closing lines.
QString FragmentBegin();
QString FragmentEnd();
// 16 blanks, label, ": ", value, "<br />" and CR LF; nothing when value is empty.
QString TextLine(const QString &label, const QString &value);
// The same with the shared Yes / No caption (hot-key marker removed).
QString YesNoLine(const QString &label, bool flag);

// A latitude (kind 1) or longitude (kind 2) in radians in a position format, with the
// current language's hemisphere letters.
QString AngleText(double angleRad, int32_t positionFormat, int32_t kind);

// At least two characters, "+" first, digits 0..9 after it.
bool IsTelephoneNumber(const QString &word);
// A website link target: "http://" put before a text without a scheme.
QString WebsiteHref(const QString &website);
// An a element linking a local file (file URL), showing the name without folder.
QString FileLinkHtml(const QString &file);
// A waypoint's sub-name with mail addresses, telephone numbers and a file made into links.
QString SubNameHtml(const QString &subName);
// The lines of a waypoint's link text (mail, telephone, file, sector lights, any link).
QString WaypointLinkLines(const QString &link);

// pictureWidthPx: the width the picture is shown with (the view knows no "100%" for
// pictures); 0 writes "100%".
QString BuildGeoAddPage(IGeoAddsEntry *entry, int pictureWidthPx = 0);
QString BuildWaypointPage(IWptWaypoint *waypoint, int32_t positionFormat);
// Without a calibration the page has no position lines.
QString BuildStructPage(IWWStruct *structure, IGeodeticCalibration *calibration,
                        int32_t positionFormat);

// The viewer pages of attached documents, named by file; text is the read text (or the
// message that it could not be read).
QString PicturePage(const QString &file);
QString TextFilePage(const QString &file, const QString &text);
