// The duplicate question for several existing items of one name (waypoint groups, routes,
// waypoint types, waypoints): the candidates in a tree, each with its detail lines under
// it, one of them checked; the new item beside them; keep / overwrite / duplicate and a
// box that applies the answer to the rest of the run. It only asks. GUI thread only.
#pragma once

#include "exchange/FrmMsgDuplicateBase.h"

#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

class IWptObjectList;
class QFrame;
class QLabel;

// The record behind a row of the candidate tree: a candidate row holds its object and
// caption, a detail row its lines and icon.
struct TDuplicateNodeData {
    IBmp32 *Icon = nullptr;
    NavObject *Candidate = nullptr;  // nil on a detail row
    QStringList Lines;
    QString Caption;
};

// Candidate rows at the top level, each with one detail row under it; the candidate rows
// carry a check that behaves as a radio button among them.
class TDuplicateCandidateModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TDuplicateCandidateModel(QObject *parent);
    // The rows of candidate i: its caption, and its detail lines and icon.
    void Add(NavObject *candidate, const QString &caption, const QStringList &lines, IBmp32 *icon);
    int CandidateCount() const { return int(FCandidates.size()); }
    // The checked candidate, -1 when none is.
    int Checked() const { return FChecked; }
    void SetChecked(int candidate);
    // nil for an invalid index.
    const TDuplicateNodeData *Node(const QModelIndex &index) const;
    bool IsDetail(const QModelIndex &index) const { return index.isValid() && index.internalId() != 0; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // A check on a candidate row checks it and unchecks the others; unchecking the checked
    // candidate is refused (one always stays checked).
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void CheckedChanged(int candidate);

private:
    struct TCandidate {
        TDuplicateNodeData Row, Detail;
    };
    std::vector<std::unique_ptr<TCandidate>> FCandidates;
    int FChecked = -1;
};

// The tree over the candidates: every row stays expanded, a click anywhere on a
// candidate's rows checks it, and the delegate draws the rows in the highlight colours of
// the checked candidate.
class TDuplicateCandidateTree : public QTreeView {
    Q_OBJECT
public:
    TDuplicateCandidateTree(TDuplicateCandidateModel *model, int detailLines, QWidget *parent);
    TDuplicateCandidateModel *Model() const { return FModel; }
    int DetailLines() const { return FDetailLines; }
    static constexpr int DefaultRowHeight = 20;
    static constexpr int Margin = 4, TextMargin = 4;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TDuplicateCandidateModel *FModel;
    int FDetailLines;
};

class TFormMsgDuplicateMultiple : public TFormMsgDuplicateBase {
    Q_OBJECT
public:
    TFormMsgDuplicateMultiple(TDuplicateKind kind, IWptObjectList *candidates, NavObject *newObject,
                              TMarivoNavEnv *env);
    ~TFormMsgDuplicateMultiple() override;

    // Kinds 1, 2, 8 and 9. True when closed with OK; selectedIndex (the checked candidate's
    // place in the list, -1 when none), action and applyAll are written in every case.
    static bool Execute(TDuplicateKind kind, IWptObjectList *candidates, NavObject *newObject, TMarivoNavEnv *env,
                        int &selectedIndex, TDuplicateAction &action, bool &applyAll);

    using TPrompter = std::function<int(TFormMsgDuplicateMultiple &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The checked candidate; -1 when none is (OK is disabled then).
    int GetSelectedIndex() const;
    // The box counts only while it is enabled, i.e. while the duplicate answer is chosen.
    bool ApplyAll() const;
    void UpdateTexts() override;

    QLabel *LabelTypeExisting;
    TDuplicateCandidateTree *ListView;
    QWidget *PanelTypeGroup, *PanelTypeRoute, *PanelTypeType, *PanelTypeWaypoint;
    QLabel *LabelGroupNew, *LabelGroupNewName, *LabelGroupNewWaypoints;
    QLabel *LabelRouteNew, *LabelRouteNewName, *LabelRouteNewPoints;
    QLabel *LabelTypeNew, *LabelTypeNewName;
    QFrame *PanelTypeNew;
    QWidget *PaintBoxTypeNew;
    QLabel *LabelWaypointNew, *LabelWaypointNewName, *LabelWaypointNewSubName, *LabelWaypointNewPosition;
    QFrame *PanelWaypointNew;
    QWidget *PaintBoxWaypointNew;

private:
    void AddCandidates(IWptObjectList *candidates);
    void ActionClicked();
    // The new item's panel of the kind, nil for another kind.
    QWidget *KindPanel() const;

    NavObject *FNew;
    TDuplicateCandidateModel *FModel;
    std::vector<QLabel *> FNewLines;
};
