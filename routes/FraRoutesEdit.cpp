// Editing the route table while the environment edits the shown route: names, positions and
// radii of route points in place, the stay through its dialog, Delete, and one radius for all.
#include "routes/FraRoutes.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FraRoutesTexts.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>

#include <cmath>

namespace {
constexpr int32_t MetresUnit = 0x6800B;
}  // namespace

bool RouteParseRadius(const QString &text, const TFormatSettings &fs, int32_t smallUnit, double &metres) {
    QString typed = text.trimmed();
    typed.replace(u',', fs.DecimalSeparator).replace(u'.', fs.DecimalSeparator);
    double value = 0.0;
    if (!TryStrToFloatRange(typed, value, fs, 1.0, 10000.0)) return false;
    metres = UnitConvert(value, smallUnit, MetresUnit);
    return true;
}

QString RouteEditErrorText(int32_t err) {
    switch (err) {
    case KvErr::ReadOnly: return LanguageText(RouteText::ErrReadOnly);
    case KvErr::NameTooLong: return LanguageText(RouteText::ErrNameTooLong);
    case KvErr::PointAttached: return LanguageText(RouteText::ErrAttached);
    default: return LanguageText(RouteText::ErrOther).arg(ErrorToStrA(err));
    }
}

bool TFrameRoutes::CanEdit(int row, int column) {
    const TRteNodeData *r = FModel->Row(row);
    if (FRouteChoiceVisible || !r || r->Kind != RteNodeKind::RoutePoint || !RteLivePoint(*r, Route())) return false;
    switch (column) {
    case 1:
    case 2:
    case 3:
    case 28: return true;
    case 4: {
        IWptRoutePoint *next = r->Point->GetNext();
        return r->Point->IsDirect() || (next && next->IsDirect());
    }
    default: return false;
    }
}

QString TFrameRoutes::EditText(int row, int column) {
    const TRteNodeData *r = FModel->Row(row);
    if (!r || !RteLivePoint(*r, Route())) return {};
    if (column == 1) return WptRoutePointGetName(r->Point);
    const QString text = CellText(row, column);
    return text == QLatin1String("---") ? QString() : text;
}

void TFrameRoutes::ShowEditError(int32_t err) {
    MsgBox(RouteEditErrorText(err), mtWarning, MsgButtons({mbOK}));
}

void TFrameRoutes::PointChanged(IWptRoutePoint *point) {
    if (FEnv.CoreEnv)
        FEnv.CoreEnv->GetDispatcher()->Post(NavNotify::RouteObjectChanged, intptr_t(point), 0, 0, 0, 0, 0, 0);
    FTree->viewport()->update();
}

bool TFrameRoutes::CommitEdit(int row, int column, const QString &text) {
    if (!CanEdit(row, column) || column == 28) return false;
    IWptRoutePoint *p = FModel->Row(row)->Point;
    int32_t err = 0;
    if (column == 1) {
        if (text == WptRoutePointGetName(p)) return false;
        WptRoutePointSetName(p, text, err);
    } else if (column == 2 || column == 3) {
        const bool lat = column == 2;
        double angle = 0.0;
        if (!StrToAngleTryA(angle, text, RouteCompassLetter(lat ? 'N' : 'E'),
                            RouteCompassLetter(lat ? 'S' : 'W'), lat ? 1 : 2, 1))
            return false;
        const TRoutePosition *now = p->GetPosition();
        if (!now) return false;
        TGeoPoint pos{now->Lat, now->Lon};
        (lat ? pos.Lat : pos.Lon) = angle;
        if (pos.Lat == now->Lat && pos.Lon == now->Lon) return false;
        p->SetPosition(pos, err);
    } else {
        double metres = 0.0;
        if (!RouteParseRadius(text, LocaleFormatSettings(), FEnv.UnitDistanceSmall, metres)) return false;
        if (std::fabs(metres - p->GetRadius()) < 1e-3) return false;
        p->SetRadius(float(metres), err);
    }
    if (err != 0) {
        ShowEditError(err);
        return false;
    }
    PointChanged(p);
    return true;
}

void TFrameRoutes::EditVisit(int row) {
    if (!CanEdit(row, 28) || !ExecuteRouteVisitEdit) return;
    IWptRoutePoint *p = FModel->Row(row)->Point;
    TRouteStayRec stay = p->GetStay() ? *p->GetStay() : TRouteStayRec{};
    if (!ExecuteRouteVisitEdit(p, stay)) return;
    int32_t err = 0;
    p->SetStay(stay, err);
    if (err != 0) {
        ShowEditError(err);
        return;
    }
    PointChanged(p);
}

void TFrameRoutes::DeleteSelectedPoints() {
    if (FRouteChoiceVisible || !Route()) return;
    std::vector<IWptRoutePoint *> points;
    for (const QModelIndex &i : FTree->selectionModel()->selectedRows()) {
        const TRteNodeData *r = FModel->Row(i.row());
        if (r && r->Kind == RteNodeKind::RoutePoint && RteLivePoint(*r, FRoute) &&
            std::find(points.begin(), points.end(), r->Point) == points.end())
            points.push_back(r->Point);
    }
    if (points.size() == 1)
        FEnv.DeleteRoutePoint(points.front());
    else if (points.size() > 1)
        FEnv.DeleteRoutePoints(points);
}

void TFrameRoutes::CopyRadiusToAll(int row) {
    const TRteNodeData *source = FModel->Row(row);
    IWptRoute *route = Route();
    if (!source || !RteLivePoint(*source, route) || FRouteChoiceVisible) return;
    const float radius = float(source->Point->GetRadius());
    QStringList failed;
    int32_t firstError = 0;
    for (const TRteNodeData &r : FModel->Rows()) {
        if (r.Kind != RteNodeKind::RoutePoint || !RteLivePoint(r, route) || r.Point == source->Point ||
            float(r.Point->GetRadius()) == radius)
            continue;
        int32_t err = 0;
        r.Point->SetRadius(radius, err);
        if (err == 0) {
            PointChanged(r.Point);
            continue;
        }
        if (firstError == 0) firstError = err;
        failed << QString::number(r.Point->GetIndex() + 1);
    }
    // One message for every point that kept its radius.
    if (firstError != 0)
        MsgBox(RouteEditErrorText(firstError) + QStringLiteral(" (") + failed.join(QStringLiteral(", ")) + u')',
               mtWarning, MsgButtons({mbOK}));
}

QMenu *TFrameRoutes::CopyMenuFor(int row, int column) {
    if (column != 4 || !CanEdit(row, 4)) return nullptr;
    if (!FCopyMenu) {
        FCopyMenu = new QMenu(this);
        QAction *a = FCopyMenu->addAction(QString());
        connect(a, &QAction::triggered, this, [this] { CopyRadiusToAll(FCopyRow); });
    }
    FCopyMenu->actions().front()->setText(LanguageText(RouteText::UseForAll));
    FCopyRow = row;
    return FCopyMenu;
}

bool TFrameRoutes::KeyPressed(QKeyEvent *event) {
    // Keys an open editor passes on are its own.
    if (FRouteChoiceVisible || FModel->EditRow >= 0) return false;
    const QModelIndex current = FTree->currentIndex();
    switch (event->key()) {
    case Qt::Key_Delete: DeleteSelectedPoints(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!current.isValid() || !CanEdit(current.row(), current.column())) return false;
        if (current.column() == 28)
            EditVisit(current.row());
        else
            FTree->edit(current);
        return true;
    default: return false;
    }
}
