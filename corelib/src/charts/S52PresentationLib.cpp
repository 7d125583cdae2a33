#include "charts/S52PresentationLib.h"

#include "kernel/KvInternal.h"

#include "KvLibNav6/KvErrorCodes.h"

#include <QDir>
#include <QSettings>
#include <cmath>

namespace {

const char *const SettingsFileName = "S52Settings.ini";

bool ValidViewer(int32_t i) { return i >= 0 && i < 32; }

// Contours are metres below the chart datum; a value that is no number or absurdly deep
// is refused rather than stored, so the renderer never compares against NaN.
bool ValidDepth(float m) { return std::isfinite(m) && m >= 0.0f && m <= 1000.0f; }

class TS52PresentationLib final : public IS52PresentationLib {
public:
    explicit TS52PresentationLib(QString cacheFolder) : FFolder(std::move(cacheFolder)) {
        Load();
        FActive = FPending;
    }
    // Nobody is left to tell of a failure here; Commit has told of the same values.
    ~TS52PresentationLib() override { Save(); }

    int32_t GetBoundaryStyle() override { return FPending.BoundaryStyle; }
    bool GetCheckFeatureTime() override { return FPending.CheckFeatureTime; }
    float GetDepthDeep() override { return FPending.DepthDeepM; }
    float GetDepthSafe() override { return FPending.DepthSafeM; }
    float GetDepthShallow() override { return FPending.DepthShallowM; }
    int32_t GetDisplayCategory(int32_t v) override {
        return ValidViewer(v) ? FPending.Viewers[size_t(v)].Category : kv::TS52ViewerSettings{}.Category;
    }
    uint32_t GetDisplayFlags(int32_t v) override {
        return ValidViewer(v) ? FPending.Viewers[size_t(v)].Flags : kv::TS52ViewerSettings{}.Flags;
    }
    int32_t GetMaxBuoyScamin() override { return FPending.MaxBuoyScamin; }
    int32_t GetSymbolStyle() override { return FPending.SymbolStyle; }
    float GetTextScale() override { return FPending.TextScale; }

    void SetBoundaryStyle(int32_t style) override {
        FPending.BoundaryStyle = style == S52BoundaryStyle::Plain ? S52BoundaryStyle::Plain
                                                                  : S52BoundaryStyle::Symbolized;
    }
    void SetCheckFeatureTime(bool check) override { FPending.CheckFeatureTime = check; }
    void SetDepthDeep(float m) override {
        if (ValidDepth(m)) FPending.DepthDeepM = m;
    }
    void SetDepthSafe(float m) override {
        if (ValidDepth(m)) FPending.DepthSafeM = m;
    }
    void SetDepthShallow(float m) override {
        if (ValidDepth(m)) FPending.DepthShallowM = m;
    }
    void SetDisplayCategory(int32_t category, int32_t v) override {
        if (ValidViewer(v) && category >= S52DisplayCategory::Base && category <= S52DisplayCategory::Other)
            FPending.Viewers[size_t(v)].Category = category;
    }
    void SetDisplayFlags(uint32_t flags, int32_t v) override {
        if (ValidViewer(v)) FPending.Viewers[size_t(v)].Flags = flags;
    }
    void SetMaxBuoyScamin(int32_t scamin) override { FPending.MaxBuoyScamin = std::max(0, scamin); }
    // The time is an object, not a value: it holds at once for both sets.
    void SetPredictedTime(INavPredictedTime *time) override {
        FPending.PredictedTime = time;
        FActive.PredictedTime = time;
    }
    void SetSymbolStyle(int32_t style) override {
        FPending.SymbolStyle = style == S52SymbolStyle::Paper ? S52SymbolStyle::Paper
                                                              : S52SymbolStyle::Simplified;
    }
    void SetTextScale(float scale) override {
        if (std::isfinite(scale)) FPending.TextScale = std::clamp(scale, 1.0f, 2.0f);
    }
    void Commit() override {
        FActive = FPending;
        FSaveError = Save();
    }
    int32_t GetSaveError(IStrW *message) override {
        kv::SetStrW(message, FSaveError == KvErr::Ok ? QString() : FSaveMessage);
        return FSaveError;
    }
    int32_t GetColorScheme() override { return FPending.ColorScheme; }
    void SetColorScheme(int32_t scheme) override {
        if (scheme >= S52ColorScheme::Day && scheme <= S52ColorScheme::Night)
            FPending.ColorScheme = scheme;
    }
    // The offset follows the water level while sailing, so it applies at once.
    void SetWaterLevelOffset(int32_t v, float metres) override {
        if (!ValidViewer(v) || !std::isfinite(metres)) return;
        FPending.Viewers[size_t(v)].WaterLevelOffsetM = metres;
        FActive.Viewers[size_t(v)].WaterLevelOffsetM = metres;
    }

    const kv::TS52Settings &Active() const { return FActive; }
    INavPredictedTime *Predicted() const { return FActive.PredictedTime; }

private:
    QString FilePath() const {
        return FFolder.isEmpty() ? QString() : QDir(FFolder).filePath(QLatin1String(SettingsFileName));
    }

    void Load() {
        const QString path = FilePath();
        if (path.isEmpty() || !QFileInfo::exists(path)) return;
        QSettings s(path, QSettings::IniFormat);
        kv::TS52Settings d;
        SetBoundaryStyle(s.value("BoundaryStyle", d.BoundaryStyle).toInt());
        SetSymbolStyle(s.value("SymbolStyle", d.SymbolStyle).toInt());
        SetColorScheme(s.value("ColorScheme", d.ColorScheme).toInt());
        SetCheckFeatureTime(s.value("CheckFeatureTime", d.CheckFeatureTime).toBool());
        SetDepthShallow(s.value("DepthShallow", d.DepthShallowM).toFloat());
        SetDepthSafe(s.value("DepthSafe", d.DepthSafeM).toFloat());
        SetDepthDeep(s.value("DepthDeep", d.DepthDeepM).toFloat());
        SetMaxBuoyScamin(s.value("MaxBuoyScamin", d.MaxBuoyScamin).toInt());
        SetTextScale(s.value("TextScale", d.TextScale).toFloat());
        const int n = s.beginReadArray("Viewers");
        for (int i = 0; i < n && i < 32; ++i) {
            s.setArrayIndex(i);
            SetDisplayCategory(s.value("Category", kv::TS52ViewerSettings{}.Category).toInt(), i);
            SetDisplayFlags(s.value("Flags", kv::TS52ViewerSettings{}.Flags).toUInt(), i);
        }
        s.endArray();
    }

    // The water-level offset is a live value and is not kept between runs.
    int32_t Save() {
        const QString path = FilePath();
        if (path.isEmpty()) return KvErr::Ok;
        FSaveMessage = QStringLiteral("The S-57 display settings could not be saved to %1.")
                           .arg(QDir::toNativeSeparators(path));
        if (!QDir().mkpath(FFolder)) return KvErr::WriteFailed;
        QSettings s(path, QSettings::IniFormat);
        const kv::TS52Settings &v = FActive;
        s.setValue("BoundaryStyle", v.BoundaryStyle);
        s.setValue("SymbolStyle", v.SymbolStyle);
        s.setValue("ColorScheme", v.ColorScheme);
        s.setValue("CheckFeatureTime", v.CheckFeatureTime);
        s.setValue("DepthShallow", v.DepthShallowM);
        s.setValue("DepthSafe", v.DepthSafeM);
        s.setValue("DepthDeep", v.DepthDeepM);
        s.setValue("MaxBuoyScamin", v.MaxBuoyScamin);
        s.setValue("TextScale", v.TextScale);
        s.beginWriteArray("Viewers", 32);
        for (int i = 0; i < 32; ++i) {
            s.setArrayIndex(i);
            s.setValue("Category", v.Viewers[size_t(i)].Category);
            s.setValue("Flags", v.Viewers[size_t(i)].Flags);
        }
        s.endArray();
        s.sync();
        return s.status() == QSettings::NoError ? KvErr::Ok : KvErr::WriteFailed;
    }

    QString FFolder;
    kv::TS52Settings FPending;
    kv::TS52Settings FActive;
    int32_t FSaveError = KvErr::Ok;
    QString FSaveMessage;
};

}  // namespace

namespace kv {

const TS52Settings &S52ActiveSettings(IS52PresentationLib *lib) {
    static const TS52Settings defaults;
    auto *own = dynamic_cast<TS52PresentationLib *>(lib);
    return own ? own->Active() : defaults;
}

INavPredictedTime *S52PredictedTime(IS52PresentationLib *lib) {
    auto *own = dynamic_cast<TS52PresentationLib *>(lib);
    return own ? own->Predicted() : nullptr;
}

}  // namespace kv

IS52PresentationLib *S52PresentationLibCreate(const TStrWRec &cacheFolder) {
    return new TS52PresentationLib(kv::ToQString(cacheFolder));
}
