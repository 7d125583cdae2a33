// The night screen: one process-wide colour transform for night mode and the registry of
// colour variables the library recolours in place.
//
// Night colours follow what a bridge display does at night: every colour keeps only its
// brightness, is dimmed and drawn in red, so nothing bright or blue spoils night vision.
// The transform is monotonic (a dark background stays the darkest thing, a light symbol the
// lightest); forms get their dark background from the program's night palette.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

class TNightScreenImpl final : public INightScreen {
public:
    void ConvertRows32(void *lastRow, const TImageInfo &info) override;
    void ConvertRows24(void *lastRow, const TImageInfo &info) override;
    bool IsActive() override { return FActive; }
    void AddColorARGB(uint32_t *colourVar) override;
    void AddColor(TColor *colourVar) override;
    void AddModeCallback(NightModeProc cb, void *data) override;
    void SetIntensity(float intensity) override;
    void RemoveColorARGB(uint32_t *colourVar) override;
    void RemoveColor(TColor *colourVar) override;
    void RemoveModeCallback(NightModeProc cb, void *data) override;
    TColor ConvertColor(TColor c) override;
    uint32_t ConvertRGB(uint32_t libraryRGB) override;
    void ConvertBmp32(IBmp32 *bmp) override;
    TColor GetColor(TColor c) override { return ConvertColor(c); }
    void SetActive(bool on) override;

private:
    // Night value of a pixel: red, green and blue scaled from its brightness.
    void Night(uint8_t &r, uint8_t &g, uint8_t &b) const;
    uint32_t NightRGB(uint32_t rgb) const;  // $xxRRGGBB, the top byte kept
    void ConvertBlock(uint8_t *lastRow, const TImageInfo &info, int bytesPerPixel);
    // turningOn: the variables hold day values the owners may have changed since they
    // registered, so those become the originals.
    void ApplyToVariables(bool turningOn);
    void Notify(int32_t kind);

    template <class T>
    struct Var {
        T *Address;
        T Original;  // the day value, kept while registered
    };
    bool FActive = false;
    float FIntensity = 0.5f;
    std::vector<Var<uint32_t>> FARGB;
    std::vector<Var<TColor>> FColors;
    std::vector<std::pair<NightModeProc, void *>> FCallbacks;
};

void TNightScreenImpl::Night(uint8_t &r, uint8_t &g, uint8_t &b) const {
    // Brightness (Rec. 601 weights), then a dimming factor from 0.70 (intensity 0) down to
    // 0.15 (intensity 1).
    const int lum = (77 * r + 150 * g + 29 * b + 128) >> 8;
    const float level = 0.70f - 0.55f * std::clamp(FIntensity, 0.0f, 1.0f);
    const float v = float(lum) * level;
    r = uint8_t(std::lround(v));
    g = uint8_t(std::lround(v * 0.12f));
    b = uint8_t(std::lround(v * 0.06f));
}

uint32_t TNightScreenImpl::NightRGB(uint32_t rgb) const {
    uint8_t r = uint8_t(rgb >> 16), g = uint8_t(rgb >> 8), b = uint8_t(rgb);
    Night(r, g, b);
    return (rgb & 0xFF000000u) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

void TNightScreenImpl::ConvertBlock(uint8_t *lastRow, const TImageInfo &info, int bytesPerPixel) {
    if (!FActive || !lastRow || info.Width <= 0 || info.Height <= 0 || info.Pitch <= 0) return;
    if (info.Pitch < info.Width * bytesPerPixel) return;  // a record that does not fit its rows
    // Bottom-up: the last row is the lowest address. Top-down: the highest.
    uint8_t *low = info.Orientation == -1 ? lastRow
                                          : lastRow - ptrdiff_t(info.Height - 1) * info.Pitch;
    for (int y = 0; y < info.Height; ++y) {
        uint8_t *px = low + ptrdiff_t(y) * info.Pitch;
        for (int x = 0; x < info.Width; ++x, px += bytesPerPixel)
            Night(px[2], px[1], px[0]);  // bytes blue, green, red (, alpha untouched)
    }
}

void TNightScreenImpl::ConvertRows32(void *lastRow, const TImageInfo &info) {
    ConvertBlock(static_cast<uint8_t *>(lastRow), info, 4);
}

void TNightScreenImpl::ConvertRows24(void *lastRow, const TImageInfo &info) {
    ConvertBlock(static_cast<uint8_t *>(lastRow), info, 3);
}

TColor TNightScreenImpl::ConvertColor(TColor c) {
    // Only plain $00BBGGRR values; system colours and "none" pass unchanged.
    if (!FActive || (uint32_t(c) & 0xFF000000u) != 0) return c;
    uint8_t r = uint8_t(c), g = uint8_t(c >> 8), b = uint8_t(c >> 16);
    Night(r, g, b);
    return TColor(uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16));
}

uint32_t TNightScreenImpl::ConvertRGB(uint32_t libraryRGB) {
    return FActive ? NightRGB(libraryRGB) : libraryRGB;
}

void TNightScreenImpl::ConvertBmp32(IBmp32 *bmp) {
    if (!FActive || !bmp) return;
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    for (int y = 0; y < h; ++y) {
        uint8_t *px = bmp->GetRow(y);
        if (!px) continue;
        // Premultiplied pixels stay valid: the transform is linear and never brightens.
        for (int x = 0; x < w; ++x, px += 4) Night(px[2], px[1], px[0]);
    }
}

void TNightScreenImpl::ApplyToVariables(bool turningOn) {
    for (auto &v : FARGB) {
        if (turningOn) v.Original = *v.Address;
        *v.Address = FActive ? NightRGB(v.Original) : v.Original;
    }
    for (auto &v : FColors) {
        if (turningOn) v.Original = *v.Address;
        *v.Address = ConvertColor(v.Original);
    }
}

void TNightScreenImpl::Notify(int32_t kind) {
    // A copy: a callback may add or remove callbacks.
    const auto callbacks = FCallbacks;
    for (const auto &[cb, data] : callbacks) {
        const bool stillThere = std::find(FCallbacks.begin(), FCallbacks.end(),
                                          std::make_pair(cb, data)) != FCallbacks.end();
        if (stillThere && cb) cb(data, 0, kind);
    }
}

void TNightScreenImpl::AddColorARGB(uint32_t *colourVar) {
    if (!colourVar) return;
    for (const auto &v : FARGB)
        if (v.Address == colourVar) return;
    FARGB.push_back({colourVar, *colourVar});
    if (FActive) *colourVar = NightRGB(*colourVar);
}

void TNightScreenImpl::AddColor(TColor *colourVar) {
    if (!colourVar) return;
    for (const auto &v : FColors)
        if (v.Address == colourVar) return;
    FColors.push_back({colourVar, *colourVar});
    *colourVar = ConvertColor(*colourVar);
}

// Removing gives the variable its day value back: the owner may keep using it.
void TNightScreenImpl::RemoveColorARGB(uint32_t *colourVar) {
    auto it = std::find_if(FARGB.begin(), FARGB.end(), [&](auto &v) { return v.Address == colourVar; });
    if (it == FARGB.end()) return;
    if (FActive) *colourVar = it->Original;
    FARGB.erase(it);
}

void TNightScreenImpl::RemoveColor(TColor *colourVar) {
    auto it = std::find_if(FColors.begin(), FColors.end(), [&](auto &v) { return v.Address == colourVar; });
    if (it == FColors.end()) return;
    if (FActive) *colourVar = it->Original;
    FColors.erase(it);
}

void TNightScreenImpl::AddModeCallback(NightModeProc cb, void *data) {
    if (cb) FCallbacks.emplace_back(cb, data);
}

void TNightScreenImpl::RemoveModeCallback(NightModeProc cb, void *data) {
    auto it = std::find(FCallbacks.begin(), FCallbacks.end(), std::make_pair(cb, data));
    if (it != FCallbacks.end()) FCallbacks.erase(it);
}

void TNightScreenImpl::SetIntensity(float intensity) {
    if (std::isnan(intensity)) return;
    intensity = std::clamp(intensity, 0.0f, 1.0f);
    if (intensity == FIntensity) return;
    FIntensity = intensity;
    if (!FActive) return;
    ApplyToVariables(false);
    Notify(0);
}

void TNightScreenImpl::SetActive(bool on) {
    if (on == FActive) return;
    FActive = on;
    ApplyToVariables(on);
    Notify(on ? 2 : 1);
}

}  // namespace

INightScreen *GetNightScreen() {
    static TNightScreenImpl screen;  // process-wide, never deleted by the program
    return &screen;
}
