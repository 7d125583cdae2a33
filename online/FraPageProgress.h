// The install wizards' progress page: a bar with header and text for the current item and
// a bar with text for the whole run, centred in the page. GUI thread.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

class TFramePageProgress : public QWidget {
    Q_OBJECT
public:
    explicit TFramePageProgress(QWidget *owner = nullptr);

    // When set, every setter lets pending events run (the wizards switch it off: their run
    // is driven by the event loop anyway).
    bool ProcessMessagesOnUpdate = true;

    void SetSingleHeader(const QString &text);
    void SetSingleText(const QString &text);
    void SetSingleMax(int value);
    void SetSinglePosition(int value);
    void SetTotalText(const QString &text);
    void SetTotalMax(int value);
    void SetTotalPosition(int value);
    int GetTotalPosition() const;
    void ClearTexts();
    // Both panels centred; with both visible at a quarter and three quarters of the height,
    // else the visible one in the middle.
    void ArrangePanels();

    QWidget *PanelProgressSingle;
    QLabel *LabelProgressSingleHeader;
    QLabel *LabelProgressSingle;
    QProgressBar *ProgressBarSingle;
    QWidget *PanelProgressTotal;
    QLabel *LabelProgressTotal;
    QProgressBar *ProgressBarTotal;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Updated();
};
