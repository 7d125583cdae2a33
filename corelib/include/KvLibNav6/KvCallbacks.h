// Shapes of the functions the library calls back into the program.
// Every callback is delivered on the GUI thread; "data" is the pointer registered with it.
// A callback must not let an exception escape: it catches and reports it itself.
#pragma once

#include "KvTypes.h"

struct TLoopRecord;
struct TNavNotification;
struct TProgressEx;
class INavMsgPort;
class INavBoatGPS;
class INavRouteNavigation;
class IWptRoutePoint;
class IWptDatabase;
class IWptObjectList;

// Viewer and object events of the chart viewer (kinds: see KvViewer.h).
struct TViewerEvent {
    int32_t Kind = 0;
    NavObject *Object = nullptr;  // owned by the viewer's data, not by the receiver
};

// The plain "something happened" shape: error cleared, invalidate/repaint, calibration
// changed, transfer connected, operation-request log changed.
using DataProc = void (*)(void *data);

// InitApplication: first-run language choice (writes 1..8; cancelled False on OK).
using LanguageChoiceProc = void (*)(int32_t *language, bool *cancelled);
// InitApplication: two-answer query; the program sets both True.
using TwoAnswerProc = void (*)(bool *a, bool *b);
// InitApplication: remove the application's idle handler.
using IdleResetProc = void (*)();
// InitApplication: the library asks the program to end.
using TerminateProc = void (*)();

// RunAndWait: called while the started program runs; stop := True ends the wait.
using WaitProc = void (*)(void *data, bool &stop);
// INightScreen mode change: kind 2 = on, 1 = off, 0 = colours changed.
using NightModeProc = void (*)(void *data, int32_t ignored, int32_t kind);
// NavLoopCreate: fast tick (0.1 s), tick (1 s) and UI tick (after the tick).
using LoopProc = void (*)(void *data, const TLoopRecord *rec);
// INavMessageDispatcher subscribers.
using NotificationProc = void (*)(void *data, TNavNotification *n);

// NavBoatCreate: the six callback pairs.
using NavStartedProc = void (*)(void *data, intptr_t ignored);
using DeviceErrorProc = void (*)(void *data, INavMsgPort *port, int32_t code, bool flag);
using GPSPortErrorProc = void (*)(void *data, INavBoatGPS *gps, int32_t code, bool flag);
// situation 1 = nothing since the port was opened, 2 = nothing for a while.
using NoPositionProc = void (*)(void *data, INavBoatGPS *gps, int32_t situation);
using ErrorClearedProc = DataProc;
using BoatEventProc = void (*)(void *data, intptr_t ignored);

// INavBoat route-following callbacks.
using TargetChangedProc = void (*)(void *data, INavRouteNavigation *rn, uint32_t flags);
using PointPassedProc = void (*)(void *data, intptr_t ignored, IWptRoutePoint *point,
                                 intptr_t ignored2, float distance);
using PointReachedProc = void (*)(void *data, int32_t value);

// IWptObjectList sort order (no data pointer).
using WptObjectCompareProc = int32_t (*)(NavObject *a, NavObject *b);

// ChartManagerCreate: chart sets changed for a viewer.
using ChartSetsChangedProc = void (*)(void *data, int32_t viewerIndex, intptr_t reloadData);
// ChartManagerCreate, S3DChartDataCacheCreate: loading progress.
using LoadProgressProc = void (*)(void *data, int32_t position, int32_t maximum, int32_t stage);

// NavObjectUpdateManagerCreate and its progress.
using DatabaseUpdatedProc = void (*)(void *data, IWptDatabase *db);
using UpdateEventProc = void (*)(void *data, int32_t number);  // 4 routes, 13 objects, 19 network
using UpdateProgressKindProc = void (*)(void *data, int32_t kind);  // 0..19

// S57ChartLoaderCreate, S3DTileManagerCreate: flag != 0 = stop navigation.
using LoaderProc = void (*)(void *data, int32_t v1, int32_t flag, int32_t v3, int32_t v4);

// NavLogbookLoadFromFile, NavBackupCreate: decode an image, scale to fit, write a PNG.
using ThumbnailProc = void (*)(const char16_t *sourceFile, const char16_t *targetFile,
                               int32_t maxWidth, int32_t maxHeight);

// INavViewer viewer and object events.
using ViewerEventProc = void (*)(void *data, const TViewerEvent *ev);

// INavMsgDeviceDetector::Run progress.
using DetectorProc = void (*)(void *data, int32_t value);

// INavMsgGPSDevice::ConnectAsync: exactly one of connected / error per attempt.
using ConnectErrorProc = void (*)(void *data, int32_t code);
using ConnectPortProc = void (*)(void *data, INavMsgPort *port, int32_t code, bool openFailed);

// Progress of a staged job (ProgressExStageInit1, downloads, chart manager).
using ProgressProc = void (*)(void *data, TProgressEx *progress);

// INavMsgLog::Enumerate: raw input chunks in arrival order.
using LogEnumProc = void (*)(const uint8_t *chunk, int32_t count, void *user);

// IWptDatabase::MergeObjects: one per object kind; the program answers through the outs.
using DuplicateProc = void (*)(void *data, IWptObjectList *existing, NavObject *incoming,
                               int32_t &selectedIndex, int32_t &action, bool &applyToAll,
                               bool &cancel);
