#include "chartview/FraTrackReplay.h"

#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/NavViewerControl.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

using namespace TrackReplayRules;

namespace {

const TLanguageStrings TextTrackIn = {"Track in", "Volgen in", "Verfolgen in", "Suivre dans", "Seguir en",
                                      "Segui in", "F\u00F8lg i", "F\u00F6lj i"};
const TLanguageStrings TextComplete = {"Complete tracks", "Volledige tracks", "Vollst\u00E4ndige Tracks",
                                       "Traces compl\u00E8tes", "Tracks completos", "Tracce complete",
                                       "Komplette spor", "Kompletta sp\u00E5r"};
const TLanguageStrings TextTime = {"Time", "Tijd", "Zeit", "Heure", "Hora", "Ora", "Tid", "Tid"};
const TLanguageStrings TextDate = {"Date", "Datum", "Datum", "Date", "Fecha", "Data", "Dato", "Datum"};
const TLanguageStrings TextViewers[3] = {
    {"Main chart viewer", "Hoofdkaartvenster", "Hauptkartenfenster", "Visualiseur principal",
     "Visor de cartas principal", "Visualizzatore principale", "Hovedkortvindue", "Huvudkortf\u00F6nster"},
    {"Additional chart viewer 1", "Extra kaartvenster 1", "Zus\u00E4tzliches Kartenfenster 1",
     "Visualiseur suppl\u00E9mentaire 1", "Visor adicional 1", "Visualizzatore aggiuntivo 1", "Ekstra kortvindue 1",
     "Extra kortf\u00F6nster 1"},
    {"Additional chart viewer 2", "Extra kaartvenster 2", "Zus\u00E4tzliches Kartenfenster 2",
     "Visualiseur suppl\u00E9mentaire 2", "Visor adicional 2", "Visualizzatore aggiuntivo 2", "Ekstra kortvindue 2",
     "Extra kortf\u00F6nster 2"}};
const TLanguageStrings TextMain = {"M", "H", "H", "P", "P", "P", "H", "H"};

struct TSpeed {
    const char *Text;
    double Factor;
};
const TSpeed Speeds[] = {{"1s/0.25s", 0.25}, {"1s/0.5s", 0.5}, {"1s/1s", 1},      {"1s/5s", 5},
                         {"1s/10s", 10},     {"1s/30s", 30},   {"1s/1m", 60},     {"1s/5m", 300},
                         {"1s/10m", 600},    {"1s/30m", 1800}, {"1s/1h", 3600},   {"1s/2h", 7200},
                         {"1s/8h", 28800},   {"1s/16h", 57600}, {"1s/24h", 86400}, {"1s/48h", 172800},
                         {"1s/72h", 259200}};

constexpr int32_t UnitMetresPerSecond = 0x7800B;

}  // namespace

TFrameTrackReplay::TFrameTrackReplay(QDockWidget *panel, TMarivoNavEnv &env, TNavViewerControl *main,
                                     TNavViewerControl *extra1, TNavViewerControl *extra2)
    : TFrameScaled(panel), Env(env) {
    setObjectName(QStringLiteral("FrameTrackReplay"));
    FViewers[0] = main;
    FViewers[1] = extra1;
    FViewers[2] = extra2;
    FDayPalette = palette();
    BuildLayout();
    for (TNavViewerControl *v : {main, extra1, extra2})
        if (v) AddTrackingViewer(v);
    ButtonTracking->setVisible(!PopupMenuTracking->actions().isEmpty());
    for (const TSpeed &s : Speeds) ComboBoxSpeed->addItem(QString::fromLatin1(s.Text), s.Factor);
    ComboBoxSpeed->setMaxVisibleItems(int(std::size(Speeds)));
    ComboBoxSpeed->setCurrentIndex(2);
    SetTrackList(nullptr);
    UpdateEnabled();
    ApplySettings();
    UpdateTexts();
}

void TFrameTrackReplay::BuildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(5, 5, 5, 5);
    FModel = new TTrackReplayModel(this);
    ListView = new QTreeView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setModel(FModel);
    FDelegate = new TTrackReplayDelegate(ListView, FAxis, FTime);
    ListView->setItemDelegate(FDelegate);
    QHeaderView *h = ListView->header();
    h->setStretchLastSection(false);
    const int widths[] = {150, 175, 55, 55, 60};
    for (int c = 0; c < TTrackReplayModel::ColCount; ++c) h->resizeSection(c, widths[c]);
    h->setSectionResizeMode(TTrackReplayModel::ColTime, QHeaderView::Stretch);
    ListView->viewport()->installEventFilter(this);
    // The selection keeps its colour while the list has no focus.
    QPalette pal = ListView->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    ListView->setPalette(pal);
    outer->addWidget(ListView, 1);
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = ListView->selectionModel()->selectedRows();
        const TTrackReplayNodeData *row = rows.isEmpty() ? nullptr : FModel->Row(rows.first().row());
        SelectTrack(row ? row->Track : nullptr);
    });

    auto *labels = new QHBoxLayout;
    CheckBoxDrawComplete = new QCheckBox(this);
    CheckBoxDrawComplete->setObjectName(QStringLiteral("CheckBoxDrawComplete"));
    CheckBoxDrawComplete->setChecked(true);
    connect(CheckBoxDrawComplete, &QCheckBox::clicked, this, [this] {
        if (OnDrawCompleteChange) OnDrawCompleteChange(this);
    });
    labels->addWidget(CheckBoxDrawComplete);
    labels->addStretch();
    LabelDate = new QLabel(this);
    LabelDateValue = new QLabel(this);
    LabelTime = new QLabel(this);
    LabelTimeValue = new QLabel(this);
    LabelDateValue->setObjectName(QStringLiteral("LabelDateValue"));
    LabelTimeValue->setObjectName(QStringLiteral("LabelTimeValue"));
    for (QLabel *l : {LabelDate, LabelDateValue, LabelTime, LabelTimeValue}) labels->addWidget(l);
    outer->addLayout(labels);

    TrackBarTime = new QSlider(Qt::Horizontal, this);
    TrackBarTime->setObjectName(QStringLiteral("TrackBarTime"));
    TrackBarTime->setRange(0, SliderMax);
    TrackBarTime->setPageStep(1);
    TrackBarTime->setTickPosition(QSlider::NoTicks);
    TrackBarTime->installEventFilter(this);
    connect(TrackBarTime, &QSlider::valueChanged, this,
            [this](int position) { TimeChangedByUser(SliderTime(FAxis, position)); });
    outer->addWidget(TrackBarTime);

    auto *buttons = new QHBoxLayout;
    const char *glyphs[] = {"|\u25C0", "\u25C0", "\u275A\u275A", "\u25B6", "\u25B6|"};
    const char *names[] = {"ButtonBegin", "ButtonBack", "ButtonPause", "ButtonForward", "ButtonEnd"};
    QPushButton **targets[] = {&ButtonBegin, &ButtonBack, &ButtonPause, &ButtonForward, &ButtonEnd};
    for (int i = 0; i < 5; ++i) {
        *targets[i] = new QPushButton(QString::fromUtf8(glyphs[i]), this);
        (*targets[i])->setObjectName(QString::fromLatin1(names[i]));
        (*targets[i])->setFixedSize(25, 25);
        buttons->addWidget(*targets[i]);
    }
    connect(ButtonBegin, &QPushButton::clicked, this, &TFrameTrackReplay::Begin);
    connect(ButtonBack, &QPushButton::clicked, this, &TFrameTrackReplay::Back);
    connect(ButtonPause, &QPushButton::clicked, this, &TFrameTrackReplay::Pause);
    connect(ButtonForward, &QPushButton::clicked, this, &TFrameTrackReplay::Forward);
    connect(ButtonEnd, &QPushButton::clicked, this, &TFrameTrackReplay::End);
    ComboBoxSpeed = new QComboBox(this);
    ComboBoxSpeed->setObjectName(QStringLiteral("ComboBoxSpeed"));
    connect(ComboBoxSpeed, &QComboBox::currentIndexChanged, this, &TFrameTrackReplay::ChooseSpeed);
    buttons->addWidget(ComboBoxSpeed);
    buttons->addStretch();
    ButtonTracking = new QToolButton(this);
    ButtonTracking->setObjectName(QStringLiteral("ButtonTracking"));
    ButtonTracking->setEnabled(false);
    PopupMenuTracking = new QMenu(this);
    connect(ButtonTracking, &QToolButton::clicked, this, [this] {
        CheckTrackingItems();
        PopupMenuTracking->popup(ButtonTracking->mapToGlobal(QPoint(0, ButtonTracking->height())));
    });
    buttons->addWidget(ButtonTracking);
    outer->addLayout(buttons);

    Timer = new QTimer(this);
    Timer->setInterval(TimerInterval);
    connect(Timer, &QTimer::timeout, this, &TFrameTrackReplay::TimerTick);
}

void TFrameTrackReplay::AddTrackingViewer(TNavViewerControl *viewer) {
    QAction *item = PopupMenuTracking->addAction(QString());
    item->setCheckable(true);
    item->setData(QVariant::fromValue<void *>(viewer));
    connect(item, &QAction::triggered, this, [this, viewer] { TrackingItemClick(viewer); });
}

TNavViewerControl *TFrameTrackReplay::Viewer(int i) const { return FViewers[i].data(); }

QPushButton *TFrameTrackReplay::Button(int i) const {
    QPushButton *const all[] = {ButtonBegin, ButtonBack, ButtonPause, ButtonForward, ButtonEnd};
    return i >= 0 && i < 5 ? all[i] : nullptr;
}

bool TFrameTrackReplay::Running() const { return Timer->isActive(); }

bool TFrameTrackReplay::GetDrawComplete() const { return CheckBoxDrawComplete->isChecked(); }

void TFrameTrackReplay::SetDrawComplete(bool complete) {
    {
        const QSignalBlocker block(CheckBoxDrawComplete);
        CheckBoxDrawComplete->setChecked(complete);
    }
    if (OnDrawCompleteChange) OnDrawCompleteChange(this);
}

void TFrameTrackReplay::UpdateTexts() {
    ButtonTracking->setText(LanguageText(TextTrackIn));
    CheckBoxDrawComplete->setText(LanguageText(TextComplete));
    LabelTime->setText(QStringLiteral("  ") + LanguageText(TextTime) + QStringLiteral(":  "));
    LabelDate->setText(LanguageText(TextDate) + QStringLiteral(":  "));
    for (QAction *item : PopupMenuTracking->actions()) {
        auto *viewer = static_cast<TNavViewerControl *>(item->data().value<void *>());
        const int index = viewer ? std::clamp(int(viewer->GetViewerIndex()), 0, 2) : 0;
        item->setText(LanguageText(TextViewers[index]));
    }
    FDelegate->FollowLabels[0] = LanguageText(TextMain);
    ListView->viewport()->update();
}

void TFrameTrackReplay::ApplySettings() {
    FUTCOffset = Env.GetUTCOffset();
    FUnitSpeed = Env.UnitSpeed;
    UpdateRowValues();
    UpdateTimeLabels();
}

void TFrameTrackReplay::NightChanged() {
    const bool night = NightScreen() && NightScreen()->IsActive();
    setPalette(night ? NightScreenPalette(NightScreen(), FDayPalette) : FDayPalette);
    FDelegate->NightChanged();
    ListView->viewport()->update();
}

void TFrameTrackReplay::SetTrackList(INavTrackList *list) {
    FTrack = nullptr;
    std::vector<TTrackReplayNodeData> rows;
    for (int32_t i = list ? list->GetCount() - 1 : -1; i >= 0; --i)
        if (auto *track = dynamic_cast<INavTrack *>(list->GetItem(i)); track && track->HasTimes())
            rows.push_back(TTrackReplayNodeData{track});
    {
        const QSignalBlocker block(ListView->selectionModel());
        FModel->SetRows(std::move(rows));
    }
    if (FModel->rowCount() > 0)
        ListView->setCurrentIndex(FModel->index(0, 0));
    else
        SelectTrack(nullptr);
    FAxis = AxisOf(list, NowUTC());
    SetReplayTime(Clamp(FAxis, FTime));
    {
        // The slider follows the new axis also when the time stayed.
        const QSignalBlocker block(TrackBarTime);
        TrackBarTime->setValue(SliderPosition(FAxis, FTime));
    }
    UpdateEnabled();
    UpdateFollowFlags();
}

void TFrameTrackReplay::SelectTrack(INavTrack *track) {
    if (track != FTrack) {
        FTrack = track;
        const int row = FModel->RowOf(track);
        if (row >= 0 && ListView->currentIndex().row() != row) {
            const QSignalBlocker block(ListView->selectionModel());
            ListView->setCurrentIndex(FModel->index(row, 0));
        }
        UpdateTimeLabels();
    }
    UpdateFollowFlags();
}

void TFrameTrackReplay::SetReplayTime(TDateTime time) {
    if (time == FTime) {
        UpdateTimeLabels();
        return;
    }
    FTime = Clamp(FAxis, time);
    {
        const QSignalBlocker block(TrackBarTime);
        TrackBarTime->setValue(SliderPosition(FAxis, FTime));
    }
    if (OnReplayTimeChange) OnReplayTimeChange(this);
    UpdateRowValues();
    UpdateTimeLabels();
}

void TFrameTrackReplay::TimeChangedByUser(TDateTime time) {
    FTime = Clamp(FAxis, time);
    if (OnReplayTimeChange) OnReplayTimeChange(this);
    UpdateRowValues();
    UpdateTimeLabels();
}

void TFrameTrackReplay::Begin() { SetReplayTime(FAxis.Start); }
void TFrameTrackReplay::End() { SetReplayTime(FAxis.End); }

void TFrameTrackReplay::Forward() {
    FDirection = 1.0;
    Timer->start();
}

void TFrameTrackReplay::Back() {
    FDirection = -1.0;
    Timer->start();
}

void TFrameTrackReplay::Pause() {
    if (Timer->isActive()) {
        Timer->stop();
        if (OnReplayTimeChange) OnReplayTimeChange(this);
    } else {
        Timer->start();
    }
}

void TFrameTrackReplay::TimerTick() {
    const double step = FDirection * FFactor / ((1000.0 / Timer->interval()) * 86400.0);
    const TDateTime next = FTime + step;
    // At either end the clock keeps running and keeps reporting the end.
    if (Clamp(FAxis, next) == FTime) {
        if (OnReplayTimeChange) OnReplayTimeChange(this);
        UpdateTimeLabels();
        return;
    }
    SetReplayTime(next);
}

void TFrameTrackReplay::ChooseSpeed(int index) {
    if (index >= 0) FFactor = ComboBoxSpeed->itemData(index).toDouble();
}

void TFrameTrackReplay::UpdateEnabled() {
    const bool rows = FModel->rowCount() > 0;
    for (QWidget *w : std::initializer_list<QWidget *>{LabelDate, LabelDateValue, LabelTime, LabelTimeValue,
                                                       TrackBarTime, ButtonBegin, ButtonBack, ButtonPause,
                                                       ButtonForward, ButtonEnd, ListView})
        w->setEnabled(rows);
}

void TFrameTrackReplay::UpdateRowValues() {
    const QString unit = UnitToStr(FUnitSpeed);
    for (TTrackReplayNodeData &row : FModel->Rows()) {
        INavTrack *t = row.Track;
        if (t && t->GetStartTime() <= FTime && FTime <= t->GetEndTime()) {
            float speed = 0.0f, course = 0.0f;
            t->GetMotionAt(FTime, speed, course);
            const double shown = UnitConvert(speed, UnitMetresPerSecond, FUnitSpeed);
            row.Speed = FloatToStrFixed(shown, 15, 1, LocaleFormatSettings()) + QLatin1Char(' ') + unit;
            row.Course = FloatToStrFixed(ReduceAngle0F(course) * 180.0 / std::numbers::pi, 15, 1,
                                         LocaleFormatSettings()) +
                         QStringLiteral("\u00B0");
        } else {
            row.Speed = QStringLiteral("--- ") + unit;
            row.Course = QStringLiteral("---\u00B0");
        }
    }
    FModel->RowsChanged();
    ListView->viewport()->update();
}

void TFrameTrackReplay::UpdateTimeLabels() {
    const bool shown = FTrack && FTrack->GetPointCount() > 1;
    if (shown) {
        const TDateTime local = FTime + FUTCOffset / 1440.0;
        LabelTimeValue->setText(FormatDateTime(QStringLiteral("tt"), 1, local) + QStringLiteral(" (UTC") +
                                OffsetText(FUTCOffset) + QLatin1Char(')'));
        LabelDateValue->setText(FormatDateTime(QStringLiteral("dddddd"), 1, local));
    } else {
        LabelTimeValue->setText(QStringLiteral("---"));
        LabelDateValue->setText(QStringLiteral("---"));
    }
    ButtonTracking->setEnabled(shown);
}

QString TFrameTrackReplay::DateText() const { return LabelDateValue->text(); }
QString TFrameTrackReplay::TimeText() const { return LabelTimeValue->text(); }

void TFrameTrackReplay::CheckTrackingItems() {
    for (QAction *item : PopupMenuTracking->actions()) {
        auto *viewer = static_cast<TNavViewerControl *>(item->data().value<void *>());
        item->setChecked(viewer && FTrack && viewer->GetReplayTrack() == FTrack);
    }
}

void TFrameTrackReplay::TrackingItemClick(TNavViewerControl *viewer) {
    if (!viewer) return;
    viewer->SetReplayTime(FTime);
    viewer->SetReplayTrack(FTrack);
    UpdateFollowFlags();
}

void TFrameTrackReplay::UpdateFollowFlags() {
    for (TTrackReplayNodeData &row : FModel->Rows()) {
        row.Follow = 0;
        for (int i = 0; i < 3; ++i) {
            TNavViewerControl *v = Viewer(i);
            if (v && v->GetTrackingEnabled() && v->GetReplayTrack() == row.Track) row.Follow |= uint16_t(1u << i);
        }
    }
    FModel->RowsChanged();
    ListView->viewport()->update();
}

QRect TFrameTrackReplay::TimeColumn() const {
    const QHeaderView *h = ListView->header();
    return QRect(h->sectionViewportPosition(TTrackReplayModel::ColTime), 0, h->sectionSize(TTrackReplayModel::ColTime),
                 ListView->viewport()->height());
}

bool TFrameTrackReplay::MouseInList(QEvent *event) {
    auto *m = static_cast<QMouseEvent *>(event);
    const QRect column = TimeColumn();
    TDateTime t = 0.0;
    if (ColumnTime(FAxis, int(m->position().x()), column.left(), column.width(), t)) SetReplayTime(t);
    return false;
}

bool TFrameTrackReplay::eventFilter(QObject *watched, QEvent *event) {
    if (watched == TrackBarTime && event->type() == QEvent::MouseButtonPress) {
        // A click puts the slider where it was clicked, not one page further.
        auto *m = static_cast<QMouseEvent *>(event);
        if (m->button() == Qt::LeftButton && TrackBarTime->isEnabled()) {
            const int span = TrackBarTime->width();
            TrackBarTime->setValue(QStyle::sliderValueFromPosition(0, SliderMax, int(m->position().x()), span));
        }
    }
    if (watched != ListView->viewport()) return TFrameScaled::eventFilter(watched, event);
    auto *m = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (m->button() == Qt::LeftButton && m->buttons() == Qt::LeftButton && m->modifiers() == Qt::NoModifier) {
            FSavedTimer = Timer->isActive();
            FDragging = true;
            Timer->stop();
            MouseInList(event);
        }
        break;
    case QEvent::MouseMove:
        if (FDragging && m->buttons() == Qt::LeftButton) MouseInList(event);
        break;
    case QEvent::MouseButtonRelease:
        if (FDragging && m->button() == Qt::LeftButton) {
            FDragging = false;
            if (FSavedTimer) Timer->start();
        }
        break;
    default: break;
    }
    return TFrameScaled::eventFilter(watched, event);
}
