// Texts of the text import steps: English, Dutch, German, French, Spanish, Italian, Danish,
// Swedish (an empty entry shows the English text).
#pragma once

#include "base/texts/KvLanguage.h"

namespace TextImportStepsText {

inline const TLanguageStrings SCannotOpen = {"Cannot open the file '%s'.\r\n\r\n%s",
                                             "Kan het bestand '%s' niet openen.\r\n\r\n%s",
                                             "Die Datei '%s' kann nicht geöffnet werden.\r\n\r\n%s",
                                             "Impossible d'ouvrir le fichier '%s'.\r\n\r\n%s", "",
                                             "Impossibile aprire il file '%s'.\r\n\r\n%s",
                                             "Kan ikke åbne filen '%s'.\r\n\r\n%s",
                                             "Kan inte öppna filen '%s'.\r\n\r\n%s"};

}  // namespace TextImportStepsText
