// The waypoint type editor over a database of its own: image files opened through the
// image browser and scaled, refused files, the transparency rules, the origin, and what OK
// writes for one type, several types and a new type.
#include "routes/FrmWaypointTypeEdit.h"

#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "routes/FrmImageBrowser.h"
#include "routes/FrmWaypointTypeEditFont.h"
#include "routes/FrmWaypointTypeEditTransparent.h"
#include "tests/shell/NavEnvRouteSupport.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvLib.h>

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TEdit = TFormWaypointTypeEdit;

// Pixels as (r, g, b, a) per row.
IBmp32 *Bitmap(const std::vector<std::vector<QRgb>> &rows) {
    IBmp32 *b = Bmp32Create(int(rows[0].size()), int(rows.size()), 0);
    for (size_t y = 0; y < rows.size(); ++y) {
        uint8_t *row = b->GetRow(int32_t(y));
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const QRgb c = rows[y][x];
            row[4 * x] = uint8_t(qBlue(c));
            row[4 * x + 1] = uint8_t(qGreen(c));
            row[4 * x + 2] = uint8_t(qRed(c));
            row[4 * x + 3] = uint8_t(qAlpha(c));
        }
    }
    return b;
}

uint8_t AlphaAt(IBmp32 *b, int x, int y) { return b->GetRow(y)[4 * x + 3]; }

class WaypointTypeEdit : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NightScreen()->SetActive(false);
        Db = WptManagerNewDatabase(Env->WaypointManager, QStringLiteral("Types"));
        for (int i = 0; i < 4; ++i) NewType(QStringLiteral("Kind %1").arg(i + 1));
        ASSERT_EQ(Db->GetWaypointTypeCount(), 4);
        TFormImageBrowser::SetPrompter([this](TFormImageBrowser &f) {
            f.ShowFolder(Dir.path());
            for (int i = 0; i < f.ListImages->count(); ++i)
                if (f.ListImages->item(i)->data(Qt::UserRole).toString().endsWith(Chosen)) f.ListImages->setCurrentRow(i);
            return int(QDialog::Accepted);
        });
        TFormWaypointTypeEditTransparent::SetPrompter([this](TFormWaypointTypeEditTransparent &) {
            ++TransparentOffers;
            return int(QDialog::Rejected);
        });
    }
    void TearDown() override {
        TFormImageBrowser::SetPrompter(nullptr);
        TFormWaypointTypeEditTransparent::SetPrompter(nullptr);
        TFormWaypointTypeEditFont::SetPrompter(nullptr);
        NavEnvRoutes::TearDown();
    }
    IWptWaypointType *NewType(const QString &name) {
        IBmp32 *icon = Bmp32Create(16, 16, 0);
        int32_t err = 0;
        IWptWaypointType *t = WptDatabaseNewType(Db, icon, nullptr, false, 7.5f, 7.5f, {}, {}, {}, err);
        ObjectDelete(icon);
        WptObjectSetName(t, name, err);
        return t;
    }
    QString Image(const QString &name, int w, int h, QImage::Format format = QImage::Format_ARGB32) {
        QImage image(w, h, format);
        image.fill(QColor(200, 30, 30));
        const QString file = Dir.filePath(name);
        EXPECT_TRUE(image.save(file)) << name.toStdString();
        return file;
    }
    QString Raw(const QString &name, const QByteArray &bytes) {
        const QString file = Dir.filePath(name);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }
    // An uncompressed 32-bit TGA, bottom-up.
    QString Tga(const QString &name, int w, int h) {
        QByteArray b(18, '\0');
        b[2] = 2;
        b[12] = char(w & 0xFF);
        b[13] = char(w >> 8);
        b[14] = char(h & 0xFF);
        b[15] = char(h >> 8);
        b[16] = 32;
        b[17] = 8;
        for (int i = 0; i < w * h; ++i) b.append(QByteArray::fromRawData("\x10\x20\x30\xFF", 4));
        return Raw(name, b);
    }
    // A BMP header that claims 10000 × 10000 pixels and holds none of them.
    QString HugeBmp() {
        QByteArray b(54, '\0');
        b[0] = 'B';
        b[1] = 'M';
        auto put32 = [&b](int at, uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
        };
        put32(2, 54 + 10000u * 10000u * 3u);
        put32(10, 54);
        put32(14, 40);
        put32(18, 10000);
        put32(22, 10000);
        b[26] = 1;
        b[28] = 24;
        return Raw(QStringLiteral("huge.bmp"), b);
    }

    QTemporaryDir Dir;
    IWptDatabase *Db = nullptr;
    QString Chosen;
    int TransparentOffers = 0;
};

TEST_F(WaypointTypeEdit, OpenedImagesAreScaledToIconAndOverlaySize) {
    IWptWaypointTypeList *list = WptWaypointTypeListCreate(0);
    TEdit f(Db, list, 2);
    Image(QStringLiteral("big.png"), 128, 96);
    Image(QStringLiteral("overlay.png"), 40, 40);
    Chosen = QStringLiteral("big.png");
    QTest::mouseClick(f.ButtonOpenIcon, Qt::LeftButton);
    ASSERT_TRUE(f.Icon());
    EXPECT_EQ(f.Icon()->GetWidth(), 64);
    EXPECT_EQ(f.Icon()->GetHeight(), 48);
    Chosen = QStringLiteral("overlay.png");
    QTest::mouseClick(f.ButtonOpenOverlay, Qt::LeftButton);
    ASSERT_TRUE(f.Overlay());
    EXPECT_EQ(f.Overlay()->GetWidth(), 16);
    EXPECT_EQ(f.Overlay()->GetHeight(), 16);
    EXPECT_TRUE(Messages.isEmpty());
    ObjectDelete(list);
}

TEST_F(WaypointTypeEdit, BmpTgaAndJpgLoadAndBrokenOrHugeFilesChangeNothing) {
    TEdit f(Db, nullptr, 2);
    const QStringList good = {Image(QStringLiteral("a.bmp"), 20, 10, QImage::Format_RGB32),
                              Image(QStringLiteral("b.jpg"), 30, 12, QImage::Format_RGB32), Tga(QStringLiteral("c.tga"), 8, 6)};
    const std::vector<QSize> sizes = {{20, 10}, {30, 12}, {8, 6}};
    for (size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(good[int(i)].toStdString());
        EXPECT_TRUE(f.TakeIcon(good[int(i)]));
        EXPECT_EQ(QSize(f.Icon()->GetWidth(), f.Icon()->GetHeight()), sizes[i]);
    }
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(u'\n').toStdString();
    const QString corrupt = Raw(QStringLiteral("corrupt.png"), QByteArray("\x89PNG\r\n\x1a\nnot a picture", 24));
    for (const QString &bad : {corrupt, HugeBmp()}) {
        SCOPED_TRACE(bad.toStdString());
        Messages.clear();
        EXPECT_FALSE(f.TakeIcon(bad));
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Cannot open file \"%1\", reason: ").arg(bad)))
            << Messages[0].toStdString();
        EXPECT_EQ(QSize(f.Icon()->GetWidth(), f.Icon()->GetHeight()), QSize(8, 6)) << "the icon stays";
    }
}

TEST_F(WaypointTypeEdit, TransparencyIsFoundOnlyForOneFullyTransparentColour) {
    const QRgb red = qRgba(255, 0, 0, 255), clearGreen = qRgba(0, 255, 0, 0), clearBlue = qRgba(0, 0, 255, 0),
               halfGreen = qRgba(0, 255, 0, 128);
    struct Case {
        const char *what;
        std::vector<std::vector<QRgb>> pixels;
        bool found;
        int32_t colour;
    };
    const std::vector<Case> cases = {
        {"one transparent colour", {{red, clearGreen}, {clearGreen, red}}, true, 0x00FF00},
        {"two transparent colours", {{red, clearGreen}, {clearBlue, red}}, false, -1},
        {"a semi-transparent pixel", {{red, clearGreen}, {halfGreen, red}}, false, -1},
        {"all opaque", {{red, red}}, false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        IBmp32 *b = Bitmap(c.pixels);
        int32_t colour = -1;
        EXPECT_EQ(TEdit::TransparentColor(b, colour), c.found);
        EXPECT_EQ(colour, c.colour);
        ObjectDelete(b);
    }
}

TEST_F(WaypointTypeEdit, OriginFollowsSizeAndEvenFlag) {
    struct Case {
        int size;
        bool even;
        float origin;
        int max, position;
    };
    for (const Case &c : {Case{16, false, 8.0f, 15, 8}, Case{16, true, 7.5f, 16, 8}, Case{15, false, 7.0f, 14, 7},
                          Case{15, true, 7.5f, 15, 8}}) {
        SCOPED_TRACE(testing::Message() << c.size << " even " << c.even);
        EXPECT_FLOAT_EQ(TEdit::OriginFor(c.size, c.even), c.origin);
        EXPECT_EQ(TEdit::TrackMax(c.size, c.even), c.max);
        EXPECT_EQ(TEdit::TrackPosition(c.origin, c.even), c.position);
        EXPECT_FLOAT_EQ(TEdit::OriginAt(c.position, c.even), c.origin) << "the bar leads back to the origin";
    }
}

TEST_F(WaypointTypeEdit, TransparentColourMakesThatColourClearAndEveryOtherOpaque) {
    const QRgb red = qRgba(255, 0, 0, 255), clearGreen = qRgba(0, 255, 0, 0), blue = qRgba(0, 0, 255, 255);
    IBmp32 *b = Bitmap({{red, clearGreen, blue}, {red, clearGreen, blue}});
    IBmp32 *saved = Bitmap({{red, clearGreen, blue}, {red, clearGreen, blue}});
    const QString file = Dir.filePath(QStringLiteral("three.png"));
    ASSERT_TRUE(Bmp32ToImage(saved).save(file));
    ObjectDelete(saved);
    ObjectDelete(b);
    TEdit f(Db, nullptr, 2);
    ASSERT_TRUE(f.TakeIcon(file));
    EXPECT_EQ(TransparentOffers, 1) << "one clear colour: the step is offered";
    ASSERT_TRUE(f.ButtonTransparent->isEnabled());
    // The user picks red instead.
    TFormWaypointTypeEditTransparent::SetPrompter([](TFormWaypointTypeEditTransparent &t) {
        t.Pick(0, 0);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(f.ButtonTransparent, Qt::LeftButton);
    IBmp32 *icon = f.Icon();
    EXPECT_EQ(AlphaAt(icon, 0, 0), 0);
    EXPECT_EQ(AlphaAt(icon, 1, 0), 255);
    EXPECT_EQ(AlphaAt(icon, 2, 1), 255);
}

TEST_F(WaypointTypeEdit, ANewTypeIsNumberedAndARetryCreatesNoSecondType) {
    IWptWaypointTypeList *list = WptWaypointTypeListCreate(0);
    TEdit f(Db, list, 2);
    f.show();
    EXPECT_EQ(f.EditTypeName->text(), QStringLiteral("Type 5"));
    f.EditTypeName->setText(QString(300, u'x'));
    QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Cannot set the name of the waypoint type to"))) << Messages[0].toStdString();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(Db->GetWaypointTypeCount(), 5);
    QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
    EXPECT_EQ(Db->GetWaypointTypeCount(), 5) << "the retry updates the type made before";
    f.EditTypeName->setText(QStringLiteral("Mooring buoy"));
    QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(Db->GetWaypointTypeCount(), 5);
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_EQ(WptObjectGetName(static_cast<IWptWaypointType *>(list->GetItem(0))), QStringLiteral("Mooring buoy"));
    ObjectDelete(list);
}

TEST_F(WaypointTypeEdit, SeveralTypesKeepDifferingFontsUnlessEdited) {
    IWptWaypointType *a = Db->GetWaypointType(0), *b = Db->GetWaypointType(1);
    int32_t err = 0;
    a->SetMainTextSize(10.0f, err);
    b->SetMainTextSize(14.0f, err);
    IWptWaypointTypeList *list = WptWaypointTypeListCreate(0);
    list->Add(a);
    list->Add(b);
    {
        TEdit f(Db, list, 1);
        f.show();
        EXPECT_EQ(f.LabelMainSample->text(), QStringLiteral("..."));
        EXPECT_FALSE(f.ButtonOpenIcon->isEnabled());
        TFormWaypointTypeEditFont::SetPrompter([](TFormWaypointTypeEditFont &font) {
            font.CheckBold->setChecked(true);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(f.ButtonEditSub, Qt::LeftButton);
        QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
        EXPECT_EQ(f.result(), QDialog::Accepted);
    }
    EXPECT_FLOAT_EQ(a->GetMainTextSize(), 10.0f);
    EXPECT_FLOAT_EQ(b->GetMainTextSize(), 14.0f);
    EXPECT_EQ(WptTypeGetSubtextFontStyle(a) & fsBold, fsBold);
    EXPECT_EQ(WptTypeGetSubtextFontStyle(b) & fsBold, fsBold);
    ObjectDelete(list);
}

TEST_F(WaypointTypeEdit, ScreenshotWithAnIcon) {
    const QString file = Dir.filePath(QStringLiteral("flag.png"));
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 4; y < 28; ++y)
        for (int x = 6; x < 26; ++x) image.setPixelColor(x, y, x < 16 ? QColor(20, 60, 200) : QColor(240, 200, 20));
    ASSERT_TRUE(image.save(file));
    IWptWaypointTypeList *list = WptWaypointTypeListCreate(0);
    list->Add(Db->GetWaypointType(0));
    TEdit f(Db, list, 2);
    ASSERT_TRUE(f.TakeIcon(file));
    f.show();
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(&f, QStringLiteral("WaypointTypeEdit"));
    ObjectDelete(list);
}

}  // namespace

namespace {

TEST_F(WaypointTypeEdit, ImageBrowserListsImagesInAnyCaseAndStartsInTheProgramsIcons) {
    Image(QStringLiteral("BUOY.PNG"), 4, 4);
    Image(QStringLiteral("a.bmp"), 4, 4, QImage::Format_RGB32);
    Raw(QStringLiteral("notes.txt"), "text");
    const QStringList files = TFormImageBrowser::ImageFiles(Dir.path());
    ASSERT_EQ(files.size(), 2) << files.join(u' ').toStdString();
    EXPECT_TRUE(files[0].endsWith(QStringLiteral("a.bmp")));
    EXPECT_TRUE(files[1].endsWith(QStringLiteral("BUOY.PNG")));

    const QString icons = ProgInfoGetProgDir() + QStringLiteral("Icons/");
    TFormImageBrowser f(QString(), icons, Dir.filePath(QStringLiteral("gone")));
    EXPECT_TRUE(f.ButtonDefaultFolder->isVisible() || !f.isVisible());
    EXPECT_GE(f.ListImages->count(), 3) << "the program's own icons";
    EXPECT_TRUE(f.FileName().startsWith(icons));
    f.show();
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(&f, QStringLiteral("ImageBrowser"));
}

}  // namespace
