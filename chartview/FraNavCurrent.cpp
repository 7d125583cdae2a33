#include "chartview/FraNavCurrent.h"

#include "base/controls/KvControls.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/texts/KvLanguage.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QCheckBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString Key = QStringLiteral("Desktop\\FloatWindowNavCurrent");
const TLanguageStrings TextVectorColors = {"Vector colors", "Vectorkleuren", "Vektorfarben", "Couleurs des vecteurs",
                                           "Colores de vectores", "Colori dei vettori", "Vektorfarver",
                                           "Vektorf\u00E4rger"};

void Fill(QWidget *w, TColor colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, TColorToColor(colour));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

}  // namespace

TFrameNavCurrent::TFrameNavCurrent(QDockWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FDock(panel, this) {
    setObjectName(QStringLiteral("FrameNavCurrent"));
    BuildLayout();
    // The dock keeps its height after every docking change.
    FDock.OnDockChanged = [this] { UpdatePanelHeight(); };
    {
        const QSignalBlocker block(CheckBoxVectorColors);
        CheckBoxVectorColors->setChecked(
            RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"VectorColors"), true));
    }
    UpdatePanelHeight();
    ApplyUnits();
    ApplyColors();
    UpdateAll();
    ApplyVectorColors();
    UpdateTexts();
}

void TFrameNavCurrent::BuildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    PanelBackground = new QWidget(this);
    outer->addWidget(PanelBackground);
    auto *stack = new QVBoxLayout(PanelBackground);
    stack->setContentsMargins(Border, Border, Border, Border);
    stack->setSpacing(0);
    for (QWidget **detail : {&PanelDetail1, &PanelDetail2, &PanelDetail3}) {
        *detail = new QWidget(PanelBackground);
        (*detail)->setFixedHeight(DetailHeight);
        stack->addWidget(*detail);
    }
    PanelDetail4Header = new QWidget(PanelBackground);
    PanelDetail4Header->setFixedHeight(HeaderHeight);
    stack->addWidget(PanelDetail4Header);
    auto *header = new QHBoxLayout(PanelDetail4Header);
    header->setContentsMargins(4, 0, 4, 0);
    CheckBoxWAKE = new QCheckBox(PanelDetail4Header);
    CheckBoxWAKE->setObjectName(QStringLiteral("CheckBoxWAKE"));
    LabelLEEWAY = new QLabel(QStringLiteral("LEEWAY"), PanelDetail4Header);
    CheckBoxSTREAM = new QCheckBox(PanelDetail4Header);
    CheckBoxSTREAM->setObjectName(QStringLiteral("CheckBoxSTREAM"));
    LabelSTREAM = new QLabel(QStringLiteral("STREAM"), PanelDetail4Header);
    LabelVectorColors = new QLabel(PanelDetail4Header);
    CheckBoxVectorColors = new QCheckBox(PanelDetail4Header);
    CheckBoxVectorColors->setObjectName(QStringLiteral("CheckBoxVectorColors"));
    for (QWidget *w : std::initializer_list<QWidget *>{CheckBoxWAKE, LabelLEEWAY, CheckBoxSTREAM, LabelSTREAM})
        header->addWidget(w);
    header->addStretch();
    header->addWidget(LabelVectorColors);
    header->addWidget(CheckBoxVectorColors);
    // Only the user's clicks act; UpdateAll checks the boxes without a click.
    connect(CheckBoxWAKE, &QCheckBox::clicked, this, [this](bool on) { SwitchClicked(false, on); });
    connect(CheckBoxSTREAM, &QCheckBox::clicked, this, [this](bool on) { SwitchClicked(true, on); });
    connect(CheckBoxVectorColors, &QCheckBox::clicked, this, [this](bool on) {
        int32_t error = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, Key, RegName(u"VectorColors"), on, error);
        ApplyVectorColors();
        UpdateValues(0);
    });
}

void TFrameNavCurrent::UpdateAll() {
    INavBoatState *state = Env.Boat ? Env.Boat->GetState() : nullptr;
    if (!state) return;
    const QSignalBlocker blockWake(CheckBoxWAKE);
    const QSignalBlocker blockStream(CheckBoxSTREAM);
    CheckBoxWAKE->setChecked(!state->GetZeroDrift());
    CheckBoxWAKE->setEnabled(!state->GetDriftFixed());
    CheckBoxSTREAM->setChecked(!state->GetZeroCurrent());
}

void TFrameNavCurrent::SwitchClicked(bool stream, bool checked) {
    INavBoatState *state = Env.Boat ? Env.Boat->GetState() : nullptr;
    if (!state) return;
    if (stream)
        state->SetZeroCurrent(!checked);
    else
        state->SetZeroDrift(!checked);
    RegWriteBoatState(Env.Boat);
    UpdateAll();
    if (OnChange) OnChange(this);
}

void TFrameNavCurrent::UpdateTexts() {
    LabelVectorColors->setText(LanguageText(TextVectorColors));
    UpdateValues(0);
}

void TFrameNavCurrent::ApplyColors() {
    for (QWidget *w : {PanelDetail1, PanelDetail2, PanelDetail3, PanelDetail4Header}) Fill(w, NavPanelHeaderColor);
    Fill(PanelBackground, NavPanelLineColor);
}

void TFrameNavCurrent::UpdatePanelHeight() {
    int h = 2 * Border;
    for (QWidget *w : {PanelDetail1, PanelDetail2, PanelDetail3, PanelDetail4Header})
        if (!w->isHidden()) h += w->maximumHeight();
    FDock.Apply(h * ScreenDpi() / 96);
}
