// Operation requests to bridges and locks: while the sign-up is active the manager asks the
// operators' server for an opening as the own ship approaches a participating structure,
// updates the estimated arrival, cancels, and keeps a log and statistics of what it sent.
// Every call and the change callback happen on the GUI thread.
#pragma once

#include "KvTypes.h"
#include "KvStrW.h"
#include "KvCallbacks.h"

struct TLoopRecord;
class IGeodeticCalibration;
class INavBoat;
class IWWNetwork;

// One entry of the operation-request log. From INavStructOperationManager::GetEvent; owned
// by the manager, valid until the log changes (the change callback says when).
// Also known as INavStructOpEvent.
class KVLIB_API INavStructOperationEvent : public NavObject {
public:
    // UTC.
    virtual TDateTime GetTime() = 0;                                                // slot —
    // 0 downloading structure codes, 1 request cancelled, 2 request sent, 3 boat state
    // sent, 4 request updated, 5 structure passed and request cancelled.
    virtual int32_t GetKind() = 0;                                                  // slot —
    // Estimated arrival at the structure, UTC.
    virtual TDateTime GetETA() = 0;                                                 // slot —
    // HTTP status of the server's reply (200 = accepted).
    virtual int32_t GetReplyStatus() = 0;                                           // slot —
    // Name of the bridge or lock.
    virtual const TStrWRec *GetObjectName() = 0;                                    // slot —
    // The server's reply text; empty when there was none.
    virtual const TStrWRec *GetStatusText() = 0;                                    // slot —
};

// From NavStructOperationManagerCreate; owned by the program's environment. The boat and
// network given to it are kept, not owned: the network is detached (nil) before it is
// released or replaced.
class KVLIB_API INavStructOperationManager : public NavObject {
public:
    // Every second; the calibration is the main viewer's (may be nullptr).
    virtual void Tick(const TLoopRecord &rec, IGeodeticCalibration *cal) = 0;       // slot 1
    // Once, when the environment is created. waterLevel: the planner's NAP water level in
    // metres.
    virtual void Attach(INavBoat *boat, const TStrWRec &shipName, float waterLevel,
                        IWWNetwork *net) = 0;                                       // slot 12
    // Starts or stops the sign-up.
    virtual void SetActive(bool active) = 0;                                        // slot 13
    // Ship name sent with every request.
    virtual void SetShipName(const TStrWRec &name) = 0;                             // slot 18
    // NAP water level, metres.
    virtual void SetWaterLevel(float metres) = 0;                                   // slot 19
    // nullptr detaches the network.
    virtual void SetWaterwayNetwork(IWWNetwork *net) = 0;                           // slot 20
    virtual bool IsActive() = 0;                                                    // slot —
    // Telephone number sent with every request.
    virtual void SetPhone(const TStrWRec &phone) = 0;                               // slot —
    // The program always passes 1.
    virtual void SetMode(int32_t mode) = 0;                                         // slot —
    // Metres added to the mast height: the operation height the operators are told.
    virtual void SetSafetyMargin(float metres) = 0;                                 // slot —
    // Called after every change of the log or the statistics; nullptr removes it.
    virtual void SetCallback(DataProc cb, void *data) = 0;                          // slot —
    // Log entries of one kind: "request", "update", "cancel" or "passed"; 0 for others.
    virtual int32_t CountEvents(const TStrWRec &kind) = 0;                          // slot —
    virtual int32_t GetEventCount() = 0;                                            // slot —
    // Oldest first.
    virtual INavStructOperationEvent *GetEvent(int32_t i) = 0;                      // slot —
    // UTC of the most recent action; 0 or less when there was none.
    virtual TDateTime GetLastActionTime() = 0;                                      // slot —
    virtual int32_t GetUniqueShipsThisMonth() = 0;                                  // slot —
    virtual int32_t GetUniqueShipsLastMonth() = 0;                                  // slot —
    // Participating structures with statistics.
    virtual int32_t GetStructStatsCount() = 0;                                      // slot —
    // identifierOut receives the structure's identifier (found in the network by
    // identifier); the counts are those of this structure.
    virtual void GetStructStats(int32_t i, IStrW *identifierOut, int32_t &active,
                                int32_t &passed, int32_t &cancellations, int32_t &updates,
                                int32_t &requests) = 0;                             // slot —
    // passed: distinct structures passed; participating: structures taking part.
    virtual void GetStructCounts(int32_t &passed, int32_t &participating) = 0;      // slot —
};

// Created inactive, without a boat or network (Attach follows).
KVLIB_API INavStructOperationManager *NavStructOperationManagerCreate();
