#include "chartview/FraChartStatus.h"

#include "base/charts/KvCharts.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/ChartNames.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

const TLanguageStrings TextEdition = {"Edition", "Editie", "Ausgabe", "Édition", "Edición", "Edizione", "Udgave", "Utgåva"};
const TLanguageStrings TextName = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings TextUpdated = {"Updated", "Bijgewerkt", "Aktualisiert", "Mis à jour", "Actualizado", "Aggiornato", "Opdateret", "Uppdaterad"};
const TLanguageStrings TextUpgrades = {"Upgrades", "Upgrades", "Upgrades", "Mises à niveau", "Actualizaciones", "Aggiornamenti", "Opgraderinger", "Uppgraderingar"};
const TLanguageStrings TextOrder = {"Order newest edition!", "Bestel nieuwste editie!", "Neueste Ausgabe bestellen!",
                                   "Commandez la dernière édition !", "¡Pida la edición más reciente!",
                                   "Ordina l'edizione più recente!", "Bestil nyeste udgave!", "Beställ senaste utgåvan!"};
const TLanguageStrings TextAvailable = {
    "Newest edition available for installation!", "Nieuwste editie beschikbaar voor installatie!",
    "Neueste Ausgabe zur Installation verfügbar!", "Dernière édition disponible pour l'installation !",
    "¡Edición más reciente disponible para instalar!", "Edizione più recente disponibile per l'installazione!",
    "Nyeste udgave klar til installation!", "Senaste utgåvan finns att installera!"};

QLabel *Caption(QWidget *parent) {
    auto *l = new QLabel(parent);
    QFont f = l->font();
    f.setPixelSize(9);
    f.setBold(true);
    l->setFont(f);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Button);
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return l;
}

QLabel *Value(QWidget *parent, int width) {
    auto *l = new QLabel(QStringLiteral("..."), parent);
    QFont f = l->font();
    f.setPixelSize(11);
    l->setFont(f);
    if (width > 0) {
        l->setFixedWidth(width);
        l->setAlignment(Qt::AlignCenter);
    } else {
        l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    return l;
}

void SetValue(QLabel *label, const QString &text, bool red = false) {
    label->setText(text);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : label->parentWidget()->palette().color(QPalette::WindowText));
    label->setPalette(pal);
}

}  // namespace

TFrameChartStatus::TFrameChartStatus(QDockWidget *panel, IChartManager *manager)
    : TFrameScaled(panel), FPanel(panel), FManager(manager) {
    setObjectName(QStringLiteral("FrameChartStatus"));
    setFixedHeight(17);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PaintBoxChartStatusGrip = new QWidget(this);
    PaintBoxChartStatusGrip->setFixedWidth(9);
    PaintBoxChartStatusGrip->setCursor(Qt::SizeAllCursor);
    LabelChartEdition = Caption(this);
    LabelChartEditionValue = Value(this, 75);
    LabelChartUpdated = Caption(this);
    LabelChartUpdatedValue = Value(this, 175);
    LabelChartUpgrades = Caption(this);
    LabelChartUpgradesValue = Value(this, 0);
    LabelChartName = Caption(this);
    LabelChartNameValue = Value(this, 0);
    LabelChartNameValue->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Names are shown as they are: a label without a buddy takes "&" literally.
    for (QLabel *l : {LabelChartNameValue, LabelChartUpgradesValue}) l->setTextFormat(Qt::PlainText);
    PaintBoxChartStatusClose = new QWidget(this);
    PaintBoxChartStatusClose->setFixedWidth(17);
    for (QWidget *w : {PaintBoxChartStatusGrip, static_cast<QWidget *>(LabelChartEdition), static_cast<QWidget *>(LabelChartEditionValue),
                       static_cast<QWidget *>(LabelChartUpdated), static_cast<QWidget *>(LabelChartUpdatedValue),
                       static_cast<QWidget *>(LabelChartUpgrades), static_cast<QWidget *>(LabelChartUpgradesValue),
                       static_cast<QWidget *>(LabelChartName)})
        layout->addWidget(w);
    layout->addWidget(LabelChartNameValue, 1);
    LabelChartNameValue->setMinimumWidth(0);
    layout->addWidget(PaintBoxChartStatusClose);
    for (QWidget *w : {PaintBoxChartStatusGrip, PaintBoxChartStatusClose, static_cast<QWidget *>(LabelChartUpgradesValue)})
        w->installEventFilter(this);
    RegReadStringDef(GetAppReg(), AppRegRoot::Installation, QString(), RegName(u"WebShopAddress"), QString(),
                     ShopBaseAddress);
    OpenDocument = [this](const QString &url) {
        int32_t err = 0;
        ExecuteDocument(reinterpret_cast<WindowHandle>(winId()), url, 1, err);
    };
    if (FPanel) FPanel->setTitleBarWidget(this);
    UpdateTexts();
}

void TFrameChartStatus::SetChart(IMRCChartCheck *service, IChartCatalogueEntry *entry, IChart *s57Chart) {
    FService = service;
    if (entry == FEntry && s57Chart == FS57Chart) return;
    FEntry = entry;
    FS57Chart = s57Chart;
    UpdateValues();
}

void TFrameChartStatus::UpdateTexts() {
    auto caption = [](const TLanguageStrings &t) { return QStringLiteral("  ") + LanguageText(t) + QStringLiteral("  "); };
    LabelChartEdition->setText(caption(TextEdition));
    LabelChartName->setText(caption(TextName));
    LabelChartUpdated->setText(caption(TextUpdated));
    LabelChartUpgrades->setText(caption(TextUpgrades));
    UpdateValues();
}

bool TFrameChartStatus::EditionState(uint32_t &product, uint32_t &moduleBit) const {
    IChartSet *set = FEntry ? FEntry->GetChartSet() : nullptr;
    if (!set || !FManager) return false;
    const int32_t module = set->GetInfo()->GetKind();
    // Module numbers beyond the mask's 32 bits name no module bit.
    if (module < 0 || module > 31) return false;
    moduleBit = 1u << module;
    for (int32_t p = 0; p < FManager->GetProductCount(); ++p) {
        IChartProduct *owner = FManager->GetProduct(p);
        for (int32_t s = 0; s < owner->GetChartSetCount(); ++s)
            if (owner->GetChartSet(s) == set) {
                product = owner->GetInfo()->GetProductNumber();
                return true;
            }
    }
    return false;
}

void TFrameChartStatus::UpdateValues() {
    FUpgradesLink = false;
    SetValue(LabelChartUpgradesValue, QStringLiteral("  ...  "));
    IRasterChart *raster = FEntry ? FEntry->GetCatalogueObject()->GetRasterChart() : nullptr;
    if (FS57Chart) {
        LabelChartEditionValue->setText(ChartGetEdition(FS57Chart));
        LabelChartNameValue->setText(QStringLiteral("  1:%1, %2").arg(FS57Chart->GetScale()).arg(S57ChartDisplayName(FS57Chart)));
        LabelChartUpdatedValue->setText(FormatDateTime(QStringLiteral("dddddd"), 1, FS57Chart->GetIssueDate()));
    } else if (raster) {
        LabelChartEditionValue->setText(QString::number(raster->GetInfo()->GetEditionNumber()));
        LabelChartNameValue->setText(QStringLiteral("  ") + ChartDisplayNameEx(raster, false));
        const TDateTime updated = raster->GetUpdateInfo()->GetUpdateTime();
        const TDateTime date = updated != 0.0 ? GetLocalDateTime(updated) : FEntry->GetDate();
        // A chart without any date would otherwise show the calendar's day zero.
        LabelChartUpdatedValue->setText(date != 0.0 ? FormatDateTime(QStringLiteral("dddddd"), 1, date) : QStringLiteral("..."));
        uint32_t product = 0, moduleBit = 0;
        int32_t state = 0;
        if (FService && EditionState(product, moduleBit) && FService->GetNewEditionState(product, moduleBit, state)) {
            if (state == 2) {
                FUpgradesLink = true;
                SetValue(LabelChartUpgradesValue, QStringLiteral("  ") + LanguageText(TextOrder) + QStringLiteral("  "), true);
            } else if (state == 1) {
                SetValue(LabelChartUpgradesValue, QStringLiteral("  ") + LanguageText(TextAvailable) + QStringLiteral("  "));
            }
        }
    } else {
        LabelChartEditionValue->setText(QStringLiteral("..."));
        LabelChartUpdatedValue->setText(QStringLiteral("..."));
        LabelChartNameValue->setText(QStringLiteral("  ..."));
    }
    // The labels sized to their texts take their new widths before the strip repaints.
    layout()->activate();
    repaint();
}

void TFrameChartStatus::SetLocked(bool locked) {
    FLocked = locked;
    PaintBoxChartStatusGrip->setVisible(!locked);
}

void TFrameChartStatus::UpgradesClicked() {
    uint32_t product = 0, moduleBit = 0;
    if (!FUpgradesLink || !FEntry || ShopBaseAddress.isEmpty() || !EditionState(product, moduleBit)) return;
    const int32_t language = GetCurrentLanguage();
    const QString lan = language == 2 ? QStringLiteral("nl") : language == 3 ? QStringLiteral("de") : QStringLiteral("en");
    OpenDocument(QStringLiteral("%1/shop/redirect/?lan=%2&pid=%3&mod=%4").arg(ShopBaseAddress, lan).arg(product).arg(moduleBit));
}

void TFrameChartStatus::SetCloseState(int state) {
    FCloseState = state;
    PaintBoxChartStatusClose->update();
}

void TFrameChartStatus::PaintGrip() {
    QPainter p(PaintBoxChartStatusGrip);
    const QRect r = PaintBoxChartStatusGrip->rect();
    p.fillRect(r, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    for (int y = 3; y < r.height() - 3; y += 2) p.drawLine(3, y, r.width() - 4, y);
}

void TFrameChartStatus::PaintClose() {
    QPainter p(PaintBoxChartStatusClose);
    QStyleOptionButton option;
    option.initFrom(PaintBoxChartStatusClose);
    option.rect = PaintBoxChartStatusClose->rect();
    if (FCloseState & 2) option.state |= QStyle::State_MouseOver;
    if (FCloseState & 4) option.state |= QStyle::State_Sunken;
    if (FCloseState & 6) style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p, this);
    const QIcon icon = style()->standardIcon(QStyle::SP_TitleBarCloseButton, &option, this);
    icon.paint(&p, option.rect.adjusted(2, 2, -2, -2));
}

bool TFrameChartStatus::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched == PaintBoxChartStatusGrip) {
        if (type == QEvent::Paint) PaintGrip();
        // A press the grip leaves unaccepted reaches the dock panel, which starts moving.
        if (type == QEvent::MouseButtonPress && FLocked) return true;
        return type == QEvent::Paint;
    }
    if (watched == PaintBoxChartStatusClose) {
        switch (type) {
        case QEvent::Paint: PaintClose(); return true;
        case QEvent::MouseButtonPress: SetCloseState(7); return true;
        case QEvent::Enter: SetCloseState(FCloseState & 2 ? 7 : 3); break;
        case QEvent::Leave: SetCloseState(FCloseState & 4 ? 3 : 1); break;
        case QEvent::MouseButtonRelease: {
            SetCloseState(1);
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (PaintBoxChartStatusClose->rect().contains(mouse->position().toPoint()) && FPanel) {
                FPanel->hide();
                if (OnClose) OnClose(this);
            }
            return true;
        }
        default: break;
        }
        return false;
    }
    if (watched == LabelChartUpgradesValue) {
        if (type == QEvent::Enter && FUpgradesLink) LabelChartUpgradesValue->setCursor(Qt::PointingHandCursor);
        if (type == QEvent::Leave) LabelChartUpgradesValue->unsetCursor();
        if (type == QEvent::MouseButtonRelease) UpgradesClicked();
    }
    return false;
}
