// Every text of the route table exists in all eight languages.
#include "routes/FraRoutesTexts.h"

#include <gtest/gtest.h>

TEST(RouteTexts, EveryTableIsTranslated) {
    using namespace RouteText;
    const TLanguageStrings *tables[] = {
        &Route, &Options, &ETA, &Mode, &NoRoutes, &NoRoutesHint, &NoRoute, &NoRouteHint, &NoPoints,
        &NoPointsHint, &NoInformation, &SailingStop, &Powerlines, &SelectColumns, &RestoreColumns,
        &PrintOverview, &ExportOverview, &NormalFont, &BiggerFont, &BigFont, &MoveUp, &MoveDown,
        &RestoreDefaults, &UseForAll, &ErrReadOnly, &ErrNameTooLong, &ErrAttached, &ErrOther, &OK,
        &Cancel};
    for (const TLanguageStrings *t : tables)
        for (int language = 1; language <= 8; ++language)
            EXPECT_STRNE((*t)[size_t(language - 1)], "") << (*t)[0] << " in language " << language;
    for (int language = 2; language <= 8; ++language)
        EXPECT_NE(LanguageTextIn(NoRoute, language), LanguageTextIn(NoRoute, 1)) << language;
    EXPECT_EQ(LanguageTextIn(ErrOther, 3).count(QStringLiteral("%1")), 1);
    EXPECT_EQ(RouteFilterText(0), "Show all route data");
    EXPECT_EQ(RouteFilterText(3), "Show route points only");
    EXPECT_EQ(RouteColumnTitle(21, true), "Consumption");
    EXPECT_EQ(RouteColumnTitle(21, false), "Fuel flow");
    EXPECT_EQ(RouteColumnTitle(22, false), "Total fuel flow");
    EXPECT_EQ(RouteColumnTitle(13, false), "");
}
