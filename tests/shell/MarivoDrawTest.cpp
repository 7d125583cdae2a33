// The shared cell drawing of lists and trees, painted into images and driven on real views.
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::white);
    return img;
}

// Longest run of pixels of colour c in row y.
int LongestRun(const QImage &img, int y, const QColor &c) {
    int best = 0, run = 0;
    for (int x = 0; x < img.width(); ++x) {
        run = img.pixel(x, y) == c.rgb() ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

bool RowsHaveColour(const QImage &img, int from, int to, const QColor &c) {
    for (int y = std::max(from, 0); y <= std::min(to, img.height() - 1); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == c.rgb()) return true;
    return false;
}

}  // namespace

TEST(CheckImages, IndexFollowsStateHotPressedAndDisabled) {
    using S = TCheckState;
    using T = TCheckType;
    struct Case {
        const char *name;
        T type;
        S state;
        bool hot, nodeEnabled, treeEnabled;
        int index;
    };
    const Case cases[] = {
        {"no check", T::None, S::Checked, false, true, true, 0},
        {"box unchecked", T::CheckBox, S::Unchecked, false, true, true, 9},
        {"box unchecked hot", T::CheckBox, S::Unchecked, true, true, true, 10},
        {"box unchecked pressed beats hot", T::CheckBox, S::UncheckedPressed, true, true, true, 11},
        {"box unchecked disabled node", T::CheckBox, S::Unchecked, false, false, true, 12},
        {"box checked", T::CheckBox, S::Checked, false, true, true, 13},
        {"box checked hot", T::CheckBox, S::Checked, true, true, true, 14},
        {"box checked pressed", T::CheckBox, S::CheckedPressed, false, true, true, 15},
        {"box checked disabled tree", T::CheckBox, S::Checked, false, true, false, 16},
        {"box mixed", T::CheckBox, S::Mixed, false, true, true, 17},
        {"box mixed hot", T::CheckBox, S::Mixed, true, true, true, 18},
        {"box mixed pressed", T::CheckBox, S::MixedPressed, false, true, true, 19},
        {"box mixed disabled", T::CheckBox, S::Mixed, true, false, true, 20},
        {"radio unchecked", T::RadioButton, S::Unchecked, false, true, true, 1},
        {"radio unchecked hot", T::RadioButton, S::Unchecked, true, true, true, 2},
        {"radio checked pressed", T::RadioButton, S::CheckedPressed, false, true, true, 7},
        {"radio checked pressed, disabled tree wins", T::RadioButton, S::CheckedPressed, true,
         true, false, 8},
        {"radio mixed shows the box image", T::RadioButton, S::Mixed, false, true, true, 17},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TCheckCell cell{c.type, c.state, c.hot, c.nodeEnabled, c.treeEnabled};
        EXPECT_EQ(CheckImageIndex(cell), c.index);
        if (c.type == T::None) continue;
        // The style element follows the same rule.
        const TCheckStyle style = CheckThemeDetail(cell);
        const bool radioImage = c.index >= 1 && c.index <= 8;
        EXPECT_EQ(style.Element,
                  radioImage ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox);
        const int variant = (c.index - 1) % 4;  // normal, hot, pressed, disabled
        EXPECT_EQ(bool(style.State & QStyle::State_Enabled), variant != 3);
        EXPECT_EQ(bool(style.State & QStyle::State_Sunken), variant == 2);
        EXPECT_EQ(bool(style.State & QStyle::State_MouseOver), variant == 1);
    }
}

TEST(CheckImages, CellIsDrawnCentredOnlyForNodesWithACheck) {
    QImage none = Blank(40, 30);
    {
        QPainter p(&none);
        DrawCheckBoxCell(p, TCheckCell{}, none.rect());
    }
    EXPECT_EQ(none, Blank(40, 30)) << "a node without a check draws nothing";

    QImage drawn = Blank(40, 30);
    {
        QPainter p(&drawn);
        DrawCheckBoxCell(p, TCheckCell{TCheckType::CheckBox, TCheckState::Checked}, drawn.rect());
    }
    // 16 × 16 at x 12..27 and y 8..23 (one pixel below the exact centre).
    QRect touched;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixelColor(x, y) != QColor(Qt::white)) touched |= QRect(x, y, 1, 1);
    ASSERT_FALSE(touched.isEmpty());
    EXPECT_TRUE(QRect(12, 8, 16, 16).contains(touched)) << touched.x() << "," << touched.y();
    const QImage bitmap = PaintCheckBoxBitmap(TCheckCell{TCheckType::CheckBox});
    EXPECT_EQ(bitmap.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(bitmap.pixel(0, 0)) == 0 || bitmap.pixelColor(0, 0) != QColor(0xFF00FF), true)
        << "the transparent colour never shows";
}

TEST(CheckImages, ToggleOnlyOnTheImageOfColumnZero) {
    QStandardItemModel model(0, 2);
    auto *mixed = new QStandardItem(QString());
    mixed->setCheckable(true);
    mixed->setCheckState(Qt::PartiallyChecked);
    model.appendRow({mixed, new QStandardItem(QStringLiteral("b"))});
    auto *checked = new QStandardItem(QString());
    checked->setCheckable(true);
    checked->setCheckState(Qt::Checked);
    model.appendRow({checked, new QStandardItem(QStringLiteral("d"))});
    QTreeView tree;
    tree.setModel(&model);
    tree.setRootIsDecorated(false);
    tree.header()->resizeSection(0, 60);
    tree.resize(200, 100);
    tree.show();
    const QRect row0 = tree.visualRect(model.index(0, 0));
    const int y = row0.center().y();
    const int left = (60 - 16) / 2;  // image left edge in column 0

    EXPECT_FALSE(ToggleCheckBoxCellAt(&tree, left, y)) << "one pixel left of the image";
    EXPECT_EQ(mixed->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(ToggleCheckBoxCellAt(&tree, 70, y)) << "column 1";
    EXPECT_TRUE(ToggleCheckBoxCellAt(&tree, left + 1, y));
    EXPECT_EQ(mixed->checkState(), Qt::Checked) << "mixed becomes checked";
    const int y1 = tree.visualRect(model.index(1, 0)).center().y();
    EXPECT_TRUE(ToggleCheckBoxCellAt(&tree, left + 16, y1)) << "the image's right edge";
    EXPECT_EQ(checked->checkState(), Qt::Unchecked);
    EXPECT_FALSE(ToggleCheckBoxCellAt(&tree, left + 17, y1));
}

TEST(EmptyList, LineCaptionAndHint) {
    struct Case { const char *name; int width; int line; };
    const Case cases[] = {{"narrow area", 200, 180}, {"wide area", 1000, 300}};
    const QPalette pal = QApplication::palette();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QImage img = Blank(c.width, 200);
        {
            QPainter p(&img);
            DrawEmptyListMessage(p, img.rect(), QStringLiteral("No routes"),
                                 QStringLiteral("Plan one with the route planner"));
        }
        EXPECT_EQ(LongestRun(img, 100, pal.color(QPalette::Dark)), c.line);
        EXPECT_EQ(img.pixel(0, 0), pal.color(QPalette::Base).rgb());
        EXPECT_TRUE(RowsHaveColour(img, 60, 94, pal.color(QPalette::Highlight))) << "caption above";
        EXPECT_FALSE(RowsHaveColour(img, 96, 199, pal.color(QPalette::Highlight)));
        EXPECT_TRUE(RowsHaveColour(img, 105, 130, pal.color(QPalette::Dark))) << "hint below";
    }
}

TEST(FontFit, ReturnsTheLargestFittingSizeAndLeavesTheFontThere) {
    QImage img = Blank(10, 10);
    QPainter p(&img);
    const QString text = QStringLiteral("Channel 22");
    QFont f = p.font();
    f.setPointSize(8);
    const int width8 = QFontMetrics(f, &img).horizontalAdvance(text);
    EXPECT_EQ(FontSizeToFit(p, text, width8 - 1), 7) << "even size 8 is too wide";
    EXPECT_EQ(p.font().pointSize(), 7);

    const int size = FontSizeToFit(p, text, 200);
    EXPECT_GT(size, 8);
    EXPECT_EQ(p.font().pointSize(), size) << "the painter keeps the size that fits";
    EXPECT_LE(QFontMetrics(p.font(), &img).horizontalAdvance(text), 200);
    f.setPointSize(size + 1);
    EXPECT_GT(QFontMetrics(f, &img).horizontalAdvance(text), 200);
}

TEST(ValuePanel, CentresThePairsAndColoursByValidity) {
    QWidget panel;
    panel.resize(200, 60);
    auto label = [&](int w, int h) {
        auto *l = new QLabel(&panel);
        l->resize(w, h);
        return l;
    };
    QLabel *caption = label(80, 12), *value = label(50, 30), *unit = label(20, 12);
    unit->move(0, 40);
    value->setAlignment(Qt::AlignBottom);
    value->move(0, 10);
    QLabel *value2 = label(40, 14), *unit2 = label(16, 14), *caption2 = label(40, 12);
    auto *extra = new QWidget(&panel);
    extra->resize(20, 14);
    auto *button = new QPushButton(&panel);

    TValuePanel v{&panel, caption, value, unit, extra, button, caption2, value2, unit2};
    LayoutValuePanel(v, true, true, 0x00FF0000u);  // instrument colour: red in RGB order
    EXPECT_EQ(value->x(), (200 - 20 - 50 - 2) / 2);
    EXPECT_EQ(unit->x(), value->x() + 50 + 2);
    EXPECT_EQ(unit->geometry().bottom(), value->geometry().bottom()) << "aligned like the value";
    EXPECT_EQ(value2->x(), (200 - 20 - 40 - 16 - 4) / 2);
    EXPECT_EQ(unit2->x(), value2->x() + 40 + 2);
    EXPECT_EQ(extra->x(), unit2->x() + 16 + 2);
    EXPECT_EQ(value->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(caption->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText))
        << "captions never take the colour";
    EXPECT_TRUE(button->isEnabled());

    LayoutValuePanel(v, true, false, 0x00FF0000u);
    const TColor inactive = InactiveTextColor;
    const QColor grey(inactive & 0xFF, (inactive >> 8) & 0xFF, (inactive >> 16) & 0xFF);
    for (QLabel *l : {caption, value, unit, value2, unit2, caption2})
        EXPECT_EQ(l->palette().color(QPalette::WindowText), grey);
    EXPECT_FALSE(button->isEnabled());

    LayoutValuePanel(v, false, true, 0x00FF0000u);
    EXPECT_EQ(value->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText))
        << "no colour without useColor";
    SetLabelStateColor(nullptr, 0, true, true);  // nothing for a missing label
}

TEST(ComboCell, DrawsABoxWithTheTextInside) {
    QImage img = Blank(150, 40);
    {
        QPainter p(&img);
        DrawComboBoxCell(p, img.rect(), false, true, QApplication::font(), QStringLiteral("Lock"));
    }
    EXPECT_EQ(img.pixelColor(75, 2), QColor(Qt::white)) << "21 pixels high, centred";
    EXPECT_EQ(img.pixelColor(75, 37), QColor(Qt::white));
    EXPECT_NE(img.pixelColor(0, 20), QColor(Qt::white)) << "frame drawn";
}
