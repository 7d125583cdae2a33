// The dialog in which the user picks the colour of an icon that is to be transparent, by
// clicking on the icon shown enlarged or at its own size. It changes the alpha of the
// bitmap it is given. GUI thread.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

class TFormWaypointTypeEditTransparent : public QDialog {
    Q_OBJECT
public:
    // colour: $00RRGGBB of the transparent pixels, -1 for none.
    TFormWaypointTypeEditTransparent(IBmp32 *bitmap, int32_t colour, QWidget *owner = nullptr);

    // True on OK; colour then holds the last picked colour.
    static bool Execute(IBmp32 *bitmap, int32_t &colour, QWidget *owner = nullptr);
    using TPrompter = std::function<int(TFormWaypointTypeEditTransparent &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The bitmap pixel under (x, y) of a picture of the given width and height that shows
    // the bitmap centred at zoom; False outside the bitmap.
    static bool PixelAt(int pictureWidth, int pictureHeight, int bitmapWidth, int bitmapHeight, int zoom, int x,
                        int y, int &column, int &row);
    void Pick(int column, int row);
    int32_t Colour() const { return FColour; }

    QLabel *LabelHint, *ShapeColor;
    QWidget *PaintBoxLarge, *PaintBoxSmall;
    QCheckBox *CheckUseTransparent;
    QPushButton *ButtonHelp, *ButtonOk, *ButtonCancel;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Apply();
    IBmp32 *FBitmap;
    int32_t FColour;
};
