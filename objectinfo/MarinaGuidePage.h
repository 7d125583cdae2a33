// The page of a marina-guide entry: header with situation icons, classification, opening
// and contacts, facility icons with distances, the chart picture, prices and, when
// expanded, the additional information. Pure: it reads the entry and the settings handed
// in, and returns the page with the title of every picture (the view shows titles as
// hints). GUI thread (the entry is the core library's).
#pragma once

#include <QHash>
#include <QString>
#include <cstdint>

class IMarinaGuideEntry;

struct TMarinaGuidePageInput {
    IMarinaGuideEntry *Entry = nullptr;
    QString IconFolder;     // with its trailing separator
    QString Edition;        // "2016" changes the price labels
    bool Expanded = false;  // with the additional information
    QString ProgramFolder;  // with its trailing separator: "Images/" pictures
    // Pixels the chart picture may take (the view knows no max-width); at most 497.
    int ChartWidth = 497;
    int32_t PositionFormat = 1;
    int32_t UnitDepth = 0, UnitDistanceLarge = 0, UnitDistanceSmall = 0;
};

struct TMarinaGuidePage {
    QString Page;
    QHash<QString, QString> Titles;  // picture source → title
};

// The toggle link of the additional information, compared case-insensitively.
inline constexpr char MarinaMoreLink[] = "adacmore";

TMarinaGuidePage BuildMarinaGuidePage(const TMarinaGuidePageInput &input);

// Building blocks, open for tests.
// " 2013" for code 1, " 2" for 2, a blank and the year from 2011 on, else nothing.
QString MarinaYearSuffix(int32_t code);
// Metres as kilometres in the shortest form ("0.101", "2.5").
QString MarinaKilometres(double metres);
// Letters and words of the fuels at hand: ("S + G", "super and gas").
void MarinaPetrolTexts(bool diesel, bool super, bool gas, QString &letters, QString &words);
// "de, en, " → "de, en"; texts without the trailing separator stay.
QString MarinaTrimLanguages(const QString &languages);
