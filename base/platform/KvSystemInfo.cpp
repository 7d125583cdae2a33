#include "base/platform/KvSystemInfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStyle>
#include <QSysInfo>

QString GetOperatingSystemName() {
    const QString pretty = QSysInfo::prettyProductName();
    return pretty.isEmpty() ? QSysInfo::kernelType() : pretty;
}

QString GetOperatingSystemVersion() {
    return QSysInfo::kernelVersion();
}

QIcon GetStockIcon(int32_t stockIcon) {
    QStyle::StandardPixmap pixmap;
    switch (stockIcon) {
    case KvStockIcon::DocumentNoAssoc: pixmap = QStyle::SP_FileIcon; break;
    case KvStockIcon::Folder: pixmap = QStyle::SP_DirIcon; break;
    case KvStockIcon::DriveFixed: pixmap = QStyle::SP_DriveHDIcon; break;
    case KvStockIcon::DriveCD: pixmap = QStyle::SP_DriveCDIcon; break;
    case KvStockIcon::Help: pixmap = QStyle::SP_DialogHelpButton; break;
    case KvStockIcon::Recycler: pixmap = QStyle::SP_TrashIcon; break;
    case KvStockIcon::Shield: pixmap = QStyle::SP_VistaShield; break;
    case KvStockIcon::Warning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case KvStockIcon::Info: pixmap = QStyle::SP_MessageBoxInformation; break;
    case KvStockIcon::Error: pixmap = QStyle::SP_MessageBoxCritical; break;
    default: return {};
    }
    QStyle *style = QApplication::style();
    return style ? style->standardIcon(pixmap) : QIcon();
}

void SetButtonShield(QAbstractButton *button, bool show) {
    Q_UNUSED(button);
    Q_UNUSED(show);
}
