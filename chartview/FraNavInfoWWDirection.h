// A change of direction on the route ahead: the turn symbol, the name of the fairway part
// the route turns into and the distance.
#pragma once

#include "chartview/FraNavInfoWWLine.h"

class IWptRouteObject;

class TFrameNavInfoWWDirection : public TFrameNavInfoWWLine {
    Q_OBJECT
public:
    static constexpr int LineHeight = 48;
    TFrameNavInfoWWDirection(QWidget *slotPanel, TMarivoNavEnv &env);
    ~TFrameNavInfoWWDirection() override;

    TKind Kind() const override { return TKind::Direction; }
    bool ShowsSomething() const override { return FSymbol >= 0; }
    // True when the symbol index changed.
    bool SetDirection(IWptRouteObject *object, double distance);

    int Symbol() const { return FSymbol; }
    QString NameText() const;

private:
    int FSymbol = -1;
    QString FName;
    TImageList *FTurns;
    QWidget *ImagePanelDirection;
    TNavInfoPaintBox *PaintBoxDirection;
    QLabel *LabelDirection;
};
