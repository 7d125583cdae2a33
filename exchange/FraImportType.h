// The import type page of the import wizard: what to import. Of its five choices only
// track files and GPS exchange files are shown; data files, text files (waypoints or routes)
// and polar diagram files are built and answer GetImportType, but the layout hides them.
// GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <cstdint>

class QLabel;
class QRadioButton;
class QTabWidget;
class TMarivoNavEnv;

class TFrameImportType : public TFrameScaled {
    Q_OBJECT
public:
    TFrameImportType(QWidget *owner, TMarivoNavEnv *env);
    ~TFrameImportType() override;

    // 1 data file, 2 GPX, 3 polar diagrams, 4 text waypoints, 5 text routes, 6 track files.
    uint8_t GetImportType() const;

    QTabWidget *PageControl;
    QLabel *LabelInformation, *ImageInformation;
    QWidget *TabSheet;  // hosts the choices, under the information strip
    QRadioButton *RadioButtonBinary, *RadioButtonText, *RadioButtonPolars, *RadioButtonTracks, *RadioButtonGPX;
    QWidget *PanelImportText;
    QRadioButton *RadioButtonTextWaypoints, *RadioButtonTextRoutes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateTexts();
    void ArrangeButtons();
    void RadioButtonClick();

    bool FFirstLayout = true;
    TMarivoNavEnv *FEnv;
};
