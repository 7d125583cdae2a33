// What the S-57 display settings do to the demo cell in the real chart viewer: a higher
// safety depth turns deep water shallow, the base category drops buoys and soundings, and
// bounds only leaves the cell's outline.
#include "SettingsDialogSupport.h"

#include "base/controls/KvEdits.h"
#include "shell/FrmSettingsViewS57.h"
#include "tests/chartview/ViewerFrameFixture.h"

#include <KvLibNav6/KvCharts.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace {

// Day colours of the S-52 tokens the checks look for.
const QColor DeepWater(255, 255, 255);
const QColor VeryShallow(130, 185, 240);
const QColor BuoyRed(241, 84, 105);
const QColor BuoyGreen(104, 228, 86);

int Count(const QImage &image, std::initializer_list<QColor> colours) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (const QColor &c : colours)
                if (image.pixel(x, y) == c.rgb()) ++n;
    return n;
}

int DarkPixels(const QImage &image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 60;
    return n;
}

class S57SettingsInTheViewer : public ViewerFrameFixture {
protected:
    void TearDown() override {
        TFormSettingsViewS57::SetPrompter(nullptr);
        ViewerFrameFixture::TearDown();
    }
    // The demo cell alone, whole in the view, loaded.
    void ShowDemoCell() {
        MakeFrame(QSize(800, 600));
        TNavViewerControl &v = Viewer();
        std::vector<NavObject *> cells;
        for (NavObject *o : AllCharts())
            if (!dynamic_cast<IRasterChart *>(o)) cells.push_back(o);
        ASSERT_FALSE(cells.empty());
        int32_t err = 0;
        v.SetCharts(cells.data(), int32_t(cells.size()), err);
        v.ZoomToS57Chart(v.GetS57Chart(0));
        const QRgb empty = Picture().pixel(1, v.height() / 2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Picture().pixel(v.width() / 2, v.height() / 2) != empty; },
                                    20000));
    }
    QImage Picture() {
        TNavViewerControl &v = Viewer();
        v.RefreshCharts();
        v.repaint();
        return v.grab().toImage();
    }
    // OK on the dialog after the steps; the viewer takes the bounds-only choice as the main
    // window does.
    void Apply(const std::function<void(TFormSettingsViewS57 &)> &steps) {
        TS57ViewerValues values;
        values.BoundsOnly = Viewer().GetS57BoundsOnly();
        ASSERT_TRUE(RunSettingsDialog<TFormSettingsViewS57>(
            [&](TFormSettingsViewS57 &form) {
                form.RadioButtonDepthShades2->click();
                form.CheckUseSCAMIN->setChecked(false);
                form.CheckShowBuoys->setChecked(true);
                form.CheckShowSoundings->setChecked(true);
                steps(form);
            },
            true, *Env, values));
        Viewer().SetS57BoundsOnly(values.BoundsOnly);
    }
    static void SafeDepth(TFormSettingsViewS57 &form, const char *metres) {
        form.NumberEditSafe->setFocus();
        form.NumberEditSafe->selectAll();
        QTest::keyClicks(form.NumberEditSafe, QString::fromLatin1(metres));
    }
    static void Category(TFormSettingsViewS57 &form, const char *entry) {
        form.ComboDisplayCategory->setCurrentIndex(form.ComboDisplayCategory->findText(QString::fromLatin1(entry)));
    }
};

}  // namespace

TEST_F(S57SettingsInTheViewer, SafetyDepthCategoryAndBoundsOnlyChangeTheDemoCell) {
    ShowDemoCell();
    Apply([](TFormSettingsViewS57 &form) {
        SafeDepth(form, "1");
        Category(form, "STANDARD");
    });
    const QImage before = Picture();
    shelltest::SaveScreenshot(before, QStringLiteral("SettingsViewS57_cell_safety_1m"));
    Apply([](TFormSettingsViewS57 &form) { SafeDepth(form, "30"); });
    const QImage after = Picture();
    shelltest::SaveScreenshot(after, QStringLiteral("SettingsViewS57_cell_safety_30m"));
    int turned = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) == DeepWater.rgb() && after.pixel(x, y) == VeryShallow.rgb()) ++turned;
    EXPECT_GT(turned, before.width() * before.height() / 100) << "deep water drawn shallow";

    const int buoysStandard = Count(after, {BuoyRed, BuoyGreen});
    EXPECT_GT(buoysStandard, 0);
    Apply([](TFormSettingsViewS57 &form) { Category(form, "DISPLAYBASE"); });
    const QImage base = Picture();
    shelltest::SaveScreenshot(base, QStringLiteral("SettingsViewS57_cell_displaybase"));
    EXPECT_EQ(Count(base, {BuoyRed, BuoyGreen}), 0) << "buoys of the standard display";
    // Soundings shallower than the safety depth are drawn in near-black figures.
    EXPECT_LT(DarkPixels(base) * 20, DarkPixels(after)) << "soundings of the standard display";

    Apply([](TFormSettingsViewS57 &form) { Category(form, "EMPTYCELL"); });
    EXPECT_TRUE(Viewer().GetS57BoundsOnly());
    const QImage bounds = Picture();
    EXPECT_EQ(Count(bounds, {VeryShallow, BuoyRed, BuoyGreen}), 0);
    for (int32_t i = 0; i <= 2; ++i)
        EXPECT_EQ(Env->S52Library->GetDisplayCategory(i), S52DisplayCategory::Standard);
}
