// The release history as the update dialog uses it, without widgets: the language codes
// of its anchors, the anchors in document order and its colours for the night screen.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// "#RRGGBB" of a colour number whose lowest byte is red.
QString HtmlColor(TColor colour);
// Languages 1..8 as "EN", "NL", "DE", "FR", "SP", "IT", "DK", "SW"; 0 gives "".
QString LanguageToCode(int32_t language);
// An upper-cased code back to its language; any other text gives 0.
int32_t CodeToLanguage(const QString &code);
// The anchor names and element ids of a history, in document order.
QStringList HistoryAnchors(const QString &html);
// The languages a history offers, in the order the dialog lists them (from the last anchor
// to the first, each once); English alone when none is recognised.
QList<int32_t> HistoryLanguages(const QStringList &anchors);
// The history's listed colours ("white", "#FFFFFF", "#F0F0F0", "#00FF00", "#FFFF80",
// "#FF80FF", "#FF0000", "#A0A0FF") replaced by convert's colour wherever they are a colour
// (an attribute or a style value), never in the text.
QString NightHistory(const QString &html, const std::function<TColor(TColor)> &convert);
