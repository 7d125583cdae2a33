#include "TestSupport.h"

#include "base/controls/KvControls.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"

#include <gtest/gtest.h>

#include <QTest>

TEST(CheckBoxEx, ReadOnlyBoxIgnoresMouseAndSpace) {
    TCheckBoxEx box(QStringLiteral("Sound"));
    box.SetReadOnly(true);
    int clicks = 0;
    box.OnClick = [&](QObject *) { ++clicks; };
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(clicks, 0);
}

TEST(CheckBoxEx, UserTogglesAlwaysClickCodeOnlyWithCheckedDoClick) {
    struct Case { const char *name; bool doClick; int codeClicks; };
    const Case cases[] = {{"CheckedDoClick on", true, 1}, {"CheckedDoClick off", false, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCheckBoxEx box(QStringLiteral("Track"));
        box.SetCheckedDoClick(c.doClick);
        int clicks = 0;
        box.OnClick = [&](QObject *sender) { EXPECT_EQ(sender, &box); ++clicks; };
        box.show();
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
        EXPECT_TRUE(box.isChecked());
        EXPECT_EQ(clicks, 1) << "a user toggle clicks";
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        EXPECT_FALSE(box.isChecked());
        EXPECT_EQ(clicks, 2);
        box.setChecked(true);
        EXPECT_EQ(clicks, 2 + c.codeClicks);
    }
}

TEST(LabelEx, AutoHintFollowsWhetherTheCaptionFits) {
    TLabelEx label(QStringLiteral("/home/skipper/charts/inland/waterways.gpkg"));
    label.SetEllipsis(lePath);
    label.SetAutoHint(true);
    label.resize(1000, 20);
    label.show();
    label.repaint();
    EXPECT_TRUE(label.toolTip().isEmpty());
    EXPECT_EQ(label.DisplayedText(), label.text());
    label.resize(80, 20);
    label.repaint();
    EXPECT_EQ(label.toolTip(), label.text());
    EXPECT_TRUE(label.DisplayedText().contains(QChar(0x2026)));
    EXPECT_TRUE(label.DisplayedText().endsWith(QStringLiteral("pkg"))) << "path ellipsis keeps the end";
    label.SetAutoHint(false);
    label.repaint();
    EXPECT_TRUE(label.toolTip().isEmpty()) << "without AutoHint the hint is cleared";
}

TEST(TrackBarEx, ClickRuleTable) {
    // Max 10, channel 8..208, thumb 10 wide at 50..60.
    const QRect channel(8, 10, 200, 4);
    const QRect thumb(50, 2, 10, 20);
    struct Case { const char *name; QPoint p; TTrackBarEx::TClickTarget target; int position; };
    const Case cases[] = {
        {"middle", {113, 12}, TTrackBarEx::ctChannel, 5},
        {"left end", {13, 12}, TTrackBarEx::ctChannel, 0},
        {"right end", {202, 12}, TTrackBarEx::ctChannel, 10},
        {"thumb drags", {55, 12}, TTrackBarEx::ctThumb, -1},
        {"beside the channel", {113, 40}, TTrackBarEx::ctOutside, -1},
        {"left of the channel", {2, 12}, TTrackBarEx::ctOutside, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int pos = -1;
        EXPECT_EQ(TTrackBarEx::ClickTarget(c.p, thumb, channel, true, 0, 10, pos), c.target);
        EXPECT_EQ(pos, c.position);
    }
    int pos = -1;
    // Vertical: the channel comes in horizontal orientation, the point is swapped.
    EXPECT_EQ(TTrackBarEx::ClickTarget(QPoint(12, 113), QRect(2, 50, 20, 10), channel, false, 0, 10, pos),
              TTrackBarEx::ctChannel);
    EXPECT_EQ(pos, 5);
}

TEST(TrackBarEx, ClickInTheChannelJumpsThere) {
    TTrackBarEx bar;
    bar.setRange(0, 10);
    bar.ClickMethod = tecmSetPosition;
    bar.resize(220, 30);
    bar.show();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(110, 15));
    EXPECT_EQ(bar.value(), 5);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(215, 15));
    EXPECT_EQ(bar.value(), 10);
    bar.setEnabled(false);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(110, 15));
    EXPECT_EQ(bar.value(), 10) << "a disabled bar does not move";
}

TEST(TrackBarEx, ColourFollowsNightModeFromTheSavedColour) {
    INightScreen *ns = NightScreen();
    ns->SetActive(false);
    TTrackBarEx bar;
    const TColor creation = bar.Color();
    bar.SetColor(0x00E0E0E0);
    EXPECT_EQ(bar.Color(), 0x00E0E0E0);
    ns->SetActive(true);
    const TColor night = bar.Color();
    EXPECT_EQ(night, ns->ConvertColor(creation)) << "reset to the saved colour, recoloured";
    EXPECT_GT(night & 0xFF, (night >> 16) & 0xFF) << "red-dimmed";
    ns->SetActive(false);
    EXPECT_EQ(bar.Color(), creation);
}

TEST(PanelEx, CollapseSizeBecomesOdd) {
    TPanelEx panel;
    EXPECT_EQ(panel.CollapseSize(), 11);
    struct Case { int set, read; };
    const Case cases[] = {{10, 9}, {12, 11}, {11, 11}, {13, 13}, {2, 1}};
    for (const Case &c : cases) {
        panel.SetCollapseSize(c.set);
        EXPECT_EQ(panel.CollapseSize(), c.read) << c.set;
    }
}

TEST(PanelEx, CollapseButtonRectangle) {
    TPanelEx panel;
    panel.setFrameStyle(QFrame::NoFrame);
    panel.resize(200, 100);
    panel.SetHeaderHeight(20);
    panel.SetHeaderVisible(true);
    panel.show();
    const QRect r = panel.CollapseButtonRect();
    EXPECT_EQ(r.left(), 200 - 11 - 5);
    EXPECT_EQ(r.top(), (20 - 11) / 2);
    EXPECT_EQ(r.width(), 11);
}

TEST(PanelEx, CollapsingWithoutHeaderShowsTheErrorAndChangesNothing) {
    TPanelEx panel;
    panel.resize(200, 120);
    QString shown;
    int type = -1;
    SetMsgBoxPrompter([&](TMessageForm &form) {
        shown = form.MessageLabel()->text();
        type = form.windowTitle() == MsgDlgTypeTitle(mtError) ? mtError : -1;
        return mrOk;
    });
    int events = 0;
    panel.OnCollapsed = [&](QObject *) { ++events; };
    panel.SetCollapsed(true);
    SetMsgBoxPrompter(nullptr);
    EXPECT_EQ(shown, QStringLiteral("Collapsing only works when the header is visible"));
    EXPECT_EQ(type, int(mtError));
    EXPECT_FALSE(panel.Collapsed());
    EXPECT_EQ(panel.height(), 120);
    EXPECT_EQ(events, 0);
}

TEST(PanelEx, CollapseAndExpandRestoreTheHeight) {
    TPanelEx panel;
    panel.resize(200, 120);
    panel.SetHeaderVisible(true);
    panel.show();
    int events = 0;
    panel.OnCollapsed = [&](QObject *) { ++events; };
    panel.SetCollapsed(true);
    EXPECT_TRUE(panel.Collapsed());
    EXPECT_EQ(events, 1);
    EXPECT_LT(panel.height(), 40);
    panel.SetCollapsed(true);
    EXPECT_EQ(events, 1) << "no change, no event";
    panel.SetCollapsed(false);
    EXPECT_EQ(panel.height(), 120);
    EXPECT_EQ(events, 2);

    // Hiding the header of a collapsed panel expands it.
    panel.SetCollapsed(true);
    panel.SetHeaderVisible(false);
    EXPECT_FALSE(panel.Collapsed());
    EXPECT_EQ(panel.height(), 120);
}

TEST(PanelEx, DoubleClickOnTheHeaderToggles) {
    TPanelEx panel;
    panel.resize(200, 120);
    panel.SetHeaderVisible(true);
    panel.show();
    QTest::mouseDClick(panel.Header(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(panel.Collapsed());
}

TEST(ProgressBarEx, FillFollowsPositionAndMaxZeroIsEmpty) {
    TProgressBarEx bar;
    bar.resize(208, 20);
    bar.show();
    bar.setRange(0, 100);
    bar.setValue(50);
    const QRect half = bar.FillRect();
    bar.setValue(100);
    const QRect full = bar.FillRect();
    EXPECT_GT(full.width(), 100);
    EXPECT_EQ(half.width(), 50 * full.width() / 100);
    bar.setRange(0, 0);
    EXPECT_TRUE(bar.FillRect().isNull());
    const QImage img = bar.grab().toImage();  // paints without the busy animation
    EXPECT_FALSE(img.isNull());
}
