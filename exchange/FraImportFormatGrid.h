// The grid of the text import format page: the loaded files with their checked lines as a
// tree model (the kind row, the type row, then a header row per file with its data lines
// below it) and the delegate that paints the cells and opens the drop-down of the kind and
// type rows. The rows live in the page's file list; the model only shows them. GUI thread.
#pragma once

#include "base/controls/KvComboEditLink.h"
#include "exchange/TxtImportLines.h"

#include <KvLibNav6/KvGraphics.h>

#include <QAbstractItemModel>
#include <QStringList>
#include <functional>
#include <vector>

class ITxtFormatField;
class ITxtFormatProfile;
class QComboBox;

// One loaded file: its lines as read, and a row for every line that is not empty.
struct TImportFormatFile {
    QString FileName;
    QStringList Lines;
    std::vector<TTxtImportLine> Rows;
};

// Row kinds of the grid.
namespace ImportFormatRow {
inline constexpr int Kind = 0;
inline constexpr int Type = 1;
inline constexpr int DataLine = 2;
inline constexpr int FileHeader = 3;
}  // namespace ImportFormatRow

// The three cell colours, registered with the night screen while a grid exists.
struct TImportFormatColors {
    TColor Valid = 0x00F0F0FF;
    TColor Invalid = 0x00DADAFF;
    TColor Importable = 0x00E0FFE0;
};
const TImportFormatColors &ImportFormatColors();

// The drop-down of a kind or type row (ImportFormatRow) for a field, and the choice made in
// it applied to the field.
void ImportFormatFillCombo(ITxtFormatField *field, int rowKind, QComboBox *combo);
void ImportFormatApplyChoice(ITxtFormatField *field, int rowKind, int chosen);

class TImportFormatModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // Role of the row kind (ImportFormatRow) of an index.
    static constexpr int RowKindRole = Qt::UserRole + 1;

    TImportFormatModel(const std::vector<TImportFormatFile> &files, QObject *parent = nullptr);
    ~TImportFormatModel() override;

    // The profile whose fields name the kind and type rows; nil draws them empty.
    void SetProfile(ITxtFormatProfile *profile) { FProfile = profile; }
    ITxtFormatProfile *Profile() const { return FProfile; }
    // Starts over with n columns over the page's files (after they changed).
    void Reset(int columns);
    int Columns() const { return FColumns; }
    // Cells changed in place (checks, items, kinds): repaint.
    void Refresh();

    int RowKind(const QModelIndex &index) const;
    const TTxtImportLine *Line(const QModelIndex &index) const;
    // The data line of file f, row r.
    QModelIndex LineIndex(int file, int row, int column = 0) const;
    QModelIndex HeaderIndex(int file) const;
    // The display name of the kind or value type of a column's field.
    QString KindName(int column) const;
    QString TypeName(int column) const;
    bool KindEditable(int column) const;
    bool TypeEditable(int column) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const std::vector<TImportFormatFile> &FFiles;
    ITxtFormatProfile *FProfile = nullptr;
    int FColumns = 0;
};

// Paints the drop-down cells of the kind and type rows, the coloured cells of the data lines
// and the file header rows; edits the drop-down cells through the combo handlers.
class TImportFormatDelegate : public TComboEditLink {
    Q_OBJECT
public:
    using TComboEditLink::TComboEditLink;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Height of the kind and type rows, pixels (scaled).
    int DropDownRowHeight = 24;
};
