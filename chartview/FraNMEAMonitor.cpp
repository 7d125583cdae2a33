#include "chartview/FraNMEAMonitor.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/forms/KvForms.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvNavMsgDevices.h"
#include "chartview/FraNMEAMonitorParser.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvDevices.h>
#include <KvLibNav6/KvNavBoat.h>

#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Key = QStringLiteral("Desktop\\FloatWindowNMEA");
const QString SimulatorName = QStringLiteral("NMEASimulator");

const TLanguageStrings TextSave = {"Save", "Opslaan", "Speichern", "Enregistrer", "Guardar", "Salva", "Gem",
                                   "Spara"};
const TLanguageStrings TextClear = {"Clear", "Wissen", "L\u00F6schen", "Effacer", "Borrar", "Cancella", "Ryd",
                                    "Rensa"};
const TLanguageStrings TextPause = {"Pause NMEA display", "NMEA-weergave pauzeren", "NMEA-Anzeige anhalten",
                                    "Suspendre l'affichage NMEA", "Pausar la visualizaci\u00F3n NMEA",
                                    "Sospendi visualizzazione NMEA", "S\u00E6t NMEA-visning p\u00E5 pause",
                                    "Pausa NMEA-visningen"};
const TLanguageStrings TextInput = {"NMEA input", "NMEA-invoer", "NMEA-Eingang", "Entr\u00E9e NMEA",
                                    "Entrada NMEA", "Ingresso NMEA", "NMEA-input", "NMEA-indata"};
const TLanguageStrings TextSaveTitle = {"Save NMEA data", "NMEA-gegevens opslaan", "NMEA-Daten speichern",
                                        "Enregistrer les donn\u00E9es NMEA", "Guardar datos NMEA",
                                        "Salva dati NMEA", "Gem NMEA-data", "Spara NMEA-data"};
const TLanguageStrings TextFileName = {"NMEA input.txt", "NMEA-invoer.txt", "NMEA-Eingang.txt",
                                       "Entr\u00E9e NMEA.txt", "Entrada NMEA.txt", "Ingresso NMEA.txt",
                                       "NMEA-input.txt", "NMEA-indata.txt"};
const TLanguageStrings TextFilter = {"Text files", "Tekstbestanden", "Textdateien", "Fichiers texte",
                                     "Archivos de texto", "File di testo", "Tekstfiler", "Textfiler"};
const TLanguageStrings TextSaveError = {
    "Could not save the NMEA data.", "De NMEA-gegevens konden niet worden opgeslagen.",
    "Die NMEA-Daten konnten nicht gespeichert werden.", "Impossible d'enregistrer les donn\u00E9es NMEA.",
    "No se pudieron guardar los datos NMEA.", "Impossibile salvare i dati NMEA.",
    "NMEA-data kunne ikke gemmes.", "NMEA-data kunde inte sparas."};

TFrameNMEAMonitor::TSavePrompter &SavePrompter() {
    static TFrameNMEAMonitor::TSavePrompter prompter;
    return prompter;
}

QString AskSaveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter) {
    if (SavePrompter()) return SavePrompter()(parent, caption, path, filter);
    QFileDialog dialog(parent, caption, path, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(path);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                    : QString();
}

void LogChunk(const uint8_t *chunk, int32_t count, void *user) {
    static_cast<TDataParser *>(user)->Append(chunk, count);
}

bool IsSimulator(INavMsgPort *port) { return port && port->GetKind() == NavMsgPortKind::Simulator; }

bool PortBefore(INavMsgPort *a, INavMsgPort *b) {
    if (IsSimulator(a) != IsSimulator(b)) return IsSimulator(b);
    return StrCompareByTrailingNumberI(NavMsgPortGetName(a), NavMsgPortGetName(b)) < 0;
}

void TakeIfLogged(std::vector<INavMsgPort *> &list, INavMsgPort *port) {
    if (port && port->GetLogSize() > 0 && std::find(list.begin(), list.end(), port) == list.end())
        list.push_back(port);
}

}  // namespace

TFrameNMEAMonitor::TSavePrompter TFrameNMEAMonitor::SetSavePrompter(TSavePrompter prompter) {
    TSavePrompter old = std::move(SavePrompter());
    SavePrompter() = std::move(prompter);
    return old;
}

TFrameNMEAMonitor::TFrameNMEAMonitor(QDockWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FPanel(panel) {
    setObjectName(QStringLiteral("FrameNMEAMonitor"));
    BuildLayout();
    if (FPanel) FPanel->installEventFilter(this);
    SetLogging(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LoggingEnabled"), true));
    UpdateTexts();
    UpdateButtons();
    UpdateLayout();
}

void TFrameNMEAMonitor::BuildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 0);
    outer->setSpacing(5);
    auto *pane = new QFrame(this);
    pane->setObjectName(QStringLiteral("PanelNMEAInput"));
    pane->setFrameShape(QFrame::Box);
    pane->setAutoFillBackground(true);
    pane->setBackgroundRole(QPalette::Base);
    auto *paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(1, 1, 1, 1);
    paneLayout->setSpacing(0);
    auto *header = new QHBoxLayout;
    header->setContentsMargins(5, 3, 5, 3);
    LabelNMEAInput = new QLabel(pane);
    LabelNMEAInput->setObjectName(QStringLiteral("LabelNMEAInput"));
    QFont bold = LabelNMEAInput->font();
    bold.setBold(true);
    LabelNMEAInput->setFont(bold);
    ButtonSaveInput = new QPushButton(pane);
    ButtonSaveInput->setObjectName(QStringLiteral("ButtonSaveInput"));
    ButtonClearInput = new QPushButton(pane);
    ButtonClearInput->setObjectName(QStringLiteral("ButtonClearInput"));
    for (QPushButton *b : {ButtonSaveInput, ButtonClearInput}) b->setFixedSize(100, 25);
    header->addWidget(LabelNMEAInput);
    header->addStretch();
    header->addWidget(ButtonSaveInput);
    header->addWidget(ButtonClearInput);
    paneLayout->addLayout(header);
    auto *line = new QFrame(pane);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Mid);
    paneLayout->addWidget(line);
    MemoInput = new QPlainTextEdit(pane);
    MemoInput->setObjectName(QStringLiteral("MemoInput"));
    MemoInput->setReadOnly(true);
    MemoInput->setFrameShape(QFrame::NoFrame);
    MemoInput->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoInput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoInput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoInput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    paneLayout->addWidget(MemoInput, 1);
    outer->addWidget(pane, 1);
    auto *pause = new QHBoxLayout;
    CheckBoxPause = new QCheckBox(this);
    CheckBoxPause->setObjectName(QStringLiteral("CheckBoxPause"));
    LabelPause = new QLabel(this);
    LabelPause->setObjectName(QStringLiteral("LabelPause"));
    LabelPause->setCursor(Qt::PointingHandCursor);
    LabelPause->installEventFilter(this);
    pause->addWidget(CheckBoxPause);
    pause->addWidget(LabelPause);
    pause->addStretch();
    outer->addLayout(pause);
    outer->addSpacing(5);
    // Only the user's click pauses; SetLogging sets the box under a blocker.
    connect(CheckBoxPause, &QCheckBox::clicked, this, [this](bool checked) { SetLogging(!checked); });
    connect(ButtonClearInput, &QPushButton::clicked, this, &TFrameNMEAMonitor::ClearInput);
    connect(ButtonSaveInput, &QPushButton::clicked, this, &TFrameNMEAMonitor::SaveInput);
}

bool TFrameNMEAMonitor::eventFilter(QObject *watched, QEvent *event) {
    if (watched == LabelPause && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        SetLogging(!FLogging);
    if (watched == FPanel && event->type() == QEvent::Resize) UpdateLayout();
    return TFrameScaled::eventFilter(watched, event);
}

void TFrameNMEAMonitor::UpdateLayout() {
    if (!FPanel) return;
    const int minimum = ScaleFormValue(MinClientHeight, ScreenDpi());
    setMinimumHeight(minimum);
    setMaximumHeight(QWIDGETSIZE_MAX);
    if (FPanel->isFloating() && FPanel->height() < minimum) FPanel->resize(FPanel->width(), minimum);
}

void TFrameNMEAMonitor::UpdateTexts() {
    ButtonSaveInput->setText(LanguageText(TextSave));
    ButtonClearInput->setText(LanguageText(TextClear));
    LabelPause->setText(LanguageText(TextPause));
    LabelNMEAInput->setText(LanguageText(TextInput));
}

void TFrameNMEAMonitor::UpdateButtons() {
    const bool hasLines = !MemoInput->document()->isEmpty();
    ButtonSaveInput->setEnabled(hasLines);
    ButtonClearInput->setEnabled(hasLines);
}

void TFrameNMEAMonitor::SetLogging(bool on) {
    FLogging = on;
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LoggingEnabled"), on, error);
    {
        const QSignalBlocker block(CheckBoxPause);
        CheckBoxPause->setChecked(!on);
    }
    if (on && FInput) ShowLog(FInput->GetInputLog());
}

INavMsgPort *TFrameNMEAMonitor::Simulator() const { return Env.Boat ? Env.Boat->GetSimulator() : nullptr; }

QString TFrameNMEAMonitor::PortName(INavMsgPort *port) {
    if (!port) return {};
    return IsSimulator(port) ? SimulatorName : NavMsgPortGetID(port);
}

std::vector<INavMsgPort *> TFrameNMEAMonitor::Candidates(INavMsgDeviceManager *devices, INavMsgPort *simulator) {
    std::vector<INavMsgPort *> list;
    TakeIfLogged(list, simulator);
    if (devices) {
        for (int32_t i = devices->GetPortCount() - 1; i >= 0; --i) TakeIfLogged(list, devices->GetPort(i));
        for (int32_t i = devices->GetUSBPortCount() - 1; i >= 0; --i) TakeIfLogged(list, devices->GetUSBPort(i));
        for (int32_t i = devices->GetOtherPortCount() - 1; i >= 0; --i)
            TakeIfLogged(list, devices->GetOtherPort(i));
    }
    std::stable_sort(list.begin(), list.end(), PortBefore);
    return list;
}

INavMsgPort *TFrameNMEAMonitor::ChoosePort(const std::vector<INavMsgPort *> &ports, const QString &valueName) {
    QString remembered;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(valueName), QString(), remembered);
    INavMsgPort *chosen = nullptr;
    if (!remembered.isEmpty())
        for (auto it = ports.rbegin(); it != ports.rend() && !chosen; ++it)
            if (PortName(*it).compare(remembered, Qt::CaseInsensitive) == 0) chosen = *it;
    // A remembered port that is only absent (a receiver unplugged for this start) stays
    // remembered, so it is taken again once it is back.
    if (!chosen && !ports.empty()) {
        chosen = ports.front();
        if (!remembered.isEmpty()) return chosen;
    }
    if (chosen) {
        int32_t error = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(valueName), PortName(chosen), error);
    }
    return chosen;
}

void TFrameNMEAMonitor::UpdatePortLists() {
    const std::vector<INavMsgPort *> ports = Candidates(Env.DeviceManager, Simulator());
    FOutput = ChoosePort(ports, QStringLiteral("NMEAOutput"));
    SetInputPort(ChoosePort(ports, QStringLiteral("NMEAInput")));
    UpdateButtons();
}

void TFrameNMEAMonitor::SetInputPort(INavMsgPort *port) {
    FInput = port;
    if (port)
        ShowLog(port->GetInputLog());
    else
        MemoInput->clear();
    UpdateButtons();
}

void TFrameNMEAMonitor::Tick(const TLoopRecord &rec) {
    if (!FLogging) return;
    FCountdown -= rec.ElapsedSec;
    if (FCountdown > 0) return;
    if (FInput && ((Env.DeviceManager && Env.DeviceManager->HasPort(FInput)) || FInput == Simulator()))
        ShowLog(FInput->GetInputLog());
    FCountdown = RefreshSeconds;
}

bool TFrameNMEAMonitor::ReallyOnScreen() const {
    const QWidget *w = MemoInput;
    while (w->parentWidget() && w->isVisible()) w = w->parentWidget();
    return w->isVisible() && w->isWindow();
}

void TFrameNMEAMonitor::ShowLog(INavMsgLog *log) {
    if (!log || !ReallyOnScreen()) return;
    TDataParser parser;
    log->Enumerate(LogChunk, &parser);
    QString text = parser.GetLastLines(LineCount);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    MemoInput->setUpdatesEnabled(false);
    MemoInput->setPlainText(text);
    MemoInput->setUpdatesEnabled(true);
    MemoInput->verticalScrollBar()->setValue(MemoInput->verticalScrollBar()->maximum());
    UpdateButtons();
}

void TFrameNMEAMonitor::ClearInput() {
    MemoInput->clear();
    if (FInput && FInput->GetInputLog()) FInput->GetInputLog()->Clear();
    UpdateButtons();
}

void TFrameNMEAMonitor::SaveInput() {
    const QString proposed = QDir(FSaveFolder).filePath(LanguageText(TextFileName));
    const QString file = AskSaveFile(this, LanguageText(TextSaveTitle), proposed,
                                     LanguageText(TextFilter) + QStringLiteral(" (*.txt)"));
    if (file.isEmpty()) return;
    FSaveFolder = QFileInfo(file).absolutePath();
    // The pane's characters are the received bytes one to one, the lines end as received.
    QByteArray bytes = MemoInput->toPlainText().toLatin1();
    if (!bytes.isEmpty()) {
        bytes.replace("\n", "\r\n");
        bytes.append("\r\n");
    }
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit()) return;
    MsgBox(LanguageText(TextSaveError) + QLatin1Char('\n') + out.errorString(), mtError, MsgButtons({mbOK}));
}
