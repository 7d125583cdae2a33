// How the view settings pages lay out their controls: a grid of bold section headings and
// rows of a colon caption beside a control (and an optional value or unit label), track
// bars that set the position where clicked. GUI thread.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;
class TNumberEdit;
class TTrackBarEx;

class TSettingsPageLayout {
public:
    explicit TSettingsPageLayout(QWidget *page);

    QLabel *Heading(const TLanguageStrings &text);
    // A control across both columns (a check box with its own caption).
    void Wide(QWidget *control, int indent = 0);
    // The caption with ":" in the first column, the control and the extra label after it.
    QLabel *Row(const QString &caption, QWidget *control, QWidget *extra = nullptr,
                QWidget *extra2 = nullptr);
    QLabel *Row(const TLanguageStrings &caption, QWidget *control, QWidget *extra = nullptr,
                QWidget *extra2 = nullptr);
    // Closes the grid: the rest of the page stays empty.
    void Finish();

    QGridLayout *Grid() const { return FGrid; }

private:
    QWidget *FPage;
    QGridLayout *FGrid;
};

// A horizontal track bar over min .. max that jumps to the clicked position.
TTrackBarEx *SettingsTrackBar(QWidget *page, int min, int max, int tickInterval = 1);
// An empty label for a value shown beside a control.
QLabel *SettingsValueLabel(QWidget *page);
// A narrow whole-number edit over min .. max holding value.
TNumberEdit *SettingsIntEdit(QWidget *page, int min, int max, int value);
