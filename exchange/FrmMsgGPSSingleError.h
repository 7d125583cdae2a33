// The non-modal box the main window shows when the GPS communication has a problem: no
// positions arrive, the port cannot be opened or broke, the receiver does not answer, or an
// error occurred. It stays on top, explains the problem with the port name and the library's
// text, and offers "Detect GPS..." and, for missing positions, "Close communication".
//
// The main window makes one for its whole life and sets OnClose, which hears the user's
// choice each time the box closes. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"

#include <QString>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

class TFormMsgGPSSingleError : public TFormScaled {
    Q_OBJECT
public:
    // Choice values.
    static constexpr uint8_t ChoiceClose = 0, ChoiceCloseCommunication = 1, ChoiceDetectGPS = 2;

    explicit TFormMsgGPSSingleError(QWidget *owner);
    ~TFormMsgGPSSingleError() override;

    // kind 5..11: the port failed or an error occurred; code is the library's error.
    void ShowError(uint8_t kind, const QString &portName, int32_t errorCode);
    // kind 1..4: no positions, since opening (1, 2) or for `seconds` (3, 4).
    void ShowNoPosition(uint8_t kind, const QString &portName, int32_t seconds);
    void SetMessage(uint8_t kind, const QString &portName, int32_t errorCode, int32_t seconds);
    // The kind's text and layout; a kind above 11 leaves both as they are.
    void FormatMessage();
    // The captions in the current language, and the shown message formatted again.
    void UpdateTexts();

    // The text of a kind in the current language, with its arguments filled in; a null
    // string for a kind above 11.
    static QString MessageText(uint8_t kind, const QString &title, const QString &portName,
                               int32_t errorCode, int32_t seconds);

    uint8_t Kind() const { return FKind; }
    // 0 closed, 1 "Close communication", 2 "Detect GPS..."; 0 from every showing on.
    uint8_t Choice = ChoiceClose;
    // Called after the box closed, whichever way.
    std::function<void(TFormMsgGPSSingleError &box)> OnClose;

    QTabWidget *PageControl;
    QWidget *TabSheetError, *PanelImage, *PanelBottom;
    QLabel *ImageError, *ImageWarning, *LabelError;
    QLabel *LabelDetect, *LabelCloseCommunication;
    QPushButton *ButtonDetectGPS, *ButtonCloseCommunication, *ButtonClose;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Choose(uint8_t choice);

    uint8_t FKind = 0;
    QString FPortName;
    int32_t FErrorCode = 0;
    int32_t FSeconds = 0;
};
