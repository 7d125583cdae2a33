// The print dialog of the route overview ("Print route"): the printer, the orientation and
// the columns to print.
#pragma once

#include "routes/FrmRouteExport.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

class TFormRoutePrint : public QDialog {
    Q_OBJECT
public:
    TFormRoutePrint(const QString &key, const std::vector<TRouteOverviewOffer> &offers,
                    const QStringList &printers, QPrinter &printer, QWidget *owner);
    ~TFormRoutePrint() override;
    QComboBox *PrinterCombo() const { return FPrinters; }
    QRadioButton *LandscapeButton() const { return FLandscape; }
    QRadioButton *PortraitButton() const { return FPortrait; }
    QPushButton *PropertiesButton() const { return FProperties; }
    QListWidget *ColumnList() const { return FList; }
    QDialogButtonBox *Buttons() const { return FButtons; }
    const std::vector<int> &Columns() const { return FColumns; }
    // 0 portrait, 1 landscape.
    int Orientation() const;

    void accept() override;
    // "&Properties...": the page set-up of the chosen printer.
    void ShowProperties();

    using TPrompter = std::function<int(TFormRoutePrint &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // The system's printers; tests put in their own list.
    using TPrinterNames = std::function<QStringList()>;
    static TPrinterNames SetPrinterNames(TPrinterNames names);
    static QStringList PrinterNames();
    int Run();

private:
    void PrinterChosen(int index);

    QPrinter &FPrinter;
    QComboBox *FPrinters = nullptr;
    QRadioButton *FLandscape = nullptr, *FPortrait = nullptr;
    QPushButton *FProperties = nullptr;
    QListWidget *FList = nullptr;
    QDialogButtonBox *FButtons = nullptr;
    std::unique_ptr<TRouteColumnChoice> FChoice;
    std::vector<int> FColumns;
};

// Refused with a message when there is no printer. On OK: the orientation (0 portrait,
// 1 landscape, "PrintOrientation" written), the checked columns in header order ("Print"
// written) and the chosen printer set on printer.
bool ExecuteRoutePrint(const QString &key, int &orientation, std::vector<int> &columns,
                       const std::vector<TRouteOverviewOffer> &offers, QPrinter &printer, QWidget *owner);
