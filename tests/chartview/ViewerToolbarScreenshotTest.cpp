// Pictures of the chart-viewer frame with both toolbars and an open context menu, by day and
// by night, written to <build>/test-output for a look by eye.
#include "ViewerActionsFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "tests/shell/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QToolBar>

using ViewerToolbarPictures = ViewerActionsFixture;

TEST_F(ViewerToolbarPictures, ToolbarsAndContextMenuByDayAndNight) {
    NightScreen()->SetActive(false);
    MakeFrame(QSize(800, 600), true);
    TNavViewerControl &v = Viewer();
    ASSERT_GT(v.GetChartCount(), 0);
    v.ZoomToChart(v.GetChart(0));
    Frame->ToolbarS57->show();
    const auto picture = [&](const char *name) {
        QMenu *menu = RightClick(QPoint(300, 250));
        EXPECT_TRUE(menu->isVisible());
        QCoreApplication::processEvents();
        const QImage frame = Host->grab().toImage();
        const QImage popup = menu->grab().toImage();
        QImage shot = frame.convertToFormat(QImage::Format_ARGB32);
        QPainter p(&shot);
        p.drawImage(QPoint(300, 250 + Frame->DockTop->height()), popup);
        p.end();
        menu->hide();
        shelltest::SaveScreenshot(shot, QString::fromLatin1(name));
        return Frame->ActionViewZoomIn->icon().pixmap(24, 24).toImage();
    };
    const QImage dayGlyph = picture("chartview-toolbars-menu-day");
    NightScreen()->SetActive(true);
    const QImage nightGlyph = picture("chartview-toolbars-menu-night");
    NightScreen()->SetActive(false);
    EXPECT_NE(dayGlyph, nightGlyph) << "the glyphs are converted by night";
    EXPECT_EQ(picture("chartview-toolbars-menu-day-again"), dayGlyph);
}
