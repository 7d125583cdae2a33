#include "online/FrmNewsCenterCheck.h"

#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWebServices.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QMap>

namespace {

const TLanguageStrings TextProblemTitle = {"Problem checking news", "Probleem bij controleren nieuws",
                                           "Problem beim Prüfen der Neuigkeiten", "", "", "", "", ""};
const TLanguageStrings TextProblemIntro = {"Checking for news the following problems were found:",
                                           "Bij het controleren op nieuws zijn de volgende problemen gevonden:",
                                           "Beim Prüfen der Neuigkeiten wurden folgende Probleme gefunden:", "", "",
                                           "", "", ""};
const TLanguageStrings TextHelpError = {"Error checking for updates for help files. Error code: ",
                                        "Fout bij controleren op updates voor de helpbestanden. Foutcode: ",
                                        "Fehler beim Prüfen auf Updates der Hilfedateien. Fehlercode: ", "", "", "",
                                        "", ""};
const TLanguageStrings TextChartError = {"Error checking for updates for your charts. Error code: ",
                                         "Fout bij controleren op updates voor uw kaarten. Foutcode: ",
                                         "Fehler beim Prüfen auf Updates Ihrer Karten. Fehlercode: ", "", "", "", "",
                                         ""};
const TLanguageStrings TextLoginError = {
    "Error checking for updates for your charts. The e-mail address and/or password you entered are incorrect.",
    "Fout bij controleren op updates voor uw kaarten. Het ingevoerde e-mailadres en/of wachtwoord is onjuist.",
    "Fehler beim Prüfen auf Updates Ihrer Karten. Die eingegebene E-Mail-Adresse und/oder das Passwort sind falsch.",
    "", "", "", "", ""};
const TLanguageStrings TextProgramTitle = {"Program update available", "Programma-update beschikbaar",
                                           "Programm-Update verfügbar", "", "", "", "", ""};
const TLanguageStrings TextMRCTitle = {"Update available for MRC Manager", "Update beschikbaar voor MRC Manager",
                                       "Update für MRC Manager verfügbar", "", "", "", "", ""};
const TLanguageStrings TextNewVersion = {"An new version (%1) of %2 is available to download.",
                                         "Er is een nieuwe versie (%1) van %2 beschikbaar om te downloaden.",
                                         "Eine neue Version (%1) von %2 steht zum Herunterladen bereit.", "", "", "",
                                         "", ""};
const TLanguageStrings TextPurchaseTitle = {"Recently purchased charts available to install",
                                            "Recent gekochte kaarten beschikbaar om te installeren",
                                            "Kürzlich gekaufte Karten zur Installation verfügbar", "", "", "", "", ""};
const TLanguageStrings TextPurchaseOne = {
    "There is a chart set available for installation that you have purchased recently.",
    "Er is een recent gekochte kaartset beschikbaar om te installeren.",
    "Ein kürzlich gekaufter Kartensatz steht zur Installation bereit.", "", "", "", "", ""};
const TLanguageStrings TextPurchaseMany = {
    "There are %1 chart sets available to install that you have purchased recently.",
    "Er zijn %1 recent gekochte kaartsets beschikbaar om te installeren.",
    "%1 kürzlich gekaufte Kartensätze stehen zur Installation bereit.", "", "", "", "", ""};
const TLanguageStrings TextChartTitle = {"Chart update(s) available", "Kaartupdate(s) beschikbaar",
                                         "Karten-Update(s) verfügbar", "", "", "", "", ""};
const TLanguageStrings TextChartCount = {"Updates for %1 charts are ready to download.",
                                         "Updates voor %1 kaarten staan klaar om te downloaden.",
                                         "Updates für %1 Karten stehen zum Herunterladen bereit.", "", "", "", "", ""};
const TLanguageStrings TextChartAuto = {
    "Charts are automatically updated if the total size of the update is smaller than %1, this value can be changed "
    "%2.",
    "Kaarten worden automatisch bijgewerkt als de totale grootte van de update kleiner is dan %1, deze waarde kunt u "
    "%2 wijzigen.",
    "Karten werden automatisch aktualisiert, wenn das Update kleiner als %1 ist; dieser Wert kann %2 geändert werden.",
    "", "", "", "", ""};
const TLanguageStrings TextHere = {"here", "hier", "hier", "", "", "", "", ""};
const TLanguageStrings TextNewest = {"Newest update", "Nieuwste update", "Neuestes Update", "", "", "", "", ""};
const TLanguageStrings TextUpdates = {"updates", "updates", "Updates", "", "", "", "", ""};
const TLanguageStrings TextEditionsTitle = {"Newer edition(s) available for some of your chartsets.",
                                            "Nieuwere editie(s) beschikbaar voor sommige van uw kaartsets.",
                                            "Neuere Ausgabe(n) für einige Ihrer Kartensätze verfügbar.", "", "", "",
                                            "", ""};
const TLanguageStrings TextEditions = {
    "There are newer editions available to purchase for some of the chartsets you have installed. Go to the chart "
    "manager to check.",
    "Voor sommige van uw geïnstalleerde kaartsets zijn nieuwere edities te koop. Kijk in het kaartbeheer.",
    "Für einige Ihrer installierten Kartensätze sind neuere Ausgaben erhältlich. Sehen Sie in der Kartenverwaltung "
    "nach.",
    "", "", "", "", ""};
const TLanguageStrings TextHelpTitle = {"Help function update available", "Update voor de helpfunctie beschikbaar",
                                        "Update der Hilfefunktion verfügbar", "", "", "", "", ""};
const TLanguageStrings TextHelp = {"There are updates available for the help function in Marivo.",
                                   "Er zijn updates beschikbaar voor de helpfunctie van Marivo.",
                                   "Für die Hilfefunktion von Marivo sind Updates verfügbar.", "", "", "", "", ""};

constexpr int LoginRejected = 4;

TDateTime FromUnix(int64_t seconds) {
    return double(seconds) / 86400.0 + 25569.0;
}

}  // namespace

QString NewsHelpFolder(const QString &commonAppData, int32_t language) {
    if (commonAppData.isEmpty()) return QString();
    const char *suffix = language == 2 ? "_NL/" : language == 3 ? "_DE/" : "_EN/";
    return QDir(commonAppData).filePath(QStringLiteral("Korvane/Marivo/Ostrel/Help/Ostrel")) + QLatin1String(suffix);
}

void TNewsCheck::Start(bool waitForCharts) {
    FWaitForCharts = waitForCharts;
    FChecking = true;
    FProblems.clear();
    FLoginFailed = FProgramUpdate = FChartManagerUpdate = FChartUpdates = FNewerEditions = false;
    FHelpCount = 0;
    FHelpSize = 0;
    FNews.clear();
    FPurchases.clear();
    FUpdates.clear();
    FAccount.SetNewsPending(true);
    FStage = 1;
    if (const int32_t err = FAccount.FetchNews(Settings.LanguageId)) {
        // No answer will come: the check ends here with what it knows.
        AddProblem(LanguageText(TextHelpError) + QString::number(err));
        FAccount.SetNewsPending(false);
        FStage = 0;
        FChecking = false;
    }
}

bool TNewsCheck::Step(int32_t kind) {
    if (!FChecking || kind != (FStage == 1 ? MRCRequestKind::News : MRCRequestKind::Charts)) return false;
    if (FStage == 1) {
        const bool answered = NewsStep();
        // A failed news fetch has no chart step to wait for.
        if (!answered) FChecking = false;
        return !answered || !FWaitForCharts;
    }
    ChartStep();
    FChecking = false;
    return true;
}

bool TNewsCheck::NewsStep() {
    const int32_t result = FAccount.LastResult();
    if (result == 0) {
        CompareHelpFiles();
        CompareVersions();
        FNews = FAccount.News();
    } else {
        AddProblem(LanguageText(TextHelpError) + QString::number(result));
    }
    FStage = 0;
    FAccount.SetNewsPending(false);
    return result == 0;
}

void TNewsCheck::ChartStep() {
    const int32_t result = FAccount.LastResult();
    if (result == LoginRejected) {
        FLoginFailed = true;
        AddProblem(LanguageText(TextLoginError));
        return;
    }
    if (result != 0) {
        AddProblem(LanguageText(TextChartError) + QString::number(result));
        return;
    }
    FPurchases = FAccount.Purchases();
    FNewerEditions = FAccount.HasNewerEditions();
    FUpdates.clear();
    int64_t total = 0;
    for (const TNewsChartUpdate &u : FAccount.ChartUpdates()) {
        if (u.Kind != 1 && u.Kind != 2) continue;
        FUpdates << u;
        total += u.Size;
    }
    FChartUpdates = false;
    if (FUpdates.isEmpty()) return;
    // 64 bits: thresholds of 2048 MB and more overflow 32.
    if (total < int64_t(Settings.ThresholdMB) * 1048576) {
        FAccount.StartAutoUpdate();
        FUpdates.clear();
        return;
    }
    FChartUpdates = true;
}

void TNewsCheck::AddProblem(const QString &problem) {
    FProblems += QStringLiteral("<li>") + HTMLEncode(problem) + QStringLiteral("</li>");
}

void TNewsCheck::CompareHelpFiles() {
    if (Settings.HelpFolder.isEmpty() || !QFileInfo(Settings.HelpFolder).isDir()) return;
    const QDir folder(Settings.HelpFolder);
    for (const TNewsRemoteFile &remote : FAccount.RemoteFiles()) {
        const QFileInfo local(folder.filePath(remote.Path));
        bool current = false;
        if (local.isFile()) {
            const TDateTime localUtc = FromUnix(local.lastModified().toUTC().toSecsSinceEpoch());
            current = FromUnix(remote.Time) <= localUtc + 1e-9 && remote.Size == local.size();
        }
        if (current) continue;
        ++FHelpCount;
        FHelpSize += remote.Size;
    }
    for (QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = folder.relativeFilePath(it.next());
        if (!FAccount.HasRemoteFile(relative)) ++FHelpCount;
    }
}

void TNewsCheck::CompareVersions() {
    for (const TNewsVersion &v : FAccount.Versions()) {
        if (v.GUID == Settings.ProgramGUID) {
            if (uint32_t(v.Version) > uint32_t(Settings.ProgramVersion)) {
                FProgramUpdate = true;
                FNewVersion = v.Version;
            }
        } else if (v.GUID == Settings.ChartManagerGUID && uint32_t(v.Version) > uint32_t(Settings.ChartManagerVersion)) {
            FChartManagerUpdate = true;
            FNewChartManagerVersion = v.Version;
        }
    }
}

void TNewsCheck::AddPurchaseItem(QList<TNewsItem> &items) const {
    int count = 0;
    for (const TNewsPurchase &p : FPurchases)
        if (!p.Installed && Settings.Now - p.PurchaseDate < 7) ++count;
    if (count == 0) return;
    items << TNewsItem{3, false, NewsLinkKind::None, LanguageText(TextPurchaseTitle),
                       count == 1 ? LanguageText(TextPurchaseOne) : LanguageText(TextPurchaseMany).arg(count)};
}

void TNewsCheck::AddChartItem(QList<TNewsItem> &items) const {
    struct TProduct {
        QString Name;
        TDateTime Newest = 0;
        int Count = 0;
    };
    QList<int32_t> order;
    QMap<int32_t, TProduct> products;
    int total = 0;
    for (const TNewsChartUpdate &u : FUpdates) {
        const QString title = FAccount.InstalledProductTitle(u.ProductNumber);
        if (title.isEmpty()) continue;
        if (!products.contains(u.ProductNumber)) order << u.ProductNumber;
        TProduct &p = products[u.ProductNumber];
        p.Name = title;
        ++p.Count;
        p.Newest = std::max(p.Newest, FromUnix(u.FileTime));
        ++total;
    }
    if (total == 0) return;
    const QString content = LanguageText(TextChartCount).arg(total) + QStringLiteral("<br />") +
                            LanguageText(TextChartAuto)
                                .arg(QString::number(Settings.ThresholdMB) + QStringLiteral(" MB"),
                                     QStringLiteral("<a href=\"autoupdatesize\">") + LanguageText(TextHere) +
                                         QStringLiteral("</a>"));
    QString extra = QStringLiteral("<ul>");
    for (int32_t n : order) {
        const TProduct &p = products[n];
        extra += QStringLiteral("<li>") + HTMLEncode(p.Name) + QStringLiteral(" (%1 ").arg(p.Count) +
                 LanguageText(TextUpdates) + QStringLiteral(")<br />") + LanguageText(TextNewest) +
                 QStringLiteral(": ") + QDateTime::fromSecsSinceEpoch(qint64((p.Newest - 25569.0) * 86400.0), Qt::UTC)
                                             .date()
                                             .toString(Qt::ISODate) +
                 QStringLiteral("</li>");
    }
    items << TNewsItem{4, false, NewsLinkKind::ChartUpdate, LanguageText(TextChartTitle), content,
                       extra + QStringLiteral("</ul>")};
}

QList<TNewsItem> TNewsCheck::Items(const TNewsReadSet &read, bool &attention) const {
    QList<TNewsItem> items;
    if (!FProblems.isEmpty())
        items << TNewsItem{0, false, FLoginFailed ? NewsLinkKind::UserUpdate : NewsLinkKind::None,
                           LanguageText(TextProblemTitle),
                           LanguageText(TextProblemIntro) + QStringLiteral("<ul>") + FProblems + QStringLiteral("</ul>")};
    if (FProgramUpdate)
        items << TNewsItem{1, false, NewsLinkKind::ProgramUpdate, LanguageText(TextProgramTitle),
                           LanguageText(TextNewVersion).arg(VersionToStr(FNewVersion, 4), HTMLEncode(Settings.ProgramTitle))};
    if (FChartManagerUpdate)
        items << TNewsItem{2, false, NewsLinkKind::MRCManagerUpdate, LanguageText(TextMRCTitle),
                           LanguageText(TextNewVersion).arg(VersionToStr(FNewChartManagerVersion, 4), QStringLiteral("MRC Manager"))};
    AddPurchaseItem(items);
    if (FChartUpdates) AddChartItem(items);
    if (FNewerEditions)
        items << TNewsItem{5, false, NewsLinkKind::None, LanguageText(TextEditionsTitle), LanguageText(TextEditions)};
    if (FHelpCount > 0)
        items << TNewsItem{9, false, NewsLinkKind::HelpUpdate, LanguageText(TextHelpTitle), LanguageText(TextHelp),
                           QString(), FHelpSize};
    attention = !items.isEmpty();
    for (const TNewsMessage &m : FNews) {
        items << TNewsItem{m.Number, true, NewsLinkKind::None, m.Title, m.Text};
        if (!read.Contains(m.Number)) attention = true;
    }
    return items;
}
