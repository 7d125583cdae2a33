// A marina on the route ahead: its icon, name and distance. A click on the icon raises the
// object-details event.
#pragma once

#include "chartview/FraNavInfoWWLine.h"

class IWptWaypoint;

class TFrameNavInfoWWMarina : public TFrameNavInfoWWLine {
    Q_OBJECT
public:
    static constexpr int LineHeight = 48;
    TFrameNavInfoWWMarina(QWidget *slotPanel, TMarivoNavEnv &env);
    ~TFrameNavInfoWWMarina() override;

    TKind Kind() const override { return TKind::Marina; }
    bool ShowsSomething() const override { return FMarina != nullptr; }
    // True when the waypoint differs from the one kept before.
    bool SetMarina(IWptWaypoint *marina, double distance);

    IWptWaypoint *Marina() const { return FMarina; }
    bool PanelShown() const;
    QString NameText() const;
    QWidget *MarinaImage() const;

private:
    void Display(double distance);

    IWptWaypoint *FMarina = nullptr;
    QWidget *ImagePanelMarina;
    QLabel *ImageMarina;
    QLabel *LabelMarina;
};
