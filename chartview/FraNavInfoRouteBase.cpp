#include "chartview/FraNavInfoRouteBase.h"

#include "base/kvlib/KvExceptions.h"
#include "base/strings/KvStrUtils.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoTexts.h"
#include "chartview/NavPlanningTime.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

QString NavRouteText::Duration(int64_t seconds, int32_t parts) {
    return DurationToStr(seconds, parts, false, QStringLiteral("d"), QStringLiteral("h"), QStringLiteral("m"),
                         QStringLiteral("s"));
}

QString NavRouteText::PointText(IWptRoutePoint *point) {
    QString name = WptRoutePointGetDisplayName(point);
    if (name.isEmpty()) name = LanguageText(NavInfoText::NoName);
    return QString::number(point->GetIndex() + 1) + QStringLiteral(": ") + name;
}

TFrameNavInfoRouteBase::TFrameNavInfoRouteBase(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FPanel(panel) {
    if (!panel->layout()) {
        auto *fill = new QVBoxLayout(panel);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    panel->layout()->addWidget(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(Border, Border, Border, Border);
    outer->setSpacing(0);
    PanelContents = new TNavColourPanel(this);
    Contents = new QVBoxLayout(PanelContents);
    Contents->setContentsMargins(0, 0, 0, 0);
    Contents->setSpacing(0);
    outer->addWidget(PanelContents);
    outer->addStretch(1);
}

TFrameNavInfoRouteBase::~TFrameNavInfoRouteBase() {
    if (FSubscribed) Env.CoreEnv->GetDispatcher()->Unsubscribe(&TFrameNavInfoRouteBase::NotificationProc, this);
}

void TFrameNavInfoRouteBase::Subscribe() {
    if (!Env.CoreEnv) return;
    Env.CoreEnv->GetDispatcher()->Subscribe(&TFrameNavInfoRouteBase::NotificationProc, this);
    FSubscribed = true;
}

void TFrameNavInfoRouteBase::NotificationProc(void *data, TNavNotification *n) {
    try {
        static_cast<TFrameNavInfoRouteBase *>(data)->HandleNotification(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TFrameNavInfoRouteBase::ApplyUnitSettings() {
    UnitDistanceLarge = Env.UnitDistanceLarge;
    UnitDistanceSmall = Env.UnitDistanceSmall;
    UnitSpeed = Env.UnitSpeed;
    UnitVolume = Env.UnitVolume;
    UpdateValues();
}

void TFrameNavInfoRouteBase::ApplyColors() { PanelContents->SetColour(&NavPanelHeaderColor); }

QWidget *TFrameNavInfoRouteBase::MakeHeader(QLabel *&caption, QToolButton *&collapse, QHBoxLayout *&layout) {
    auto *header = new QWidget(PanelContents);
    header->setFixedHeight(HeaderHeight);
    layout = new QHBoxLayout(header);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    collapse = new QToolButton(header);
    collapse->setAutoRaise(true);
    collapse->setFixedSize(15, 15);
    caption = new QLabel(header);
    QFont f = caption->font();
    f.setPixelSize(9);
    f.setBold(true);
    caption->setFont(f);
    layout->addWidget(collapse);
    layout->addWidget(caption);
    return header;
}

int TFrameNavInfoRouteBase::ApplySection(QWidget *section, QToolButton *collapse, bool visible) {
    collapse->setArrowType(visible ? Qt::UpArrow : Qt::DownArrow);
    section->setVisible(visible);
    return visible ? section->maximumHeight() : 0;
}

void TFrameNavInfoRouteBase::SetBlockHeight(int contentHeight) {
    const int height = (contentHeight + 2 * Border) * ScreenDpi() / 96;
    FPanel->setFixedHeight(height);
    if (OnHeightChanged) OnHeightChanged(this);
}

const TNavRouteData *TFrameNavInfoRouteBase::FillAtPlanningTime(IWptRoute *route) {
    IWptRouteSchedule *schedule = route ? route->GetSchedule() : nullptr;
    if (!schedule || !Env.PredictedTime) return nullptr;
    NavData = TNavRouteData{};
    return schedule->FillNavData(NavData, Env.PredictedTime->GetTime()) ? &NavData : nullptr;
}

bool TFrameNavInfoRouteBase::Following() const { return Env.GetActiveRoute() != nullptr; }
