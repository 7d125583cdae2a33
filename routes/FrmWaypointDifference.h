// The small window that explains the warning icons of the waypoint properties dialog.
// GUI thread.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// The window that explains the warning icons.
class TFormWaypointDifference : public QDialog {
    Q_OBJECT
public:
    explicit TFormWaypointDifference(QWidget *owner = nullptr);
    ~TFormWaypointDifference() override;
    static void Execute(QWidget *owner = nullptr);

    using TPrompter = std::function<int(TFormWaypointDifference &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    QLabel *ImageWarning, *LabelText;
    QPushButton *ButtonClose;
};
