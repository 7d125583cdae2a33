// The waypoint type editor: icon, overlay, origin and label fonts of one type, the fonts of
// several types of one database, or a new type. Values are written on OK; a failed step is
// reported and the dialog stays open with the steps done so far kept. GUI thread.
#pragma once

#include "routes/FrmWaypointTypeEditFont.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class TFormWaypointTypeEdit : public QDialog {
    Q_OBJECT
public:
    // Fonts in the order of their differing bits 1, 2, 4.
    enum { FontLightChar, FontMainText, FontSubtext };
    // types: the types to edit (all of database), or empty for a new type, which is then
    // added to it. mode 2 shows the name row. Database and list stay the caller's.
    TFormWaypointTypeEdit(IWptDatabase *database, IWptWaypointTypeList *types, uint8_t mode, QWidget *owner = nullptr);
    ~TFormWaypointTypeEdit() override;

    // True when closed with OK and everything was written.
    static bool Execute(IWptDatabase *database, IWptWaypointTypeList *types, uint8_t mode, QWidget *owner = nullptr);
    using TPrompter = std::function<int(TFormWaypointTypeEdit &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The largest image side accepted from a file, before scaling.
    static constexpr int MaxImageSide = 4096;
    // Loads an image for the icon (maxSide 64) or the overlay (16), scaled down to fit; an
    // unreadable or oversized file gives the open-file message and nullptr.
    static IBmp32 *LoadImage(const QString &file, int maxSide);
    // The one colour ($00RRGGBB) of all pixels that are not opaque, when they are all fully
    // transparent; False otherwise (also when every pixel is opaque).
    static bool TransparentColor(IBmp32 *bmp, int32_t &colour);
    // The origin a new icon gets on one axis, and the track bar's range and position.
    static float OriginFor(int size, bool even);
    static int TrackMax(int size, bool even);
    static int TrackPosition(float origin, bool even);
    static float OriginAt(int position, bool even);

    void OpenIcon();
    void OpenOverlay();
    // Takes an image file as icon (with the transparency step) or overlay.
    bool TakeIcon(const QString &file);
    bool TakeOverlay(const QString &file);
    void ResetOrigin();
    void EditFont(int which);

    IBmp32 *Icon() const { return FIcon; }
    IBmp32 *Overlay() const { return FOverlay; }
    float OriginX() const { return FOriginX; }
    float OriginY() const { return FOriginY; }
    const TTypeFont &Font(int which) const { return FFonts[size_t(which)]; }
    uint8_t Differing() const { return FDiffering; }
    IWptWaypointType *Created() const { return FCreated; }

    QWidget *PanelInformation;
    QLabel *ImageInformation, *LabelInformation, *LabelGeneral, *LabelName;
    QLineEdit *EditTypeName;
    QWidget *PaintBoxIcon, *PaintBoxOverlay;
    QSlider *TrackBarIconOriginX, *TrackBarIconOriginY;
    QPushButton *ButtonOpenIcon, *ButtonFlipH, *ButtonFlipV, *ButtonTransparent, *ButtonReset, *ButtonOpenOverlay;
    QCheckBox *CheckDrawOverlay;
    QLabel *LabelMainSample, *LabelSubSample;
    QPushButton *ButtonEditMain, *ButtonEditSub, *ButtonHelp, *ButtonOk, *ButtonCancel;

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void BuildLayout();
    void LoadValues();
    void UpdateEven();
    void UpdateTrackBars();
    void UpdateControls();
    void PaintIcon();
    bool WriteFonts(IWptWaypointType *type);
    bool WriteOne(IWptWaypointType *type);
    bool WriteValues();

    IWptDatabase *FDatabase;
    IWptWaypointTypeList *FTypes;
    uint8_t FMode;
    bool FNew;
    IBmp32 *FIcon = nullptr, *FOverlay = nullptr;
    bool FDrawOverlay = false, FEvenX = false, FEvenY = false;
    float FOriginX = 0.0f, FOriginY = 0.0f;
    std::array<TTypeFont, 3> FFonts{};
    uint8_t FDiffering = 0;
    // A new type once made: a retry after a later failure updates it instead.
    IWptWaypointType *FCreated = nullptr;
};
