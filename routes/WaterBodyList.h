// The check list of water bodies the planner may use, shared by the route settings panel and
// the default route settings dialog: only the bodies the waterway network covers, in a fixed
// order, each item carrying its body number (Qt::UserRole). GUI thread.
#pragma once

#include <array>
#include <cstdint>

class IWWNetwork;
class QListWidget;

// The order of the list (body numbers, see WptWaterBody).
extern const std::array<int32_t, 17> WaterBodyListOrder;

// Rebuilds the list in the current language: without a network it stays empty. The current
// row is kept by its index. Fires no item change.
void FillWaterBodyList(QListWidget *list, IWWNetwork *network);
// Checks the items whose bit is set in mask. Fires no item change.
void ShowWaterBodyMask(QListWidget *list, uint32_t mask);
// The bits of the checked items, plus the bits of keep whose body the list does not show.
uint32_t WaterBodyListMask(const QListWidget *list, uint32_t keep = 0);
