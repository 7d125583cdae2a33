// The route properties page of the text import: the name of every route (one per source
// file) and the radius of its points. Completes the wizard's items in place. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/txtformat/KvTxtFormat.h"

#include <QStandardItemModel>
#include <vector>

class QLabel;
class QRadioButton;
class QTreeView;
class TNumberEdit;

class TFrameImportPropertiesRoute : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameImportPropertiesRoute(QWidget *owner = nullptr);
    ~TFrameImportPropertiesRoute() override;

    void SetRadiusDataAvailable(bool available);
    // One row per source file, standing for its first item.
    void Fill(std::vector<TPointData> &items);
    bool Validate() { return true; }
    void Apply(std::vector<TPointData> &items) const;

    // Renames the route of a row as typing in the list does.
    void SetRouteName(int row, const QString &name);

    QRadioButton *RadiusNew = nullptr, *RadiusData = nullptr;
    TNumberEdit *EditRadius = nullptr;
    QTreeView *List = nullptr;
    QStandardItemModel *Model = nullptr;

    static constexpr int ItemRole = Qt::UserRole + 1;

private:
    void UpdateTexts();
    void StoreRadius();
    void OnNameEdited(QStandardItem *cell);

    QLabel *FLabelInformation = nullptr, *FLabelRadius = nullptr, *FLabelName = nullptr,
           *FLabelNameInfo = nullptr, *FLabelUnit = nullptr;
    bool FFilling = false;
};
