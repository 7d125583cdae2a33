// The GPS block of the navigation-information panel: the waterway section the own ship is
// on (name, kilometre mark, speed limit, VHF sector and report channels), position, speed,
// distance and course over ground, fix state, satellites and HDOP. While a route is
// explored at a planning time ahead of now it shows the state predicted along that route
// instead. The "DOG" button corrects the distance over ground.
//
// The host panel creates it inside one of its detail panels, whose height the block sets
// (header alone when collapsed), refreshes it every second with the main view's calibration
// and re-lays itself out on OnHeightChanged. The environment must outlive the block. GUI
// thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "shell/MarivoDraw.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QLabel>
#include <functional>

class IGeodeticCalibration;
class INavBoat;
class IWWSection;
class QPaintEvent;
class QToolButton;
class TImageList;
class TMarivoNavEnv;

// The notice interval that keeps the report symbol up in route-explore mode: the first
// kind-5 object that opens an interval at or before the current index (searching back)
// and whose closing edge lies at or after it; 0 when none.
int32_t FindReportHold(const TNavRouteData &data);
// "km " + whole kilometres + the locale decimal separator + the first decimal truncated;
// empty for a negative mark (none).
QString DistanceMarkText(double markM);

class TFrameNavInfoGPSStatus : public TFrameScaled {
    Q_OBJECT
public:
    static constexpr int HeaderHeight = 15;
    static constexpr int StatusHeight = 132;

    TFrameNavInfoGPSStatus(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameNavInfoGPSStatus() override;

    // calibration nullptr keeps the last one passed in.
    void UpdateValues(bool force, IGeodeticCalibration *calibration);
    void UpdateTexts();
    void ApplyUnitSettings();
    void ApplyColors();
    void UpdateButtons();
    // Re-applies the expanded state to the panel's height.
    void ApplyExpanded();
    void SetExpanded(bool expanded);
    bool Expanded() const { return FExpanded; }
    // The distance correction of the "DOG" button.
    void CorrectDistance();
    QWidget *Panel() const { return FPanel; }
    void SetPanel(QWidget *panel);

    std::function<void(TFrameNavInfoGPSStatus *)> OnDistanceChanged;
    std::function<void(TFrameNavInfoGPSStatus *)> OnHeightChanged;
    std::function<void(TFrameNavInfoGPSStatus *)> OnSwitchPosition;

    // What the block shows, for the panel's users and checks.
    QString NetworkText() const { return LabelNetwork->text(); }
    QLabel *DistanceMark() const { return LabelDistanceMark; }
    QLabel *VMax() const { return LabelVMax; }
    QString SectorName() const { return LabelVHFSectorName->text(); }
    QString LatText() const { return LabelPOSLatSmall->text(); }
    QString LonText() const { return LabelPOSLongSmall->text(); }
    QString SOGText() const { return LabelSOGValue->text(); }
    QString COGText() const { return LabelCOGValue->text(); }
    QString DOGText() const { return LabelDOGValue->text() + LabelDOGUnit->text(); }
    QString UsedText() const { return LabelSatStatusInUseValue->text(); }
    QString InViewText() const { return LabelSatStatusInViewValue->text(); }
    QString HDOPText() const { return LabelSatStatusHDOP->text(); }
    QColor PositionColour() const { return LabelPOSLatSmall->palette().color(QPalette::WindowText); }
    int FixImage() const { return FFixImage; }
    int SectorChannel() const { return FSectorChannel; }
    int ReportChannel() const { return FReportChannel; }
    int32_t ReportHold() const { return FReportHold; }
    bool SectorShown() const { return !PanelVHFSector->isHidden(); }
    bool ReportShown() const { return !PanelVHFReport->isHidden(); }
    QToolButton *DOGButton() const { return ButtonDOG; }
    QToolButton *SwitchButton() const { return ButtonSwitchPosition; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TSource {
        IWWSection *Section = nullptr;
        double Position = 0.0;
        bool Direction = false;
        bool Predicted = false;
        float Course = 0.0f;
        float Speed = 0.0f;
    };
    void BuildHeader(QWidget *parent);
    void BuildNetworkRow(QWidget *parent);
    void BuildValuesRow(QWidget *parent);
    void BuildSatRow(QWidget *parent);
    TSource PredictedSource();
    TSource LiveSource();
    void UpdateChannels(const TSource &s);
    void UpdateWaterwayRows(const TSource &s);
    void UpdateMotion(const TSource &s);
    void UpdateSatellites(int32_t quality, bool force);
    void PaintChannel(QWidget *box, int channel, bool hold);

    TMarivoNavEnv &Env;
    INavBoat *Boat;
    QWidget *FPanel;
    IGeodeticCalibration *FCalibration = nullptr;
    int32_t UnitDepth = 0, UnitDistanceLarge = 0, UnitDistanceSmall = 0, UnitSpeed = 0;
    int32_t LastFixQuality;
    int FFixImage = -1;
    bool FExpanded = true;
    int FReportChannel = -1, FSectorChannel = -1;
    QString FReportCallSign, FSectorCallSign;
    int32_t FReportHold = 0;
    TNavRouteData Prediction;
    TImageList *ImageListGPSFix;
    TImageList *ImageList48;

    QWidget *PanelGPSStatusHeader;
    QLabel *LabelGPSStatusHeader;
    QToolButton *ButtonGPSStatusUp, *ButtonGPSStatusDown, *ButtonSwitchPosition;
    QWidget *PanelGPSStatus;
    QWidget *ShapeLine01;
    QWidget *PanelNetwork, *PanelVHFSector, *PanelVHFReport;
    QWidget *PaintBoxVHFSector, *PaintBoxVHFReport;
    QLabel *LabelNetwork, *LabelDistanceMark, *LabelPOSLatSmall, *LabelPOSLongSmall;
    QLabel *LabelVHFSectorName, *LabelVMax;
    QWidget *PanelValues;
    TValuePanel PanelSOG, PanelDOG, PanelCOG;
    QLabel *LabelSOGValue, *LabelSOGUnit, *LabelCOGValue, *LabelCOGUnit, *LabelDOGValue, *LabelDOGUnit;
    QToolButton *ButtonDOG;
    QWidget *PanelSAT;
    QLabel *ImageStatusGPSFix, *LabelSatStatus, *LabelSatStatusInUseValue, *LabelSatStatusInUse;
    QLabel *LabelSatStatusInViewValue, *LabelSatStatusInView, *LabelSatStatusHDOP, *LabelSatStatusHDOPUnit;
};
