// A route point ahead ("WP 3: Name (Destination)" with its arrival and departure) or a
// sailing-times stop with the two moments that bound it.
#pragma once

#include "chartview/FraNavInfoWWLine.h"

class IWptPlanPoint;
class IWptRoute;
class IWptRouteTimePoint;
class IBmp32;

class TFrameNavInfoWWRoutePoint : public TFrameNavInfoWWLine {
    Q_OBJECT
public:
    static constexpr int LineHeight = 48;
    TFrameNavInfoWWRoutePoint(QWidget *slotPanel, TMarivoNavEnv &env);

    TKind Kind() const override { return TKind::RoutePoint; }
    bool ShowsSomething() const override { return FStopMode ? FFirst != nullptr : FPoint != nullptr; }
    // True when the point differs from the one kept before.
    bool SetRoutePoint(IWptPlanPoint *point, IWptRoute *route, double distance);
    // True when what the line shows changed: the stop's moments, or the line going from
    // showing nothing to showing the stop.
    bool SetStop(IWptRouteTimePoint *first, IWptRouteTimePoint *second, double distance,
                 IWptRoute *route);

    QString TitleText() const;
    QString InfoText() const;
    bool PanelShown() const;

private:
    void Display(double distance);

    IWptPlanPoint *FPoint = nullptr;
    IWptRoute *FRoute = nullptr;
    bool FStopMode = false;
    IWptRouteTimePoint *FFirst = nullptr;
    IWptRouteTimePoint *FSecond = nullptr;
    IBmp32 *FSymbol = nullptr;
    QWidget *ImagePanelRoutePoint;
    TNavInfoPaintBox *PaintBox;
    QLabel *LabelRoutePoint;
    QLabel *LabelRoutePointInfo;
};
