// Screenshots of the download pages by day and by night, into the build folder.
#pragma once

#include "base/graphics/KvNightScreen.h"
#include "tests/shell/ShellTestSupport.h"

#include <QCoreApplication>
#include <QWidget>

namespace exchangetest {

inline void SaveDayAndNight(QWidget *widget, const QString &name) {
    widget->show();
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(widget, name + QStringLiteral("-day"));
    NightScreenStart();
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(widget, name + QStringLiteral("-night"));
    NightScreen()->SetActive(false);
    NightScreenStop();
    QCoreApplication::processEvents();
}

}  // namespace exchangetest
