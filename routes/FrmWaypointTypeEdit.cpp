#include "routes/FrmWaypointTypeEdit.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvGraphics.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmImageBrowser.h"
#include "routes/FrmWaypointTypeEditTransparent.h"
#include "routes/DialogParts.h"
#include "routes/WaypointTypeTexts.h"
#include "shell/MarivoImages.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>
#include <memory>

namespace {

namespace T = WaypointTypeText;
constexpr int32_t HelpContext = 13001;
const QString BrowserKey = QStringLiteral("Desktop\\ImageBrowser");

TFormWaypointTypeEdit::TPrompter &Prompter() {
    static TFormWaypointTypeEdit::TPrompter prompter;
    return prompter;
}

struct TBmpDeleter {
    void operator()(IBmp32 *b) const { ObjectDelete(b); }
};
using TBmpPtr = std::unique_ptr<IBmp32, TBmpDeleter>;

IBmp32 *CopyOf(IBmp32 *source) {
    if (!source) return nullptr;
    IBmp32 *copy = Bmp32Create(0, 0, 0);
    copy->Assign(source);
    return copy;
}

void OpenFailed(const QString &file, const QString &reason) {
    MsgBox(LanguageText(T::OpenFailed).arg(file, reason), mtError, MsgButtons({mbOK}));
}

TTypeFont FontOf(IWptWaypointType *t, int which) {
    switch (which) {
    case TFormWaypointTypeEdit::FontLightChar:
        return {t->GetLightCharColor(), int32_t(t->GetLightCharSize()), WptTypeGetLightCharFontStyle(t)};
    case TFormWaypointTypeEdit::FontMainText:
        return {t->GetMainTextColor(), int32_t(t->GetMainTextSize()), WptTypeGetMainTextFontStyle(t)};
    default:
        return {t->GetSubtextColor(), int32_t(t->GetSubtextSize()), WptTypeGetSubtextFontStyle(t)};
    }
}

// Colour, size and style in that order; the first error ends it.
int32_t WriteFont(IWptWaypointType *t, int which, const TTypeFont &f) {
    int32_t err = 0;
    switch (which) {
    case TFormWaypointTypeEdit::FontLightChar:
        t->SetLightCharColor(f.Colour, err);
        if (!err) t->SetLightCharSize(float(f.Size), err);
        if (!err) WptTypeSetLightCharFontStyle(t, f.Style, err);
        break;
    case TFormWaypointTypeEdit::FontMainText:
        t->SetMainTextColor(f.Colour, err);
        if (!err) t->SetMainTextSize(float(f.Size), err);
        if (!err) WptTypeSetMainTextFontStyle(t, f.Style, err);
        break;
    default:
        t->SetSubtextColor(f.Colour, err);
        if (!err) t->SetSubtextSize(float(f.Size), err);
        if (!err) WptTypeSetSubtextFontStyle(t, f.Style, err);
        break;
    }
    return err;
}

TWptLabelStyle LabelStyle(const TTypeFont &f) { return TWptLabelStyle{float(f.Size), f.Style, f.Colour}; }

QList<IWptWaypointType *> TypesOf(IWptWaypointTypeList *list) {
    QList<IWptWaypointType *> types;
    for (int32_t i = 0; list && i < list->GetCount(); ++i) types << static_cast<IWptWaypointType *>(list->GetItem(i));
    return types;
}

}  // namespace

// ---- Image rules ------------------------------------------------------------------------

IBmp32 *TFormWaypointTypeEdit::LoadImage(const QString &file, int maxSide) {
    // The header tells the size before anything is decoded.
    const QSize header = QImageReader(file).size();
    const auto tooLarge = [](int w, int h) { return w > MaxImageSide || h > MaxImageSide; };
    if (header.isValid() && tooLarge(header.width(), header.height())) {
        OpenFailed(file, LanguageText(T::TooLarge).arg(MaxImageSide));
        return nullptr;
    }
    TBmpPtr bmp(Bmp32Create(0, 0, 0));
    int32_t bits = 0, err = 0;
    LoadBmp32FromFile(file, bmp.get(), bits, err);
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    if (err == 0 && (w <= 0 || h <= 0)) err = KvErr::ImageDecode;
    if (err != 0) {
        OpenFailed(file, ErrorToStrA(err));
        return nullptr;
    }
    if (tooLarge(w, h)) {
        OpenFailed(file, LanguageText(T::TooLarge).arg(MaxImageSide));
        return nullptr;
    }
    if (w > maxSide || h > maxSide) ScaleBmp32(bmp.get(), float(maxSide) / float(std::max(w, h)));
    return bmp.release();
}

bool TFormWaypointTypeEdit::TransparentColor(IBmp32 *bmp, int32_t &colour) {
    bool found = false;
    uint32_t common = 0;
    for (int32_t y = 0; bmp && y < bmp->GetHeight(); ++y) {
        const uint8_t *row = bmp->GetRow(y);
        for (int32_t x = 0; x < bmp->GetWidth(); ++x) {
            const uint8_t *px = row + 4 * x;
            if (px[3] == 255) continue;
            if (px[3] != 0) return false;
            const uint32_t rgb = (uint32_t(px[2]) << 16) | (uint32_t(px[1]) << 8) | px[0];
            if (found && rgb != common) return false;
            common = rgb;
            found = true;
        }
    }
    if (found) colour = int32_t(common);
    return found;
}

float TFormWaypointTypeEdit::OriginFor(int size, bool even) {
    return size / 2.0f - ((size % 2 == 0) == even ? 0.5f : 0.0f);
}

int TFormWaypointTypeEdit::TrackMax(int size, bool even) { return even ? size : size - 1; }

int TFormWaypointTypeEdit::TrackPosition(float origin, bool even) {
    return RoundHalfUpF(even ? origin + 0.5f : origin);
}

float TFormWaypointTypeEdit::OriginAt(int position, bool even) { return position - (even ? 0.5f : 0.0f); }

// ---- Creation ---------------------------------------------------------------------------

TFormWaypointTypeEdit::TFormWaypointTypeEdit(IWptDatabase *database, IWptWaypointTypeList *types, uint8_t mode,
                                             QWidget *owner)
    : QDialog(owner), FDatabase(database), FTypes(types), FMode(mode), FNew(!types || types->GetCount() == 0) {
    setObjectName(QStringLiteral("FormWaypointTypeEdit"));
    BuildLayout();
    LoadValues();
    UpdateControls();
}

TFormWaypointTypeEdit::~TFormWaypointTypeEdit() {
    ObjectDelete(FIcon);
    ObjectDelete(FOverlay);
}

void TFormWaypointTypeEdit::BuildLayout() {
    setWindowTitle(LanguageText(T::Caption));
    PanelInformation = NewInfoBand(this, mtInformation, false, ImageInformation, LabelInformation);
    auto *general = new QGroupBox(LanguageText(T::General), this);
    LabelGeneral = nullptr;
    LabelName = new QLabel(LanguageText(T::Name) + u':', general);
    EditTypeName = new QLineEdit(general);
    auto *generalRow = new QHBoxLayout(general);
    generalRow->addWidget(LabelName);
    generalRow->addWidget(EditTypeName, 1);
    general->setVisible(FMode == 2);

    auto *icon = new QGroupBox(LanguageText(T::Icon), this);
    PaintBoxIcon = new QWidget(icon);
    PaintBoxIcon->setFixedSize(80, 80);
    PaintBoxOverlay = new QWidget(icon);
    PaintBoxOverlay->setFixedSize(16, 16);
    for (QWidget *w : {PaintBoxIcon, PaintBoxOverlay}) w->installEventFilter(this);
    TrackBarIconOriginX = new QSlider(Qt::Horizontal, icon);
    TrackBarIconOriginY = new QSlider(Qt::Vertical, icon);
    TrackBarIconOriginY->setInvertedAppearance(true);
    TrackBarIconOriginX->setFixedWidth(80);
    TrackBarIconOriginY->setFixedHeight(80);
    ButtonOpenIcon = new QPushButton(LanguageText(T::OpenIcon), icon);
    ButtonFlipH = new QPushButton(LanguageText(T::FlipH), icon);
    ButtonFlipV = new QPushButton(LanguageText(T::FlipV), icon);
    ButtonTransparent = new QPushButton(LanguageText(T::TransparentColor), icon);
    ButtonReset = new QPushButton(LanguageText(T::Reset), icon);
    CheckDrawOverlay = new QCheckBox(LanguageText(T::DrawOverlay), icon);
    ButtonOpenOverlay = new QPushButton(LanguageText(T::OpenOverlay), icon);
    auto *iconGrid = new QGridLayout(icon);
    iconGrid->addWidget(PaintBoxIcon, 0, 0);
    iconGrid->addWidget(TrackBarIconOriginY, 0, 1);
    iconGrid->addWidget(TrackBarIconOriginX, 1, 0);
    auto *origin = new QHBoxLayout;
    origin->addWidget(new QLabel(LanguageText(T::Origin) + u':', icon));
    origin->addWidget(ButtonReset);
    iconGrid->addLayout(origin, 2, 0, 1, 2);
    auto *iconButtons = new QVBoxLayout;
    for (QPushButton *b : {ButtonOpenIcon, ButtonFlipH, ButtonFlipV, ButtonTransparent}) iconButtons->addWidget(b);
    iconButtons->addStretch(1);
    iconGrid->addLayout(iconButtons, 0, 2, 3, 1);
    auto *overlayRow = new QHBoxLayout;
    overlayRow->addWidget(new QLabel(LanguageText(T::Overlay) + u':', icon));
    overlayRow->addWidget(PaintBoxOverlay);
    overlayRow->addWidget(CheckDrawOverlay);
    overlayRow->addStretch(1);
    overlayRow->addWidget(ButtonOpenOverlay);
    iconGrid->addLayout(overlayRow, 3, 0, 1, 3);

    auto *text = new QGroupBox(LanguageText(T::Text), this);
    LabelMainSample = new QLabel(text);
    LabelSubSample = new QLabel(text);
    ButtonEditMain = new QPushButton(LanguageText(T::Edit), text);
    ButtonEditSub = new QPushButton(LanguageText(T::Edit), text);
    auto *textGrid = new QGridLayout(text);
    textGrid->addWidget(new QLabel(LanguageText(T::MainText) + u':', text), 0, 0);
    textGrid->addWidget(LabelMainSample, 0, 1);
    textGrid->addWidget(ButtonEditMain, 0, 2);
    textGrid->addWidget(new QLabel(LanguageText(T::SubText) + u':', text), 1, 0);
    textGrid->addWidget(LabelSubSample, 1, 1);
    textGrid->addWidget(ButtonEditSub, 1, 2);
    textGrid->setColumnStretch(1, 1);
    for (QLabel *s : {LabelMainSample, LabelSubSample}) {
        s->setFrameShape(QFrame::StyledPanel);
        s->setMinimumHeight(30);
        s->setAlignment(Qt::AlignCenter);
    }

    ButtonHelp = new QPushButton(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"), this);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PanelInformation);
    main->addWidget(general);
    main->addWidget(icon);
    main->addWidget(text);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(ButtonOpenIcon, &QPushButton::clicked, this, [this] { OpenIcon(); });
    connect(ButtonOpenOverlay, &QPushButton::clicked, this, [this] { OpenOverlay(); });
    connect(ButtonFlipH, &QPushButton::clicked, this, [this] {
        if (FIcon) FIcon->FlipHorizontal();
        PaintBoxIcon->update();
    });
    connect(ButtonFlipV, &QPushButton::clicked, this, [this] {
        if (FIcon) FIcon->FlipVertical();
        PaintBoxIcon->update();
    });
    connect(ButtonTransparent, &QPushButton::clicked, this, [this] {
        int32_t colour = -1;
        if (!FIcon || !TransparentColor(FIcon, colour)) return;
        TBmpPtr copy(CopyOf(FIcon));
        if (!TFormWaypointTypeEditTransparent::Execute(copy.get(), colour, this)) return;
        if (colour >= 0) FIcon->SetColorAlpha(0, 255, uint32_t(colour));
        else FIcon->SetAlpha(255);
        UpdateControls();
    });
    connect(ButtonReset, &QPushButton::clicked, this, [this] { ResetOrigin(); });
    connect(CheckDrawOverlay, &QCheckBox::toggled, this, [this](bool on) {
        FDrawOverlay = on;
        UpdateEven();
        UpdateControls();
    });
    connect(TrackBarIconOriginX, &QSlider::valueChanged, this, [this](int v) {
        FOriginX = OriginAt(v, FEvenX);
        PaintBoxIcon->update();
    });
    connect(TrackBarIconOriginY, &QSlider::valueChanged, this, [this](int v) {
        FOriginY = OriginAt(v, FEvenY);
        PaintBoxIcon->update();
    });
    connect(ButtonEditMain, &QPushButton::clicked, this, [this] { EditFont(FontMainText); });
    connect(ButtonEditSub, &QPushButton::clicked, this, [this] { EditFont(FontSubtext); });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
}

void TFormWaypointTypeEdit::LoadValues() {
    const QList<IWptWaypointType *> types = TypesOf(FTypes);
    IWptWaypointType *source = types.value(0);
    if (FNew) {
        IWptManager *m = FDatabase ? FDatabase->GetManager() : nullptr;
        source = m ? m->GetDefaultWaypointType() : nullptr;
        EditTypeName->setText(LanguageText(T::TypePrefix) + u' ' +
                              QString::number((FDatabase ? FDatabase->GetWaypointTypeCount() : 0) + 1));
    } else if (types.size() == 1) {
        EditTypeName->setText(WptObjectGetName(source));
    }
    if (source && types.size() <= 1) {
        FIcon = CopyOf(source->GetIcon());
        FOverlay = CopyOf(source->GetOverlay());
        FDrawOverlay = source->GetDrawOverlay();
        FOriginX = source->GetOriginX();
        FOriginY = source->GetOriginY();
        if (FNew && FIcon) {
            FOriginX = FIcon->GetWidth() / 2.0f - 0.5f;
            FOriginY = FIcon->GetHeight() / 2.0f - 0.5f;
        }
    }
    FDiffering = uint8_t(types.size() > 1 ? WaypointTypeFontDifferences(types) : 0);
    for (int which = 0; which < 3; ++which)
        if (source && !(FDiffering & (1 << which))) FFonts[size_t(which)] = FontOf(source, which);
    const QSignalBlocker block(CheckDrawOverlay);
    CheckDrawOverlay->setChecked(FDrawOverlay);
    UpdateEven();
}

void TFormWaypointTypeEdit::UpdateEven() {
    FEvenX = FDrawOverlay && FOverlay && FOverlay->GetWidth() % 2 == 0;
    FEvenY = FDrawOverlay && FOverlay && FOverlay->GetHeight() % 2 == 0;
    UpdateTrackBars();
}

// The bars follow the origin without announcing it.
void TFormWaypointTypeEdit::UpdateTrackBars() {
    const int w = FIcon ? FIcon->GetWidth() : 0, h = FIcon ? FIcon->GetHeight() : 0;
    const QSignalBlocker bx(TrackBarIconOriginX), by(TrackBarIconOriginY);
    TrackBarIconOriginX->setRange(0, std::max(0, TrackMax(w, FEvenX)));
    TrackBarIconOriginY->setRange(0, std::max(0, TrackMax(h, FEvenY)));
    TrackBarIconOriginX->setValue(TrackPosition(FOriginX, FEvenX));
    TrackBarIconOriginY->setValue(TrackPosition(FOriginY, FEvenY));
}

void TFormWaypointTypeEdit::ResetOrigin() {
    if (!FIcon) return;
    FOriginX = OriginFor(FIcon->GetWidth(), FEvenX);
    FOriginY = OriginFor(FIcon->GetHeight(), FEvenY);
    UpdateTrackBars();
    PaintBoxIcon->update();
}

void TFormWaypointTypeEdit::UpdateControls() {
    const int count = FTypes ? FTypes->GetCount() : 0;
    const bool several = count > 1;
    PanelInformation->setVisible(several);
    LabelInformation->setText(QString::number(count) + u' ' + LanguageText(T::TypesSelected));
    for (QWidget *w : std::initializer_list<QWidget *>{EditTypeName, ButtonOpenIcon, ButtonFlipH, ButtonFlipV, ButtonReset,
                                                       ButtonOpenOverlay, CheckDrawOverlay, TrackBarIconOriginX,
                                                       TrackBarIconOriginY})
        w->setEnabled(!several);
    int32_t colour = -1;
    ButtonTransparent->setEnabled(!several && FIcon && TransparentColor(FIcon, colour));
    const std::pair<QLabel *, int> samples[] = {{LabelMainSample, FontMainText}, {LabelSubSample, FontSubtext}};
    for (const auto &[label, which] : samples) {
        if (FDiffering & (1 << which))
            label->setText(QStringLiteral("..."));
        else
            TFormWaypointTypeEditFont::ShowSample(label, FFonts[size_t(which)]);
    }
    PaintBoxIcon->update();
    PaintBoxOverlay->update();
}

// ---- Images -----------------------------------------------------------------------------

void TFormWaypointTypeEdit::OpenIcon() {
    QString file, folder;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FileIcons"), QString(), file);
    const QString defaultFolder = ProgInfoGetProgDir() + QStringLiteral("Icons/");
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FolderIcons"), defaultFolder, folder);
    if (!TFormImageBrowser::Execute(file, defaultFolder, folder, this)) return;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FileIcons"), file, err);
    RegWriteString(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FolderIcons"),
                   QFileInfo(file).absolutePath() + u'/', err);
    TakeIcon(file);
}

void TFormWaypointTypeEdit::OpenOverlay() {
    QString file, folder;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FileOverlays"), QString(), file);
    const QString defaultFolder = ProgInfoGetProgDir() + QStringLiteral("Overlays/");
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FolderOverlays"), defaultFolder, folder);
    if (!TFormImageBrowser::Execute(file, defaultFolder, folder, this)) return;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FileOverlays"), file, err);
    RegWriteString(GetAppReg(), AppRegRoot::Product, BrowserKey, RegName(u"FolderOverlays"),
                   QFileInfo(file).absolutePath() + u'/', err);
    TakeOverlay(file);
}

bool TFormWaypointTypeEdit::TakeIcon(const QString &file) {
    TBmpPtr icon(LoadImage(file, 64));
    if (!icon) return false;
    int32_t colour = -1;
    if (TransparentColor(icon.get(), colour)) {
        TBmpPtr copy(CopyOf(icon.get()));
        if (TFormWaypointTypeEditTransparent::Execute(copy.get(), colour, this) && colour >= 0)
            icon->SetColorAlpha(0, 255, uint32_t(colour));
    }
    ObjectDelete(FIcon);
    FIcon = icon.release();
    UpdateEven();
    ResetOrigin();
    UpdateControls();
    return true;
}

bool TFormWaypointTypeEdit::TakeOverlay(const QString &file) {
    TBmpPtr overlay(LoadImage(file, 16));
    if (!overlay) return false;
    ObjectDelete(FOverlay);
    FOverlay = overlay.release();
    UpdateEven();
    UpdateControls();
    return true;
}

void TFormWaypointTypeEdit::EditFont(int which) {
    TTypeFont font = FFonts[size_t(which)];
    hide();
    const bool ok = TFormWaypointTypeEditFont::Execute(font, this);
    show();
    if (!ok) return;
    FFonts[size_t(which)] = font;
    FDiffering = uint8_t(FDiffering & ~(1 << which));
    UpdateControls();
}

void TFormWaypointTypeEdit::PaintIcon() {
    QPainter p(PaintBoxIcon);
    PaintCheckerboard(p, PaintBoxIcon->rect());
    if (!FIcon) return;
    TBmpPtr shown(CopyOf(FIcon));
    if (FDrawOverlay && FOverlay) {
        DrawIconOverlay(shown.get(), FOverlay, TFloat2{FOriginX, FOriginY});
    } else {
        // The origin's row and column as a cross of opaque black pixels.
        const int ox = int(FOriginX), oy = int(FOriginY);
        for (int32_t y = 0; y < shown->GetHeight(); ++y) {
            uint8_t *row = shown->GetRow(y);
            for (int32_t x = 0; x < shown->GetWidth(); ++x)
                if (x == ox || y == oy) {
                    uint8_t *px = row + 4 * x;
                    px[0] = px[1] = px[2] = 0;
                    px[3] = 255;
                }
        }
    }
    const QImage image = Bmp32ToImage(shown.get());
    p.drawImage((PaintBoxIcon->width() - image.width()) / 2, (PaintBoxIcon->height() - image.height()) / 2, image);
}

bool TFormWaypointTypeEdit::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::Paint && watched == PaintBoxIcon) {
        PaintIcon();
        return true;
    }
    if (e->type() == QEvent::Paint && watched == PaintBoxOverlay) {
        QPainter p(PaintBoxOverlay);
        p.fillRect(PaintBoxOverlay->rect(), Qt::white);
        if (FOverlay) p.drawImage(0, 0, Bmp32ToImage(FOverlay));
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

// ---- OK ---------------------------------------------------------------------------------

bool TFormWaypointTypeEdit::WriteFonts(IWptWaypointType *type) {
    for (int which = 0; which < 3; ++which) {
        if (FDiffering & (1 << which)) continue;
        if (const int32_t err = WriteFont(type, which, FFonts[size_t(which)])) {
            MsgBox(LanguageText(T::FontFailed).arg(ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
            return false;
        }
    }
    return true;
}

bool TFormWaypointTypeEdit::WriteOne(IWptWaypointType *type) {
    if (EditTypeName->text() != WptObjectGetName(type)) {
        int32_t err = 0;
        WptObjectSetName(type, EditTypeName->text(), err);
        if (err != 0) {
            MsgBox(LanguageText(T::NameFailed).arg(EditTypeName->text(), ErrorToStrA(err)), mtError, MsgButtons({mbOK}));
            return false;
        }
    }
    type->SetIcons(FIcon, FOverlay, FDrawOverlay, FOriginX, FOriginY);
    return WriteFonts(type);
}

bool TFormWaypointTypeEdit::WriteValues() {
    if (FNew && !FCreated) {
        int32_t err = 0;
        FCreated = WptDatabaseNewType(FDatabase, FIcon, FOverlay, FDrawOverlay, FOriginX, FOriginY,
                                      LabelStyle(FFonts[FontMainText]), LabelStyle(FFonts[FontLightChar]),
                                      LabelStyle(FFonts[FontSubtext]), err);
        if (!FCreated || err != 0) {
            FCreated = nullptr;
            MsgBox(LanguageText(T::CreateFailed).arg(ErrorToStrA(err ? err : KvErr::Failed)), mtError, MsgButtons({mbOK}));
            return false;
        }
        if (FTypes) FTypes->Add(FCreated);
    }
    if (FCreated) return WriteOne(FCreated);
    const QList<IWptWaypointType *> types = TypesOf(FTypes);
    if (types.size() == 1) return WriteOne(types.front());
    for (int i = int(types.size()) - 1; i >= 0; --i)
        if (!WriteFonts(types[i])) return false;
    return true;
}

void TFormWaypointTypeEdit::done(int result) {
    if (result == QDialog::Accepted && !WriteValues()) return;
    QDialog::done(result);
}

TFormWaypointTypeEdit::TPrompter TFormWaypointTypeEdit::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormWaypointTypeEdit::Execute(IWptDatabase *database, IWptWaypointTypeList *types, uint8_t mode, QWidget *owner) {
    if (!database) return false;
    TFormWaypointTypeEdit form(database, types, mode, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    return result == QDialog::Accepted;
}
