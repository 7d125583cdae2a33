// What the object details panel and the structure details panel share: their HTML view,
// the view in its bordered panel above the help and navigate-to buttons, the page shown
// and its reload when the night screen switches, and the adapter through which the main
// window hosts each of them. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/web/KvWBContainer.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class QFrame;
class QPushButton;
class TMarivoNavEnv;

// The panel's HTML view: pictures are asked of the owner before the view looks for them.
class TLinkDetailsView : public TWBContainer {
    Q_OBJECT
public:
    explicit TLinkDetailsView(QWidget *parent);
    // A null image: the view shows no picture.
    std::function<QImage(const QString &source)> OnPicture;
    // The title of a picture by its source, for hints; empty = no hint.
    std::function<QString(const QString &source)> OnPictureTitle;
    // The source of the picture at a point of the viewport; empty over anything else.
    QString PictureAt(const QPoint &viewportPos) const;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    bool viewportEvent(QEvent *event) override;
};

class TFrameLinkDetailsBase : public TFrameScaled {
    Q_OBJECT
public:
    ~TFrameLinkDetailsBase() override;

    // Shows page, scrolled down to scrollPosition.
    virtual void LoadPage(const QString &page, int scrollPosition) = 0;
    QString CurrentPage() const { return FPage; }

    QWidget *AlignmentPanelHTML = nullptr;
    QFrame *PanelHTML = nullptr;
    TLinkDetailsView *HTMLViewer = nullptr;
    QWidget *AlignmentPanelHelp = nullptr;
    QPushButton *ButtonHelp = nullptr;
    QPushButton *ButtonNavigateTo = nullptr;

protected:
    // Named objectName, in dockPanel (may be nullptr).
    TFrameLinkDetailsBase(QWidget *dockPanel, TMarivoNavEnv &env, const QString &objectName);
    // The view in a bordered panel with 10 px margins above a 35 px strip with the help
    // and navigate-to buttons (help disabled, navigate-to hidden), and Ctrl+C for the
    // view's selection.
    void BuildPanel(TLinkDetailsView *view);

    TMarivoNavEnv &FEnv;
    QString FPage;

private:
    static void NightModeChanged(void *data, int32_t value, int32_t kind);
};

// A details panel as the main window hosts it: made in its host, freed with the adapter.
template <class Intf, class Panel>
class TLinkDetailsAdapterBase : public Intf {
public:
    TLinkDetailsAdapterBase(QWidget *host, TMarivoNavEnv &env) : FFrame(new Panel(host, env)) {}
    ~TLinkDetailsAdapterBase() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    Panel *Frame() const { return FFrame; }

protected:
    QPointer<Panel> FFrame;
};
