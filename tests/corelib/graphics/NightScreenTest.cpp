#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

class NightScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ns = GetNightScreen();
        ns->SetActive(false);
        ns->SetIntensity(0.5f);
    }
    void TearDown() override {
        ns->SetActive(false);
        ns->SetIntensity(0.5f);
    }
    INightScreen *ns = nullptr;
};

struct Recorder {
    std::vector<int32_t> kinds;
    static void Proc(void *data, int32_t, int32_t kind) { static_cast<Recorder *>(data)->kinds.push_back(kind); }
};

int Red(TColor c) { return c & 0xFF; }
int Green(TColor c) { return (c >> 8) & 0xFF; }
int Blue(TColor c) { return (c >> 16) & 0xFF; }

}  // namespace

TEST_F(NightScreen, IdentityWhileOffAndRedDimmedWhileOn) {
    EXPECT_EQ(ns->ConvertColor(0x00FFFFFF), 0x00FFFFFF);
    EXPECT_EQ(ns->ConvertRGB(0x0000FF00u), 0x0000FF00u);
    ns->SetActive(true);
    ASSERT_TRUE(ns->IsActive());
    const TColor white = ns->ConvertColor(0x00FFFFFF);
    EXPECT_LT(Red(white), 200) << "white must be dimmed";
    EXPECT_GT(Red(white), Green(white) * 4);
    EXPECT_GT(Red(white), Blue(white) * 4);
    EXPECT_EQ(ns->ConvertColor(0), 0) << "black stays black: a dark background stays dark";
    // Monotonic: lighter colours stay lighter, so pictures are not inverted.
    EXPECT_GT(Red(ns->ConvertColor(0x00C0C0C0)), Red(ns->ConvertColor(0x00404040)));
    // System colours and "none" are no plain colours and pass unchanged.
    EXPECT_EQ(ns->ConvertColor(int32_t(0xFF00000F)), int32_t(0xFF00000F));
    EXPECT_EQ(ns->ConvertColor(0x1FFFFFFF), 0x1FFFFFFF);
}

TEST_F(NightScreen, IntensityDarkens) {
    ns->SetActive(true);
    ns->SetIntensity(0.0f);
    const int light = Red(ns->ConvertColor(0x00FFFFFF));
    ns->SetIntensity(1.0f);
    const int dark = Red(ns->ConvertColor(0x00FFFFFF));
    EXPECT_GT(light, dark);
    EXPECT_GT(dark, 0);
}

TEST_F(NightScreen, RegisteredVariablesFollowTheModeAndComeBackExactly) {
    TColor palette = 0x00336699;
    uint32_t argb = 0xFF80C0FFu;
    ns->AddColor(&palette);
    ns->AddColorARGB(&argb);
    ns->SetActive(true);
    EXPECT_EQ(palette, ns->ConvertColor(0x00336699));
    EXPECT_EQ(argb >> 24, 0xFFu) << "alpha kept";
    EXPECT_NE(argb, 0xFF80C0FFu);
    ns->SetIntensity(0.9f);  // reconverted from the original, not converted twice
    EXPECT_EQ(palette, ns->ConvertColor(0x00336699));
    ns->SetActive(false);
    EXPECT_EQ(palette, 0x00336699);
    EXPECT_EQ(argb, 0xFF80C0FFu);
    // Changed by its owner in day mode: the new value is the one restored later.
    palette = 0x00112233;
    ns->SetActive(true);
    ns->SetActive(false);
    EXPECT_EQ(palette, 0x00112233);
    ns->SetActive(true);
    ns->RemoveColor(&palette);
    ns->RemoveColorARGB(&argb);
    EXPECT_EQ(palette, 0x00112233) << "unregistering gives the day value back";
    EXPECT_EQ(argb, 0xFF80C0FFu);
}

TEST_F(NightScreen, ModeCallbacksReportOnOffAndColourChanges) {
    Recorder rec;
    ns->AddModeCallback(&Recorder::Proc, &rec);
    ns->SetActive(true);
    ns->SetIntensity(0.8f);
    ns->SetIntensity(0.8f);  // no change, no event
    ns->SetActive(false);
    ns->SetIntensity(0.3f);  // while off: nothing to redraw
    ns->RemoveModeCallback(&Recorder::Proc, &rec);
    ns->SetActive(true);
    EXPECT_EQ(rec.kinds, (std::vector<int32_t>{2, 0, 1}));
}

TEST_F(NightScreen, RowsConvertInBothOrientationsAndKeepAlpha) {
    // Two rows of two pixels, 32-bit, padded pitch of 12 bytes to catch pitch mistakes.
    for (int32_t orientation : {0, -1}) {
        SCOPED_TRACE(orientation);
        std::vector<uint8_t> buf(24, 0xEE);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                uint8_t *px = &buf[size_t(y * 12 + x * 4)];
                px[0] = 255; px[1] = 255; px[2] = 255; px[3] = 77;
            }
        TImageInfo info{PixelFormat::Bits32, 12, 2, 2, orientation};
        uint8_t *last = orientation == -1 ? buf.data() : buf.data() + 12;
        ns->SetActive(false);
        ns->ConvertRows32(last, info);
        EXPECT_EQ(buf[0], 255) << "identity while off";
        ns->SetActive(true);
        ns->ConvertRows32(last, info);
        for (int y = 0; y < 2; ++y) {
            const uint8_t *px = &buf[size_t(y * 12)];
            EXPECT_LT(px[0], px[2]);
            EXPECT_EQ(px[3], 77);
            EXPECT_EQ(buf[size_t(y * 12 + 8)], 0xEE) << "padding untouched";
        }
    }
    std::vector<uint8_t> rgb = {255, 255, 255, 0};
    ns->ConvertRows24(rgb.data(), TImageInfo{PixelFormat::Bits24, 4, 1, 1, 0});
    EXPECT_LT(rgb[0], rgb[2]);
    EXPECT_EQ(rgb[3], 0);
}

TEST_F(NightScreen, ConvertBmp32RecoloursInPlace) {
    std::unique_ptr<IBmp32, void (*)(IBmp32 *)> b(Bmp32Create(2, 1, 1), [](IBmp32 *p) { ObjectDelete(p); });
    b->Fill(0xFFFFFFFFu);
    ns->ConvertBmp32(b.get());
    EXPECT_EQ(b->GetRow(0)[0], 255) << "identity while off";
    ns->SetActive(true);
    ns->ConvertBmp32(b.get());
    const uint8_t *px = b->GetRow(0);
    EXPECT_LT(px[0], px[2]);
    EXPECT_EQ(px[3], 255);
}
