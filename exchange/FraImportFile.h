// The single-file page of the import wizard: one source file (a GPS exchange file or a data
// file), chosen through an open-file dialog and shown shortened. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QString>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class TFrameImportFile : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameImportFile(QWidget *owner);
    ~TFrameImportFile() override;

    // A new type forgets the chosen file; the same type keeps it.
    void SetImportType(uint8_t type);
    uint8_t ImportType() const { return FImportType; }
    // False, after an error box, while no existing file is chosen.
    bool Validate();
    QString KindWord() const { return FKindWord; }

    QString FileName;  // full name; empty until one is chosen

    QTabWidget *PageControl;
    QLabel *LabelInformation, *ImageInformation;
    QWidget *TabSheet;
    QLabel *LabelFilename;
    QLineEdit *EditFilename;
    QPushButton *ButtonBrowse;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateTexts();
    void ArrangeControls();
    void Browse();
    void ShowFileName();

    uint8_t FImportType = 0;
    QString FKindWord;
};
