// A Yes/No confirmation that lists the items concerned (routes or tracks to delete),
// grouped under headings, sortable, with pictures and "read-only" marks. GUI thread only.
//
// The group bands and their expand buttons are drawn by the shell's list drawing routines,
// which base cannot include: the shell hands them over once with SetFormMsgDrawing. Without
// them headings are plain bold rows.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvGraphics.h>

#include <QAbstractItemModel>
#include <QImage>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPainter;
class QPushButton;
class QTreeView;

struct TMessageItem {
    // The caller's bitmap (not owned); Picture is the copy the dialog draws.
    IBmp32 *Image = nullptr;
    QImage Picture;
    bool IsHeading = false;
    // A heading that always sorts first.
    bool Pinned = false;
    bool ReadOnly = false;
    QString Heading;
    QString Text;
};

class TMessageList {
public:
    // A heading item first when no heading item of that heading (any case) exists yet; then
    // the message itself when its text is not empty.
    void Add(const QString &text, const QString &heading, bool pinned, bool readOnly, IBmp32 *image);
    // Searched from the end; both compared without case.
    bool Contains(const QString &text, const QString &heading) const;
    int Count() const { return int(FItems.size()); }
    // nullptr outside the range.
    const TMessageItem *Items(int index) const;

private:
    std::vector<std::unique_ptr<TMessageItem>> FItems;
};

// The shell's drawing routines for group rows (all optional).
struct TFormMsgDrawing {
    // Paints the band of a heading row cell; lastCell is the row's last visible cell.
    std::function<void(QPainter &p, const QRect &cell, int column, bool lastCell)> DrawGroupRowCell;
    // The expand button's box in a heading row's last cell.
    std::function<QRect(const QRect &cell)> GroupExpandButtonRect;
    std::function<void(QPainter &p, const QRect &cell, bool expanded, bool hot, bool pressed)>
        PaintGroupExpandButton;
    // The line under a message row.
    std::function<void(QPainter &p, const QRect &cell)> DrawRowSeparator;
};
// Returns the previous routines.
TFormMsgDrawing SetFormMsgDrawing(TFormMsgDrawing drawing);
const TFormMsgDrawing &FormMsgDrawing();

// The list's rows: headings and messages without heading at the top, messages below their
// heading. Column 0 the text, column 1 "read-only".
class TMessageListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { ColText, ColReadOnly, ColumnCount };
    enum { ItemRole = Qt::UserRole + 1, IsHeadingRole };
    explicit TMessageListModel(const TMessageList &list, QObject *parent = nullptr);

    void SetColumnTitle(const QString &title);
    // Rebuilds the rows from the list, in list order.
    void Fill();
    const TMessageItem *ItemAt(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Pinned headings first in both directions; otherwise texts by their trailing numbers.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct TRow {
        int Item;
        std::vector<int> Children;
    };
    const TMessageList &FList;
    std::vector<TRow> FRows;
    QString FColumnTitle;
};

class TFormMsg : public TFormScaled {
    Q_OBJECT
public:
    // kind 0 warning, 1 error, 2 information, 3 confirmation.
    TFormMsg(int kind, bool allowDuplicates, QWidget *parent = nullptr);
    ~TFormMsg() override;

    void AddMessage(const QString &text, const QString &heading, bool pinned = false,
                    bool readOnly = false, IBmp32 *image = nullptr);
    void SetColumnTitle(const QString &text);
    void SetMessage(const QString &text);
    void SetQuestion(const QString &text);
    void SetCaption(const QString &text);
    // Fills the list and shows the dialog; true exactly when Yes was pressed.
    bool Execute();
    // Fills and sorts the list as Execute does (without showing the dialog).
    void FillList();

    const TMessageList &Messages() const { return FList; }
    TMessageListModel *Model() const { return FModel; }
    QTreeView *ListView;
    QLabel *LabelMessage, *LabelQuestion;
    QLabel *ImageWarning, *ImageError, *ImageInformation, *ImageConfirmation;
    QPushButton *ButtonYes, *ButtonNo;
    int HotRow() const { return FHotRow; }
    int PressedRow() const { return FPressedRow; }

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormMsg &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    class TDelegate;
    void Sort(Qt::SortOrder order);
    // The heading row whose expand button is at pos (viewport), or -1.
    int ButtonRowAt(const QPoint &pos) const;
    TMessageList FList;
    bool FAllowDuplicates;
    TMessageListModel *FModel;
    Qt::SortOrder FOrder = Qt::AscendingOrder;
    int FHotRow = -1, FPressedRow = -1;
};
