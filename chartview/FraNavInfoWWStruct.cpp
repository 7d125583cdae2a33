#include "chartview/FraNavInfoWWStruct.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

int GPictureLoads = 0;

// Colours of the picture boxes: the background in the library's 0xRRGGBB order, the frame
// a palette colour.
constexpr uint32_t PictureBackRGB = 0xEBEBF3;
constexpr TColor PictureFrameColor = 0x00CFAFAF;

QColor NightRGB(uint32_t rgb) { return QColor(QRgb(NightScreen()->ConvertRGB(rgb))); }
QColor NightColor(TColor c) { return TColorToColor(NightScreen()->ConvertColor(c)); }

int FontSizeToFit(const QFont &base, const QString &text, int width) {
    QFont font = base;
    int size = 30;
    for (; size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
    }
    return size;
}

}  // namespace

int TFrameNavInfoWWStruct::PictureLoads() { return GPictureLoads; }

TFrameNavInfoWWStruct::TFrameNavInfoWWStruct(QWidget *slotPanel, TMarivoNavEnv &env)
    : TFrameNavInfoWWLine(slotPanel, env, LineHeight), FSymbols(new TImageList(32, 32, this)) {
    NavInfoWWFillSymbols(*FSymbols, Env.ImagesFolder);
    FVHFPicture = NavInfoWWVHFPicture(Env.ImagesFolder);
    NightScreenAddImageList(NightScreen(), FSymbols);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    ImagePanelStructure = new QWidget(this);
    ImagePanelStructureStatus = new QWidget(this);
    ImagePanelStructureStatus->hide();
    outer->addWidget(ImagePanelStructure);
    outer->addWidget(ImagePanelStructureStatus);

    auto *row = new QHBoxLayout(ImagePanelStructure);
    row->setContentsMargins(0, 0, 4, 0);
    auto *pictureArea = new QWidget(ImagePanelStructure);
    pictureArea->setFixedWidth(140);
    auto *grid = new QGridLayout(pictureArea);
    grid->setContentsMargins(3, 3, 3, 3);
    PaintBoxStructure = new TNavInfoPaintBox(pictureArea);
    PaintBoxStructDefault = new TNavInfoPaintBox(pictureArea);
    grid->addWidget(PaintBoxStructure, 0, 0);
    grid->addWidget(PaintBoxStructDefault, 0, 0);
    PaintBoxStructDefault->hide();
    row->addWidget(pictureArea);

    auto *texts = new QVBoxLayout;
    LabelStructureName = MakeLabel(ImagePanelStructure, 16, true);
    LabelStructureName->setFixedHeight(33);
    LabelStructureInfo = MakeLabel(ImagePanelStructure, 12, false);
    LabelStructureInfo->setWordWrap(true);
    LabelStructureInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texts->addWidget(LabelStructureName);
    texts->addWidget(LabelStructureInfo, 1);
    row->addLayout(texts, 1);

    auto *right = new QVBoxLayout;
    PaintBoxStructVHF = new TNavInfoPaintBox(ImagePanelStructure);
    PaintBoxStructVHF->setFixedSize(70, 52);
    LabelDistance = MakeLabel(ImagePanelStructure, 16, true);
    LabelDistance->setFixedWidth(70);
    LabelDistance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    right->addWidget(PaintBoxStructVHF);
    right->addWidget(LabelDistance);
    row->addLayout(right);

    PaintBoxStructure->OnPaint = [this](QPainter &p) { PaintPicture(p); };
    PaintBoxStructDefault->OnPaint = [this](QPainter &p) { PaintDefault(p); };
    PaintBoxStructVHF->OnPaint = [this](QPainter &p) { PaintVHF(p); };
    PaintBoxStructure->OnClick = [this] { Clicked(); };
    PaintBoxStructDefault->OnClick = [this] { Clicked(); };
    const QString hint = LanguageText(NavInfoWWText::ClickForInfo);
    PaintBoxStructure->setToolTip(hint);
    PaintBoxStructDefault->setToolTip(hint);
    setFixedHeight(LineHeight);
    slotPanel->setFixedHeight(LineHeight);
    ImagePanelStructure->hide();
    ScaleToScreen();
}

TFrameNavInfoWWStruct::~TFrameNavInfoWWStruct() { NightScreenRemoveImageList(NightScreen(), FSymbols); }

QWidget *TFrameNavInfoWWStruct::PictureBox() const { return PaintBoxStructure; }
QWidget *TFrameNavInfoWWStruct::DefaultBox() const { return PaintBoxStructDefault; }
QWidget *TFrameNavInfoWWStruct::VHFBox() const { return PaintBoxStructVHF; }
QString TFrameNavInfoWWStruct::NameText() const { return LabelStructureName->text(); }
QString TFrameNavInfoWWStruct::InfoText() const { return LabelStructureInfo->text(); }

void TFrameNavInfoWWStruct::SetStructure(IWWStruct *structure, double distance) {
    FPassage = nullptr;
    FPassageIndex = 0;
    FStruct = structure;
    FVHF = structure ? WWStructGetVHFChannel(structure) : QString();
    Display(0.0, 0.0, distance);
}

bool TFrameNavInfoWWStruct::SetPassage(IWptRouteStructPassage *passage, int32_t passageIndex,
                                       TDateTime timeAtObject, TDateTime routeDateTime,
                                       double distance) {
    const bool changed = passage != FPassage;
    FPassage = passage;
    FStruct = passage ? passage->GetStruct() : nullptr;
    FVHF = FStruct ? WWStructGetVHFChannel(FStruct) : QString();
    FPassageIndex = passageIndex;
    Display(timeAtObject, routeDateTime, distance);
    return changed;
}

void TFrameNavInfoWWStruct::Display(TDateTime timeAtObject, TDateTime routeDateTime,
                                    double distance) {
    if (!Env.WaterwayNetwork || !FStruct) {
        SetPictureFile(QString());
        ImagePanelStructure->hide();
        ImagePanelStructureStatus->hide();
        LabelStructureName->clear();
        LabelStructureInfo->clear();
        return;
    }
    ShowDistance(distance);
    ImagePanelStructure->show();
    WWStructGetImages(FStruct, FPictureNames);
    SetPictureFile(FPictureNames.isEmpty() ? QString() : NavInfoResolvePicture(QFileInfo(Env.WaterwayNetworkFile).absolutePath(),
                                                            FPictureNames.first()));
    QString info = WWClearanceText(FStruct, FPassageIndex, Env.UnitDistanceSmall,
                                   LocaleFormatSettings());
    info += WWPassageText(FStruct, FPassage, FPassageIndex, timeAtObject, routeDateTime);
    LabelStructureName->setText(WWStructGetName(FStruct));
    LabelStructureInfo->setText(info);
    PaintBoxStructVHF->update();
}

QString NavInfoResolvePicture(const QString &networkFolder, const QString &name) {
    if (name.isEmpty()) return {};
    if (QDir::isAbsolutePath(name)) return name;
    const QString folder = QDir::cleanPath(networkFolder);
    const QString path = QDir::cleanPath(folder + u'/' + name);
    return path.startsWith(folder + u'/') ? path : QString();
}

void TFrameNavInfoWWStruct::SetPictureFile(const QString &file) {
    if (file != FPictureFile) {
        FPictureFile = file;
        FPicture = QImage();
        FDefaultIndex = -1;
        if (!file.isEmpty()) {
            PaintBoxStructure->show();
            PaintBoxStructDefault->hide();
            ++GPictureLoads;
            // An unreadable file leaves the picture empty; the box then shows only its frame.
            FPicture.load(file);
            if (!FPicture.isNull()) FPicture = FPicture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
    if (FPictureFile.isEmpty()) {
        FDefaultIndex = WWDefaultSymbol(FStruct, FPassageIndex);
        PaintBoxStructure->hide();
        PaintBoxStructDefault->show();
    }
    PaintBoxStructure->update();
    PaintBoxStructDefault->update();
}

void TFrameNavInfoWWStruct::PaintPicture(QPainter &p) {
    const QRect box = PaintBoxStructure->rect();
    p.fillRect(box, NightRGB(PictureBackRGB));
    if (FPicture.isNull()) return;
    const QRect area = NavInfoFitPicture(FPicture.size(), box.size());
    QImage shown = FPicture.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (NightScreen()->IsActive()) NightScreenConvertBitmap(NightScreen(), shown);
    p.drawImage(area.topLeft(), shown);
    p.setPen(NightColor(PictureFrameColor));
    p.drawRect(area.adjusted(-1, -1, 0, 0).intersected(box.adjusted(0, 0, -1, -1)));
}

void TFrameNavInfoWWStruct::PaintDefault(QPainter &p) {
    if (!Env.WaterwayNetwork || !FStruct) return;
    const QRect box = PaintBoxStructDefault->rect();
    const QImage symbol = FSymbols->Image(FDefaultIndex);
    if (!symbol.isNull())
        p.drawImage(QPoint((box.width() - symbol.width()) / 2, (box.height() - symbol.height()) / 2),
                    symbol);
    p.setPen(NightColor(PictureFrameColor));
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

void TFrameNavInfoWWStruct::PaintVHF(QPainter &p) {
    if (!Env.WaterwayNetwork || !FStruct || FVHF.isEmpty() || FVHFPicture.isNull()) return;
    QImage picture = FVHFPicture;
    if (NightScreen()->IsActive()) NightScreenConvertBitmap(NightScreen(), picture);
    const QRect box = PaintBoxStructVHF->rect();
    const QRect area((box.width() - picture.width()) / 2, (box.height() - picture.height()) / 2,
                     picture.width(), picture.height());
    p.drawImage(area.topLeft(), picture);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::min(FontSizeToFit(font, QStringLiteral("VHF"), area.width() - 6),
                               FontSizeToFit(font, FVHF, area.width() - 6)));
    p.setFont(font);
    p.setPen(NightRGB(0xFFFFFF));
    const int textHeight = QFontMetrics(font).height();
    const QRect textArea(area.left(), area.top() + (area.height() - 2 * textHeight) / 2,
                         area.width(), 2 * textHeight);
    p.drawText(textArea, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("VHF\n") + FVHF);
}

void TFrameNavInfoWWStruct::Clicked() {
    if (FStruct && FDetails) FDetails(nullptr, FStruct, true, true, 0, nullptr, 0, 0, false);
}
