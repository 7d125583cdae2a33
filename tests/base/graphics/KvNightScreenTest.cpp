#include "TestSupport.h"

#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>

namespace {

class NightScreenService : public ::testing::Test {
protected:
    void SetUp() override {
        ns = NightScreen();
        ASSERT_NE(ns, nullptr);
        ns->SetActive(false);
    }
    void TearDown() override {
        ns->SetActive(false);
        ns->SetIntensity(0.5f);
    }
    INightScreen *ns = nullptr;
};

QImage Icon(QColor colour) {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 12, 12);
    return img;
}

bool Same(const QImage &a, const QImage &b) {
    return a.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TEST_F(NightScreenService, ImageListCycleRestoresBitExactly) {
    TImageList list(16, 16);
    list.Add(Icon(Qt::green));
    list.Add(Icon(QColor(30, 90, 250)));
    const QImage day0 = list.Image(0), day1 = list.Image(1);

    NightScreenAddImageList(ns, &list);
    EXPECT_TRUE(Same(list.Image(0), day0)) << "registering while off changes nothing";

    ns->SetActive(true);
    const QImage night0 = list.Image(0);
    EXPECT_FALSE(Same(night0, day0));
    const QRgb centre = night0.pixel(8, 8);
    EXPECT_GT(qRed(centre), qGreen(centre));
    EXPECT_EQ(qAlpha(night0.pixel(0, 0)), 0) << "transparent corners stay transparent";

    ns->SetIntensity(0.9f);  // colours changed: rebuilt from the saved day images
    const QImage darker = list.Image(0);
    EXPECT_LT(qRed(darker.pixel(8, 8)), qRed(centre));
    ns->SetIntensity(0.5f);
    EXPECT_TRUE(Same(list.Image(0), night0)) << "no double conversion";

    ns->SetActive(false);
    EXPECT_TRUE(Same(list.Image(0), day0));
    EXPECT_TRUE(Same(list.Image(1), day1));
    NightScreenRemoveImageList(ns, &list);
}

TEST_F(NightScreenService, RegistryIsFreedWithItsLastEntryAndRecreated) {
    TImageList a, b;
    NightScreenAddImageList(ns, &a);
    NightScreenAddImageList(ns, &b);
    NightScreenRemoveImageList(ns, &a);
    EXPECT_TRUE(NightScreenHasImageListRegistry());
    NightScreenRemoveImageList(ns, &b);
    EXPECT_FALSE(NightScreenHasImageListRegistry());
    NightScreenRemoveImageList(ns, &b);  // not registered: ignored
    NightScreenAddImageList(ns, &a);
    EXPECT_TRUE(NightScreenHasImageListRegistry());
    NightScreenRemoveImageList(ns, &a);
    EXPECT_FALSE(NightScreenHasImageListRegistry());
}

TEST_F(NightScreenService, PictureRegisteredWhileOnConvertsAtOnceAndRestoresOnRemove) {
    QLabel label;
    const QPixmap day = QPixmap::fromImage(Icon(Qt::yellow));
    label.setPixmap(day);
    ns->SetActive(true);
    NightScreenAddImage(ns, &label);
    EXPECT_FALSE(Same(label.pixmap().toImage(), day.toImage()));
    NightScreenRemoveImage(ns, &label);
    EXPECT_TRUE(Same(label.pixmap().toImage(), day.toImage()));
    EXPECT_FALSE(NightScreenHasPictureRegistry());
}

TEST_F(NightScreenService, PictureCycleAndAReplacedOrDestroyedPicture) {
    auto *label = new QLabel;
    const QImage day = Icon(Qt::white);
    label->setPixmap(QPixmap::fromImage(day));
    NightScreenAddImage(ns, label);
    ns->SetActive(true);
    EXPECT_FALSE(Same(label->pixmap().toImage(), day));
    ns->SetActive(false);
    EXPECT_TRUE(Same(label->pixmap().toImage(), day));

    // The form replaces its picture while night mode is on: the new picture is the one
    // shown after night mode, and a colour change converts it, not the old one.
    ns->SetActive(true);
    const QImage replacement = Icon(Qt::cyan);
    label->setPixmap(QPixmap::fromImage(replacement));
    ns->SetIntensity(0.7f);
    EXPECT_FALSE(Same(label->pixmap().toImage(), replacement));
    ns->SetActive(false);
    EXPECT_TRUE(Same(label->pixmap().toImage(), replacement));

    // A label destroyed while registered is skipped, not written into.
    delete label;
    ns->SetActive(true);
    ns->SetActive(false);
    NightScreenRemoveImage(ns, label);
}

TEST_F(NightScreenService, ConvertersLeavePaletteAndGreyImagesAlone) {
    ns->SetActive(true);
    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 255)});
    indexed.fill(1);
    const QImage before = indexed.copy();
    NightScreenConvertBitmap(ns, indexed);
    EXPECT_EQ(indexed, before);
    QImage grey(4, 4, QImage::Format_Grayscale8);
    grey.fill(200);
    const QImage greyBefore = grey.copy();
    NightScreenConvertPNG(ns, grey);
    EXPECT_EQ(grey, greyBefore);

    struct Case { const char *name; QImage::Format format; };
    const Case cases[] = {{"24-bit RGB", QImage::Format_RGB888},
                          {"24-bit BGR", QImage::Format_BGR888},
                          {"32-bit", QImage::Format_RGB32},
                          {"32-bit alpha", QImage::Format_ARGB32}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QImage img(3, 3, c.format);
        img.fill(QColor(20, 200, 240, 255));
        QImage night;
        NightScreenConvertGraphic(ns, night, img);
        EXPECT_EQ(night.format(), c.format);
        EXPECT_EQ(img.pixel(1, 1), QColor(20, 200, 240).rgb()) << "source untouched";
        const QRgb px = night.pixel(1, 1);
        EXPECT_GT(qRed(px), qBlue(px));
        EXPECT_GT(qRed(px), qGreen(px));
    }
}

TEST_F(NightScreenService, NightPaletteIsDarkWithRedTextAndDayComesBack) {
    const QPalette day = QApplication::palette();
    ns->SetActive(true);
    const QPalette night = QApplication::palette();
    const QColor window = night.color(QPalette::Window);
    const QColor text = night.color(QPalette::WindowText);
    EXPECT_LT(window.lightness(), 40);
    EXPECT_GT(text.red(), window.red() * 3);
    EXPECT_GT(text.red(), text.green() * 4);
    ns->SetActive(false);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), day.color(QPalette::Window));
    EXPECT_EQ(QApplication::palette().color(QPalette::WindowText), day.color(QPalette::WindowText));
}
