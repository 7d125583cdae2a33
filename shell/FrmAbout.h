// The About box: title, version and version date, the about picture, and the maker's
// contact block with a web-site and an e-mail link. Its pictures follow the night screen.
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "base/kvlib/KvLib.h"

#include <KvLibNav6/KvGraphics.h>

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

class TFormAbout : public TFormScaled {
    Q_OBJECT
public:
    // title: empty for the application's title.
    TFormAbout(QWidget *owner, const QString &title);
    ~TFormAbout() override;

    static void Execute(const QString &title, QWidget *owner = nullptr);
    using TPrompter = std::function<void(TFormAbout &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // "<title> v<major.minor.release.build>" of a packed version.
    static QString VersionText(const QString &title, int32_t version);
    // The pictures of the box, by number; number 6 is the about picture.
    static QImage CollectionImage(int number);

    // The documents the links open (ExecuteDocument by default; tests record them).
    std::function<void(const QString &document)> OpenDocument;
    void LabelWebsiteClick();
    void LabelEmailClick();

    QWidget *PaintBoxAboutImage;
    QLabel *LabelVersion, *LabelVersionNumber, *LabelVersionDate;
    QLabel *LabelCompany, *LabelStreet, *LabelTown, *LabelCountry1, *LabelPhone1;
    QLabel *LabelWebsite, *LabelEmail;
    QLabel *ImageWebsite, *ImageEmail, *ImagePhone1, *ImageVersionBeta, *ImageInnovation;
    QPushButton *ButtonOk;
    // The images registered with the night screen.
    std::vector<QLabel *> NightImages() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void PaintBoxAboutImagePaint();
    void SetLinkHover(QLabel *label, bool hover);

    TNavPtr<IBmp32> FAboutImage;
};
