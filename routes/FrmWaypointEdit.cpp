#include "routes/FrmWaypointEdit.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmWaypointDifference.h"
#include "routes/DialogParts.h"
#include "routes/WaypointEditTexts.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtMath>

namespace {

namespace T = WaypointEditText;
constexpr int32_t HelpContext = 13003;

TFormWaypointEdit::TPrompter &Prompter() {
    static TFormWaypointEdit::TPrompter prompter;
    return prompter;
}

QList<IWptWaypoint *> Waypoints(IWptWaypointList *list) {
    QList<IWptWaypoint *> all;
    for (int32_t i = 0; list && i < list->GetCount(); ++i) all << static_cast<IWptWaypoint *>(list->GetItem(i));
    return all;
}

// The shared comparison tells links, proximity, scale, subtexts and types apart; the name
// positions are compared here.
uint8_t Differences(const QList<IWptWaypoint *> &all) {
    const uint32_t shared = WaypointListDifferences(all);
    uint8_t bits = uint8_t(shared & (WaypointDiff::Link | WaypointDiff::Proximity | WaypointDiff::Scale |
                                     WaypointDiff::Subtext));
    if (shared & (2u | 32u)) bits |= WaypointDiff::Type;
    for (IWptWaypoint *w : all)
        if (w->GetNamePosition() != all.front()->GetNamePosition()) bits |= WaypointDiff::NamePosition;
    return bits;
}

QLabel *Picture(QWidget *parent, int type, int size) {
    auto *l = new QLabel(parent);
    l->setPixmap(MsgIconLoad(type, false, size));
    return l;
}

}  // namespace

TFormWaypointEdit::TFormWaypointEdit(IWptWaypointList *waypoints, TMarivoNavEnv &env, QWidget *owner)
    : QDialog(owner), FWaypoints(waypoints), FEnv(env) {
    setObjectName(QStringLiteral("FormWaypointEdit"));
    BuildLayout();
    for (QLabel *l : Pictures()) NightScreenAddImage(NightScreen(), l);
    EditLatitude->SetAngleFormat(env.PositionFormat);
    EditLongitude->SetAngleFormat(env.PositionFormat);
    LoadLanguage();
    LoadValues();
    EditName->setFocus();
}

TFormWaypointEdit::~TFormWaypointEdit() {
    for (QLabel *l : Pictures()) NightScreenRemoveImage(NightScreen(), l);
}

QList<QLabel *> TFormWaypointEdit::Pictures() const {
    return {ImageInformation,    ImageWarning,      ImageHint,        ImageWarningSubName,
            ImageWarningLink,    ImageWarningScale, ImageWarningNamePos};
}

void TFormWaypointEdit::BuildLayout() {
    PanelInformation = NewInfoBand(this, mtInformation, true, ImageInformation, LabelInformation);
    PanelWarning = NewInfoBand(this, mtWarning, true, ImageWarning, LabelWarning);
    ButtonMoreInfo = new QPushButton(PanelWarning);
    static_cast<QHBoxLayout *>(PanelWarning->layout())->addWidget(ButtonMoreInfo);

    auto bold = [this](QLabel *l) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    LabelGeneral = bold(new QLabel(this));
    LabelPosition = bold(new QLabel(this));
    for (QLabel **l : {&LabelName, &LabelSubName, &LabelLink, &LabelScale, &LabelNamePosition, &LabelLatitude,
                       &LabelLongitude})
        *l = new QLabel(this);
    ImageWarningSubName = Picture(this, mtWarning, 16);
    ImageWarningLink = Picture(this, mtWarning, 16);
    ImageWarningScale = Picture(this, mtWarning, 16);
    ImageWarningNamePos = Picture(this, mtWarning, 16);
    EditName = new QLineEdit(this);
    EditSubName = new QLineEdit(this);
    EditLink = new QLineEdit(this);
    EditScale = new TNumberEdit(this);
    EditScale->SetEditType(etFloatFixed);
    EditScale->SetDigits(1);
    EditScale->SetPrecision(7);
    EditLatitude = new TGeoEdit(this);
    EditLatitude->SetGeoEditType(getLat);
    EditLongitude = new TGeoEdit(this);
    EditLongitude->SetGeoEditType(getLong);
    PaintBoxNameOrigin = new QWidget(this);
    PaintBoxNameOrigin->setFixedSize(90, 60);
    PaintBoxNameOrigin->installEventFilter(this);
    ImageHint = Picture(this, mtInformation, 16);
    LabelHint = bold(new QLabel(this));
    QFont small = LabelHint->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    LabelHint->setFont(small);
    LabelHint->setWordWrap(true);

    auto *grid = new QGridLayout;
    grid->addWidget(LabelGeneral, 0, 0, 1, 3);
    const std::pair<QLabel *, QLabel *> rows[] = {{LabelName, nullptr},
                                                  {LabelSubName, ImageWarningSubName},
                                                  {LabelLink, ImageWarningLink},
                                                  {LabelScale, ImageWarningScale}};
    QWidget *edits[] = {EditName, EditSubName, EditLink, EditScale};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(rows[i].first, i + 1, 0);
        if (rows[i].second) grid->addWidget(rows[i].second, i + 1, 1);
        grid->addWidget(edits[i], i + 1, 2);
    }
    auto *picker = new QHBoxLayout;
    picker->addWidget(PaintBoxNameOrigin);
    picker->addWidget(ImageHint, 0, Qt::AlignTop);
    picker->addWidget(LabelHint, 1);
    grid->addWidget(LabelNamePosition, 5, 0, Qt::AlignTop);
    grid->addWidget(ImageWarningNamePos, 5, 1, Qt::AlignTop);
    grid->addLayout(picker, 5, 2);
    grid->addWidget(LabelPosition, 6, 0, 1, 3);
    grid->addWidget(LabelLatitude, 7, 0);
    grid->addWidget(EditLatitude, 7, 2);
    grid->addWidget(LabelLongitude, 8, 0);
    grid->addWidget(EditLongitude, 8, 2);
    grid->setColumnStretch(2, 1);

    ButtonHelp = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PanelInformation);
    main->addLayout(grid);
    main->addWidget(PanelWarning);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(EditLink, &QLineEdit::textEdited, this, [this] { Clear(WaypointDiff::Link); });
    connect(EditSubName, &QLineEdit::textEdited, this, [this] { Clear(WaypointDiff::Subtext); });
    // Only a typed scale counts: passing through the edit writes nothing.
    connect(EditScale, &QLineEdit::textEdited, this, [this] { Clear(WaypointDiff::Scale); });
    connect(ButtonMoreInfo, &QPushButton::clicked, this, [this] { TFormWaypointDifference::Execute(this); });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
}

void TFormWaypointEdit::LoadLanguage() {
    setWindowTitle(LanguageText(T::Caption));
    LabelGeneral->setText(LanguageText(T::General));
    LabelName->setText(LanguageText(T::Name) + u':');
    LabelSubName->setText(LanguageText(T::Subtext) + u':');
    LabelLink->setText(LanguageText(T::Link) + u':');
    LabelScale->setText(LanguageText(T::Scale) + u':');
    LabelNamePosition->setText(LanguageText(T::NamePosition) + u':');
    LabelHint->setText(LanguageText(T::PickerHint));
    LabelPosition->setText(LanguageText(T::Position));
    LabelLatitude->setText(LanguageText(T::Latitude) + u':');
    LabelLongitude->setText(LanguageText(T::Longitude) + u':');
    LabelWarning->setText(LanguageText(T::Differences));
    ButtonMoreInfo->setText(LanguageText(T::MoreInformation));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
}

void TFormWaypointEdit::LoadValues() {
    const QList<IWptWaypoint *> all = Waypoints(FWaypoints);
    if (all.isEmpty()) return;
    IWptWaypoint *first = all.front();
    FDiffering = all.size() < 2 ? 0 : Differences(all);
    if (all.size() < 2) {
        EditLatitude->SetValue(qRadiansToDegrees(first->GetLatitude()));
        EditLongitude->SetValue(qRadiansToDegrees(first->GetLongitude()));
        EditName->setText(WptObjectGetName(first));
    }
    if (!(FDiffering & WaypointDiff::NamePosition)) FNamePosition = first->GetNamePosition();
    if (!(FDiffering & WaypointDiff::Subtext)) EditSubName->setText(WptWaypointGetSubName(first));
    if (!(FDiffering & WaypointDiff::Link)) EditLink->setText(WptWaypointGetLink(first));
    FType = (FDiffering & WaypointDiff::Type) ? nullptr : first->GetType();
    if (!(FDiffering & WaypointDiff::Scale)) EditScale->SetValue(first->GetScale());
    UpdateControls();
}

void TFormWaypointEdit::UpdateControls() {
    const int count = FWaypoints ? FWaypoints->GetCount() : 0;
    const bool single = count < 2;
    PanelInformation->setVisible(!single);
    LabelInformation->setText(QString::number(count) + u' ' + LanguageText(T::WaypointsSelected));
    for (QWidget *w : std::initializer_list<QWidget *>{EditLatitude, EditLongitude, EditName, LabelLatitude,
                                                       LabelLongitude, LabelName, LabelPosition})
        w->setEnabled(single);
    const std::pair<QLabel *, uint8_t> icons[] = {{ImageWarningNamePos, WaypointDiff::NamePosition},
                                                  {ImageWarningSubName, WaypointDiff::Subtext},
                                                  {ImageWarningLink, WaypointDiff::Link},
                                                  {ImageWarningScale, WaypointDiff::Scale}};
    for (const auto &[icon, bit] : icons) {
        // The place stays taken, so the edits do not move when an icon goes.
        QSizePolicy keep = icon->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        icon->setSizePolicy(keep);
        icon->setVisible(!single && (FDiffering & bit));
    }
    PanelWarning->setVisible(!single && FDiffering != 0);
    PaintBoxNameOrigin->update();
}

void TFormWaypointEdit::Clear(uint8_t bit) {
    if (!(FDiffering & bit)) return;
    FDiffering = uint8_t(FDiffering & ~bit);
    UpdateControls();
}

int TFormWaypointEdit::PickerCell(int width, int height, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    const double cw = width / 3.0, ch = height / 3.0;
    const int column = std::min(2, int(x / cw)), row = std::min(2, int(y / ch));
    return row + 3 * column;
}

bool TFormWaypointEdit::eventFilter(QObject *watched, QEvent *e) {
    if (watched == PaintBoxNameOrigin) {
        if (e->type() == QEvent::Paint) {
            QPainter p(PaintBoxNameOrigin);
            IBmp32 *symbol = FType ? FType->GetSymbol() : nullptr;
            DrawNamePositionPicker(p, PaintBoxNameOrigin->width(), PaintBoxNameOrigin->height(),
                                   !(FDiffering & WaypointDiff::NamePosition), font(), FNamePosition, symbol);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            const QPoint pos = static_cast<QMouseEvent *>(e)->position().toPoint();
            // A release outside the picture (after pressing inside) changes nothing.
            const int cell = PickerCell(PaintBoxNameOrigin->width(), PaintBoxNameOrigin->height(), pos.x(), pos.y());
            if (cell < 0) return true;
            FNamePosition = cell;
            FDiffering = uint8_t(FDiffering & ~WaypointDiff::NamePosition);
            UpdateControls();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

// Writes waypoint after waypoint, last first; stops at the first refusal and names it.
bool TFormWaypointEdit::WriteValues() {
    const QList<IWptWaypoint *> all = Waypoints(FWaypoints);
    const bool single = all.size() == 1;
    EditScale->DoExit();
    EditLatitude->DoExit();
    EditLongitude->DoExit();
    for (int i = int(all.size()) - 1; i >= 0; --i) {
        IWptWaypoint *w = all[i];
        const QString name = WptObjectGetName(w);
        const auto check = [&](int32_t err, const TLanguageStrings &property) {
            if (err == 0) return true;
            MsgBox(LanguageText(T::SetFailed).arg(LanguageText(property), name, ErrorToStrA(err)), mtError,
                   MsgButtons({mbOK}));
            return false;
        };
        int32_t err = 0;
        if (single) {
            w->SetLatitude(qDegreesToRadians(EditLatitude->Value()), err);
            if (!check(err, T::PropLatitude)) return false;
            w->SetLongitude(qDegreesToRadians(EditLongitude->Value()), err);
            if (!check(err, T::PropLongitude)) return false;
            WptObjectSetName(w, EditName->text(), err);
            if (!check(err, T::PropName)) return false;
        }
        if (!(FDiffering & WaypointDiff::NamePosition)) {
            w->SetNamePosition(FNamePosition, err);
            if (!check(err, T::PropNamePosition)) return false;
        }
        if (!(FDiffering & WaypointDiff::Subtext)) {
            WptWaypointSetSubName(w, EditSubName->text(), err);
            if (!check(err, T::PropSubtext)) return false;
        }
        if (!(FDiffering & WaypointDiff::Link)) {
            WptWaypointSetLink(w, EditLink->text(), err);
            if (!check(err, T::PropLink)) return false;
        }
        if (!(FDiffering & WaypointDiff::Scale)) {
            w->SetScale(float(EditScale->Value()), err);
            if (!check(err, T::PropScale)) return false;
        }
    }
    return true;
}

void TFormWaypointEdit::done(int result) {
    if (result == QDialog::Accepted && !WriteValues()) return;
    QDialog::done(result);
}

TFormWaypointEdit::TPrompter TFormWaypointEdit::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormWaypointEdit::Execute(IWptWaypointList *waypoints, TMarivoNavEnv &env, QWidget *owner) {
    if (!waypoints || waypoints->GetCount() == 0) return false;
    TFormWaypointEdit form(waypoints, env, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    return result == QDialog::Accepted;
}
