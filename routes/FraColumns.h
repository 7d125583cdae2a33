// The column chooser: a list of the table's columns with a check box each, optionally
// reordered with Up and Down and reset with Restore. Works on its own copy of the
// descriptors; GetResult hands them back in the rows' order.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QToolButton;

struct TColumnDescriptor {
    QString Caption;
    int Index = 0;
    int Width = 0;
    bool Visible = false;
    bool Required = false;  // cannot be unchecked
};

class TColumnDescList {
public:
    TColumnDescriptor &Add(const QString &caption, int index, int width, bool required, bool visible);
    void Assign(const TColumnDescList &other) { FItems = other.FItems; }
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    TColumnDescriptor &Items(int i) { return FItems[size_t(i)]; }
    const TColumnDescriptor &Items(int i) const { return FItems[size_t(i)]; }

private:
    std::vector<TColumnDescriptor> FItems;
};

// Default visibility and width of a column by its number.
using TRestoreDefaults = std::function<void(int index, bool &visible, int &width)>;

namespace ColumnsFlag {
inline constexpr int Reorder = 1;  // Up and Down
inline constexpr int Restore = 2;  // Restore
}  // namespace ColumnsFlag

class TFrameColumns : public QWidget {
    Q_OBJECT
public:
    TFrameColumns(const TColumnDescList &list, int flags, TRestoreDefaults restoreDefaults,
                  QWidget *owner = nullptr);
    void GetResult(TColumnDescList &list) const;
    void UpdateTexts();

    QListWidget *List() const { return FList; }
    QToolButton *UpButton() const { return FUp; }
    QToolButton *DownButton() const { return FDown; }
    QToolButton *RestoreButton() const { return FRestore; }
    void MoveUp() { Move(-1); }
    void MoveDown() { Move(1); }
    void RestoreDefaults();
    // Checks or unchecks a row; refused (False) for a required column.
    bool SetChecked(int row, bool checked);

private:
    void Fill();
    void Move(int delta);
    void UpdateButtons();

    TColumnDescList FItems;
    TRestoreDefaults FRestoreDefaults;
    bool FFilling = false;
    QListWidget *FList = nullptr;
    QToolButton *FUp = nullptr, *FDown = nullptr, *FRestore = nullptr;
};
