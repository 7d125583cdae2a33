// The user report panel: a subject and a text for the maker's service, optionally a picture
// of the main window and a position picked on the chart, with data the panel gathers itself
// (program and version, the boat, its position and waterway, the chart sets in use). The
// core library's user-data service sends it and announces the outcome with notification
// 137; success resets and hides the panel, a failure keeps what the user wrote.
//
// The screenshot is a JPEG (quality 90) in a private file of a unique name in the temporary
// folder, kept until the panel is reset and removed with the panel. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/strings/KvFormatSettings.h"

#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvTypes.h>

#include <QPointer>
#include <functional>

class IUserDataAPI;
class QCheckBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TMarivoNavEnv;

namespace UserReportText {
// Degrees with five decimals and a decimal point, latitude ", " longitude.
QString Position(const TGeoPoint &p);
// Whole kilometres, the decimal separator and the first decimal, both truncated.
QString KmMark(double metres, const TFormatSettings &fs);
// "name; MMSI; l; w; h; d (lbhd m)": name and MMSI only when known, one decimal each.
QString BoatInfo(const QString &shipName, int32_t mmsi, float length, float width, float height, float draught,
                 const TFormatSettings &fs);
}  // namespace UserReportText

class TFrameUserReport : public TFrameScaled {
    Q_OBJECT
public:
    // capture: the window whose picture the screenshot is (the main window).
    TFrameUserReport(QDockWidget *panel, TMarivoNavEnv &env, QWidget *capture);
    ~TFrameUserReport() override;

    // (99, 99) is none.
    void SetPosition(const TGeoPoint &position);
    void UpdateMetadata();
    void UpdateTexts();
    void Reset();
    // The numbers the user's locale writes (dimensions, kilometre mark).
    void SetFormatSettings(const TFormatSettings &fs) { FLocale = fs; }

    void CreateScreenshot();
    void SelectPoint();
    void Send();
    void Close();

    // Switches the main viewer's point picking on or off.
    std::function<void(TFrameUserReport *, bool active)> OnSelectPoint;

    // What the tests read.
    QLineEdit *Subject() const { return EditSubject; }
    QPlainTextEdit *Report() const { return MemoReport; }
    QPlainTextEdit *Metadata() const { return MemoMetadata; }
    QPushButton *SendButton() const { return ButtonSend; }
    QPushButton *CloseButton() const { return ButtonClose; }
    QCheckBox *SendScreenshot() const { return CheckSendScreenshot; }
    QCheckBox *SendCopy() const { return CheckSendCopy; }
    QLineEdit *Email() const { return EditEmail; }
    QLabel *PointLabel() const { return LabelPointSelected; }
    QLabel *ScreenshotLabel() const { return LabelScreenshot; }
    const QString &ScreenshotFile() const { return FScreenshot; }
    const QString &ChartSetsText() const { return FChartSets; }
    bool Sending() const { return FSending; }
    static QString Prompt();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void NotificationProc(void *data, TNavNotification *n);
    void OnNotification(const TNavNotification &n);
    void BuildLayout();
    void BuildChartSetList();
    void DeleteScreenshot();
    void EndPointSelection();
    void Finished(int32_t result);
    void ReadStoredLogin();
    QString PositionLines(const TGeoPoint &p) const;
    QString WaterwayText() const;
    QString BoatInfoText() const;

    TMarivoNavEnv &Env;
    QPointer<QDockWidget> FPanel;
    QPointer<QWidget> FCapture;
    TGeoPoint FPosition{99.0, 99.0};
    QString FChartSets;
    QString FScreenshot;
    bool FSending = false;
    IUserDataAPI *FApi = nullptr;
    TFormatSettings FLocale;

    QLabel *LabelInformation, *LabelSubject, *LabelScreenshot, *LabelPointSelected, *LabelMetadata;
    QLineEdit *EditSubject, *EditEmail;
    QPlainTextEdit *MemoReport, *MemoMetadata;
    QPushButton *ButtonCreateSS, *ButtonSelectPoint, *ButtonSend, *ButtonClose;
    QCheckBox *CheckSendScreenshot, *CheckSendCopy;
};
