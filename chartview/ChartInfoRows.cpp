#include "chartview/ChartInfoRows.h"

#include "base/charts/KvCharts.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/ChartNames.h"

#include <KvLibNav6/KvUnits.h>

#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace {

using L = TLanguageStrings;
const L TGeneral = {"General", "Algemeen", "Allgemein", "Général", "General", "Generale", "Generelt", "Allmänt"};
const L TChart = {"Chart", "Kaart", "Karte", "Carte", "Carta", "Carta", "Kort", "Sjökort"};
const L TChartset = {"Chartset", "Kaartset", "Kartensatz", "Jeu de cartes", "Juego de cartas", "Set di carte", "Kortsæt", "Sjökortsset"};
const L TEdition = {"Edition", "Editie", "Ausgabe", "Édition", "Edición", "Edizione", "Udgave", "Utgåva"};
const L TOriginalScale = {"Original scale", "Originele schaal", "Originalmaßstab", "Échelle d'origine", "Escala original", "Scala originale", "Oprindelig skala", "Ursprunglig skala"};
const L TDepthUnits = {"Depth units", "Diepte-eenheden", "Tiefeneinheiten", "Unités de profondeur", "Unidades de profundidad", "Unità di profondità", "Dybdeenheder", "Djupenheter"};
const L THeightUnits = {"Height units", "Hoogte-eenheden", "Höheneinheiten", "Unités de hauteur", "Unidades de altura", "Unità di altezza", "Højdeenheder", "Höjdenheter"};
const L TRevisionDate = {"Revision date", "Revisiedatum", "Revisionsdatum", "Date de révision", "Fecha de revisión", "Data di revisione", "Revisionsdato", "Revisionsdatum"};
const L TFormatVersion = {"MRC2 version", "MRC2-versie", "MRC2-Version", "Version MRC2", "Versión MRC2", "Versione MRC2", "MRC2-version", "MRC2-version"};
const L TChartDatum = {"Chart datum", "Kaartdatum", "Kartendatum", "Système géodésique", "Datum de la carta", "Datum della carta", "Kortdatum", "Sjökortsdatum"};
const L TRelWgs = {"rel. to WGS-84", "t.o.v. WGS-84", "bez. auf WGS-84", "par rapport à WGS-84", "resp. a WGS-84", "rispetto a WGS-84", "i forhold til WGS-84", "rel. till WGS-84"};
const L TByParameters = {"by parameters", "via parameters", "durch Parameter", "par paramètres", "por parámetros", "tramite parametri", "via parametre", "via parametrar"};
const L TMagVar = {"Magnetic variation", "Magnetische variatie", "Missweisung", "Déclinaison magnétique", "Declinación magnética", "Declinazione magnetica", "Misvisning", "Missvisning"};
const L TVariation = {"Variation", "Variatie", "Missweisung", "Déclinaison", "Declinación", "Declinazione", "Misvisning", "Missvisning"};
const L TAnnualDrift = {"Annual drift", "Jaarlijkse verandering", "Jährliche Änderung", "Variation annuelle", "Variación anual", "Variazione annua", "Årlig ændring", "Årlig ändring"};
const L TMeasuringDate = {"Measuring date", "Meetdatum", "Messdatum", "Date de mesure", "Fecha de medición", "Data di misura", "Måledato", "Mätdatum"};
const L TUpdate = {"Update", "Update", "Aktualisierung", "Mise à jour", "Actualización", "Aggiornamento", "Opdatering", "Uppdatering"};
const L TLastUpdated = {"Last updated", "Laatst bijgewerkt", "Zuletzt aktualisiert", "Dernière mise à jour", "Última actualización", "Ultimo aggiornamento", "Sidst opdateret", "Senast uppdaterad"};
const L TInformation = {"Information", "Informatie", "Information", "Information", "Información", "Informazioni", "Information", "Information"};
const L TDigitalCopy = {"Digital copy", "Digitale kopie", "Digitale Kopie", "Copie numérique", "Copia digital", "Copia digitale", "Digital kopi", "Digital kopia"};
const L TMadeBy = {"Made by", "Gemaakt door", "Erstellt von", "Réalisé par", "Realizado por", "Realizzato da", "Lavet af", "Gjord av"};
const L TSource = {"Copyright source material", "Auteursrecht bronmateriaal", "Urheberrecht Quellmaterial", "Droits du document source", "Derechos del material original", "Diritti del materiale originale", "Ophavsret kildemateriale", "Upphovsrätt källmaterial"};
const L TPublisher = {"Publisher", "Uitgever", "Herausgeber", "Éditeur", "Editor", "Editore", "Udgiver", "Utgivare"};
const L TCopyright = {"Copyright", "Auteursrecht", "Urheberrecht", "Droits d'auteur", "Derechos de autor", "Diritti d'autore", "Ophavsret", "Upphovsrätt"};
const L TChartName = {"Chart name", "Kaartnaam", "Kartenname", "Nom de la carte", "Nombre de la carta", "Nome della carta", "Kortnavn", "Sjökortsnamn"};
const L TLicenseInfo = {"License information", "Licentie-informatie", "Lizenzinformationen", "Informations de licence", "Información de licencia", "Informazioni sulla licenza", "Licensoplysninger", "Licensinformation"};
const L TLicense = {"License", "Licentie", "Lizenz", "Licence", "Licencia", "Licenza", "Licens", "Licens"};
const L TDisclaimer = {"Disclaimer", "Disclaimer", "Haftungsausschluss", "Avertissement", "Aviso legal", "Esclusione di responsabilità", "Ansvarsfraskrivelse", "Ansvarsfriskrivning"};
const L TAdditional = {"Additional information", "Aanvullende informatie", "Zusätzliche Informationen", "Informations complémentaires", "Información adicional", "Informazioni aggiuntive", "Yderligere oplysninger", "Ytterligare information"};
const L TProduct = {"Product", "Product", "Produkt", "Produit", "Producto", "Prodotto", "Produkt", "Produkt"};
const L TEditionNumber = {"Edition number", "Editienummer", "Ausgabenummer", "Numéro d'édition", "Número de edición", "Numero di edizione", "Udgavenummer", "Utgåvenummer"};
const L TCompilationScale = {"Compilation scale", "Compilatieschaal", "Kompilationsmaßstab", "Échelle de compilation", "Escala de compilación", "Scala di compilazione", "Kompileringsskala", "Kompileringsskala"};
const L TSoundingDatum = {"Sounding datum", "Dieptereferentievlak", "Seekartennull", "Zéro des sondes", "Datum de sondas", "Livello di riferimento scandagli", "Lodningsdatum", "Lodningsdatum"};
const L TVerticalDatum = {"Vertical datum", "Verticaal referentievlak", "Höhenbezugsfläche", "Référence verticale", "Datum vertical", "Riferimento verticale", "Vertikalt datum", "Vertikalt datum"};
const L TPurpose = {"Navigational purpose", "Navigatiedoel", "Navigationszweck", "But de navigation", "Propósito de navegación", "Scopo di navigazione", "Navigationsformål", "Navigationsändamål"};
const L TRange = {"Range ", "Bereik ", "Bereich ", "Plage ", "Rango ", "Intervallo ", "Område ", "Område "};
const L TUnknown = {"Unknown", "Onbekend", "Unbekannt", "Inconnu", "Desconocido", "Sconosciuto", "Ukendt", "Okänd"};
const L TEast = {"E", "O", "O", "E", "E", "E", "Ø", "O"};
const L TWest = {"W", "W", "W", "O", "O", "O", "V", "V"};
const L TNorth = {"N", "N", "N", "N", "N", "N", "N", "N"};
const L TSouth = {"S", "Z", "S", "S", "S", "S", "S", "S"};
const L Purposes[9] = {
    {"Overview", "Overzicht", "Übersicht", "Vue d'ensemble", "Vista general", "Panoramica", "Oversigt", "Översikt"},
    {"General", "Algemeen", "Allgemein", "Général", "General", "Generale", "Generel", "Allmän"},
    {"Coastal", "Kust", "Küste", "Côtier", "Costero", "Costiero", "Kyst", "Kust"},
    {"Approach", "Aanloop", "Ansteuerung", "Approche", "Aproximación", "Avvicinamento", "Ansejling", "Angöring"},
    {"Harbour", "Haven", "Hafen", "Port", "Puerto", "Porto", "Havn", "Hamn"},
    {"Berthing", "Afmeren", "Liegeplatz", "Accostage", "Atraque", "Ormeggio", "Fortøjning", "Förtöjning"},
    {"River", "Rivier", "Fluss", "Rivière", "Río", "Fiume", "Flod", "Flod"},
    {"River harbour", "Rivierhaven", "Flusshafen", "Port fluvial", "Puerto fluvial", "Porto fluviale", "Flodhavn", "Flodhamn"},
    {"River berthing", "Afmeren rivier", "Liegeplatz Fluss", "Accostage fluvial", "Atraque fluvial", "Ormeggio fluviale", "Fortøjning flod", "Förtöjning flod"}};

TChartInfoRow Label(const TLanguageStrings &caption, const QString &value) {
    return {LanguageText(caption), TChartInfoRowKind::Label, value.isEmpty() ? QStringLiteral(" ") : value, false};
}

TChartInfoGroup Group(const TLanguageStrings &caption) {
    return {{LanguageText(caption), TChartInfoRowKind::Group, {}, false}, {}};
}

QString DegreesText(double degrees, const TLanguageStrings &pos, const TLanguageStrings &neg, int decimals) {
    return QLocale().toString(std::abs(degrees), 'f', decimals) + QStringLiteral("° ") +
           LanguageText(degrees >= 0 ? pos : neg);
}

QString DatumText(IRasterChartInfo *info) {
    TRasterChartDatum d;
    info->GetDatum(d);
    switch (d.Kind) {
    case RasterChartDatumKind::Shift:
        return DegreesText(d.ShiftLat * 180.0 / M_PI, TNorth, TSouth, 4) + QStringLiteral(" / ") +
               DegreesText(d.ShiftLon * 180.0 / M_PI, TEast, TWest, 4) + u' ' + LanguageText(TRelWgs);
    case RasterChartDatumKind::Parameters: return LanguageText(TByParameters);
    default: {
        QStringList names;
        for (const auto &n : {d.Name1, d.Name2})
            if (!n.empty()) names << QString::fromStdU16String(n);
        return names.join(QStringLiteral(" - "));
    }
    }
}

void AddGeneral(std::vector<TChartInfoGroup> &out, IRasterChart *raster) {
    IRasterChartInfo *info = raster->GetInfo();
    TChartInfoGroup g = Group(TGeneral);
    g.Rows.push_back({LanguageText(TChart), TChartInfoRowKind::Title, ChartDisplayName(raster), false});
    g.Rows.push_back(Label(TChartset, RasterChartInfoGetChartSetName(info)));
    if (info->GetEditionNumber() != 0) g.Rows.push_back(Label(TEdition, QString::number(info->GetEditionNumber())));
    g.Rows.push_back(Label(TOriginalScale, RasterChartInfoGetOriginalScale(info)));
    g.Rows.push_back(Label(TDepthUnits, RasterChartInfoGetDepthUnits(info)));
    g.Rows.push_back(Label(THeightUnits, RasterChartInfoGetHeightUnits(info)));
    g.Rows.push_back(Label(TRevisionDate, RasterChartInfoGetRevisionDate(info)));
    g.Rows.push_back(Label(TFormatVersion, VersionToStr(raster->GetVersion(), 4)));
    g.Rows.push_back(Label(TChartDatum, DatumText(info)));
    out.push_back(std::move(g));
}

void AddVariation(std::vector<TChartInfoGroup> &out, IRasterChartInfo *info) {
    TMagneticVariation v;
    info->GetMagneticVariation(v);
    if (!v.Present) return;
    TChartInfoGroup g = Group(TMagVar);
    g.Rows.push_back(Label(TVariation, VariationText(v.Degrees)));
    if (v.MeasuredUTC != 0.0) {
        g.Rows.push_back(Label(TAnnualDrift, VariationText(v.RateDegPerSecond * 31536000.0)));
        g.Rows.push_back(Label(TMeasuringDate, FormatDateTime(QStringLiteral("dddddd"), 1, v.MeasuredUTC)));
    }
    out.push_back(std::move(g));
}

void AddUpdate(std::vector<TChartInfoGroup> &out, IRasterChart *raster) {
    IRasterChartUpdateInfo *update = raster->GetUpdateInfo();
    if (!update || !update->IsPresent()) return;
    TChartInfoGroup g = Group(TUpdate);
    const int32_t offset = GetTimeZones() ? GetTimeZones()->GetUTCOffset() : 0;
    g.Rows.push_back(Label(TLastUpdated, FormatDateTime(QStringLiteral("dddddd tt"), 1,
                                                        update->GetUpdateTime() + offset / 1440.0) +
                                             UtcOffsetText(offset)));
    const QString text = RasterChartUpdateGetInfo(update);
    if (!text.isEmpty()) g.Rows.push_back({LanguageText(TInformation), TChartInfoRowKind::Link, text, false});
    out.push_back(std::move(g));
}

void AddSourceAndLicence(std::vector<TChartInfoGroup> &out, IRasterChart *raster) {
    IRasterChartInfo *info = raster->GetInfo();
    const QString madeBy = RasterChartInfoGetDigitizedBy(info);
    if (!madeBy.isEmpty()) {
        TChartInfoGroup g = Group(TDigitalCopy);
        g.Rows.push_back(Label(TMadeBy, madeBy));
        out.push_back(std::move(g));
    }
    const QString publisher = RasterChartInfoGetSourcePublisher(info);
    if (!publisher.isEmpty()) {
        TChartInfoGroup g = Group(TSource);
        g.Rows.push_back(Label(TPublisher, publisher));
        g.Rows.push_back(Label(TCopyright, RasterChartInfoGetSourceNotice(info)));
        g.Rows.push_back(Label(TChartName, RasterChartInfoGetSourceChartName(info)));
        out.push_back(std::move(g));
    }
    const QString licence = RasterChartInfoGetTermsText(info);
    const QString disclaimer = RasterChartInfoGetDisclaimer(info);
    if (uint32_t(raster->GetVersion()) >= 0x02000000u && (!licence.isEmpty() || !disclaimer.isEmpty())) {
        TChartInfoGroup g = Group(TLicenseInfo);
        if (!licence.isEmpty()) g.Rows.push_back(Label(TLicense, licence));
        if (!disclaimer.isEmpty()) g.Rows.push_back({LanguageText(TDisclaimer), TChartInfoRowKind::Link, disclaimer, false});
        out.push_back(std::move(g));
    }
}

void AddInfoFiles(std::vector<TChartInfoGroup> &out, IRasterChart *raster) {
    IRasterChartInfo *info = raster->GetInfo();
    const QString folder = QFileInfo(RasterChartGetFileName(raster)).absolutePath();
    TChartInfoGroup g = Group(TAdditional);
    for (int32_t i = info->GetInfoFileCount() - 1; i >= 0; --i) {
        QString title, file;
        if (!RasterChartInfoGetInfoFile(info, i, title, file)) continue;
        if (QFileInfo(file).suffix().compare(QLatin1String("collection"), Qt::CaseInsensitive) == 0) continue;
        g.Rows.push_back({title, TChartInfoRowKind::Link, ChartCompanionFile(folder, file), true});
    }
    if (!g.Rows.empty()) out.push_back(std::move(g));
}

}  // namespace

QString VariationText(double degrees) {
    return QLocale().toString(std::abs(degrees), 'f', 1) + QStringLiteral("° ") +
           LanguageText(degrees >= 0 ? TEast : TWest);
}

QString NavigationalPurposeText(bool benc, int32_t code) {
    if (benc) return LanguageText(TRange) + QStringLiteral("%1 - %2").arg((code - 128) / 10).arg((code - 128) % 10);
    if (code >= 1 && code <= 9) return QStringLiteral("%1 (%2)").arg(LanguageText(Purposes[code - 1])).arg(code);
    return QStringLiteral("%1 (%2)").arg(LanguageText(TUnknown)).arg(code);
}

QString UtcOffsetText(int32_t minutes) {
    return QStringLiteral(" (UTC %1%2)").arg(minutes < 0 ? QStringLiteral("-") : QStringLiteral("+")).arg(std::abs(minutes));
}

std::vector<TChartInfoGroup> RasterChartInfoRows(IChartCatalogueEntry *entry) {
    std::vector<TChartInfoGroup> out;
    IRasterChart *raster = entry ? entry->GetCatalogueObject()->GetRasterChart() : nullptr;
    if (!raster) return out;
    AddGeneral(out, raster);
    AddVariation(out, raster->GetInfo());
    AddUpdate(out, raster);
    AddSourceAndLicence(out, raster);
    AddInfoFiles(out, raster);
    return out;
}

std::vector<TChartInfoGroup> S57ChartInfoRows(IChart *chart) {
    std::vector<TChartInfoGroup> out;
    if (!chart) return out;
    TChartInfoGroup g = Group(TGeneral);
    g.Rows.push_back({LanguageText(TChart), TChartInfoRowKind::Title, S57ChartDisplayName(chart), false});
    const QString prefix = chart->IsIENC() ? QStringLiteral("IENC ") : chart->IsBENC() ? QStringLiteral("bENC ") : QStringLiteral("ENC ");
    g.Rows.push_back(Label(TProduct, prefix + ChartGetProductEdition(chart)));
    g.Rows.push_back(Label(TEditionNumber, ChartGetEdition(chart)));
    g.Rows.push_back(Label(TCompilationScale, QString::number(chart->GetScale())));
    g.Rows.push_back(Label(TLastUpdated, FormatDateTime(QStringLiteral("ddddd"), 1, chart->GetIssueDate())));
    g.Rows.push_back(Label(TSoundingDatum, VerticalDatumToStr(chart->GetSoundingDatum())));
    g.Rows.push_back(Label(TVerticalDatum, VerticalDatumToStr(chart->GetVerticalDatum())));
    g.Rows.push_back(Label(TPurpose, NavigationalPurposeText(chart->IsBENC(), chart->GetNavigationalPurpose())));
    out.push_back(std::move(g));
    return out;
}
