// The NMEA monitor: the raw bytes one instrument port received, as the core library's
// per-port input log keeps them, in a fixed-pitch read-only pane refreshed every second
// tick of the main loop unless paused; Clear empties the pane and the port's log, Save
// writes the pane to a text file. The port is chosen automatically: the remembered one
// when present, else the first by name, the simulator last.
//
// "Desktop\FloatWindowNMEA": "LoggingEnabled", "NMEAInput" (port identifier or
// "NMEASimulator"), "NMEAOutput" (the output side, kept by the same rule). The main window
// creates the frame in its dock panel and frees it before the environment. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QString>
#include <functional>
#include <vector>

class INavMsgDeviceManager;
class INavMsgLog;
class INavMsgPort;
class QCheckBox;
class QDockWidget;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TMarivoNavEnv;

class TFrameNMEAMonitor : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int LineCount = 500;
    static constexpr double RefreshSeconds = 1.5;
    // The dock panel's lowest client height at 96 dpi: pane, pause line and margin.
    static constexpr int MinClientHeight = 150 + 25 + 10;

    // Asks for the file to save to (caption, proposed path, filter); empty = cancelled.
    using TSavePrompter = std::function<QString(QWidget *parent, const QString &caption, const QString &path,
                                                const QString &filter)>;
    static TSavePrompter SetSavePrompter(TSavePrompter prompter);

    // panel may be nullptr (a frame outside a dock).
    TFrameNMEAMonitor(QDockWidget *panel, TMarivoNavEnv &env);

    // Chooses the monitored port again (start, device arrival or removal, GPS settings).
    void UpdatePortLists();
    void Tick(const TLoopRecord &rec);
    void SetLogging(bool on);
    void SetInputPort(INavMsgPort *port);
    void UpdateTexts();
    void BoatStateChanged() {}
    void ClearInput();
    void SaveInput();

    // "NMEASimulator" for the simulator, else the port's identifier.
    static QString PortName(INavMsgPort *port);
    // The ports with a log, in the order offered: by name (COM2 before COM10), the
    // simulator last.
    static std::vector<INavMsgPort *> Candidates(INavMsgDeviceManager *devices, INavMsgPort *simulator);

    bool Logging() const { return FLogging; }
    INavMsgPort *InputPort() const { return FInput; }
    INavMsgPort *OutputPort() const { return FOutput; }
    QPlainTextEdit *Memo() const { return MemoInput; }
    QPushButton *SaveButton() const { return ButtonSaveInput; }
    QPushButton *ClearButton() const { return ButtonClearInput; }
    QCheckBox *PauseBox() const { return CheckBoxPause; }
    QLabel *PauseLabel() const { return LabelPause; }
    const QString &LastSaveFolder() const { return FSaveFolder; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void UpdateButtons();
    void UpdateLayout();
    bool ReallyOnScreen() const;
    void ShowLog(INavMsgLog *log);
    INavMsgPort *Simulator() const;
    // The remembered port when offered, else the first; the value is written back only
    // when it named the port chosen or named none.
    INavMsgPort *ChoosePort(const std::vector<INavMsgPort *> &ports, const QString &valueName);

    TMarivoNavEnv &Env;
    QDockWidget *FPanel;
    INavMsgPort *FInput = nullptr;
    INavMsgPort *FOutput = nullptr;
    bool FLogging = true;
    double FCountdown = 0.0;
    QString FSaveFolder;

    QLabel *LabelNMEAInput;
    QPushButton *ButtonSaveInput, *ButtonClearInput;
    QPlainTextEdit *MemoInput;
    QCheckBox *CheckBoxPause;
    QLabel *LabelPause;
};
