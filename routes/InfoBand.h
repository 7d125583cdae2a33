// The bands in the info-tip colour that dialogs of this folder show above or below their
// controls: an icon and a text, or an empty panel to fill. GUI thread.
#pragma once

class QLabel;
class QWidget;

// A panel filled with the palette's info-tip background.
QWidget *NewInfoPanel(QWidget *parent);
// A panel with a 16-pixel message icon (KvMsgBox type) and a label beside it; bold label
// on request. The layout is a QHBoxLayout, so callers may append controls.
QWidget *NewInfoBand(QWidget *parent, int iconType, bool boldText, QLabel *&image, QLabel *&label);
