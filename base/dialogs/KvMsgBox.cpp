#include "base/dialogs/KvMsgBox.h"

#include "base/dialogs/KvMsgIcons.h"
#include "base/kvlib/KvExceptions.h"
#include "base/texts/KvStr.h"

#include <KvLibNav6/KvLanguage.h>

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// Button order on screen; the kinds' own numbering is their bit in the set.
constexpr TMsgDlgBtn ButtonOrder[MsgDlgBtnCount] = {mbYes,   mbYesToAll, mbNo,    mbNoToAll,
                                                    mbOK,    mbAbort,    mbRetry, mbIgnore,
                                                    mbAll,   mbCancel,   mbHelp};
constexpr int ModalResults[MsgDlgBtnCount] = {mrYes,   mrNo,      mrOk,      mrCancel,
                                              mrAbort, mrRetry,   mrIgnore,  mrAll,
                                              mrNoToAll, mrYesToAll, mrNone};

const TLanguageStrings *CaptionTable(TMsgDlgBtn kind) {
    static const TLanguageStrings *const tables[MsgDlgBtnCount] = {
        &KvStr::BtnYes,   &KvStr::BtnNo,    &KvStr::BtnOK,    &KvStr::BtnCancel,
        &KvStr::BtnAbort, &KvStr::BtnRetry, &KvStr::BtnIgnore, &KvStr::BtnAll,
        &KvStr::BtnNoToAll, &KvStr::BtnYesToAll, &KvStr::BtnHelp};
    return tables[kind];
}

struct TWidthCache {
    int Widths[8][MsgDlgBtnCount] = {};
    int Measurements = 0;
};
TWidthCache &WidthCache() {
    static TWidthCache cache;
    return cache;
}

TMsgBoxPrompter &Prompter() {
    static TMsgBoxPrompter prompter;
    return prompter;
}
TMsgBoxHelpHook &HelpHook() {
    static TMsgBoxHelpHook hook;
    return hook;
}

int ButtonWidth(TMsgDlgBtn kind, const QFontMetrics &fm) {
    int language = GetCurrentLanguage();
    if (language < KvLang::First || language > KvLang::Last) language = KvLang::English;
    int &cached = WidthCache().Widths[language - 1][kind];
    if (cached == 0) {
        QString text = MsgDlgButtonCaption(kind);
        text.remove(QLatin1Char('&'));
        cached = fm.horizontalAdvance(text) + 8;
        ++WidthCache().Measurements;
    }
    return cached;
}

int MulDiv(int a, int b, int c) { return c == 0 ? 0 : int((int64_t(a) * b + (c / 2)) / c); }

}  // namespace

QString MsgDlgButtonCaption(TMsgDlgBtn kind) {
    if (kind < 0 || kind >= MsgDlgBtnCount) return QString();
    return LanguageText(*CaptionTable(kind));
}

QString MsgDlgTypeTitle(TMsgDlgType type) {
    switch (type) {
    case mtWarning: return LanguageText(KvStr::TitleWarning);
    case mtError: return LanguageText(KvStr::TitleError);
    case mtInformation: return LanguageText(KvStr::TitleInformation);
    case mtConfirmation: return LanguageText(KvStr::TitleConfirm);
    default: return QString();
    }
}

TMessageForm::TMessageForm(const QString &caption, const QString &message, TMsgDlgType type,
                           TMsgDlgButtons buttons, int helpContext, bool shieldOnYes)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      FHelpContext(helpContext) {
    setLayoutDirection(QGuiApplication::layoutDirection());
    setFont(QApplication::font("QMessageBox"));
    if ((buttons & ((1u << MsgDlgBtnCount) - 1)) == 0) buttons = MsgButtons({mbOK});

    const QFontMetrics fm(font());
    // Dialog units: a quarter of the average letter width across, an eighth of the font
    // height down.
    const int avgWidth = qMax(1, (fm.horizontalAdvance(QStringLiteral(
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2);
    const int lineHeight = fm.height();
    auto dx = [&](int units) { return MulDiv(units, avgWidth, 4); };
    auto dy = [&](int units) { return MulDiv(units, lineHeight, 8); };
    const int marginX = dx(8), marginY = dy(8), spacingX = dx(10), spacingY = dy(10);
    const int buttonHeight = dy(14), buttonGap = dx(4);

    int buttonWidth = dx(50);
    for (TMsgDlgBtn kind : ButtonOrder)
        if (buttons & (1u << kind)) {
            FKinds.push_back(kind);
            buttonWidth = qMax(buttonWidth, ButtonWidth(kind, fm));
        }

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const QRect textBounds = fm.boundingRect(QRect(0, 0, screenWidth / 2, 0),
                                             Qt::AlignLeft | Qt::TextWordWrap, message);
    const bool hasIcon = type >= mtWarning && type <= mtConfirmation;
    const int iconSize = 32;
    int textLeft = marginX;
    int textHeight = textBounds.height();
    if (hasIcon) {
        FIcon = new QLabel(this);
        FIcon->setObjectName(QStringLiteral("Image"));
        FIcon->setPixmap(MsgIconLoad(type, true, iconSize));
        FIcon->setGeometry(marginX, marginY, iconSize, iconSize);
        textLeft += iconSize + spacingX;
        textHeight = qMax(textHeight, iconSize);
    }
    FMessage = new QLabel(message, this);
    FMessage->setObjectName(QStringLiteral("Message"));
    FMessage->setWordWrap(true);
    FMessage->setTextFormat(Qt::PlainText);
    FMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FMessage->setGeometry(textLeft, marginY, textBounds.width() + 2, textHeight);

    const int count = int(FKinds.size());
    const int rowWidth = count * buttonWidth + (count - 1) * buttonGap;
    const int clientWidth = qMax(textLeft - marginX + textBounds.width() + 2, rowWidth) + 2 * marginX;
    const int clientHeight = textHeight + buttonHeight + spacingY + 2 * marginY;

    int x = (clientWidth - rowWidth) / 2;
    const int y = marginY + textHeight + spacingY;
    for (TMsgDlgBtn kind : FKinds) {
        auto *b = new QPushButton(MsgDlgButtonCaption(kind), this);
        b->setAutoDefault(false);
        b->setGeometry(x, y, buttonWidth, buttonHeight);
        x += buttonWidth + buttonGap;
        FButtons[kind] = b;
        if (kind == mbHelp) {
            connect(b, &QPushButton::clicked, this, [this] {
                try {
                    if (HelpHook()) HelpHook()(FHelpContext);
                } catch (...) {
                    ReportCurrentException();
                }
            });
        } else {
            const int result = ModalResults[kind];
            connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        }
    }
    if (shieldOnYes && FButtons[mbYes]) {
        const QIcon shield = style()->standardIcon(QStyle::SP_VistaShield);
        if (!shield.isNull()) FButtons[mbYes]->setIcon(shield);
    }

    for (TMsgDlgBtn k : {mbOK, mbYes, mbRetry})
        if (FButtons[k]) { FDefault = k; break; }
    for (TMsgDlgBtn k : {mbCancel, mbNo, mbOK})
        if (FButtons[k]) { FEscape = k; break; }
    if (FDefault >= 0) {
        FButtons[FDefault]->setDefault(true);
        FButtons[FDefault]->setFocus();
    }

    QString title = caption;
    if (title.isEmpty()) title = MsgDlgTypeTitle(type);
    setWindowTitle(title);
    setFixedSize(clientWidth, clientHeight);
    if (screen) move(screen->availableGeometry().center() - rect().center());
}

QPushButton *TMessageForm::Button(TMsgDlgBtn kind) const {
    return kind >= 0 && kind < MsgDlgBtnCount ? FButtons[kind] : nullptr;
}

int TMessageForm::EscapeResult() const { return FEscape >= 0 ? ModalResults[FEscape] : mrNone; }

void TMessageForm::reject() {
    if (FEscape >= 0) done(ModalResults[FEscape]);
}

int MsgBoxCaption(const QString &caption, const QString &message, TMsgDlgType type,
                  TMsgDlgButtons buttons, int helpContext, bool shieldOnYes) {
    TMessageForm form(caption, message, type, buttons, helpContext, shieldOnYes);
    if (Prompter()) return Prompter()(form);
    return form.exec();
}

int MsgBox(const QString &message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
           bool shieldOnYes) {
    return MsgBoxCaption(QString(), message, type, buttons, helpContext, shieldOnYes);
}

TMsgBoxPrompter SetMsgBoxPrompter(TMsgBoxPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

TMsgBoxHelpHook SetMsgBoxHelpHook(TMsgBoxHelpHook hook) {
    return std::exchange(HelpHook(), std::move(hook));
}

int MsgBoxCachedButtonWidth(int language, TMsgDlgBtn kind) {
    if (language < KvLang::First || language > KvLang::Last || kind < 0 || kind >= MsgDlgBtnCount)
        return 0;
    return WidthCache().Widths[language - 1][kind];
}

int MsgBoxWidthMeasureCount() { return WidthCache().Measurements; }

void MsgBoxResetWidthCache() { WidthCache() = TWidthCache{}; }
