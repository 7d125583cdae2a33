// The route manager: every route of every waypoint database under its group, with check
// boxes for chart visibility, and the commands to rename, copy, regroup and delete routes
// or to pick one to select, find or navigate. Copies, renames, regroupings and deletions
// take effect at once; the visibility and the collapsed groups are applied when the dialog
// closes, whatever closed it. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvWaypoints.h>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;
class TListViewPopup;
class TMarivoNavEnv;
class TRouteManagerModel;
struct TRouteNodeData;

namespace RouteManagerAction {
inline constexpr uint8_t None = 0, Select = 1, Find = 2, Start = 3;
}

// Action 1: select the route (deselect when it is the selected route), 2: show it on the
// chart, 3: start navigating it; 0 none. Route is nil with action 0.
struct TRouteManagerResult {
    uint8_t Action = RouteManagerAction::None;
    IWptRoute *Route = nullptr;
};

class TFormRouteManager : public TFormScaled {
    Q_OBJECT
public:
    TFormRouteManager(TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormRouteManager() override;

    // Shows the dialog; on return the environment's visible routes are those checked, the
    // expanded state of every group is stored, and result says what to do. Returns the
    // result's action.
    static uint8_t Execute(TMarivoNavEnv &env, TRouteManagerResult &result, QWidget *owner = nullptr);

    // Runs the dialog instead of exec (tests); returns the dialog result and the previous.
    using TPrompter = std::function<int(TFormRouteManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // Settings key of the groups' expanded states (value name = group name).
    static QString GroupsKey();

    void BuildRouteList();
    void UpdateButtons();
    // The route rows selected, as their nodes.
    std::vector<TRouteNodeData *> SelectedRoutes() const;
    TRouteNodeData *FocusedRoute() const;
    void CopyRoute(bool reversed);
    void StartStop();
    void FindRoute();
    void SelectRoute();
    void ChooseGroup();
    void DeleteRoutes();
    // Writes the expanded state of every group row; the checked routes become visible.
    void ApplyOnClose();

    TRouteManagerModel *Model() const { return FModel; }
    int HotRow() const { return FHotRow; }
    int PressedRow() const { return FPressedRow; }
    const TRouteManagerResult &Result() const { return FResult; }
    bool IsActive(const TRouteNodeData &node) const;
    bool IsEdited(const TRouteNodeData &node) const;
    bool IsSelected(const TRouteNodeData &node) const;

    QWidget *PanelInformation;
    QLabel *ImageInformation, *LabelInformation;
    QTreeView *ListView;
    QPushButton *ButtonStartStop, *ButtonFind, *ButtonSelect, *ButtonCopy, *ButtonGroup, *ButtonDelete;
    QPushButton *ButtonHelp, *ButtonClose;
    QMenu *PopupMenuCopy;
    QAction *MenuItemCopyRoute, *MenuItemCopyAndReverseRoute;
    TListViewPopup *ListPopup;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    class TDelegate;
    void LoadLanguage();
    void BuildLayout();
    void Connect();
    void SortBy(int column);
    void CollapseStoredGroups();
    void FocusRow(const QModelIndex &index);
    void CloseWith(uint8_t action);
    void Rename(const TRouteNodeData &node, const QString &name);
    bool CanHide(const TRouteNodeData &node) const;
    void HideRefused(const TRouteNodeData &node);
    int ButtonRowAt(const QPoint &pos) const;
    bool ViewportMouse(QEvent *e);

    TMarivoNavEnv &FEnv;
    TRouteManagerModel *FModel;
    TGUID FActive{}, FEdited{}, FSelected{};
    TRouteManagerResult FResult;
    int FHotRow = -1, FPressedRow = -1;
};
