#include "shell/FrmAbout.h"

#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const TLanguageStrings TextAbout = {"About", "Over", "Über", "À propos de", "Acerca de", "Informazioni su", "Om", "Om"};
const TLanguageStrings TextVersion = {"Version", "Versie", "Version", "Version",
                                      "Versión", "Versione", "Version", "Version"};
const TLanguageStrings TextCountry = {"The Netherlands", "Nederland",  "Niederlande", "Pays-Bas",
                                      "Países Bajos",    "Paesi Bassi", "Holland",     "Nederländerna"};
const TLanguageStrings TextOk = {"&Ok", "&Ok", "&OK", "&OK", "&Aceptar", "&OK", "&OK", "&OK"};

// The maker's contact details (the program's own fictional maker).
const char *const MakerName = "Korvane Nautical Software";
const char *const MakerStreet = "Havenkade 14";
const char *const MakerTown = "9999 ZZ  Marivoort";
const char *const MakerPhone = "+31 (0)99 999 99 99";
const char *const MakerEmail = "helpdesk@korvane.example";

constexpr int PictureAbout = 6;
const QSize AboutPictureSize(200, 280);

TFormAbout::TPrompter &Prompter() {
    static TFormAbout::TPrompter prompter;
    return prompter;
}

QImage Canvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A chart-plotter scene: sea, coast, a route with its waypoints and a compass rose.
QImage AboutPicture() {
    QImage image = Canvas(AboutPictureSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, image.height());
    sea.setColorAt(0, QColor(0x0B, 0x3D, 0x6B));
    sea.setColorAt(1, QColor(0x2E, 0x86, 0xC1));
    p.fillRect(image.rect(), sea);
    QPainterPath coast;
    coast.moveTo(0, 40);
    coast.cubicTo(60, 70, 90, 20, 200, 60);
    coast.lineTo(200, 0);
    coast.lineTo(0, 0);
    p.fillPath(coast, QColor(0xE8, 0xD8, 0x9C));
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 110), 1, Qt::DotLine));
    for (int y = 80; y < image.height(); y += 40) p.drawLine(0, y, image.width(), y);
    const QPointF route[] = {{30, 250}, {70, 190}, {140, 160}, {160, 95}};
    p.setPen(QPen(QColor(0xFF, 0x66, 0x00), 3));
    p.drawPolyline(route, 4);
    p.setBrush(Qt::white);
    for (const QPointF &pt : route) p.drawEllipse(pt, 4, 4);
    const QPointF centre(150, 225);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 30, 30);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4, r = i % 2 ? 16 : 30;
        p.drawLine(centre, centre + QPointF(r * std::sin(a), -r * std::cos(a)));
    }
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(26);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 110, image.width(), 40), Qt::AlignCenter, QStringLiteral("Marivo"));
    return image;
}

QImage SmallIcon(int number) {
    QImage image = Canvas(QSize(16, 16));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1F, 0x5F, 0xA8), orange(0xE0, 0x70, 0x10);
    p.setPen(QPen(blue, 1.4));
    switch (number) {
    case 0:  // web site: a globe
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case 1:  // e-mail: an envelope
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
        p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
        break;
    case 2:  // telephone: a handset
        p.setBrush(blue);
        p.drawRoundedRect(QRectF(4, 1.5, 8, 13), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 3.5, 5, 7));
        break;
    case 3:  // beta badge
    case 4:  // innovation badge
        p.setPen(Qt::NoPen);
        p.setBrush(number == 3 ? orange : blue);
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, number == 3 ? QStringLiteral("β") : QStringLiteral("★"));
        break;
    default:  // the program's mark
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        break;
    }
    return image;
}

QLabel *Picture(QWidget *parent, int number) {
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(TFormAbout::CollectionImage(number)));
    label->setFixedSize(16, 16);
    return label;
}

}  // namespace

QImage TFormAbout::CollectionImage(int number) {
    return number == PictureAbout ? AboutPicture() : SmallIcon(number);
}

QString TFormAbout::VersionText(const QString &title, int32_t version) {
    return title + QStringLiteral(" v") + VersionToStr(version, 4);
}

TFormAbout::TFormAbout(QWidget *owner, const QString &title)
    : TFormScaled(owner), PaintBoxAboutImage(new QWidget(this)), LabelVersion(new QLabel(this)),
      LabelVersionNumber(new QLabel(this)), LabelVersionDate(new QLabel(this)), LabelCompany(new QLabel(this)),
      LabelStreet(new QLabel(this)), LabelTown(new QLabel(this)), LabelCountry1(new QLabel(this)),
      LabelPhone1(new QLabel(this)), LabelWebsite(new QLabel(this)), LabelEmail(new QLabel(this)),
      ImageWebsite(Picture(this, 0)), ImageEmail(Picture(this, 1)), ImagePhone1(Picture(this, 2)),
      ImageVersionBeta(Picture(this, 3)), ImageInnovation(Picture(this, 4)), ButtonOk(new QPushButton(this)) {
    setObjectName(QStringLiteral("FormAbout"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);  // the window colour
    OpenDocument = [this](const QString &document) {
        int32_t err = 0;
        ExecuteDocument(this, document, 1, err);
        RaiseIfError(err);
    };
    const QString shownTitle = title.isEmpty() ? ProgInfoGetTitle() : title;
    setWindowTitle(LanguageText(TextAbout) + QLatin1Char(' ') + shownTitle);
    LabelVersion->setText(LanguageText(TextVersion));
    LabelCountry1->setText(LanguageText(TextCountry));
    LabelVersionNumber->setText(VersionText(shownTitle, ProgInfoGetVersion()));
    LabelVersionDate->setText(FormatDateTime(QStringLiteral("dddddd"), 1, GetProgInfo()->GetVersionDate()));
    LabelCompany->setText(QString::fromUtf8(MakerName));
    LabelStreet->setText(QString::fromUtf8(MakerStreet));
    LabelTown->setText(QString::fromUtf8(MakerTown));
    LabelPhone1->setText(QString::fromUtf8(MakerPhone));
    LabelWebsite->setText(WebLinkAddress(TWebLink::Homepage, GetCurrentLanguage(), ProgInfoGetVersion(), QString()));
    LabelEmail->setText(QString::fromUtf8(MakerEmail));
    ButtonOk->setText(LanguageText(TextOk));
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel *image : NightImages()) NightScreenAddImage(NightScreen(), image);
    ImageVersionBeta->move(ImageVersionBeta->x(), 1);
    ImageVersionBeta->hide();
    ImageInnovation->hide();
    const QImage picture = CollectionImage(PictureAbout);
    FAboutImage.reset(Bmp32Create(picture.width(), picture.height(), 1));
    Bmp32FromImage(FAboutImage.get(), picture);
    for (QWidget *w : {PaintBoxAboutImage, static_cast<QWidget *>(LabelWebsite), static_cast<QWidget *>(LabelEmail)})
        w->installEventFilter(this);
    BuildLayout();
}

TFormAbout::~TFormAbout() {
    FAboutImage.reset();
    for (QLabel *image : NightImages()) NightScreenRemoveImage(NightScreen(), image);
}

std::vector<QLabel *> TFormAbout::NightImages() const {
    return {ImageEmail, ImageInnovation, ImagePhone1, ImageVersionBeta, ImageWebsite};
}

void TFormAbout::BuildLayout() {
    PaintBoxAboutImage->setFixedSize(AboutPictureSize);
    QFont big = LabelVersionNumber->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    LabelVersionNumber->setFont(big);
    QFont bold = LabelCompany->font();
    bold.setBold(true);
    LabelCompany->setFont(bold);
    for (QLabel *link : {LabelWebsite, LabelEmail}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, QColor(0x1F, 0x5F, 0xA8));
        link->setPalette(palette);
    }
    auto *text = new QVBoxLayout;
    text->addWidget(LabelVersion);
    text->addWidget(LabelVersionNumber);
    text->addWidget(LabelVersionDate);
    text->addSpacing(16);
    for (QLabel *l : {LabelCompany, LabelStreet, LabelTown, LabelCountry1}) text->addWidget(l);
    text->addSpacing(8);
    auto *contact = new QGridLayout;
    const std::pair<QLabel *, QLabel *> rows[] = {
        {ImageWebsite, LabelWebsite}, {ImageEmail, LabelEmail}, {ImagePhone1, LabelPhone1}};
    int row = 0;
    for (const auto &[image, label] : rows) {
        contact->addWidget(image, row, 0);
        contact->addWidget(label, row++, 1);
    }
    contact->setColumnStretch(1, 1);
    text->addLayout(contact);
    text->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(PaintBoxAboutImage);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("BevelLine01"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(bevel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(520, 0)));
}

void TFormAbout::PaintBoxAboutImagePaint() {
    const QSize size = PaintBoxAboutImage->size();
    TNavPtr<IBmp32> target(Bmp32Create(size.width(), size.height(), 1));
    if (FAboutImage) {
        TNavPtr<IBmp32> copy(Bmp32Create(1, 1, 1));
        copy->Assign(FAboutImage.get());
        if (NightScreen() && NightScreen()->IsActive()) {
            QImage night = Bmp32ToImage(copy.get());
            NightScreenConvertBitmap(NightScreen(), night);
            Bmp32FromImage(copy.get(), night);
        }
        const double w = copy->GetWidth(), h = copy->GetHeight();
        copy->Blend(target.get(), TRectD{0, 0, w, h}, TRectD{-1, -1, w, h}, 2, 0);
    }
    QPainter painter(PaintBoxAboutImage);
    painter.drawImage(PaintBoxAboutImage->rect(), Bmp32ToImage(target.get()));
}

void TFormAbout::SetLinkHover(QLabel *label, bool hover) {
    QFont font = label->font();
    font.setUnderline(hover);
    label->setFont(font);
    label->setCursor(hover ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool TFormAbout::eventFilter(QObject *watched, QEvent *event) {
    if (watched == PaintBoxAboutImage && event->type() == QEvent::Paint) {
        PaintBoxAboutImagePaint();
        return true;
    }
    if (watched == LabelWebsite || watched == LabelEmail) {
        auto *label = static_cast<QLabel *>(watched);
        switch (event->type()) {
        case QEvent::Enter: SetLinkHover(label, true); break;
        case QEvent::Leave: SetLinkHover(label, false); break;
        case QEvent::MouseButtonRelease:
            if (label == LabelWebsite)
                LabelWebsiteClick();
            else
                LabelEmailClick();
            return true;
        default: break;
        }
    }
    return TFormScaled::eventFilter(watched, event);
}

void TFormAbout::LabelWebsiteClick() {
    OpenDocument(LabelWebsite->text());
}

void TFormAbout::LabelEmailClick() {
    OpenDocument(QStringLiteral("mailto:") + QString::fromUtf8(MakerEmail));
}

void TFormAbout::Execute(const QString &title, QWidget *owner) {
    TFormAbout form(owner, title);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}

TFormAbout::TPrompter TFormAbout::SetPrompter(TPrompter prompter) {
    std::swap(Prompter(), prompter);
    return prompter;
}
