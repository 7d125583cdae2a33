#include "exchange/FraDownloadProperties.h"

#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDownloadPropertiesTexts.h"
#include "routes/FrmWaypointEditType.h"
#include "shell/MarivoImages.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DownloadPropertiesText;

namespace {

constexpr double DefaultRadiusM = 50.0;

QLabel *Bold(const TLanguageStrings &text, QWidget *parent) {
    auto *label = new QLabel(LanguageText(text), parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

TFrameDownloadProperties::TFrameDownloadProperties(QWidget *owner, IWptDatabase *database)
    : TFrameScaled(owner), FDatabase(database),
      FWaypointType(database->GetManager()->GetDefaultWaypointType()) {
    setObjectName(QStringLiteral("FrameDownloadProperties"));
    BuildLayout();
    NightScreenAddImage(NightScreen(), ImageInformation);
    FillGroups();
    UpdateTypeLabel();
    UpdateEnabled();
    EditRadius->SetValue(RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"),
                                          RegName(u"DefaultRadius"), DefaultRadiusM));
    ScaleToScreen();
}

TFrameDownloadProperties::~TFrameDownloadProperties() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFrameDownloadProperties::BuildLayout() {
    resize(480, 340);
    auto *layout = new QVBoxLayout(this);
    auto *info = new QHBoxLayout;
    ImageInformation = new QLabel(this);
    ImageInformation->setPixmap(MsgIconLoad(2, false, 32));
    ImageInformation->setFixedSize(32, 32);
    LabelInformation = new QLabel(LanguageText(SInformation), this);
    LabelInformation->setWordWrap(true);
    info->addWidget(ImageInformation);
    info->addWidget(LabelInformation, 1);
    layout->addLayout(info);

    LabelWaypointProperties = Bold(SWaypointProperties, this);
    layout->addWidget(LabelWaypointProperties);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(16, 0, 0, 0);
    LabelWaypointType = new QLabel(LanguageText(SType), this);
    PaintBoxIcon = new TPaintBoxEx(this);
    PaintBoxIcon->setFixedSize(24, 24);
    PaintBoxIcon->OnPaint = [this](TPaintBoxEx *box, QPainter &p) {
        DrawBmp32Centered(FWaypointType ? FWaypointType->GetIcon() : nullptr, p, box->rect(), false,
                          0xFFFFFFFF, 0xFFDDDDDD, 3, 0.5f);
    };
    LabelTypeValue = new QLabel(this);
    ButtonType = new QPushButton(LanguageText(SSelectType), this);
    auto *type = new QHBoxLayout;
    type->addWidget(PaintBoxIcon);
    type->addWidget(LabelTypeValue, 1);
    type->addWidget(ButtonType);
    grid->addWidget(LabelWaypointType, 0, 0);
    grid->addLayout(type, 0, 1);
    LabelWaypointGroup = new QLabel(LanguageText(SGroup), this);
    RadioButtonGroupExisting = new QRadioButton(LanguageText(SGroupExisting), this);
    ComboBoxWaypointGroups = new QComboBox(this);
    RadioButtonGroupNew = new QRadioButton(LanguageText(SGroupNew), this);
    EditWaypointGroup = new QLineEdit(this);
    RadioButtonGroupNone = new QRadioButton(LanguageText(SGroupNone), this);
    RadioButtonGroupNone->setChecked(true);
    grid->addWidget(LabelWaypointGroup, 1, 0);
    grid->addWidget(RadioButtonGroupExisting, 1, 1);
    grid->addWidget(ComboBoxWaypointGroups, 2, 1);
    grid->addWidget(RadioButtonGroupNew, 3, 1);
    grid->addWidget(EditWaypointGroup, 4, 1);
    grid->addWidget(RadioButtonGroupNone, 5, 1);
    layout->addLayout(grid);

    LabelRouteProperties = Bold(SRouteProperties, this);
    layout->addWidget(LabelRouteProperties);
    auto *radius = new QGridLayout;
    radius->setContentsMargins(16, 0, 0, 0);
    LabelRadiusInfo = new QLabel(LanguageText(SRadiusInfo), this);
    LabelRadius = new QLabel(LanguageText(SRadius), this);
    EditRadius = new TNumberEdit(this);
    EditRadius->SetEditType(etFloatFixed);
    EditRadius->SetDigits(1);
    EditRadius->SetMin(1.0);
    EditRadius->SetMax(10000.0);
    EditRadius->Step = 1.0;
    LabelRadiusUnit = new QLabel(QStringLiteral("m"), this);
    radius->addWidget(LabelRadiusInfo, 0, 0, 1, 3);
    radius->addWidget(LabelRadius, 1, 0);
    radius->addWidget(EditRadius, 1, 1);
    radius->addWidget(LabelRadiusUnit, 1, 2);
    radius->setColumnStretch(3, 1);
    layout->addLayout(radius);
    layout->addStretch(1);

    for (QRadioButton *b : {RadioButtonGroupExisting, RadioButtonGroupNew, RadioButtonGroupNone})
        connect(b, &QRadioButton::clicked, this, [this] { GroupClicked(); });
    connect(ComboBoxWaypointGroups, &QComboBox::activated, this, [this] {
        FTargetGroup = static_cast<IWptWaypointGroup *>(
            ComboBoxWaypointGroups->currentData().value<void *>());
    });
    connect(ButtonType, &QPushButton::clicked, this, [this] { ButtonTypeClick(); });
}

void TFrameDownloadProperties::FillGroups() {
    ComboBoxWaypointGroups->clear();
    for (int32_t i = 0; i < FDatabase->GetWaypointGroupCount(); ++i) {
        IWptWaypointGroup *g = FDatabase->GetWaypointGroup(i);
        if (g->IsUngrouped() || g->IsReadOnly()) continue;
        ComboBoxWaypointGroups->addItem(WptObjectGetName(g), QVariant::fromValue<void *>(g));
    }
    ComboBoxWaypointGroups->setCurrentIndex(0);
}

void TFrameDownloadProperties::GroupClicked() {
    if (RadioButtonGroupNone->isChecked())
        FTargetGroup = nullptr;
    else if (RadioButtonGroupExisting->isChecked())
        FTargetGroup = static_cast<IWptWaypointGroup *>(
            ComboBoxWaypointGroups->currentData().value<void *>());
    UpdateEnabled();
}

void TFrameDownloadProperties::UpdateEnabled() {
    const bool w = FWaypointPart;
    for (QWidget *c : std::initializer_list<QWidget *>{ButtonType, LabelTypeValue, LabelWaypointProperties,
                                                       LabelWaypointGroup, LabelWaypointType,
                                                       RadioButtonGroupNew, RadioButtonGroupNone})
        c->setEnabled(w);
    RadioButtonGroupExisting->setEnabled(w && ComboBoxWaypointGroups->count() > 0);
    ComboBoxWaypointGroups->setEnabled(w && RadioButtonGroupExisting->isChecked());
    EditWaypointGroup->setEnabled(w && RadioButtonGroupNew->isChecked());
    for (QWidget *c : std::initializer_list<QWidget *>{EditRadius, LabelRadiusUnit, LabelRouteProperties,
                                                       LabelRadius, LabelRadiusInfo})
        c->setEnabled(FRoutePart);
}

void TFrameDownloadProperties::ButtonTypeClick() {
    if (!TFormWaypointEditType::Execute(FWaypointType, FDatabase, 2, this)) return;
    PaintBoxIcon->update();
    UpdateTypeLabel();
}

void TFrameDownloadProperties::UpdateTypeLabel() {
    LabelTypeValue->setText(!FWaypointType || FWaypointType->IsDefault()
                                ? LanguageText(SDefaultType)
                                : WptObjectGetName(FWaypointType));
}

double TFrameDownloadProperties::GetRadius() const { return double(EditRadius->Value()); }

void TFrameDownloadProperties::SetWaypointPartEnabled(bool enabled) {
    if (enabled == FWaypointPart) return;
    FWaypointPart = enabled;
    UpdateEnabled();
}

void TFrameDownloadProperties::SetRoutePartEnabled(bool enabled) {
    if (enabled == FRoutePart) return;
    FRoutePart = enabled;
    UpdateEnabled();
}

bool TFrameDownloadProperties::WantsNewGroup() const { return RadioButtonGroupNew->isChecked(); }

bool TFrameDownloadProperties::Validate() {
    if (!WantsNewGroup()) return true;
    if (EditWaypointGroup->text().isEmpty()) {
        MsgBox(LanguageText(SNoGroupName), mtError, MsgButtons({mbOK}));
        return false;
    }
    return true;
}

IWptWaypointGroup *TFrameDownloadProperties::CreateNewGroup(int32_t &err) {
    err = 0;
    FTargetGroup = FDatabase->NewWaypointGroup(nullptr);
    WptObjectSetName(FTargetGroup, EditWaypointGroup->text(), err);
    return FTargetGroup;
}
