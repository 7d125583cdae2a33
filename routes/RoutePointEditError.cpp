#include "routes/RoutePointEditError.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvErrorCodes.h>

namespace {

const TLanguageStrings TextReadOnly = {
    "Cannot change the value for this route point because the route is read-only.",
    "Kan de waarde van dit routepunt niet wijzigen omdat de route alleen-lezen is.",
    "Der Wert dieses Routenpunkts kann nicht geändert werden, da die Route schreibgeschützt ist.",
    "Impossible de modifier la valeur de ce point de route car la route est en lecture seule.",
    "No se puede cambiar el valor de este punto de ruta porque la ruta es de solo lectura.",
    "Impossibile modificare il valore di questo punto di rotta perché la rotta è di sola lettura.",
    "Værdien for dette rutepunkt kan ikke ændres, fordi ruten er skrivebeskyttet.",
    "Värdet för den här ruttpunkten kan inte ändras eftersom rutten är skrivskyddad."};
const TLanguageStrings TextNameTooLong = {
    "Cannot change the name for this route point because the name is too long.",
    "Kan de naam van dit routepunt niet wijzigen omdat de naam te lang is.",
    "Der Name dieses Routenpunkts kann nicht geändert werden, da der Name zu lang ist.",
    "Impossible de modifier le nom de ce point de route car le nom est trop long.",
    "No se puede cambiar el nombre de este punto de ruta porque el nombre es demasiado largo.",
    "Impossibile modificare il nome di questo punto di rotta perché il nome è troppo lungo.",
    "Navnet på dette rutepunkt kan ikke ændres, fordi navnet er for langt.",
    "Namnet på den här ruttpunkten kan inte ändras eftersom namnet är för långt."};
const TLanguageStrings TextAttached = {
    "Cannot change the value for this route point because the route point is attached to a waypoint.",
    "Kan de waarde van dit routepunt niet wijzigen omdat het routepunt aan een waypoint gekoppeld is.",
    "Der Wert dieses Routenpunkts kann nicht geändert werden, da der Routenpunkt an einen Wegpunkt gebunden ist.",
    "Impossible de modifier la valeur de ce point de route car il est lié à un waypoint.",
    "No se puede cambiar el valor de este punto de ruta porque está vinculado a un waypoint.",
    "Impossibile modificare il valore di questo punto di rotta perché è collegato a un waypoint.",
    "Værdien for dette rutepunkt kan ikke ændres, fordi rutepunktet er knyttet til et waypoint.",
    "Värdet för den här ruttpunkten kan inte ändras eftersom ruttpunkten är kopplad till en waypoint."};
const TLanguageStrings TextOther = {
    "Cannot change the value for this route point. Reason: %s.",
    "Kan de waarde van dit routepunt niet wijzigen. Reden: %s.",
    "Der Wert dieses Routenpunkts kann nicht geändert werden. Grund: %s.",
    "Impossible de modifier la valeur de ce point de route. Raison : %s.",
    "No se puede cambiar el valor de este punto de ruta. Motivo: %s.",
    "Impossibile modificare il valore di questo punto di rotta. Motivo: %s.",
    "Værdien for dette rutepunkt kan ikke ændres. Årsag: %s.",
    "Värdet för den här ruttpunkten kan inte ändras. Orsak: %s."};

}  // namespace

QString RoutePointEditErrorText(int32_t error) {
    switch (error) {
    case KvErr::ReadOnly: return LanguageText(TextReadOnly);
    case KvErr::NameTooLong: return LanguageText(TextNameTooLong);
    case KvErr::PointAttached: return LanguageText(TextAttached);
    default: return LanguageText(TextOther).replace(QStringLiteral("%s"), ErrorToStrA(error));
    }
}

void ShowRoutePointEditError(int32_t error) {
    MsgBox(RoutePointEditErrorText(error), mtWarning, MsgButtons({mbOK}));
}
