// The About box: caption and version texts, the links, and its pictures in night view.
#include "ShellTestSupport.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvProgInfo.h"
#include "shell/FrmAbout.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

QImage Shown(const QLabel *label) {
    return label->pixmap().toImage();
}

class AboutBox : public ::testing::Test {
protected:
    void TearDown() override { NightScreen()->SetActive(false); }
};

}  // namespace

TEST_F(AboutBox, TitleAndVersionTexts) {
    EXPECT_EQ(TFormAbout::VersionText(QStringLiteral("Marivo"), (6 << 24) | (2 << 16) | (0 << 8) | 15),
              QStringLiteral("Marivo v6.2.0.15"));
    const QString title = ProgInfoGetTitle();
    ASSERT_FALSE(title.isEmpty());
    {
        TFormAbout form(nullptr, QString());
        EXPECT_EQ(form.windowTitle(), QStringLiteral("About ") + title);
        EXPECT_TRUE(form.LabelVersionNumber->text().startsWith(title + QStringLiteral(" v")));
        EXPECT_EQ(form.LabelVersionNumber->text(), TFormAbout::VersionText(title, ProgInfoGetVersion()));
        EXPECT_EQ(form.LabelVersion->text(), QStringLiteral("Version"));
        EXPECT_FALSE(form.LabelVersionDate->text().isEmpty());
        EXPECT_EQ(form.ButtonOk->text(), QStringLiteral("&Ok"));
        EXPECT_TRUE(form.ImageVersionBeta->isHidden());
        EXPECT_TRUE(form.ImageInnovation->isHidden());
    }
    TFormAbout named(nullptr, QStringLiteral("Ostrel"));
    EXPECT_EQ(named.windowTitle(), QStringLiteral("About Ostrel"));
    EXPECT_TRUE(named.LabelVersionNumber->text().startsWith(QStringLiteral("Ostrel v")));
}

TEST_F(AboutBox, TheLinksOpenTheWebSiteAndANewMail) {
    QStringList opened;
    TFormAbout form(nullptr, QString());
    form.OpenDocument = [&](const QString &document) { opened << document; };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.LabelWebsite, Qt::LeftButton);
    QTest::mouseClick(form.LabelEmail, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].startsWith(QStringLiteral("https://"))) << opened[0].toStdString();
    EXPECT_EQ(opened[0], form.LabelWebsite->text());
    EXPECT_EQ(opened[1], QStringLiteral("mailto:") + form.LabelEmail->text());
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(form.LabelEmail, &enter);
    EXPECT_TRUE(form.LabelEmail->font().underline());
    EXPECT_EQ(form.LabelEmail->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(form.LabelEmail, &leave);
    EXPECT_FALSE(form.LabelEmail->font().underline());
}

TEST_F(AboutBox, NightViewRecoloursThePicturesAndDayRestoresThemExactly) {
    TFormAbout form(nullptr, QString());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    std::vector<QImage> day;
    for (QLabel *image : form.NightImages()) day.push_back(Shown(image));
    ASSERT_EQ(day.size(), 5u);
    const QImage dayPicture = form.PaintBoxAboutImage->grab().toImage();
    shelltest::SaveScreenshot(&form, QStringLiteral("about-day"));
    NightScreen()->SetActive(true);
    form.PaintBoxAboutImage->repaint();
    const QImage nightPicture = form.PaintBoxAboutImage->grab().toImage();
    EXPECT_NE(nightPicture, dayPicture);
    const QColor dayPixel = dayPicture.pixelColor(100, 270), nightPixel = nightPicture.pixelColor(100, 270);
    EXPECT_LT(nightPixel.value(), dayPixel.value()) << "night view is darker";
    for (size_t i = 0; i < day.size(); ++i) EXPECT_NE(Shown(form.NightImages()[i]), day[i]) << i;
    shelltest::SaveScreenshot(&form, QStringLiteral("about-night"));
    NightScreen()->SetActive(false);
    for (size_t i = 0; i < day.size(); ++i) EXPECT_EQ(Shown(form.NightImages()[i]), day[i]) << i;
    form.PaintBoxAboutImage->repaint();
    EXPECT_EQ(form.PaintBoxAboutImage->grab().toImage(), dayPicture);
}
