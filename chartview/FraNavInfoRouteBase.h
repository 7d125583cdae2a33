// What the route block and the next-route-point block of the navigation-information panel
// share: a bordered stack of sections with 27-pixel headers that collapse, the block's
// navigation-data record for the planning time, the unit codes, the dispatcher
// subscription and the height reporting to the host.
//
// The host creates a block inside one of its detail panels, whose height the block sets.
// The environment must outlive the block. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "chartview/NavValuePanel.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QLabel>
#include <functional>

class IWptRoute;
class QToolButton;
class QVBoxLayout;
class TMarivoNavEnv;

class TFrameNavInfoRouteBase : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int HeaderHeight = 27;
    static constexpr int Border = 1;

    TFrameNavInfoRouteBase(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameNavInfoRouteBase() override;

    virtual void UpdateValues() = 0;
    virtual void UpdateLayout() = 0;
    virtual void UpdateTexts() = 0;
    void ApplyUnitSettings();
    void ApplyColors();
    void RouteSelected() { UpdateLayout(); }
    QWidget *Panel() const { return FPanel; }

    std::function<void(TFrameNavInfoRouteBase *)> OnHeightChanged;

    // The subscriber's work, for the codes the dispatcher hands in.
    virtual void HandleNotification(TNavNotification &n) = 0;

protected:
    // Subscribes the block; derived constructors call it last.
    void Subscribe();
    // A section header: the collapse button at the left, the caption, then what the block
    // adds to the returned layout.
    QWidget *MakeHeader(QLabel *&caption, QToolButton *&collapse, class QHBoxLayout *&layout);
    // Shows or hides a section under its header by its flag and returns the height it adds.
    int ApplySection(QWidget *section, QToolButton *collapse, bool visible);
    // Panel height := the contents plus the border; the host hears of it.
    void SetBlockHeight(int contentHeight);
    // The navigation data of the route's plan at the planning time; nullptr when the
    // schedule has no data for that moment (a failed fill never shows stale figures).
    const TNavRouteData *FillAtPlanningTime(IWptRoute *route);
    bool Following() const;

    TMarivoNavEnv &Env;
    QWidget *FPanel;
    TNavRouteData NavData;
    int32_t UnitDistanceLarge = 0, UnitDistanceSmall = 0, UnitSpeed = 0, UnitVolume = 0;
    TNavColourPanel *PanelContents;
    QVBoxLayout *Contents;

private:
    static void NotificationProc(void *data, TNavNotification *n);
    bool FSubscribed = false;
};

// Texts shared by the blocks.
namespace NavRouteText {
inline const QString Dashes = QStringLiteral("---");
// The duration letters of both blocks.
QString Duration(int64_t seconds, int32_t parts);
// "n: name" of a route point, "<no name>" for a point without one.
QString PointText(class IWptRoutePoint *point);
}  // namespace NavRouteText
