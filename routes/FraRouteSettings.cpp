#include "routes/FraRouteSettings.h"

#include "base/controls/KvCalendarEx.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/settings/KvRegBoat.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FrmRouteSettingsDefault.h"
#include "routes/FrmSettingsShip.h"
#include "routes/RouteSettingsTexts.h"
#include "routes/WaterBodyList.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvUnits.h>

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

namespace Txt {
const TLanguageStrings RouteName = {"Route name", "Routenaam", "Routenname", "Nom de l'itinéraire",
                                    "Nombre de la ruta", "Nome della rotta", "Rutens navn", "Ruttens namn"};
const TLanguageStrings RouteGroup = {"Route group", "Routegroep", "Routengruppe", "Groupe d'itinéraires",
                                     "Grupo de rutas", "Gruppo di rotte", "Rutegruppe", "Ruttgrupp"};
const TLanguageStrings Ungrouped = {"<Ungrouped>", "<Niet gegroepeerd>", "<Ohne Gruppe>", "<Sans groupe>",
                                    "<Sin grupo>", "<Senza gruppo>", "<Uden gruppe>", "<Utan grupp>"};
const TLanguageStrings StartDate = {"Start date and time of the route", "Startdatum en -tijd van de route",
                                    "Startdatum und -zeit der Route", "Date et heure de départ de l'itinéraire",
                                    "Fecha y hora de salida de la ruta", "Data e ora di partenza della rotta",
                                    "Rutens startdato og -tidspunkt", "Ruttens startdatum och -tid"};
const TLanguageStrings DayEarlier = {"A day earlier", "Een dag eerder", "Einen Tag früher", "Un jour plus tôt",
                                     "Un día antes", "Un giorno prima", "En dag tidligere", "En dag tidigare"};
const TLanguageStrings DayLater = {"A day later", "Een dag later", "Einen Tag später", "Un jour plus tard",
                                   "Un día después", "Un giorno dopo", "En dag senere", "En dag senare"};
const TLanguageStrings HourEarlier = {"An hour earlier", "Een uur eerder", "Eine Stunde früher",
                                      "Une heure plus tôt", "Una hora antes", "Un'ora prima", "En time tidligere",
                                      "En timme tidigare"};
const TLanguageStrings HourLater = {"An hour later", "Een uur later", "Eine Stunde später", "Une heure plus tard",
                                    "Una hora después", "Un'ora dopo", "En time senere", "En timme senare"};
const TLanguageStrings Now = {"Now", "Nu", "Jetzt", "Maintenant", "Ahora", "Adesso", "Nu", "Nu"};
const TLanguageStrings LinkShip = {"Modify the properties of your ship.", "Wijzig de eigenschappen van uw schip.",
                                   "Eigenschaften Ihres Schiffes ändern.", "Modifier les propriétés de votre bateau.",
                                   "Modificar las propiedades de su barco.",
                                   "Modifica le proprietà della tua imbarcazione.",
                                   "Rediger dit skibs egenskaber.", "Ändra båtens egenskaper."};
const TLanguageStrings LinkDefaults = {"Modify default route settings.", "Wijzig de standaard route-instellingen.",
                                       "Standard-Routeneinstellungen ändern.",
                                       "Modifier les paramètres d'itinéraire par défaut.",
                                       "Modificar los ajustes de ruta predeterminados.",
                                       "Modifica le impostazioni di rotta predefinite.",
                                       "Rediger standardindstillingerne for ruter.",
                                       "Ändra standardinställningarna för rutter."};
const TLanguageStrings ErrName = {"Error changing the route name.", "Fout bij het wijzigen van de routenaam.",
                                  "Fehler beim Ändern des Routennamens.",
                                  "Erreur lors de la modification du nom de l'itinéraire.",
                                  "Error al cambiar el nombre de la ruta.",
                                  "Errore durante la modifica del nome della rotta.",
                                  "Fejl ved ændring af rutens navn.", "Fel vid ändring av ruttens namn."};
const TLanguageStrings ErrGroup = {"Error changing the group for this route.",
                                   "Fout bij het wijzigen van de groep van deze route.",
                                   "Fehler beim Ändern der Gruppe dieser Route.",
                                   "Erreur lors de la modification du groupe de cet itinéraire.",
                                   "Error al cambiar el grupo de esta ruta.",
                                   "Errore durante la modifica del gruppo di questa rotta.",
                                   "Fejl ved ændring af gruppen for denne rute.",
                                   "Fel vid ändring av gruppen för denna rutt."};
const TLanguageStrings ErrStart = {"Error changing the start date and time for the route.",
                                   "Fout bij het wijzigen van de startdatum en -tijd van de route.",
                                   "Fehler beim Ändern von Startdatum und -zeit der Route.",
                                   "Erreur lors de la modification de la date et de l'heure de départ.",
                                   "Error al cambiar la fecha y hora de salida de la ruta.",
                                   "Errore durante la modifica della data e ora di partenza della rotta.",
                                   "Fejl ved ændring af rutens startdato og -tidspunkt.",
                                   "Fel vid ändring av ruttens startdatum och -tid."};
const TLanguageStrings ErrNetwork = {"Error changing the waterway network to show.",
                                     "Fout bij het wijzigen van het te tonen vaarwegennet.",
                                     "Fehler beim Ändern des anzuzeigenden Wasserstraßennetzes.",
                                     "Erreur lors de la modification du réseau navigable à afficher.",
                                     "Error al cambiar la red de vías navegables que se muestra.",
                                     "Errore durante la modifica della rete navigabile da mostrare.",
                                     "Fejl ved ændring af det viste vandvejsnet.",
                                     "Fel vid ändring av farledsnätet som visas."};
const TLanguageStrings ErrSpeed = {"Error changing the used speed while motoring.",
                                   "Fout bij het wijzigen van de snelheid op de motor.",
                                   "Fehler beim Ändern der Geschwindigkeit unter Motor.",
                                   "Erreur lors de la modification de la vitesse au moteur.",
                                   "Error al cambiar la velocidad a motor.",
                                   "Errore durante la modifica della velocità a motore.",
                                   "Fejl ved ændring af farten for motor.",
                                   "Fel vid ändring av farten för motor."};
}  // namespace Txt

constexpr int FirstYear = 2010, LastYear = 2100;

QToolButton *ArrowButton(QWidget *parent, Qt::ArrowType arrow) {
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

// ---- TStartTimeSpin ------------------------------------------------------------------------

TStartTimeSpin::TStartTimeSpin(int min, int max, QWidget *parent) : QSpinBox(parent) {
    setRange(min, max);
    setWrapping(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    connect(this, &QAbstractSpinBox::editingFinished, this, &TStartTimeSpin::Typed);
}

void TStartTimeSpin::stepBy(int steps) {
    QSpinBox::stepBy(steps);
    emit Stepped();
}

void TStartTimeSpin::keyPressEvent(QKeyEvent *event) {
    QSpinBox::keyPressEvent(event);
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) emit Edited();
}

void TStartTimeSpin::keyReleaseEvent(QKeyEvent *event) {
    QSpinBox::keyReleaseEvent(event);
    // Arrow keys step (and report that); Enter already finished the editing. A number still
    // being typed ("2" of a year) is no value yet.
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
        key == Qt::Key_Return || key == Qt::Key_Enter || event->isAutoRepeat() || !hasAcceptableInput())
        return;
    emit Typed();
}

// ---- TFrameRouteSettings ----------------------------------------------------------------------

TFrameRouteSettings::TFrameRouteSettings(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), FEnv(env), FPanel(panel) {
    setObjectName(QStringLiteral("FrameRouteSettings"));
    PageControl = new QTabWidget(this);
    PageControl->addTab(BuildGeneralPage(), QString());
    PageControl->addTab(BuildPlannerPage(), QString());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(PageControl);
    UpdateTexts();
    Reload();
    UpdateEnabled();
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Subscribe(&TFrameRouteSettings::Notify, this);
    ScaleToScreen();
}

TFrameRouteSettings::~TFrameRouteSettings() {
    if (FEnv.CoreEnv) FEnv.CoreEnv->GetDispatcher()->Unsubscribe(&TFrameRouteSettings::Notify, this);
}

QLabel *TFrameRouteSettings::Link(QWidget *parent, bool ship, bool plannerPage) {
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    label->setWordWrap(true);
    connect(label, &QLabel::linkActivated, this, [this, ship, plannerPage] {
        if (ship)
            ShipLinkClicked();
        else
            DefaultsLinkClicked(plannerPage);
    });
    return label;
}

QWidget *TFrameRouteSettings::BuildGeneralPage() {
    auto *page = new QWidget(PageControl);
    auto *column = new QVBoxLayout(page);
    LabelRouteName = new QLabel(page);
    EditRouteName = new QLineEdit(page);
    LabelRouteGroup = new QLabel(page);
    ComboRouteGroup = new QComboBox(page);
    ComboRouteGroup->setEditable(true);
    ComboRouteGroup->setInsertPolicy(QComboBox::NoInsert);
    LabelStartDate = new QLabel(page);
    EditStartDateDay = new TStartTimeSpin(1, 31, page);
    EditStartDateMonth = new TStartTimeSpin(1, 12, page);
    EditStartDateYear = new TStartTimeSpin(FirstYear, LastYear, page);
    EditStartTimeHour = new TStartTimeSpin(0, 23, page);
    EditStartTimeMinute = new TStartTimeSpin(0, 59, page);
    PngImageButtonPrevDay = ArrowButton(page, Qt::LeftArrow);
    PngImageButtonNextDay = ArrowButton(page, Qt::RightArrow);
    PngImageButtonPrevHour = ArrowButton(page, Qt::LeftArrow);
    PngImageButtonNextHour = ArrowButton(page, Qt::RightArrow);
    ButtonNow = new QPushButton(page);
    for (QWidget *w : std::initializer_list<QWidget *>{LabelRouteName, EditRouteName, LabelRouteGroup,
                                                       ComboRouteGroup, LabelStartDate})
        column->addWidget(w);
    auto *date = new QHBoxLayout;
    date->addWidget(PngImageButtonPrevDay);
    date->addWidget(EditStartDateDay);
    date->addWidget(new QLabel(QStringLiteral("-"), page));
    date->addWidget(EditStartDateMonth);
    date->addWidget(new QLabel(QStringLiteral("-"), page));
    date->addWidget(EditStartDateYear);
    date->addWidget(PngImageButtonNextDay);
    date->addStretch(1);
    column->addLayout(date);
    auto *time = new QHBoxLayout;
    time->addWidget(PngImageButtonPrevHour);
    time->addWidget(EditStartTimeHour);
    time->addWidget(new QLabel(QStringLiteral(":"), page));
    time->addWidget(EditStartTimeMinute);
    time->addWidget(PngImageButtonNextHour);
    time->addWidget(ButtonNow);
    time->addStretch(1);
    column->addLayout(time);
    column->addSpacing(8);
    LabelShowPropertiesShip = Link(page, true, false);
    LabelShowDefaultRouteSettings = Link(page, false, false);
    column->addWidget(LabelShowPropertiesShip);
    column->addWidget(LabelShowDefaultRouteSettings);
    column->addStretch(1);

    connect(EditRouteName, &QLineEdit::textEdited, this, &TFrameRouteSettings::NameEdited);
    connect(ComboRouteGroup, &QComboBox::activated, this, &TFrameRouteSettings::GroupChosen);
    connect(ComboRouteGroup->lineEdit(), &QLineEdit::editingFinished, this, &TFrameRouteSettings::GroupLeft);
    for (TStartTimeSpin *spin : {EditStartDateDay, EditStartDateMonth, EditStartDateYear, EditStartTimeHour,
                                 EditStartTimeMinute}) {
        connect(spin, &TStartTimeSpin::Stepped, this, [this, spin] { ArrowStepped(spin); });
        if (spin != EditStartDateMonth) connect(spin, &TStartTimeSpin::Typed, this, [this] { ApplyStartTime(); });
    }
    connect(EditStartDateMonth, &TStartTimeSpin::Typed, this, &TFrameRouteSettings::MonthTyped);
    connect(EditStartDateYear, &TStartTimeSpin::Edited, this, [this] { FYearChanged = true; });
    connect(PngImageButtonPrevDay, &QToolButton::clicked, this, [this] { ShiftStartTime(-1.0); });
    connect(PngImageButtonNextDay, &QToolButton::clicked, this, [this] { ShiftStartTime(1.0); });
    connect(PngImageButtonPrevHour, &QToolButton::clicked, this, [this] { ShiftStartTime(-1.0 / 24.0); });
    connect(PngImageButtonNextHour, &QToolButton::clicked, this, [this] { ShiftStartTime(1.0 / 24.0); });
    connect(ButtonNow, &QPushButton::clicked, this, &TFrameRouteSettings::Now);
    return page;
}

QWidget *TFrameRouteSettings::BuildPlannerPage() {
    auto *page = new QWidget(PageControl);
    auto *column = new QVBoxLayout(page);
    CheckListBoxWaterBodies = new QListWidget(page);
    column->addWidget(CheckListBoxWaterBodies, 1);
    auto *speeds = new QGroupBox(page);
    auto *radios = new QVBoxLayout(speeds);
    RadioButtonSpeedHigh = new QRadioButton(speeds);
    RadioButtonSpeedCruising = new QRadioButton(speeds);
    RadioButtonSpeedLow = new QRadioButton(speeds);
    radios->addWidget(RadioButtonSpeedHigh);
    radios->addWidget(RadioButtonSpeedCruising);
    radios->addWidget(RadioButtonSpeedLow);
    column->addWidget(speeds);
    LabelShowPropertiesShipP = Link(page, true, true);
    LabelShowDefaultRouteSettingsP = Link(page, false, true);
    column->addWidget(LabelShowPropertiesShipP);
    column->addWidget(LabelShowDefaultRouteSettingsP);
    connect(CheckListBoxWaterBodies, &QListWidget::itemChanged, this, &TFrameRouteSettings::WaterBodyClicked);
    connect(RadioButtonSpeedHigh, &QRadioButton::clicked, this, [this] { SpeedClicked(2); });
    connect(RadioButtonSpeedCruising, &QRadioButton::clicked, this, [this] { SpeedClicked(0); });
    connect(RadioButtonSpeedLow, &QRadioButton::clicked, this, [this] { SpeedClicked(1); });
    return page;
}

void TFrameRouteSettings::UpdateTexts() {
    PageControl->setTabText(PageGeneral, LanguageText(SettingsTextGeneral));
    PageControl->setTabText(PagePlanner, LanguageText(RouteSettingsText::Planner));
    LabelRouteName->setText(ColonCaption(Txt::RouteName));
    LabelRouteGroup->setText(ColonCaption(Txt::RouteGroup));
    LabelStartDate->setText(ColonCaption(Txt::StartDate));
    PngImageButtonPrevDay->setToolTip(LanguageText(Txt::DayEarlier));
    PngImageButtonNextDay->setToolTip(LanguageText(Txt::DayLater));
    PngImageButtonPrevHour->setToolTip(LanguageText(Txt::HourEarlier));
    PngImageButtonNextHour->setToolTip(LanguageText(Txt::HourLater));
    ButtonNow->setText(LanguageText(Txt::Now));
    const QString link = QStringLiteral("<a href=\"#\">%1</a>");
    for (QLabel *l : {LabelShowPropertiesShip, LabelShowPropertiesShipP})
        l->setText(link.arg(LanguageText(Txt::LinkShip).toHtmlEscaped()));
    for (QLabel *l : {LabelShowDefaultRouteSettings, LabelShowDefaultRouteSettingsP})
        l->setText(link.arg(LanguageText(Txt::LinkDefaults).toHtmlEscaped()));
    RadioButtonSpeedHigh->setText(LanguageText(RouteSettingsText::SpeedHigh));
    RadioButtonSpeedCruising->setText(LanguageText(RouteSettingsText::SpeedCruising));
    RadioButtonSpeedLow->setText(LanguageText(RouteSettingsText::SpeedLow));
    FillWaterBodyList(CheckListBoxWaterBodies, FEnv.WaterwayNetwork);
    UpdateLayout();
    ShowRoute();
}

void TFrameRouteSettings::Reload() {
    ShowRoute();
    UpdateTexts();
}

void TFrameRouteSettings::ShowGeneralPage() { PageControl->setCurrentIndex(PageGeneral); }

void TFrameRouteSettings::SetRoute(IWptRoute *route) {
    int32_t index = -1;
    if (FRoute && FEnv.WaypointManager && FEnv.WaypointManager->FindRoute(FRouteGUID, index) &&
        ChosenGroup() != WptRouteGetGroupName(FRoute)) {
        int32_t err = 0;  // a pending group that cannot be written is dropped
        WptRouteSetGroupName(FRoute, ChosenGroup(), err);
    }
    FRoute = route;
    FRouteGUID = route && route->GetGUID() ? *route->GetGUID() : TGUID{};
    UpdateEnabled();
    UpdateLayout();
    ShowRoute();
}

void TFrameRouteSettings::ShowRoute() {
    if (!FRoute) return;
    {
        const QSignalBlocker blocker(EditRouteName);
        EditRouteName->setText(WptObjectGetName(FRoute));
    }
    ShowStartTime();
    ShowWaterBodyMask(CheckListBoxWaterBodies, FRoute->GetWaterBodyMask());
    const int32_t mode = FRoute->GetSpeedMode();
    RadioButtonSpeedLow->setChecked(mode == 1);
    RadioButtonSpeedHigh->setChecked(mode == 2);
    RadioButtonSpeedCruising->setChecked(mode != 1 && mode != 2);
}

// ---- Start date and time -------------------------------------------------------------------

void TFrameRouteSettings::ShowStartTime() {
    const QDateTime local = KvCalendar::ToQDateTime(GetLocalDateTime(FRoute->GetStartTime()));
    const QDate date = local.date();
    FRouteYear = date.year();
    FYearChanged = false;
    const QSignalBlocker b1(EditStartDateDay), b2(EditStartDateMonth), b3(EditStartDateYear),
        b4(EditStartTimeHour), b5(EditStartTimeMinute);
    EditStartDateYear->setValue(std::clamp(date.year(), FirstYear, LastYear));
    EditStartDateMonth->setValue(date.month());
    SetDayMaximum(date.year(), date.month());
    EditStartDateDay->setValue(date.day());
    EditStartTimeHour->setValue(local.time().hour());
    EditStartTimeMinute->setValue(local.time().minute());
}

void TFrameRouteSettings::SetDayMaximum(int year, int month) {
    const int days = QDate(year, month, 1).daysInMonth();
    const QSignalBlocker blocker(EditStartDateDay);
    EditStartDateDay->setMaximum(days > 0 ? days : 31);
}

int TFrameRouteSettings::ShownYear() const { return FYearChanged ? EditStartDateYear->value() : FRouteYear; }

bool TFrameRouteSettings::FieldsLocal(TDateTime &local) const {
    const QDate date(ShownYear(), EditStartDateMonth->value(), EditStartDateDay->value());
    const QTime time(EditStartTimeHour->value(), EditStartTimeMinute->value());
    if (!date.isValid() || !time.isValid()) return false;
    local = KvCalendar::FromQDateTime(date, time);
    return true;
}

void TFrameRouteSettings::ApplyStartTime() {
    if (!FRoute) return;
    TDateTime local = 0.0;
    if (!FieldsLocal(local)) return Error(Txt::ErrStart);
    const TDateTime utc = GetDateTimeUTC(local);
    // Within half a second is the time shown: the fields hold whole minutes.
    if (std::fabs(utc - FRoute->GetStartTime()) < 0.5 / 86400.0) return;
    FRoute->SetStartTime(utc);
    // The library ignores a start time it cannot take; that is reported like any refusal.
    if (FRoute->GetStartTime() != utc) return Error(Txt::ErrStart);
    ShowStartTime();
    Post(NavNotify::RouteSettingsChanged);
}

void TFrameRouteSettings::MonthTyped() {
    SetDayMaximum(ShownYear(), EditStartDateMonth->value());  // lowers a larger day with it
    ApplyStartTime();
}

void TFrameRouteSettings::ArrowStepped(TStartTimeSpin *spin) {
    if (!FRoute) return;
    if (spin == EditStartDateYear) FYearChanged = true;
    if (spin == EditStartDateMonth || spin == EditStartDateYear) {
        // The day follows the month's length, also for 29 February in a common year.
        const QSignalBlocker blocker(EditStartDateDay);
        int day = EditStartDateDay->value();
        while (day > 28 && !QDate(ShownYear(), EditStartDateMonth->value(), day).isValid()) --day;
        SetDayMaximum(ShownYear(), EditStartDateMonth->value());
        EditStartDateDay->setValue(day);
    }
    TDateTime local = 0.0;
    if (!FieldsLocal(local)) return Error(Txt::ErrStart);
    const TDateTime utc = GetDateTimeUTC(local);
    FRoute->SetStartTime(utc);
    if (FRoute->GetStartTime() != utc) return Error(Txt::ErrStart);
    Post(NavNotify::RouteSettingsChanged);
}

void TFrameRouteSettings::ShiftStartTime(double days) {
    if (!FRoute) return;
    const TDateTime start = FRoute->GetStartTime();
    // Hours are added on the day fraction so that a whole hour stays whole.
    const TDateTime utc = std::fabs(days) < 1.0 ? (start * 24.0 + days * 24.0) / 24.0 : start + days;
    FRoute->SetStartTime(utc);
    if (FRoute->GetStartTime() != utc) return Error(Txt::ErrStart);
    ShowStartTime();
    Post(NavNotify::RouteSettingsChanged);
}

void TFrameRouteSettings::Now() {
    if (!FRoute) return;
    const QDateTime utcNow = QDateTime::currentDateTimeUtc();
    const QDateTime local =
        KvCalendar::ToQDateTime(GetLocalDateTime(KvCalendar::FromQDateTime(utcNow.date(), utcNow.time())));
    const QSignalBlocker b1(EditStartDateDay), b2(EditStartDateMonth), b3(EditStartDateYear),
        b4(EditStartTimeHour), b5(EditStartTimeMinute);
    EditStartDateYear->setValue(local.date().year());
    FYearChanged = true;
    EditStartDateMonth->setValue(local.date().month());
    SetDayMaximum(local.date().year(), local.date().month());
    EditStartDateDay->setValue(local.date().day());
    EditStartTimeHour->setValue(local.time().hour());
    EditStartTimeMinute->setValue(local.time().minute());
    ApplyStartTime();
}

// ---- Name, group, water bodies, speed ------------------------------------------------------

void TFrameRouteSettings::NameEdited(const QString &text) {
    if (!FRoute) return;
    int32_t err = 0;
    WptObjectSetName(FRoute, text, err);
    if (err != 0) return Error(Txt::ErrName);
    FEnv.Post(NavNotify::RouteChanged, intptr_t(FRoute));
}

void TFrameRouteSettings::FillRouteGroups() {
    const QSignalBlocker blocker(ComboRouteGroup);
    ComboRouteGroup->clear();
    QStringList groups;
    if (IWptManager *manager = FEnv.WaypointManager)
        for (int32_t i = 0; i < manager->GetRouteCount(); ++i) {
            const QString group = WptRouteGetGroupName(manager->GetRoute(i));
            if (group.isEmpty()) continue;
            const bool known = std::any_of(groups.begin(), groups.end(), [&](const QString &g) {
                return g.compare(group, Qt::CaseInsensitive) == 0;
            });
            if (!known) groups << group;
        }
    std::sort(groups.begin(), groups.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    ComboRouteGroup->addItem(LanguageText(Txt::Ungrouped));
    ComboRouteGroup->addItems(groups);
    if (!FRoute) {
        ComboRouteGroup->setCurrentIndex(-1);
        ComboRouteGroup->setEditText(QString());
        return;
    }
    const QString group = WptRouteGetGroupName(FRoute);
    const int index = group.isEmpty() ? 0 : ComboRouteGroup->findText(group, Qt::MatchFixedString);
    ComboRouteGroup->setCurrentIndex(index);
    if (index < 0) ComboRouteGroup->setEditText(group);
}

// Item 0 stands for no group; any other text is a group, new or known.
QString TFrameRouteSettings::ChosenGroup() const {
    const QString text = ComboRouteGroup->currentText();
    return ComboRouteGroup->count() > 0 && text == ComboRouteGroup->itemText(0) ? QString() : text;
}

void TFrameRouteSettings::GroupChosen(int index) {
    if (!FRoute || index < 0) return;
    int32_t err = 0;
    WptRouteSetGroupName(FRoute, index == 0 ? QString() : ComboRouteGroup->itemText(index), err);
    if (err != 0) Error(Txt::ErrGroup);
}

void TFrameRouteSettings::GroupLeft() {
    if (!FRoute || ChosenGroup() == WptRouteGetGroupName(FRoute)) return;
    int32_t err = 0;
    WptRouteSetGroupName(FRoute, ChosenGroup(), err);
    if (err != 0) return Error(Txt::ErrGroup);
    FillRouteGroups();
}

void TFrameRouteSettings::WaterBodyClicked() {
    if (!FRoute) return;
    int32_t err = 0;
    FRoute->SetWaterBodyMask(WaterBodyListMask(CheckListBoxWaterBodies), err);
    if (err != 0) return Error(Txt::ErrNetwork);
    Post(NavNotify::RouteSettingsChanged);
}

void TFrameRouteSettings::SpeedClicked(int32_t mode) {
    if (!FRoute) return;
    int32_t err = 0;
    FRoute->SetSpeedMode(mode, err);
    if (err != 0) return Error(Txt::ErrSpeed);
    Post(NavNotify::RouteSettingsChanged);
}

// ---- Links, state, notifications -----------------------------------------------------------

void TFrameRouteSettings::ShipLinkClicked() {
    const int32_t index = FEnv.ActiveBoatDefIndex;
    if (!TFormSettingsShip::Execute(FEnv.GetBoatDef(index), index, FEnv.MultiBoatEnabled(), FEnv.UnitSpeed,
                                    FEnv.UnitDepth, FEnv.UnitFuelFlow, FEnv.UnitDistanceSmall, true, this))
        return;
    FEnv.SetActiveBoatDef(index);
    RegWriteBoat(FEnv.ActiveBoatDef, index);
    FEnv.Post(NavNotify::ShipSettingsChanged);
}

void TFrameRouteSettings::DefaultsLinkClicked(bool plannerPage) {
    TFormRouteSettingsDefault::Execute(FEnv, plannerPage, this);
}

void TFrameRouteSettings::UpdateEnabled() {
    // The followed route's start time belongs to the navigation.
    const bool on = FRoute && FRoute != FEnv.GetActiveRoute();
    for (QWidget *w : std::initializer_list<QWidget *>{
             ButtonNow, PngImageButtonPrevDay, PngImageButtonNextDay, PngImageButtonPrevHour,
             PngImageButtonNextHour, EditStartDateDay, EditStartDateMonth, EditStartDateYear, EditStartTimeHour,
             EditStartTimeMinute})
        w->setEnabled(on);
}

void TFrameRouteSettings::UpdateLayout() { FillRouteGroups(); }

void TFrameRouteSettings::Error(const TLanguageStrings &message) {
    MsgBoxCaption(LanguageText(KvStr::TitleError), LanguageText(message), mtError, MsgButtons({mbOK}));
}

void TFrameRouteSettings::Post(int32_t code) { FEnv.Post(code, intptr_t(FRoute)); }

void TFrameRouteSettings::Notify(void *data, TNavNotification *n) {
    static_cast<TFrameRouteSettings *>(data)->HandleNotification(*n);
}

void TFrameRouteSettings::HandleNotification(const TNavNotification &n) {
    switch (n.Code) {
    case NavNotify::RouteChanged:
        if (FRoute && n.P1 == intptr_t(FRoute)) {
            const QSignalBlocker blocker(EditRouteName);
            EditRouteName->setText(WptObjectGetName(FRoute));
        }
        break;
    case NavNotify::RouteSettingsChanged:
        if (FRoute && n.P1 == intptr_t(FRoute)) ShowRoute();
        break;
    case NavNotify::RouteEditOn:
    case NavNotify::RouteEditOff:
    case NavNotify::RouteFollowStarted:
    case NavNotify::RouteFollowStopped: UpdateEnabled(); break;
    default: break;
    }
}
