// A waypoint manager keeps its own copies of the icons it was made with: the creator may free
// its bitmaps at once (the environment does), and a second manager made like the first reads
// them afterwards.
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

namespace {

TEST(WptManagerIcons, ASecondManagerIsMadeAfterTheCreatorsIconsAreGone) {
    IBmp32 *icon = Bmp32Create(15, 13, 0);
    IBmp32 *overlay = Bmp32Create(15, 13, 0);
    int32_t err = -1;
    IWptManager *first = WptManagerCreate(icon, overlay, 0, 7.0f, 6.0f, TStrWRec{5, u"Sans1"}, 10, 0, 0xFF000000u, 8,
                                          0, 0xFF000000u, 8, 0, 0xFF000000u, 5, nullptr, false, nullptr, nullptr,
                                          nullptr, nullptr, err);
    ASSERT_EQ(err, 0);
    ObjectDelete(icon);
    ObjectDelete(overlay);
    const TWptDisplaySettings *s = first->GetDisplaySettings();
    ASSERT_NE(s->Icon, nullptr);
    EXPECT_EQ(s->Icon->GetWidth(), 15);
    EXPECT_EQ(s->Overlay->GetHeight(), 13);
    IWptManager *second = WptManagerCreate(s->Icon, s->Overlay, s->Value3, s->AnchorX, s->AnchorY, s->FontName,
                                           s->MainText.Size, s->MainText.Style, s->MainText.Color,
                                           s->LightChar.Size, s->LightChar.Style, s->LightChar.Color,
                                           s->SubText.Size, s->SubText.Style, s->SubText.Color, s->Value16,
                                           s->Network, s->Flag18, nullptr, nullptr, nullptr, nullptr, err);
    ASSERT_EQ(err, 0);
    ObjectDelete(first);
    EXPECT_EQ(second->GetDisplaySettings()->Icon->GetWidth(), 15);
    ObjectDelete(second);
}

}  // namespace
