// The operating system's name and version, and the desktop's stock icons. GUI thread.
#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>

class QAbstractButton;

// "Debian GNU/Linux 12 (bookworm)" and the like, for captions and reports.
QString GetOperatingSystemName();
// The kernel's version text ("6.1.0-18-amd64").
QString GetOperatingSystemVersion();

// Stock icon numbers callers use.
namespace KvStockIcon {
inline constexpr int32_t DocumentNoAssoc = 0;
inline constexpr int32_t Folder = 3;
inline constexpr int32_t DriveFixed = 8;
inline constexpr int32_t DriveCD = 11;
inline constexpr int32_t Help = 23;
inline constexpr int32_t Recycler = 31;
inline constexpr int32_t Shield = 77;
inline constexpr int32_t Warning = 78;
inline constexpr int32_t Info = 79;
inline constexpr int32_t Error = 80;
}  // namespace KvStockIcon

// The style's icon for a stock icon number; a null icon when the desktop has none, which
// callers treat as "no icon" (the shield, for one, exists on no Linux style).
QIcon GetStockIcon(int32_t stockIcon);

// No elevation exists for the program's actions here, so a button never carries a shield.
void SetButtonShield(QAbstractButton *button, bool show);
