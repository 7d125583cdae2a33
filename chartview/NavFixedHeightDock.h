// The fixed-height rule of the panel frames whose content has a set height: the dock panel
// is exactly as tall as the visible parts of its frame, so the user cannot resize it
// vertically. The frame is the dock widget's client; its minimum and maximum heights stand
// for the panel's client limits. Every change of the panel's docking (floated, docked,
// moved to another area) applies the last height again, after the owner's own reaction.
// GUI thread only; the dock and the client belong to the caller.
#pragma once

#include <QPointer>
#include <QSize>
#include <functional>

class QDockWidget;
class QWidget;

class TFixedHeightDock {
public:
    // A dock panel never gets a client lower than this, whatever the content says.
    static constexpr int MinimumClientHeight = 8;

    // dock may be nullptr (a frame outside a panel): then only the client is sized.
    TFixedHeightDock(QDockWidget *dock, QWidget *client);

    // Called first on every docking change (the chained handler of the panel's owner).
    std::function<void()> OnDockChanged;

    // Sets the client's minimum, maximum and current height to the content height (raised
    // to MinimumClientHeight).
    void Apply(int contentHeight);
    int AppliedHeight() const { return FHeight; }
    // How often Apply ran: lets a caller check that a batch of changes resizes once.
    int ApplyCount() const { return FApplyCount; }
    // The smallest client size the dock allows: a geometry request below it is raised.
    QSize MinClientSize() const;
    // w and h raised to MinClientSize().
    QSize Bounded(int w, int h) const;

private:
    QPointer<QDockWidget> FDock;
    QPointer<QWidget> FClient;
    int FHeight = MinimumClientHeight;
    int FApplyCount = 0;
};
