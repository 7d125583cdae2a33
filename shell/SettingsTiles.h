// The column of category tiles the view settings tabs share: a list of large tiles (icon
// above the caption) beside a title and the page of the selected tile. Pages belong to the
// frame and show only while their tile is selected; the frame tells the owner at once which
// category was chosen, so the owner can remember it. The icons follow the night screen.
// GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/texts/KvLanguage.h"

#include <QStyledItemDelegate>
#include <functional>

class QLabel;
class QListView;
class QStandardItemModel;
class TImageList;

// The pictures of the tiles, drawn by the program (32 × 32).
enum class TSettingsIcon {
    Screen, Tracks, Colors, Scale, Routes, GPSCursor, Waypoints, Charts, Count
};

class TSettingsTileFrame : public TFrameScaled {
    Q_OBJECT
public:
    // scaledTitle: the title in a 9-point font and the tile insets scaled to the screen.
    TSettingsTileFrame(QWidget *parent, bool scaledTitle);
    ~TSettingsTileFrame() override;

    QListView *ListView;
    QLabel *PanelTitle;
    QWidget *PanelContents;
    TImageList *ImageList;

    // The category of the selected tile, -1 without one.
    int SelectedCategory() const;
    // The page of a category's tile (nullptr when there is none).
    QWidget *Page(int category) const;
    // Selects the tile of the category as a click does.
    void SelectCategory(int category);

    // Called after the selection changed to a tile (not while tiles are added).
    std::function<void(int category)> OnCategoryChosen;

protected:
    // Adds a tile; the frame takes the page. select: the tile becomes selected and focused.
    void AddTile(int category, const QString &caption, const QString &title, TSettingsIcon icon,
                 QWidget *page, bool select);
    void ClearTiles();

private:
    void ListViewChange();
    int RowOf(int category) const;

    QStandardItemModel *FModel;
    bool FScaledTitle;
    bool FAdding = false;
    QWidget *FShownPage = nullptr;
};

// Paints a tile: the selected and the hot one on a highlight blend, the icon centred above
// the caption, a focus rectangle on the focused tile while the list has the focus.
class TSettingsTileDelegate : public QStyledItemDelegate {
public:
    TSettingsTileDelegate(TImageList *images, bool scaled, QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TImageList *FImages;
    bool FScaled;
};

// The tile picture of an icon (for the image list and for tests).
QImage SettingsIconImage(TSettingsIcon icon);

// Tile captions and titles both tabs use.
extern const TLanguageStrings SettingsTextRoutes, SettingsTextRouteSettings, SettingsTextTracks,
    SettingsTextTrackSettings, SettingsTextGPSCursor;
