#include "exchange/FraImportFormatGrid.h"

#include "exchange/FraImportShared.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "shell/MarivoDraw.h"

#include <KvLibNav6/KvTxtFormat.h>

#include <QApplication>
#include <QPainter>
#include <QTreeView>

namespace {

// Parent ids: 0 for the top rows, file index + 1 for a file's data lines.
constexpr int TopRows = 2;  // kind row, type row

TImportFormatColors Colors;
int ColorUsers = 0;

// Cell texts are shown cut short: a column is at most 400 pixels wide anyway, and a line of
// many megabytes must not be laid out on every paint.
constexpr int ShownChars = 1000;

QString KindKeyOf(ITxtFormatProfile *profile, int column) {
    ITxtFormatField *field = profile ? profile->GetField(column) : nullptr;
    return field ? TxtFormatProfileGetKindKey(profile, field->GetKindIndex()) : QString();
}

}  // namespace

const TImportFormatColors &ImportFormatColors() { return Colors; }

void ImportFormatFillCombo(ITxtFormatField *field, int rowKind, QComboBox *combo) {
    if (!field) return;
    if (rowKind == ImportFormatRow::Kind) TxtFormatFillKindCombo(field, combo);
    else TxtFormatFillTypeCombo(field, combo);
}

void ImportFormatApplyChoice(ITxtFormatField *field, int rowKind, int chosen) {
    if (!field || chosen < 0) return;
    if (rowKind != ImportFormatRow::Kind) {
        field->SetTypeIndex(chosen);
        return;
    }
    // A new kind keeps the value type when it offers one of the same key.
    const QString typeKey = TxtFormatFieldGetTypeKey(field, field->GetTypeIndex());
    field->SetKindIndex(chosen);
    const int32_t type = TxtFormatFieldIndexOfType(field, typeKey);
    if (type != -1) field->SetTypeIndex(type);
}

TImportFormatModel::TImportFormatModel(const std::vector<TImportFormatFile> &files, QObject *parent)
    : QAbstractItemModel(parent), FFiles(files) {
    if (ColorUsers++ == 0) {
        if (INightScreen *ns = NightScreen()) {
            ns->AddColor(&Colors.Valid);
            ns->AddColor(&Colors.Invalid);
            ns->AddColor(&Colors.Importable);
        }
    }
}

TImportFormatModel::~TImportFormatModel() {
    if (--ColorUsers == 0) {
        if (INightScreen *ns = NightScreen()) {
            ns->RemoveColor(&Colors.Valid);
            ns->RemoveColor(&Colors.Invalid);
            ns->RemoveColor(&Colors.Importable);
        }
        Colors = TImportFormatColors{};
    }
}

void TImportFormatModel::Reset(int columns) {
    beginResetModel();
    FColumns = columns;
    endResetModel();
}

void TImportFormatModel::Refresh() {
    if (FColumns == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, FColumns - 1));
    for (size_t f = 0; f < FFiles.size(); ++f) {
        const int rows = int(FFiles[f].Rows.size());
        if (rows > 0) emit dataChanged(LineIndex(int(f), 0), LineIndex(int(f), rows - 1, FColumns - 1));
    }
}

int TImportFormatModel::RowKind(const QModelIndex &index) const {
    if (!index.isValid()) return -1;
    if (index.internalId() != 0) return ImportFormatRow::DataLine;
    if (index.row() == 0) return ImportFormatRow::Kind;
    if (index.row() == 1) return ImportFormatRow::Type;
    return ImportFormatRow::FileHeader;
}

const TTxtImportLine *TImportFormatModel::Line(const QModelIndex &index) const {
    if (RowKind(index) != ImportFormatRow::DataLine) return nullptr;
    return &FFiles[size_t(index.internalId() - 1)].Rows[size_t(index.row())];
}

QModelIndex TImportFormatModel::LineIndex(int file, int row, int column) const {
    return createIndex(row, column, quintptr(file + 1));
}

QModelIndex TImportFormatModel::HeaderIndex(int file) const {
    return createIndex(TopRows + file, 0, quintptr(0));
}

QString TImportFormatModel::KindName(int column) const {
    ITxtFormatField *field = FProfile ? FProfile->GetField(column) : nullptr;
    QString name;
    if (field) TxtFormatKindToStr(TxtFormatFieldGetKindKey(field, field->GetKindIndex()), name);
    return name;
}

QString TImportFormatModel::TypeName(int column) const {
    ITxtFormatField *field = FProfile ? FProfile->GetField(column) : nullptr;
    QString name;
    if (field) TxtFormatTypeToStr(TxtFormatFieldGetTypeKey(field, field->GetTypeIndex()), name);
    return name;
}

bool TImportFormatModel::KindEditable(int column) const {
    ITxtFormatField *field = FProfile ? FProfile->GetField(column) : nullptr;
    return field && field->GetKindCount() > 1;
}

bool TImportFormatModel::TypeEditable(int column) const {
    ITxtFormatField *field = FProfile ? FProfile->GetField(column) : nullptr;
    return field && field->GetTypeCount() > 1;
}

QModelIndex TImportFormatModel::index(int row, int column, const QModelIndex &parent) const {
    if (row < 0 || column < 0 || column >= FColumns) return {};
    if (!parent.isValid()) {
        if (row >= TopRows + int(FFiles.size())) return {};
        return createIndex(row, column, quintptr(0));
    }
    if (RowKind(parent) != ImportFormatRow::FileHeader) return {};
    const int file = parent.row() - TopRows;
    if (row >= int(FFiles[size_t(file)].Rows.size())) return {};
    return LineIndex(file, row, column);
}

QModelIndex TImportFormatModel::parent(const QModelIndex &child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return HeaderIndex(int(child.internalId() - 1));
}

int TImportFormatModel::rowCount(const QModelIndex &parent) const {
    if (FColumns == 0) return 0;
    if (!parent.isValid()) return TopRows + int(FFiles.size());
    if (parent.column() != 0 || RowKind(parent) != ImportFormatRow::FileHeader) return 0;
    return int(FFiles[size_t(parent.row() - TopRows)].Rows.size());
}

int TImportFormatModel::columnCount(const QModelIndex &) const { return FColumns; }

QVariant TImportFormatModel::data(const QModelIndex &index, int role) const {
    const int kind = RowKind(index);
    if (kind < 0) return {};
    if (role == RowKindRole) return kind;
    const int c = index.column();
    if (role == Qt::DisplayRole) {
        switch (kind) {
        case ImportFormatRow::Kind: return KindName(c);
        case ImportFormatRow::Type: return TypeName(c);
        case ImportFormatRow::FileHeader:
            return c == 0 ? FFiles[size_t(index.row() - TopRows)].FileName : QString();
        default: {
            const QString &text = Line(index)->Cells[c];
            return text.size() > ShownChars ? text.left(ShownChars) + QChar(0x2026) : text;
        }
        }
    }
    if (kind != ImportFormatRow::DataLine) return {};
    const TTxtImportLine *line = Line(index);
    if (role == Qt::BackgroundRole) {
        const TColor colour = line->Importable ? Colors.Importable
                              : line->Valid[size_t(c)] ? Colors.Valid
                                                       : Colors.Invalid;
        return TColorToColor(colour);
    }
    if (role == Qt::ForegroundRole &&
        KindKeyOf(FProfile, c) == QStringView(TxtFormatKindKey::Undefined)) {
        return QApplication::palette().color(QPalette::Dark);
    }
    return {};
}

Qt::ItemFlags TImportFormatModel::flags(const QModelIndex &index) const {
    const int kind = RowKind(index);
    if (kind < 0) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if ((kind == ImportFormatRow::Kind && KindEditable(index.column())) ||
        (kind == ImportFormatRow::Type && TypeEditable(index.column()))) {
        f |= Qt::ItemIsEditable;
    }
    if (kind != ImportFormatRow::DataLine && kind != ImportFormatRow::FileHeader) f |= Qt::ItemNeverHasChildren;
    return f;
}

void TImportFormatDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const {
    const int kind = index.data(TImportFormatModel::RowKindRole).toInt();
    if (kind == ImportFormatRow::Kind || kind == ImportFormatRow::Type) {
        // A drop-down button only where there is a choice.
        DrawComboBoxCell(*painter, option.rect, false, index.flags().testFlag(Qt::ItemIsEditable), option.font,
                         index.data(Qt::DisplayRole).toString(), option.widget);
        return;
    }
    if (kind == ImportFormatRow::FileHeader) {
        // Spans the full width (the view spans the first column).
        DrawImportTitleRow(*painter, option.rect, option.palette, option.font, index.data().toString());
        return;
    }
    painter->save();
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
    const QVariant fg = index.data(Qt::ForegroundRole);
    // The cell colours stay light by day and turn bright red at night: dark text reads on both.
    painter->setPen(fg.isValid() ? fg.value<QColor>() : QColor(Qt::black));
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(3, 0, -3, 0);
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight,
                                                        text.width()));
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

QSize TImportFormatDelegate::sizeHint(const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    const int kind = index.data(TImportFormatModel::RowKindRole).toInt();
    if (kind == ImportFormatRow::Kind || kind == ImportFormatRow::Type) return {100, DropDownRowHeight};
    return {100, option.fontMetrics.height() + 4};
}
