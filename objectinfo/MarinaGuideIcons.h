// The icon tables of the marina-guide page: the situation icons of the header and the
// facility lines, in page order, each with its picture file and title.
#pragma once

#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvMarinaGuide.h>

#include <QString>
#include <vector>

// Facility lines that are more than an icon.
enum class MarinaSpecial { None, BoxSize, CEESockets, Sockets, FreshWater, Petrol, Crane, TV };

struct TMarinaIcon {
    // Shown when Flag (or Flag2) is True, or, with Distance, when the distance is 0 or more.
    bool (IMarinaGuideEntry::*Flag)() = nullptr;
    bool (IMarinaGuideEntry::*Flag2)() = nullptr;
    float (IMarinaGuideEntry::*Distance)() = nullptr;
    // A note put in parentheses after a distance.
    QString (*Note)(IMarinaGuideEntry *) = nullptr;
    MarinaSpecial Special = MarinaSpecial::None;
    const char *File = "";
    TLanguageStrings Title{};
};

const std::vector<TMarinaIcon> &MarinaHeaderIcons();
const std::vector<TMarinaIcon> &MarinaFacilityIcons();
