// The release history without the dialog: anchors in document order, the languages they
// offer, and night colours that change colour values only.
#include "online/FrmCheckUpdatesHistory.h"

#include <gtest/gtest.h>

TEST(CheckUpdatesHistory, AnchorsAndLanguages) {
    const QString html = "<p id='intro'>x</p><a name=\"DE\"></a><h3 ID=EN>y</h3><a href=\"#NL\">NL</a><a name=\"xx\">";
    EXPECT_EQ(HistoryAnchors(html), (QStringList{"intro", "DE", "EN", "xx"}));
    EXPECT_EQ(HistoryLanguages(HistoryAnchors(html)), (QList<int32_t>{1, 3}));
    EXPECT_EQ(HistoryLanguages({"EN", "de", "EN"}), (QList<int32_t>{1, 3}));
    EXPECT_EQ(HistoryLanguages({}), QList<int32_t>{1});
    for (int32_t l = 1; l <= 8; ++l) EXPECT_EQ(CodeToLanguage(LanguageToCode(l)), l);
    EXPECT_EQ(LanguageToCode(0), "");
    EXPECT_EQ(CodeToLanguage("ES"), 0);
}

TEST(CheckUpdatesHistory, NightColoursChangeColourValuesOnly) {
    const auto convert = [](TColor c) { return TColor(uint32_t(c) ^ 0xFFFFFF); };
    const struct {
        const char *name, *in, *out;
    } cases[] = {
        {"attribute word", "<body bgcolor=\"White\">", "<body bgcolor=\"#000000\">"},
        {"attribute hex", "<td bgcolor=#FF0000>", "<td bgcolor=#00FFFF>"},
        {"style", "<div style=\"color: #a0a0ff; background-color:#F0F0F0\">",
         "<div style=\"color: #5F5F00; background-color:#0F0F0F\">"},
        {"text untouched", "<p>Whitewater and white sails, #FF0000</p>", "<p>Whitewater and white sails, #FF0000</p>"},
        {"unlisted colour", "<font color=\"#123456\">", "<font color=\"#123456\">"},
        {"not a colour attribute", "<a name=\"white\">", "<a name=\"white\">"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NightHistory(QString::fromUtf8(c.in), convert), QString::fromUtf8(c.out));
    }
}
