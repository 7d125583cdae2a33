// A structure ahead (bridge, lock or other work): its picture or a default symbol, name,
// clearances, operation and passage texts, VHF channel and distance. A click on the
// picture raises the object-details event.
#pragma once

#include "chartview/FraNavInfoWWLine.h"

#include <QStringList>

class IWWStruct;
class IWptRouteStructPassage;

// A picture name of the network as a file: relative names lie in the network's folder,
// absolute ones are kept, a name that climbs out of the folder is refused (empty).
QString NavInfoResolvePicture(const QString &networkFolder, const QString &name);

class TFrameNavInfoWWStruct : public TFrameNavInfoWWLine {
    Q_OBJECT
public:
    static constexpr int LineHeight = 104;
    TFrameNavInfoWWStruct(QWidget *slotPanel, TMarivoNavEnv &env);
    ~TFrameNavInfoWWStruct() override;

    TKind Kind() const override { return TKind::Structure; }
    bool ShowsSomething() const override { return FStruct != nullptr; }

    // A structure met on the network: clearances of its first passage, no passage texts.
    void SetStructure(IWWStruct *structure, double distance);
    // True when the passage differs from the one kept before.
    bool SetPassage(IWptRouteStructPassage *passage, int32_t passageIndex, TDateTime timeAtObject,
                    TDateTime routeDateTime, double distance);

    IWWStruct *Structure() const { return FStruct; }
    QString NameText() const;
    QString InfoText() const;
    QString VHFChannel() const { return FVHF; }
    QString PictureFile() const { return FPictureFile; }
    int DefaultPicture() const { return FDefaultIndex; }
    const QImage &Picture() const { return FPicture; }
    // The picture box and the default-symbol box (one of them shown) and the VHF badge.
    QWidget *PictureBox() const;
    QWidget *DefaultBox() const;
    QWidget *VHFBox() const;

    // Picture files read since the start, for the check that a refresh reads none.
    static int PictureLoads();

private:
    void Display(TDateTime timeAtObject, TDateTime routeDateTime, double distance);
    void SetPictureFile(const QString &file);
    void PaintPicture(QPainter &p);
    void PaintDefault(QPainter &p);
    void PaintVHF(QPainter &p);
    void Clicked();

    IWWStruct *FStruct = nullptr;
    IWptRouteStructPassage *FPassage = nullptr;
    int32_t FPassageIndex = -1;
    QString FVHF;
    QString FPictureFile;
    QImage FPicture;
    int FDefaultIndex = -1;
    QStringList FPictureNames;
    TImageList *FSymbols;
    QImage FVHFPicture;
    QWidget *ImagePanelStructure;
    QWidget *ImagePanelStructureStatus;
    TNavInfoPaintBox *PaintBoxStructure;
    TNavInfoPaintBox *PaintBoxStructDefault;
    TNavInfoPaintBox *PaintBoxStructVHF;
    QLabel *LabelStructureName;
    QLabel *LabelStructureInfo;
};
