// The dockable route table: one route at a time, chosen in a combo box, with its route points
// and the route objects met between them, one row each. Follows the environment's
// notifications so that it always shows the route's current plan; while the shown route is
// followed, the row the ship heads for is marked and scrolled to the top.
//
// The frame keeps the shown route's GUID and finds the route again before each use: the
// deletion notice is posted, so it may arrive after the route is gone. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "routes/FraRoutesColumns.h"
#include "routes/FraRoutesView.h"
#include "routes/FrmRouteExport.h"
#include "routes/RouteOverview.h"
#include "routes/RteNodeRows.h"

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <functional>
#include <vector>

class IWWSection;
class IWWStruct;
class IWptRoute;
class IWptRouteObject;
class IWptRoutePoint;
class IWptWaypoint;
class QAction;
class QActionGroup;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPainter;
class QPrinter;
class QMenu;
class QStatusBar;
class QToolButton;
class QTreeView;
class TImageList;
class TMarivoNavEnv;
struct TNavNotification;

struct TFormatSettings;
struct TRouteStayRec;

// A typed radius in the small-distance unit: ',' and '.' both stand for the decimal
// separator; 1 to 10000 units. On True, metres holds it in metres.
bool RouteParseRadius(const QString &text, const TFormatSettings &fs, int32_t smallUnit, double &metres);
// The message of a failed route point edit.
QString RouteEditErrorText(int32_t err);

class TFrameRoutes : public TFrameScaled {
    Q_OBJECT
public:
    TFrameRoutes(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameRoutes() override;

    void SetRoute(IWptRoute *route);
    // The shown route, found again by its GUID; nullptr when none (or it is gone).
    IWptRoute *Route();
    void FillRouteList();
    void RestoreRoute();
    void BuildRows(IWptRoutePoint *selectPoint);
    void RebuildRows() { BuildRows(nullptr); }
    // The one-second tick.
    void UpdateValues();
    void InvalidateTable();
    void UpdateTexts();
    void SetRouteChoiceVisible(bool visible);
    void SelectPointRow(IWptRoutePoint *point);
    void UpdateStatusBar();
    void UpdateControls();
    void OnEnvNotification(const TNavNotification &n);

    // 0..4; the two structure filters are offered by no menu item.
    void SetFilter(int filter);
    int Filter() const { return FFilter; }
    // 8, 10 or 12.
    void SetFontSize(int points);
    void RestoreColumns();
    // "Select columns...": the chooser over the available columns in header order.
    void SelectColumns();
    void ApplyColumnLayout(const TRouteColumnLayout &layout);

    // (route point, route object): fired when the focused row changes.
    std::function<void(IWptRoutePoint *, IWptRouteObject *)> OnSelectObject;
    // (section, structure, position along the section, notice number, named object,
    // reserved, show, reserved) on a double-click.
    std::function<void(IWWSection *, IWWStruct *, double, int32_t, IWptWaypoint *, int32_t, bool,
                       int32_t)>
        OnShowDetails;
    // The chart viewer's selected route point (the main window wires its viewer).
    std::function<IWptRoutePoint *()> SelectedRoutePoint;
    // The title of a fairway and traffic notice by its number.
    std::function<QString(int32_t)> NoticeTitle;

    // Editing while the environment edits the shown route (route choice hidden).
    bool CanEdit(int row, int column);
    // Writes a typed cell value; True when the point changed (43 posted).
    bool CommitEdit(int row, int column, const QString &text);
    // The text an editor starts with.
    QString EditText(int row, int column);
    // The stay dialog on "Visit" for a row.
    void EditVisit(int row);
    // Delete: the selected route points.
    void DeleteSelectedPoints();
    // "Use this value for all route points": the row's radius to every other route point.
    void CopyRadiusToAll(int row);
    // The copy menu of a radius cell (nullptr where it does not open).
    QMenu *CopyMenuFor(int row, int column);
    // The stay dialog: True with the new stay when the user confirmed it.
    std::function<bool(IWptRoutePoint *, TRouteStayRec &)> ExecuteRouteVisitEdit;

    // The overview of the visible rows in the given columns (column 0 first) for print and
    // export; tableWidth above 0 fixes its width in pixels.
    QStringList BuildOverviewHtml(const std::vector<int> &columns, const QString &imageFolder, int tableWidth);
    // "Export overview...": the page and its icons into the chosen folder.
    void ExportOverview();
    // "Print overview...": split into horizontal parts when the columns do not fit the paper.
    void PrintOverview();
    // Set up the printer after the print dialog (tests print into a PDF file).
    std::function<void(QPrinter &)> ConfigurePrinter;

    // For the main window's tests and the print and export builders.
    const std::vector<TRteNodeData> &Rows() const;
    TRouteCellContext CellContext();
    QString CellText(int row, int column);
    QTreeView *Tree() const { return FTree; }
    TRouteHeaderView *Header() const { return FHeader; }
    TRouteRowDelegate *Delegate() const { return FDelegate; }
    QComboBox *RouteCombo() const { return FCombo; }
    QToolButton *OptionsButton() const { return FOptions; }
    QMenu *OptionsMenu() const { return FMenu; }
    QStatusBar *StatusBar() const { return FStatus; }
    QString StatusText(int panel) const;
    bool RouteChoiceVisible() const { return FRouteChoiceVisible; }
    // The caption and hint of the empty-list message; empty while rows are visible.
    QString EmptyCaption();
    QString EmptyHint();
    // The row the ship heads for, -1 when none (the route not followed).
    int HeadingForRow();
    // The row's route object in the route's present plan, or nullptr.
    IWptRouteObject *ItemOf(int row);
    QAction *FilterAction(int filter) const;
    QAction *FontAction(int points) const;
    QAction *SelectColumnsAction() const { return FSelectColumns; }
    QAction *RestoreColumnsAction() const { return FRestoreColumns; }
    QAction *PrintAction() const { return FPrint; }
    QAction *ExportAction() const { return FExport; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void Notify(void *data, TNavNotification *n);
    void BuildControls();
    void BuildMenu();
    void LoadImages();
    void LoadColumns();
    void ColumnMoved();
    void RowFocused(const QModelIndex &current);
    void RowDoubleClicked(const QModelIndex &index);
    void PaintEmptyMessage();
    TRouteRowPaintState PaintState(int row);
    void FireSelect(int row);
    void ShowEditError(int32_t err);
    void PointChanged(IWptRoutePoint *point);
    bool KeyPressed(QKeyEvent *event);
    std::vector<TRouteOverviewOffer> OverviewOffers();
    int OverviewWidth(int column) const;
    QList<QImage> OverviewImages() const;
    bool OverviewRefused();
    QString OverviewStamp(TDateTime local);
    void OverviewTitles(TRouteOverviewInput &in);
    void PrintPart(QPrinter &printer, QPainter &painter, const std::vector<int> &columns,
                   const TRouteMargins &margins, const QString &imageFolder);
    void PrintFooter(QPainter &painter, const QRectF &area, int page);

    TMarivoNavEnv &FEnv;
    TGUID FRouteGuid{};
    IWptRoute *FRoute = nullptr;  // compared only; used after Route() found it again
    bool FRouteChoiceVisible = true;
    bool FFollowed = false;
    int FFilter = 0;
    uint16_t FFilterMask = 0x01FF;
    int FFontSize = 10;
    bool FSuppressSelect = false;
    bool FLoadingColumns = false;

    QWidget *FChoicePanel = nullptr;
    QLabel *FRouteLabel = nullptr;
    QComboBox *FCombo = nullptr;
    QToolButton *FOptions = nullptr;
    QMenu *FMenu = nullptr;
    QTreeView *FTree = nullptr;
    TRouteTableModel *FModel = nullptr;
    TRouteHeaderView *FHeader = nullptr;
    TRouteRowDelegate *FDelegate = nullptr;
    QStatusBar *FStatus = nullptr;
    QLabel *FEta = nullptr;
    QLabel *FMode = nullptr;
    TImageList *FImages = nullptr;
    QAction *FSelectColumns = nullptr, *FRestoreColumns = nullptr, *FPrint = nullptr,
            *FExport = nullptr;
    QActionGroup *FFilterGroup = nullptr, *FFontGroup = nullptr;
    QMenu *FCopyMenu = nullptr;
    int FCopyRow = -1;
    // While printing: the part being printed (1-based) of how many, and its page count.
    TDateTime FPrintTime = 0.0;
    int FPrintPart = 1, FPrintParts = 1, FPrintPages = 0;
    bool FPrintFirstPage = true;
};
