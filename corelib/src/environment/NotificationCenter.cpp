// The user-notification centre: which notifications are shown, for how long, with which
// text, and what the user's clicks on them report back to the program.
#include "environment/NotificationCenter.h"

#include "graphics/Bmp32Impl.h"
#include "kernel/KvInternal.h"
#include "units/UnitsInternal.h"

#include "KvLibNav6/KvGraphics.h"
#include "KvLibNav6/KvLanguage.h"
#include "KvLibNav6/KvUnits.h"

#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace kv {

namespace {

// English, Dutch, German, French, Spanish, Italian, Danish, Swedish.
using TTexts = std::array<const char16_t *, 8>;

constexpr TTexts CrossTrackAlarmText = {
    u"Cross-track error too large",          u"Koersafwijking te groot",
    u"Kursabweichung zu groß",               u"Écart de route trop important",
    u"Desviación de rumbo demasiado grande", u"Deviazione dalla rotta eccessiva",
    u"Kursafvigelse for stor",               u"Kursavvikelse för stor",
};

constexpr TTexts PortDetectedText = {
    u"COM-port connection detected. Checking for GPS...",
    u"COM-poortverbinding gedetecteerd. Controleren op GPS...",
    u"COM-Port-Verbindung erkannt. Suche nach GPS...",
    u"Connexion de port COM détectée. Recherche du GPS...",
    u"Conexión de puerto COM detectada. Buscando GPS...",
    u"Rilevata connessione porta COM. Ricerca del GPS...",
    u"COM-portforbindelse registreret. Søger efter GPS...",
    u"COM-portanslutning upptäckt. Söker efter GPS...",
};

constexpr TTexts ChartsMissingText = {
    u"Charts are missing for the shown route",
    u"Er ontbreken kaarten voor de getoonde route",
    u"Für die angezeigte Route fehlen Karten",
    u"Des cartes manquent pour la route affichée",
    u"Faltan cartas para la ruta mostrada",
    u"Mancano carte per la rotta visualizzata",
    u"Der mangler søkort til den viste rute",
    u"Sjökort saknas för den visade rutten",
};

constexpr TTexts CurrentDataFileText = {
    u"Downloading current data...",
    u"Stromingsgegevens worden gedownload...",
    u"Strömungsdaten werden heruntergeladen...",
    u"Téléchargement des données de courant...",
    u"Descargando datos de corrientes...",
    u"Download dei dati sulle correnti...",
    u"Henter strømdata...",
    u"Hämtar strömdata...",
};

constexpr TTexts CurrentDataWaterLevelText = {
    u"Downloading water levels...",
    u"Waterstanden worden gedownload...",
    u"Wasserstände werden heruntergeladen...",
    u"Téléchargement des niveaux d'eau...",
    u"Descargando niveles de agua...",
    u"Download dei livelli dell'acqua...",
    u"Henter vandstande...",
    u"Hämtar vattenstånd...",
};

constexpr TTexts WaterLevelOffsetText = {
    u"Water-level offset: %s m",
    u"Waterstandcorrectie: %s m",
    u"Wasserstandskorrektur: %s m",
    u"Correction du niveau d'eau : %s m",
    u"Corrección del nivel del agua: %s m",
    u"Correzione del livello dell'acqua: %s m",
    u"Vandstandskorrektion: %s m",
    u"Vattenståndskorrigering: %s m",
};

constexpr TTexts RouteExploreText = {
    u"Route explore: %s",        u"Route verkennen: %s",  u"Route erkunden: %s",
    u"Exploration de route : %s", u"Exploración de ruta: %s", u"Esplorazione rotta: %s",
    u"Ruteudforskning: %s",      u"Ruttutforskning: %s",
};

// Looked up at every use: a language switch changes the texts already shown.
QString LanguageText(const TTexts &texts) {
    int32_t lang = GetCurrentLanguage();
    if (lang < KvLang::First || lang > KvLang::Last) lang = KvLang::English;
    return QString::fromUtf16(texts[size_t(lang - 1)]);
}

const TTexts *LibraryTexts(int32_t kind) {
    switch (kind) {
    case NavUserNotify::CrossTrackAlarm: return &CrossTrackAlarmText;
    case NavUserNotify::PortDetected: return &PortDetectedText;
    case NavUserNotify::ChartsMissing: return &ChartsMissingText;
    case NavUserNotify::CurrentDataFile: return &CurrentDataFileText;
    case NavUserNotify::CurrentDataWaterLevel: return &CurrentDataWaterLevelText;
    default: return nullptr;
    }
}

// Signed, one decimal in the interface language's separator; an offset too small for one
// decimal gets two, so that a notice never claims "0,0 m" while an offset is applied.
QString OffsetText(float metres) {
    const int decimals = std::fabs(metres) < 0.05f ? 2 : 1;
    QString number = QString::number(double(metres), 'f', decimals);
    if (metres > 0.0f) number.prepend(QLatin1Char('+'));
    number.replace(QLatin1Char('.'), DecimalSeparator());
    return LanguageText(WaterLevelOffsetText).replace(QStringLiteral("%s"), number);
}

QString ExploreText(TDateTime utc) {
    TStrWImpl out;
    const QString format = QStringLiteral("ddddd t");
    _FormatDateTime(&out, ToRec(format), TimeEngine().LocalFromUTC(utc), 1);
    return LanguageText(RouteExploreText)
        .replace(QStringLiteral("%s"), FromUtf16(out.Text().data(), qsizetype(out.Text().size())));
}

// A library bitmap is copied as its image; another implementation only when it hands out
// 32-bit rows.
QImage CopyPicture(IBmp32 *bmp) {
    if (!bmp) return {};
    if (QImage *image = Bmp32Image(bmp)) return image->copy();
    const int32_t w = bmp->GetWidth();
    const int32_t h = bmp->GetHeight();
    if (w <= 0 || h <= 0 || bmp->GetPixelFormat() != PixelFormat::Bits32) return {};
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) return {};
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t *row = bmp->GetRow(y);
        if (!row) return {};
        std::memcpy(out.scanLine(y), row, size_t(w) * 4);
    }
    return out;
}

class TNavNotificationCenter final : public INavNotificationCenter {
public:
    struct TEntry {
        int32_t Kind = 0;
        // The caller's text; empty when the library makes the text for the kind.
        QString Text;
        TNotificationSeverity Severity = TNotificationSeverity::Info;
        TDateTime TimeUTC = 0.0;
        float RemainingSec = -1.0f;
        int32_t Value = 0;
        bool SoundOn = true;
        float OffsetM = 0.0f;  // water-level notice only
        uint64_t Order = 0;
    };

    void Show(int32_t kind, const TStrWRec &text) override {
        if (kind == NavUserNotify::Message) {
            ShowMessage(text, 0, false, 0);
            return;
        }
        if (kind < 0) return;
        const QString own = ToQString(text);
        // Nothing to draw: neither the caller nor the library has a text for it.
        if (own.isEmpty() && !LibraryTexts(kind)) return;
        TEntry entry;
        entry.Kind = kind;
        entry.Text = own;
        entry.Severity = SeverityOf(kind, false);
        if (kind == NavUserNotify::CurrentDataFile || kind == NavUserNotify::CurrentDataWaterLevel)
            entry.RemainingSec = Lifetime(DownloadNoticeSeconds);
        Put(std::move(entry));
    }

    void ShowMessage(const TStrWRec &text, int32_t seconds, bool flag, int32_t value) override {
        const QString own = ToQString(text);
        if (own.isEmpty()) return;
        TEntry entry;
        entry.Kind = NavUserNotify::Message;
        entry.Text = own;
        // The flag marks the outdated-chart notice: a warning, not a passing remark.
        entry.Severity = SeverityOf(entry.Kind, flag);
        entry.RemainingSec = Lifetime(seconds > 0 ? float(seconds) : DefaultMessageSeconds);
        entry.Value = value;
        Put(std::move(entry));
    }

    void ShowWaterLevelOffset(float metres) override {
        if (!std::isfinite(metres)) return;
        if (metres == 0.0f) {
            Withdraw(NavUserNotify::WaterLevelOffset);
            return;
        }
        TEntry entry;
        entry.Kind = NavUserNotify::WaterLevelOffset;
        entry.OffsetM = metres;
        Put(std::move(entry));
    }

    void Tick(const TLoopRecord &rec) override {
        FSinceTick.start();
        const float elapsed =
            std::isfinite(rec.ElapsedSec) && rec.ElapsedSec > 0.0f ? rec.ElapsedSec : 0.0f;
        for (TEntry &e : FEntries) {
            if (e.RemainingSec < 0.0f) continue;
            e.RemainingSec = std::max(0.0f, e.RemainingSec - elapsed);
        }
        // Timers and the gap between a tick and a Show make remainders of a few
        // milliseconds; such a notification is due now, not a whole tick later.
        const auto expired = std::erase_if(FEntries, [](const TEntry &e) {
            return e.RemainingSec >= 0.0f && e.RemainingSec < ExpirySlackSec;
        });
        if (expired > 0) Changed();
        PostReports();
    }

    bool GetShowAlarms() override { return FShowAlarms; }
    bool GetShowOthers() override { return FShowOthers; }

    void SetResources(INavEnv *env, IBmp32 *soundOff, IBmp32 *soundOn,
                      INavPredictedTime *time) override {
        FEnv = env;
        FTime = time;
        FSoundOff = CopyPicture(soundOff);
        FSoundOn = CopyPicture(soundOn);
        ++FRevision;
    }

    void Withdraw(int32_t kind) override {
        // A click reported after its alarm ended would reach the panel that already reset
        // its sound state for the next alarm.
        std::erase_if(FPending, [kind](const TReport &r) { return r.Kind == kind; });
        if (std::erase_if(FEntries, [kind](const TEntry &e) { return e.Kind == kind; }) > 0)
            Changed();
    }

    void SetExploreMode(bool explore) override {
        if (explore == FExplore) return;
        FExplore = explore;
        Changed();
    }

    void SetShowAlarms(bool show) override {
        if (show == FShowAlarms) return;
        FShowAlarms = show;
        Changed();
    }

    void SetShowOthers(bool show) override {
        if (show == FShowOthers) return;
        FShowOthers = show;
        Changed();
    }

    std::vector<TNotificationItem> Items(bool includeHidden) {
        std::vector<const TEntry *> order;
        for (const TEntry &e : FEntries) order.push_back(&e);
        std::stable_sort(order.begin(), order.end(), [](const TEntry *a, const TEntry *b) {
            if (a->Severity != b->Severity) return a->Severity > b->Severity;
            return a->Order < b->Order;
        });
        std::vector<TNotificationItem> items;
        for (const TEntry *e : order) {
            if (!includeHidden && !Visible(e->Severity)) continue;
            TNotificationItem item;
            item.Kind = e->Kind;
            item.Text = TextOf(*e);
            item.Severity = e->Severity;
            item.TimeUTC = e->TimeUTC;
            item.RemainingSec = e->RemainingSec;
            item.HasSoundButton = e->Kind == NavUserNotify::CrossTrackAlarm;
            item.SoundOn = e->SoundOn;
            item.Value = e->Value;
            items.push_back(std::move(item));
        }
        // Drawn from the planning time itself, so it follows the explored time without
        // anyone showing it again.
        if (FExplore && FTime && FTime->GetMode() == NavPredictedTimeMode::RouteExplore &&
            (includeHidden || Visible(TNotificationSeverity::Info))) {
            TNotificationItem item;
            item.Kind = NotificationKindRouteExplore;
            item.TimeUTC = FTime->GetTime();
            item.Text = ExploreText(item.TimeUTC);
            items.push_back(std::move(item));
        }
        return items;
    }

    bool Click(int32_t kind) {
        const auto it = std::find_if(FEntries.begin(), FEntries.end(),
                                     [kind](const TEntry &e) { return e.Kind == kind; });
        if (it == FEntries.end()) return false;
        if (kind == NavUserNotify::CrossTrackAlarm) {
            it->SoundOn = !it->SoundOn;
            Report(kind, it->SoundOn ? 1 : 0);
            Changed();
            return true;
        }
        if (kind == NavUserNotify::Message) {
            Report(kind, it->Value);
            FEntries.erase(it);
            Changed();
            return true;
        }
        return false;
    }

    QImage SoundPicture(bool on) const { return on ? FSoundOn : FSoundOff; }
    uint64_t Revision() const { return FRevision; }

private:
    static constexpr float ExpirySlackSec = 0.1f;

    struct TReport {
        int32_t Kind;
        int32_t Value;
    };

    static TNotificationSeverity SeverityOf(int32_t kind, bool flag) {
        if (kind == NavUserNotify::CrossTrackAlarm) return TNotificationSeverity::Alarm;
        if (kind == NavUserNotify::ChartsMissing || flag) return TNotificationSeverity::Warning;
        return TNotificationSeverity::Info;
    }

    bool Visible(TNotificationSeverity severity) const {
        return severity == TNotificationSeverity::Alarm ? FShowAlarms : FShowOthers;
    }

    // The next tick's elapsed time also covers the part of the interval before the Show:
    // added back so that a message stays for the seconds asked, not up to a tick less.
    float Lifetime(float seconds) const {
        const float sinceTick = FSinceTick.isValid() ? float(FSinceTick.elapsed()) / 1000.0f : 0.0f;
        return seconds + sinceTick;
    }

    QString TextOf(const TEntry &e) const {
        if (!e.Text.isEmpty()) return e.Text;
        if (e.Kind == NavUserNotify::WaterLevelOffset) return OffsetText(e.OffsetM);
        const TTexts *texts = LibraryTexts(e.Kind);
        return texts ? LanguageText(*texts) : QString();
    }

    // Shows or replaces the notification of the entry's kind. A replaced alarm keeps the
    // sound state the user chose for it; every replacement counts as shown anew.
    void Put(TEntry entry) {
        entry.TimeUTC = TimeEngine().NowUTC();
        entry.Order = ++FNextOrder;
        const auto it = std::find_if(FEntries.begin(), FEntries.end(),
                                     [&](const TEntry &e) { return e.Kind == entry.Kind; });
        if (it == FEntries.end()) {
            FEntries.push_back(std::move(entry));
        } else {
            entry.SoundOn = it->SoundOn;
            *it = std::move(entry);
        }
        Changed();
    }

    // One report per kind waits for the tick; a later click replaces its value.
    void Report(int32_t kind, int32_t value) {
        for (TReport &r : FPending) {
            if (r.Kind == kind) {
                r.Value = value;
                return;
            }
        }
        FPending.push_back({kind, value});
    }

    // Without an environment the reports wait: a click must not be lost because the
    // resources come later.
    void PostReports() {
        if (FPending.empty() || !FEnv) return;
        INavMessageDispatcher *disp = FEnv->GetDispatcher();
        if (!disp) return;
        const std::vector<TReport> reports = std::move(FPending);
        FPending.clear();
        for (const TReport &r : reports)
            disp->Post(NavNotify::UserNotificationReport, reinterpret_cast<intptr_t>(this),
                       r.Kind, r.Value, 0, 0, 0, 0);
    }

    void Changed() {
        ++FRevision;
        if (!FEnv) return;
        if (INavMessageDispatcher *disp = FEnv->GetDispatcher())
            disp->Post(NavNotify::InvalidateViews, 0, 0, 0, 0, 0, 0, 0);
    }

    std::vector<TEntry> FEntries;
    std::vector<TReport> FPending;
    // Kept, not owned: the program's environment owns both and outlives the centre.
    INavEnv *FEnv = nullptr;
    INavPredictedTime *FTime = nullptr;
    QImage FSoundOff;
    QImage FSoundOn;
    bool FShowAlarms = true;
    bool FShowOthers = true;
    bool FExplore = false;
    uint64_t FRevision = 0;
    uint64_t FNextOrder = 0;
    // Real time since the last Tick; invalid before the first.
    QElapsedTimer FSinceTick;
};

TNavNotificationCenter *Centre(INavNotificationCenter *centre) {
    return dynamic_cast<TNavNotificationCenter *>(centre);
}

}  // namespace

std::vector<TNotificationItem> NotificationCenterItems(INavNotificationCenter *centre,
                                                       bool includeHidden) {
    TNavNotificationCenter *c = Centre(centre);
    return c ? c->Items(includeHidden) : std::vector<TNotificationItem>{};
}

bool NotificationCenterClick(INavNotificationCenter *centre, int32_t kind) {
    TNavNotificationCenter *c = Centre(centre);
    return c && c->Click(kind);
}

QImage NotificationCenterSoundPicture(INavNotificationCenter *centre, bool soundOn) {
    TNavNotificationCenter *c = Centre(centre);
    return c ? c->SoundPicture(soundOn) : QImage();
}

uint64_t NotificationCenterRevision(INavNotificationCenter *centre) {
    TNavNotificationCenter *c = Centre(centre);
    return c ? c->Revision() : 0;
}

}  // namespace kv

INavNotificationCenter *NavNotificationCenterCreate() {
    return new kv::TNavNotificationCenter();
}
