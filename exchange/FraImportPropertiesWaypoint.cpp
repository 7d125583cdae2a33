#include "exchange/FraImportPropertiesWaypoint.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraImportPropertiesTexts.h"
#include "exchange/FraImportShared.h"
#include "routes/FrmWaypointEditType.h"
#include "shell/MarivoImages.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace ImportPropertiesText;

namespace {

// The chosen type's icon on a checkerboard.
class TIconBox : public QWidget {
public:
    TIconBox(IWptWaypointType *const &type, QWidget *parent) : QWidget(parent), FType(type) {
        setFixedSize(40, 40);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        DrawBmp32Centered(FType ? FType->GetIcon() : nullptr, p, rect(), false, 0xFFDDDDDDu, 0xFFFFFFFFu, 3,
                          0.5f);
    }

private:
    IWptWaypointType *const &FType;
};


}  // namespace

TFrameImportPropertiesWaypoint::TFrameImportPropertiesWaypoint(IWptDatabase *database, QWidget *owner)
    : TFrameScaled(owner), FDatabase(database) {
    if (IWptManager *m = database ? database->GetManager() : nullptr) FType = m->GetDefaultWaypointType();
    auto *layout = new QVBoxLayout(this);
    FLabelInformation = new QLabel(this);
    layout->addWidget(FLabelInformation);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);

    FLabelType = ImportBoldLabel(this);
    grid->addWidget(FLabelType, 0, 0, 1, 4);
    TypeExisting = new QRadioButton(this);
    TypeData = new QRadioButton(this);
    TypeExisting->setChecked(true);
    ButtonType = new QPushButton(this);
    FIcon = new TIconBox(FType, this);
    LabelTypeValue = new QLabel(this);
    grid->addWidget(TypeExisting, 1, 0);
    grid->addWidget(ButtonType, 1, 1);
    grid->addWidget(FIcon, 1, 2);
    grid->addWidget(LabelTypeValue, 1, 3);
    grid->addWidget(TypeData, 2, 0, 1, 4);
    auto *types = new QButtonGroup(this);
    for (QRadioButton *b : {TypeExisting, TypeData}) {
        types->addButton(b);
        connect(b, &QRadioButton::toggled, this, [this] {
            UpdateControls();
            ShowType();
        });
    }
    connect(ButtonType, &QPushButton::clicked, this, &TFrameImportPropertiesWaypoint::OnTypeClicked);

    FLabelProximity = ImportBoldLabel(this);
    grid->addWidget(FLabelProximity, 3, 0, 1, 4);
    ProxNone = new QRadioButton(this);
    ProxNew = new QRadioButton(this);
    ProxData = new QRadioButton(this);
    ProxNone->setChecked(true);
    EditProximity = new TNumberEdit(this);
    EditProximity->SetEditType(etIntDecimal);
    EditProximity->SetMin(0);
    EditProximity->SetMax(10000);
    EditProximity->Step = 1;
    FLabelUnit = new QLabel(QStringLiteral("m"), this);
    grid->addWidget(ProxNone, 4, 0, 1, 4);
    grid->addWidget(ProxNew, 5, 0);
    grid->addWidget(EditProximity, 5, 1);
    grid->addWidget(FLabelUnit, 5, 2);
    grid->addWidget(ProxData, 6, 0, 1, 4);
    auto *prox = new QButtonGroup(this);
    for (QRadioButton *b : {ProxNone, ProxNew, ProxData}) {
        prox->addButton(b);
        connect(b, &QRadioButton::toggled, this, [this] { UpdateControls(); });
    }

    FLabelGroup = ImportBoldLabel(this);
    grid->addWidget(FLabelGroup, 7, 0, 1, 4);
    GroupData = new QRadioButton(this);
    GroupNew = new QRadioButton(this);
    GroupExisting = new QRadioButton(this);
    GroupNone = new QRadioButton(this);
    GroupNone->setChecked(true);
    EditGroup = new QLineEdit(this);
    ComboGroups = new QComboBox(this);
    grid->addWidget(GroupData, 8, 0, 1, 4);
    grid->addWidget(GroupNew, 9, 0);
    grid->addWidget(EditGroup, 9, 1, 1, 3);
    grid->addWidget(GroupExisting, 10, 0);
    grid->addWidget(ComboGroups, 10, 1, 1, 3);
    grid->addWidget(GroupNone, 11, 0, 1, 4);
    auto *groups = new QButtonGroup(this);
    for (QRadioButton *b : {GroupData, GroupNew, GroupExisting, GroupNone}) {
        groups->addButton(b);
        connect(b, &QRadioButton::toggled, this, [this] { UpdateControls(); });
    }
    grid->setColumnStretch(3, 1);
    layout->addStretch(1);

    UpdateTexts();
    FillGroups();
    UpdateControls();
    ShowType();
    ScaleToScreen();
}

TFrameImportPropertiesWaypoint::~TFrameImportPropertiesWaypoint() = default;

void TFrameImportPropertiesWaypoint::UpdateTexts() {
    ButtonType->setText(LanguageText(SSelectType));
    FLabelInformation->setText(LanguageText(SWaypointInformation));
    FLabelProximity->setText(LanguageText(SProximity));
    FLabelGroup->setText(LanguageText(SGroup));
    FLabelType->setText(LanguageText(SType));
    GroupExisting->setText(LanguageText(SGroupExisting));
    GroupNew->setText(LanguageText(SGroupNew));
    GroupNone->setText(LanguageText(SGroupNone));
    GroupData->setText(LanguageText(SGroupData));
    ProxNew->setText(LanguageText(SProxNew));
    ProxNone->setText(LanguageText(SProxNone));
    ProxData->setText(LanguageText(SProxData));
    TypeExisting->setText(LanguageText(STypeExisting));
    TypeData->setText(LanguageText(STypeData));
    setWindowTitle(LanguageText(SWaypoints));
}

void TFrameImportPropertiesWaypoint::FillGroups() {
    ComboGroups->clear();
    if (!FDatabase) return;
    for (int32_t i = 0; i < FDatabase->GetWaypointGroupCount(); ++i) {
        IWptWaypointGroup *g = FDatabase->GetWaypointGroup(i);
        if (g->IsUngrouped() || g->IsReadOnly()) continue;
        ComboGroups->addItem(WptObjectGetName(g), QVariant::fromValue(static_cast<void *>(g)));
    }
    ComboGroups->setCurrentIndex(ComboGroups->count() > 0 ? 0 : -1);
}

void TFrameImportPropertiesWaypoint::UpdateControls() {
    ButtonType->setEnabled(TypeExisting->isChecked());
    LabelTypeValue->setEnabled(TypeExisting->isChecked());
    ComboGroups->setEnabled(GroupExisting->isChecked());
    EditGroup->setEnabled(GroupNew->isChecked());
    EditProximity->setEnabled(ProxNew->isChecked());
    FLabelUnit->setEnabled(ProxNew->isChecked());
    GroupExisting->setEnabled(ComboGroups->count() > 0);
}

void TFrameImportPropertiesWaypoint::ShowType() {
    FIcon->update();
    if (!FType) {
        LabelTypeValue->clear();
        return;
    }
    const QString name = FType->IsDefault() ? LanguageText(SDefaultType) : WptObjectGetName(FType);
    LabelTypeValue->setText(name);
    LabelTypeValue->setToolTip(name);
}

void TFrameImportPropertiesWaypoint::OnTypeClicked() {
    if (TFormWaypointEditType::Execute(FType, FDatabase, 2, this)) ShowType();
}

void TFrameImportPropertiesWaypoint::SetGroupDataAvailable(bool available) { GroupData->setEnabled(available); }
void TFrameImportPropertiesWaypoint::SetProximityDataAvailable(bool available) { ProxData->setEnabled(available); }
void TFrameImportPropertiesWaypoint::SetTypeDataAvailable(bool available) { TypeData->setEnabled(available); }

IWptWaypointGroup *TFrameImportPropertiesWaypoint::ChosenGroup() const {
    if (!GroupExisting->isChecked() || ComboGroups->currentIndex() < 0) return nullptr;
    return static_cast<IWptWaypointGroup *>(ComboGroups->currentData().value<void *>());
}

bool TFrameImportPropertiesWaypoint::Validate() {
    // A name of blanks would silently give no group at all.
    if (!GroupNew->isChecked() || !EditGroup->text().trimmed().isEmpty()) return true;
    MsgBox(LanguageText(SNoGroupName), mtError, MsgButtons({mbOK}));
    return false;
}

void TFrameImportPropertiesWaypoint::Apply(std::vector<TPointData> &items) const {
    IWptWaypointGroup *group = ChosenGroup();
    const QString newGroup = EditGroup->text().trimmed();
    for (TPointData &item : items) {
        if (GroupNone->isChecked()) {
            item.GroupName.clear();
            item.GroupGUID = TGUID{};
        } else if (GroupNew->isChecked()) {
            item.GroupName = newGroup;
            item.GroupGUID = TGUID{};
        } else if (GroupExisting->isChecked() && group) {
            item.GroupName = WptObjectGetName(group);
            item.GroupGUID = *group->GetGUID();
        } else {
            item.GroupGUID = TGUID{};
        }
        if (TypeExisting->isChecked() && FType) {
            item.TypeName = WptObjectGetName(FType);
            item.DefaultType = FType->IsDefault();
            item.TypeGUID = *FType->GetGUID();
        } else {
            item.TypeGUID = TGUID{};
            item.DefaultType = false;
        }
        if (ProxNone->isChecked()) item.ProximityM = 0.0;
        else if (ProxNew->isChecked()) item.ProximityM = double(EditProximity->GetIntValue());
    }
}
