// The news centre's page without a window: the items a check found and the accordion page
// built from them in the HTML the program's viewer shows (no script, no remote image). A
// header is a link "newsitem:<index>" that opens its item and closes the others.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// Link kinds of the items and the words their links carry.
namespace NewsLinkKind {
inline constexpr int32_t None = 0;
inline constexpr int32_t ChartUpdate = 2;
inline constexpr int32_t ProgramUpdate = 3;
inline constexpr int32_t HelpUpdate = 6;
inline constexpr int32_t MRCManagerUpdate = 8;
inline constexpr int32_t UserUpdate = 9;
inline constexpr int32_t S57Update = 10;
}  // namespace NewsLinkKind

struct TNewsItem {
    int32_t Number = 0;  // item number, or the news message's number
    bool Message = false;
    int32_t LinkKind = NewsLinkKind::None;
    QString Title;    // plain text
    QString Content;  // HTML
    QString Extra;    // HTML
    int64_t Size = 0;
    // The header's and content's id stem: "news<kind><number>", "newsmsg<number>" for messages.
    QString Id() const;
};

// The page colours, as colour numbers with red in the lowest byte: page background, heading
// background, heading text, highlighted heading, heading link, content background, content
// link (the day values below).
using TNewsColours = std::array<TColor, 7>;
TNewsColours NewsDayColours();
// Each colour through convert (the night screen).
TNewsColours NewsColours(const std::function<TColor(TColor)> &convert);

// The page with item open shown open (-1: none). Texts in the current language.
QString BuildNewsPage(const QList<TNewsItem> &items, int open, const TNewsColours &colours);
// The page shown while a check runs.
QString BuildNewsWaitingPage(const QString &imageUrl);
