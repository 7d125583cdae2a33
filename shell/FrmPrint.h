// The print dialog before the chart view is printed: printer, number of copies and paper
// orientation on the program's printer object (where the choices stay for the rest of the
// run), the printer's page setup, and what to print. It keeps no settings of its own.
// GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <QStringList>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPageSetupDialog;
class QRadioButton;
class QToolButton;
class TNumberEdit;

// Where the dialog finds the printers and how it chooses one; the system's by default
// (QPrinterInfo and the program's printer). Tests hand in a PDF printer.
struct TPrinterSource {
    // The installed printers in the platform's order.
    std::function<QStringList()> Names;
    // The program printer's current printer; empty when none is current.
    std::function<QString()> Current;
    // Makes a printer current; False when the platform refused it.
    std::function<bool(const QString &name)> Select;
};

// Print set bits.
namespace PrintSet {
inline constexpr uint8_t Tracks = 0x1;
inline constexpr uint8_t Routes = 0x2;
inline constexpr uint8_t Waypoints = 0x4;
}  // namespace PrintSet

class TFormPrint : public TFormSettingsDialog {
    Q_OBJECT
public:
    explicit TFormPrint(QWidget *parent = nullptr);

    // True when closed with OK. The orientation (0 automatic, 1 portrait, 2 landscape) and
    // the print set come back whenever the dialog was shown; without any printer a warning
    // is shown instead and both stay as they were.
    static bool Execute(uint8_t &orientation, uint8_t &printSet, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormPrint &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormPrint>::Set(std::move(prompter));
    }
    static TPrinterSource SetPrinterSource(TPrinterSource source);
    // Runs the page setup dialog (tests answer it); returns its result.
    using TPageSetupPrompter = std::function<int(QPageSetupDialog &dialog)>;
    static TPageSetupPrompter SetPageSetupPrompter(TPageSetupPrompter prompter);

    uint8_t Orientation() const { return FOrientation; }
    uint8_t GetPrintSet() const;

    QComboBox *ComboBoxPrinters;
    QPushButton *ButtonPreferences;
    TNumberEdit *EditPrinterCopies;
    QWidget *UpDownPrinterCopies;
    QToolButton *ButtonCopiesUp, *ButtonCopiesDown;
    QRadioButton *RadioButtonAutomatic, *RadioButtonPortrait, *RadioButtonLandscape;
    QCheckBox *CheckBoxRoutes, *CheckBoxTracks, *CheckBoxWaypoints;

    void ComboBoxPrintersChange();
    void ButtonPreferencesClick();
    void EditPrinterCopiesExit();
    // up: the up button, else the down button.
    void UpDownPrinterCopiesClick(bool up);
    void RadioButtonOrientationClick();

protected:
    void CloseQuery(bool ok) override;

private:
    void BuildLayout();
    void SetTexts();
    void FillPrinters();
    // The typed number of copies to the printer.
    void TakeCopies();

    uint8_t FOrientation = 0;
    QLabel *FLabelGeneral, *FLabelName, *FLabelCopies, *FLabelOrientation, *FLabelPrint;
};
