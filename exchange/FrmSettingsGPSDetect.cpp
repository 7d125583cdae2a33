// Detection and test from the GPS settings dialog: which parameter sets are tried on which
// ports, in which order, and how a found receiver becomes the dialog's choice.
#include "exchange/FrmSettingsGPS.h"

#include "exchange/FrmAutoDetect.h"

#include <QApplication>

namespace {

float &DetectTimeLimit() {
    static float seconds = 0.0f;
    return seconds;
}

constexpr int32_t ProbeBaudRates[] = {4800, 9600, 14400, 19200, 38400, 57600, 115200};

}  // namespace

void AddSerialProbe(INavMsgDetectJob *job, int32_t protocol, int32_t baudRate, int32_t stopBits,
                    int32_t flowControl, bool test) {
    INavMsgDetectSettings *set = NavMsgDetectSettingsCreate();
    set->SetProtocol(protocol);
    INavMsgCommPortSettings *line = set->GetPortSettings();
    line->SetBaudRate(baudRate);
    line->SetFlowControl(flowControl);
    line->SetLineOption1(0);
    line->SetStopBits(stopBits);
    line->SetDataBits(8);
    line->SetLineOption2(0);
    line->SetLineOption3(0);
    if (test && protocol == NavMsgProtocol::NMEA) {
        // A receiver may send its position only every few seconds.
        set->SetTimeLimit1(15.0f);
        set->SetTimeLimit2(15.0f);
    } else if (!test && DetectTimeLimit() > 0.0f) {
        set->SetTimeLimit1(DetectTimeLimit());
        set->SetTimeLimit2(DetectTimeLimit());
    }
    job->AddSettings(set);  // the job owns it from here
}

void AddUSBProbe(INavMsgDetectJob *job) {
    INavMsgDetectSettings *set = NavMsgDetectSettingsCreate();
    set->SetProtocol(NavMsgProtocol::VendorBinary);
    job->AddSettings(set);
}

float TFormSettingsGPS::SetDetectTimeLimit(float seconds) {
    const float previous = DetectTimeLimit();
    DetectTimeLimit() = seconds;
    return previous;
}

void TFormSettingsGPS::AutoDetect() {
    TFormAutoDetect form(this, false, FDeviceManager);
    INavMsgDeviceDetector *detector = form.Detector();
    for (int32_t i = FDeviceManager->GetPortCount() - 1; i >= 0; --i) {
        INavMsgDetectJob *job = detector->AddPort(FDeviceManager->GetPort(i));
        if (!job) continue;
        AddSerialProbe(job, NavMsgProtocol::VendorBinary, 9600, NavMsgLine::StopBitsOne, NavMsgLine::FlowNone, false);
        for (int32_t stopBits : {NavMsgLine::StopBitsOne, NavMsgLine::StopBitsTwo})
            for (int32_t rate : ProbeBaudRates)
                AddSerialProbe(job, NavMsgProtocol::NMEA, rate, stopBits, NavMsgLine::FlowXonXoff, false);
    }
    // Vendor-USB ports are probed whatever the chosen protocol.
    for (int32_t i = FDeviceManager->GetUSBPortCount() - 1; i >= 0; --i)
        if (INavMsgDetectJob *job = detector->AddPort(FDeviceManager->GetUSBPort(i))) AddUSBProbe(job);
    if (form.ShowModal() == QDialog::Accepted && form.GetResult()) TakeOverResult(form.GetResult());
}

void TFormSettingsGPS::TakeOverResult(INavMsgDetectJob *result) {
    INavMsgDetectSettings *found = result->GetFoundSettings();
    if (!found) return;
    // Brand first: choosing it switches the protocol, which the found one then overrides.
    SetBrand(result->GetBrand());
    FillModels();
    SetModel(result->GetModel());
    SetProtocol(found->GetProtocol());
    INavMsgPort *port = result->GetPort();
    SetPort(port);
    if (port && port->GetKind() == NavMsgPortKind::Serial) {
        INavMsgCommPortSettings *line = found->GetPortSettings();
        SetBaudRate(line->GetBaudRate());
        SetStopBits(line->GetStopBits());
        SetFlowControl(line->GetFlowControl());
    }
    UpdateStates();
}

void TFormSettingsGPS::ButtonTestClick() {
    if (!FPort) return;
    TFormAutoDetect form(this, true, FDeviceManager);
    INavMsgDetectJob *job = form.Detector()->AddPort(FPort);
    if (job && FPort->GetKind() == NavMsgPortKind::Serial)
        AddSerialProbe(job, FProtocol, FBaudRate, FStopBits, FFlowControl, true);
    else if (job && FPort->GetKind() == NavMsgPortKind::VendorUSB)
        AddUSBProbe(job);
    form.ShowModal();
}
