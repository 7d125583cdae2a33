#include "online/KvPUSClientTexts.h"

#include "online/KvPUSClientParser.h"

#include "base/texts/KvLanguage.h"

namespace {

const TLanguageStrings TextHttp = {
    "The Program Update Server could not process the request:\r\n\r\n%s\r\n\r\nPlease try again later or "
    "contact Korvane Software if the problem persists.",
    "De Programma Update Server kon het verzoek niet verwerken:\r\n\r\n%s\r\n\r\nProbeer het later opnieuw of "
    "neem contact op met Korvane Software als het probleem blijft bestaan.",
    "Der Programm-Update-Server konnte die Anfrage nicht bearbeiten:\r\n\r\n%s\r\n\r\nBitte versuchen Sie es "
    "später erneut oder wenden Sie sich an Korvane Software, falls das Problem weiterhin besteht.",
    "", "", "", "", ""};
const TLanguageStrings TextProxy = {
    "Proxy authentication required, please contact your network administrator. Errorcode: %s\r\n\r\nIf the "
    "problem persists, contact Korvane Software.",
    "Proxy-authenticatie vereist, neem contact op met uw netwerkbeheerder. Foutcode: %s\r\n\r\nNeem contact op "
    "met Korvane Software als het probleem blijft bestaan.",
    "Proxy-Authentifizierung erforderlich, bitte wenden Sie sich an Ihren Netzwerkadministrator. Fehlercode: "
    "%s\r\n\r\nFalls das Problem weiterhin besteht, wenden Sie sich an Korvane Software.",
    "", "", "", "", ""};
const TLanguageStrings TextOverloaded = {
    "The Program Update Server could not fulfill the request because the server was overloaded by other "
    "request. Errorcode: %s\r\n\r\nPlease try again later or contact Korvane Software of the problem persists.",
    "De Programma Update Server kon het verzoek niet uitvoeren omdat de server overbelast was. Foutcode: "
    "%s\r\n\r\nProbeer het later opnieuw of neem contact op met Korvane Software als het probleem blijft "
    "bestaan.",
    "Der Programm-Update-Server konnte die Anfrage nicht ausführen, weil er überlastet war. Fehlercode: "
    "%s\r\n\r\nBitte versuchen Sie es später erneut oder wenden Sie sich an Korvane Software, falls das Problem "
    "weiterhin besteht.",
    "", "", "", "", ""};
const TLanguageStrings TextInternal = {
    "The Program Update Server encountered an internal error. Errorcode: %s\r\n\r\nPlease try again later or "
    "contact Korvane Software if the problem persists.",
    "Er is een interne fout opgetreden in de Programma Update Server. Foutcode: %s\r\n\r\nProbeer het later "
    "opnieuw of neem contact op met Korvane Software als het probleem blijft bestaan.",
    "Im Programm-Update-Server ist ein interner Fehler aufgetreten. Fehlercode: %s\r\n\r\nBitte versuchen Sie es "
    "später erneut oder wenden Sie sich an Korvane Software, falls das Problem weiterhin besteht.",
    "", "", "", "", ""};
const TLanguageStrings TextConnect = {
    "Could not connect to the Program Update Server. Errorcode: %s\r\n\r\nMake sure you have a working internet "
    "connection or try again at a later time.",
    "Kan geen verbinding maken met de Programma Update Server. Foutcode: %s\r\n\r\nControleer of u een werkende "
    "internetverbinding heeft of probeer het later opnieuw.",
    "Es konnte keine Verbindung zum Programm-Update-Server hergestellt werden. Fehlercode: %s\r\n\r\nStellen Sie "
    "sicher, dass eine Internetverbindung besteht, oder versuchen Sie es später erneut.",
    "", "", "", "", ""};
const TLanguageStrings TextWrite = {
    "Could not write the file \"%s\". \r\n\r\nPlease check the following points:\r\n  - The file or folder name "
    "may be invalid\r\n  - You may not have sufficient access rights to this folder\r\n  - The file may be in use "
    "by another program\r\n  - The disk may be full",
    "Kan het bestand \"%s\" niet schrijven. \r\n\r\nControleer de volgende punten:\r\n  - De bestands- of mapnaam "
    "is mogelijk ongeldig\r\n  - U heeft mogelijk onvoldoende rechten voor deze map\r\n  - Het bestand is mogelijk "
    "in gebruik door een ander programma\r\n  - De schijf is mogelijk vol",
    "Die Datei \"%s\" konnte nicht geschrieben werden. \r\n\r\nBitte prüfen Sie folgende Punkte:\r\n  - Der Datei- "
    "oder Ordnername ist möglicherweise ungültig\r\n  - Sie haben möglicherweise keine ausreichenden Rechte für "
    "diesen Ordner\r\n  - Die Datei wird möglicherweise von einem anderen Programm verwendet\r\n  - Der "
    "Datenträger ist möglicherweise voll",
    "", "", "", "", ""};
const TLanguageStrings TextSocket = {
    "A network error occurred: \r\n\r\n%s\r\n\r\nPlease try again later or contact Korvane Software if the problem "
    "persists.",
    "Er is een netwerkfout opgetreden: \r\n\r\n%s\r\n\r\nProbeer het later opnieuw of neem contact op met Korvane "
    "Software als het probleem blijft bestaan.",
    "Ein Netzwerkfehler ist aufgetreten: \r\n\r\n%s\r\n\r\nBitte versuchen Sie es später erneut oder wenden Sie "
    "sich an Korvane Software, falls das Problem weiterhin besteht.",
    "", "", "", "", ""};
const TLanguageStrings TextTimeout = {
    "The Program Update Server did not answer in time. Please try again later.",
    "De Programma Update Server heeft niet op tijd geantwoord. Probeer het later opnieuw.",
    "Der Programm-Update-Server hat nicht rechtzeitig geantwortet. Bitte versuchen Sie es später erneut.",
    "", "", "", "", ""};
const TLanguageStrings TextDamaged = {
    "The downloaded update is damaged or incomplete and was deleted. Please try again later.",
    "De gedownloade update is beschadigd of onvolledig en is verwijderd. Probeer het later opnieuw.",
    "Das heruntergeladene Update ist beschädigt oder unvollständig und wurde gelöscht. Bitte versuchen Sie es "
    "später erneut.",
    "", "", "", "", ""};
// Results without a text of their own still tell the user what went wrong.
const TLanguageStrings TextOther = {
    "The update server reported error %s", "De update server meldde fout %s", "Der Update-Server meldete Fehler %s",
    "", "", "", "", ""};

QString Fill(const TLanguageStrings &table, const QString &value) {
    return LanguageText(table).replace(QLatin1String("%s"), value);
}

}  // namespace

QString HttpStatusText(int32_t code) {
    static const struct { int32_t Code; const char *Text; } texts[] = {
        {400, "Bad Request"}, {401, "Unauthorized"}, {402, "Payment Required"}, {403, "Forbidden"},
        {404, "Not Found"}, {405, "Method Not Allowed"}, {406, "Not Acceptable"},
        {407, "Proxy Authentication Required"}, {408, "Request Timeout"}, {409, "Conflict"}, {410, "Gone"},
        {411, "Length Required"}, {412, "Precondition Failed"}, {413, "Request Entity Too Large"},
        {414, "Request-URI Too Long"}, {415, "Unsupported Media Type"}, {500, "Internal Server Error"},
        {501, "Not Implemented"}, {502, "Bad Gateway"}, {503, "Service Not Available"},
        {504, "Gateway Timeout"}, {505, "HTTP Version Not Supported"}};
    for (const auto &t : texts)
        if (t.Code == code) return QString::number(code) + QStringLiteral(": ") + QString::fromLatin1(t.Text);
    return QStringLiteral("Unknown");
}

QString PUSErrorText(int32_t result, const QString &downloadFile, int32_t socketError) {
    const QString code = QString::number(result);
    if (result == PUSResult::Ok) return QString();
    if (result == 407) return Fill(TextProxy, code);
    if (result == 503) return Fill(TextOverloaded, code);
    if (result >= 400 && result <= 505) return Fill(TextHttp, HttpStatusText(result));
    if ((result >= -4 && result <= -1) || result == PUSResult::EmptyResult) return Fill(TextInternal, code);
    if ((result >= -103 && result <= -100) || result == PUSResult::NoConnection) return Fill(TextConnect, code);
    if (result == PUSResult::WriteFailed) return Fill(TextWrite, downloadFile);
    if (result == PUSResult::SocketError) return Fill(TextSocket, QString::number(socketError));
    if (result == PUSResult::NoAnswerInTime) return LanguageText(TextTimeout);
    if (result == PUSResult::Damaged) return LanguageText(TextDamaged);
    return Fill(TextOther, code);
}
