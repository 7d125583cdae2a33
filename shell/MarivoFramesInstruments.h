// The factories of the instrument and service panels the main window hosts: the NMEA
// monitor, the track replay panel, the user report and the instruments information.
#pragma once

#include "shell/MarivoFrames.h"

std::unique_ptr<IFrameNMEAMonitor> MakeNMEAMonitorFrame(QWidget *host, TMarivoNavEnv &env);
std::unique_ptr<IFrameTrackReplay> MakeTrackReplayFrame(QWidget *host, TMarivoNavEnv &env);
std::unique_ptr<IFrameUserReport> MakeUserReportFrame(QWidget *host, TMarivoNavEnv &env);
std::unique_ptr<IFrameNavCurrent> MakeNavCurrentFrame(QWidget *host, TMarivoNavEnv &env);
