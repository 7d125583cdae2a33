// What the four line frames of the waterway-ahead block share: the slot panel they sit in,
// the environment, the distance label, the paint boxes and the object-details event.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvTypes.h>

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>

class TMarivoNavEnv;
class TImageList;
class IWWSection;
class IWWStruct;
class IWptWaypoint;

// The object-details event of the navigation-information blocks: section, structure, two
// flags, a number, waypoint, two numbers and a flag. The lines raise it with
// (nil, structure, True, True, 0, nil, 0, 0, False) or (nil, nil, True, True, 0, marina, 0,
// 0, False).
using TNavInfoDetailsEvent = std::function<void(IWWSection *section, IWWStruct *structure,
                                                bool flag1, bool flag2, int32_t value1,
                                                IWptWaypoint *waypoint, int32_t value2,
                                                int32_t value3, bool flag3)>;

// A box that paints and takes clicks through the functions its owner gives it.
class TNavInfoPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TNavInfoPaintBox(QWidget *parent) : QWidget(parent) {}
    std::function<void(QPainter &)> OnPaint;
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

// The images of the lines from the program's Images folder: default structure symbols 2 to
// 5 and the marina (index 9) in one 32-pixel list, the turn symbols at their route-node
// indexes 1 to 8 in another; the VHF picture at 48 pixels.
namespace NavInfoWWImage {
inline constexpr int Marina = 9;
inline constexpr int Count = 10;
}  // namespace NavInfoWWImage
void NavInfoWWFillSymbols(TImageList &list, const QString &imagesFolder);
void NavInfoWWFillTurns(TImageList &list, const QString &imagesFolder);
QImage NavInfoWWVHFPicture(const QString &imagesFolder);

// Where a picture goes in a box: shrunk to fit (never enlarged), centred with the free
// space halved and truncated.
QRect NavInfoFitPicture(QSize picture, QSize box);

class TFrameNavInfoWWLine : public TFrameScaled {
    Q_OBJECT
public:
    enum class TKind { Structure, Marina, Direction, RoutePoint };
    TFrameNavInfoWWLine(QWidget *slotPanel, TMarivoNavEnv &env, int designHeight);

    virtual TKind Kind() const = 0;
    // Whether the line has an object to show; the block stacks only the lines that do.
    virtual bool ShowsSomething() const = 0;
    int DesignHeight() const { return FDesignHeight; }
    double Distance() const { return FDistance; }
    QString DistanceText() const;
    // A line that was handed the event raises it on a click on its picture.
    void SetDetailsEvent(TNavInfoDetailsEvent event) { FDetails = std::move(event); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void ShowDistance(double metres);
    // A label in the lines' font: Tahoma at a pixel size, elided at its end when asked.
    static QLabel *MakeLabel(QWidget *parent, int pixelSize, bool elide);

    TMarivoNavEnv &Env;
    QWidget *SlotPanel;
    QLabel *LabelDistance = nullptr;
    TNavInfoDetailsEvent FDetails;

private:
    int FDesignHeight;
    double FDistance = 0.0;
};
