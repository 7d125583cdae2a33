#include "routes/RouteSettingsTexts.h"

namespace RouteSettingsText {

const TLanguageStrings Planner = {"Planner", "Planner",     "Planer",      "Planificateur",
                                  "Planificador", "Pianificatore", "Planlægger", "Planerare"};
const TLanguageStrings SpeedHigh = {"High speed",    "Hoge snelheid",  "Hohe Geschwindigkeit",
                                    "Vitesse élevée", "Velocidad alta", "Velocità elevata",
                                    "Høj fart",      "Hög fart"};
const TLanguageStrings SpeedCruising = {"Cruising speed",        "Kruissnelheid",
                                        "Reisegeschwindigkeit",  "Vitesse de croisière",
                                        "Velocidad de crucero",  "Velocità di crociera",
                                        "Marchfart",             "Marschfart"};
const TLanguageStrings SpeedLow = {"Low speed",     "Lage snelheid",  "Niedrige Geschwindigkeit",
                                   "Vitesse réduite", "Velocidad baja", "Velocità ridotta",
                                   "Lav fart",      "Låg fart"};

}  // namespace RouteSettingsText
