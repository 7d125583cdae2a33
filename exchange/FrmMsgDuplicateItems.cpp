#include "exchange/FrmMsgDuplicateItems.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FrmMsgDuplicateTexts.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvUnits.h>

#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

using namespace DuplicateText;

namespace {

QChar FirstLetter(const TLanguageStrings &table) {
    const QString text = LanguageText(table);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString Position(IWptWaypoint *waypoint, const TMarivoNavEnv *env) {
    const int32_t format = env ? env->PositionFormat : KvAngleFormat::DegreesMinutes;
    const int32_t decimals = DefAngleDecimalsFor(format);
    QString lat, lon;
    AngleToStr1(decimals, FirstLetter(KvStr::CompassPointN), FirstLetter(KvStr::CompassPointS),
                waypoint->GetLatitude(), format, KvAngleKind::Latitude, 1, lat);
    AngleToStr1(decimals, FirstLetter(KvStr::CompassPointE), FirstLetter(KvStr::CompassPointW),
                waypoint->GetLongitude(), format, KvAngleKind::Longitude, 1, lon);
    return lat + QStringLiteral(" / ") + lon;
}

// Two decimals with a point, a blank and the unit's text.
QString Measure(double baseValue, int32_t baseUnit, int32_t unit) {
    return QString::number(UnitConvert(baseValue, baseUnit, unit), 'f', 2) + QLatin1Char(' ') + UnitToStr(unit);
}

QString OrText(const QString &value, const TLanguageStrings &empty) {
    return value.isEmpty() ? LanguageText(empty) : value;
}

// The values of the three lines, before their labels are put in front.
void Values(TDuplicateKind kind, const TDuplicateItem &item, const TMarivoNavEnv *env, QString (&v)[3]) {
    NavObject *o = item.ByName ? nullptr : item.Object;
    switch (kind) {
    case dkWaypointGroup:
        if (auto *group = dynamic_cast<IWptWaypointGroup *>(o)) {
            v[0] = group->IsUngrouped() ? LanguageText(SUngrouped) : WptObjectGetName(group);
            v[1] = QString::number(group->GetWaypointCount());
        }
        return;
    case dkRoute:
        if (auto *route = dynamic_cast<IWptRoute *>(o)) {
            v[0] = WptObjectGetName(route);
            v[1] = QString::number(route->GetPointCount());
        }
        return;
    case dkPolarDiagram:
        if (auto *polar = dynamic_cast<IPolarDiagram *>(o)) {
            v[0] = PolarDiagramGetName(polar);
            v[1] = Measure(polar->GetMaxBoatSpeed(), KvUnit::MetrePerSecond,
                           env ? env->UnitSpeed : KvUnit::MetrePerSecond);
            v[2] = Measure(polar->GetWaterlineLength(), KvUnit::Metre, env ? env->UnitDistanceSmall : KvUnit::Metre);
        } else {
            v[0] = item.Name;
            v[1] = v[2] = LanguageText(SUnknown);
        }
        return;
    case dkTrack:
        if (auto *track = dynamic_cast<INavTrack *>(o)) {
            v[0] = NavTrackGetName(track);
            v[1] = FormatDateTime(QStringLiteral("dddddd tt"), 1, track->GetStartTime());
            v[2] = DurationToStr(std::llround(track->GetDuration()),
                                 KvDuration::Seconds | KvDuration::Minutes | KvDuration::Hours | KvDuration::Days,
                                 false, QStringLiteral("d"), QStringLiteral("h"), QStringLiteral("m"),
                                 QStringLiteral("s"));
        } else if (item.ByName) {
            // A track file whose contents could not be read: only its name is known.
            v[0] = item.Name;
            v[1] = v[2] = LanguageText(SUnknown);
        }
        return;
    case dkWaypointType:
        if (auto *type = dynamic_cast<IWptWaypointType *>(o))
            v[0] = type->IsDefault() ? LanguageText(SDefaultType) : WptObjectGetName(type);
        return;
    case dkWaypoint:
        if (auto *waypoint = dynamic_cast<IWptWaypoint *>(o)) {
            v[0] = OrText(WptObjectGetName(waypoint), SNoName);
            v[1] = OrText(WptWaypointGetSubName(waypoint), SNoSubName);
            v[2] = Position(waypoint, env);
        }
        return;
    default:  // chart collections, profiles and tide stations come by name
        v[0] = item.Name;
        return;
    }
}

}  // namespace

const TLanguageStrings *DuplicateLineLabel(TDuplicateKind kind, int line) {
    if (kind > dkWaypoint || line < 0 || line > 2) return nullptr;
    return SKinds[kind].Lines[line];
}

QStringList DuplicateItemLines(TDuplicateKind kind, const TDuplicateItem &item, const TMarivoNavEnv *env) {
    QString values[3];
    if (kind <= dkWaypoint) Values(kind, item, env, values);
    QStringList lines;
    for (int i = 0; i < 3; ++i) {
        const TLanguageStrings *label = DuplicateLineLabel(kind, i);
        lines << (label ? LanguageText(*label) + QStringLiteral(": ") + values[i] : QString());
    }
    return lines;
}

IBmp32 *DuplicateItemIcon(TDuplicateKind kind, const TDuplicateItem &item) {
    if (item.ByName) return nullptr;
    if (kind == dkWaypointType) {
        auto *type = dynamic_cast<IWptWaypointType *>(item.Object);
        return type ? type->GetIcon() : nullptr;
    }
    if (kind == dkWaypoint) {
        auto *waypoint = dynamic_cast<IWptWaypoint *>(item.Object);
        IWptWaypointType *type = waypoint ? waypoint->GetType() : nullptr;
        return type ? type->GetIcon() : nullptr;
    }
    return nullptr;
}

void DrawDuplicateIcon(QPainter &p, const QRect &box, IBmp32 *icon, bool checkerboard, uint32_t background) {
    if (box.isEmpty()) return;
    // Drawn off-screen first so the night screen converts the checkerboard with the icon.
    INightScreen *ns = NightScreen();
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter q(&image);
        if (checkerboard)
            DrawBmp32Centered(icon, q, image.rect(), false, IconBackColor2, IconBackColor1, 3, 0.5f);
        else if (ns && ns->IsActive())
            // The row's colour is already a night colour: only the icon is converted.
            DrawBmp32Centered(icon, q, image.rect(), false, 0, 0, 0, 0.5f);
        else
            DrawBmp32Centered(icon, q, image.rect(), false, background, background, 0, 0.5f);
    }
    if (ns && ns->IsActive()) NightScreenConvertBitmap(ns, image);
    p.drawImage(box.topLeft(), image);
}

QString DuplicateFormat(const QString &text, const QString &arg) {
    QString out = text;
    const qsizetype at = out.indexOf(QLatin1String("%s"));
    if (at >= 0) out.replace(at, 2, arg);
    return out;
}

TDuplicateIconBox::TDuplicateIconBox(QWidget *parent) : QWidget(parent) { setFixedSize(32, 32); }

void TDuplicateIconBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    DrawDuplicateIcon(p, rect(), Icon, true, 0);
}

QWidget *MakeDuplicateItemPanel(QWidget *parent, int width, int lineWidth, QLabel *&title, QFrame **iconPanel,
                                QWidget **paintBox, std::initializer_list<QLabel **> lines) {
    auto *panel = new QWidget(parent);
    panel->setFixedWidth(width);
    title = new QLabel(panel);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *lineColumn = new QVBoxLayout;
    lineColumn->setSpacing(0);
    for (QLabel **line : lines) {
        auto *label = new TLabelEx(QString(), panel);
        label->SetEllipsis(leEnd);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFixedSize(lineWidth, 20);
        *line = label;
        lineColumn->addWidget(label);
    }
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    if (iconPanel) {
        *iconPanel = new QFrame(panel);
        (*iconPanel)->setFrameShape(QFrame::Box);
        (*iconPanel)->setFixedSize(36, 36);
        *paintBox = new TDuplicateIconBox(*iconPanel);
        (*paintBox)->move(2, 2);
        row->addWidget(*iconPanel, 0, Qt::AlignTop);
    }
    row->addLayout(lineColumn);
    row->addStretch();
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(title);
    column->addLayout(row);
    return panel;
}
