#include "shell/FrmSettingsViewS57.h"

#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvCharts.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

namespace Txt {
const TLanguageStrings Caption = {"S57 settings",      "S57-instellingen",  "S57-Einstellungen",
                                  "Paramètres S57",    "Ajustes S57",       "Impostazioni S57",
                                  "S57-indstillinger", "S57-inställningar"};
const TLanguageStrings DisplayCategory = {
    "Display category",            "Weergavecategorie",            "Anzeigekategorie",
    "Catégorie d'affichage",       "Categoría de visualización",   "Categoria di visualizzazione",
    "Visningskategori",            "Visningskategori"};
const TLanguageStrings UseSCAMIN = {
    "Use scale filter (SCAMIN)",             "Schaalfilter gebruiken (SCAMIN)",
    "Maßstabsfilter verwenden (SCAMIN)",     "Utiliser le filtre d'échelle (SCAMIN)",
    "Usar filtro de escala (SCAMIN)",        "Usa filtro di scala (SCAMIN)",
    "Brug skalafilter (SCAMIN)",             "Använd skalfilter (SCAMIN)"};
const TLanguageStrings ShowbENCs = {"Show bENC's",   "bENC's tonen", "bENCs anzeigen",
                                    "Afficher les bENC", "Mostrar bENC", "Mostra bENC",
                                    "Vis bENC'er",   "Visa bENC:er"};
const TLanguageStrings ShowMeta = {"Show meta info",
                                   "Meta-info tonen",
                                   "Metainformationen anzeigen",
                                   "Afficher les méta-informations",
                                   "Mostrar metainformación",
                                   "Mostra meta-informazioni",
                                   "Vis metainfo",
                                   "Visa metainformation"};
const TLanguageStrings ShowBuoys = {"Show ATON",          "Betonning tonen",
                                    "Schifffahrtszeichen anzeigen", "Afficher les ATON",
                                    "Mostrar balizamiento", "Mostra segnalamenti",
                                    "Vis afmærkning",     "Visa utprickning"};
const TLanguageStrings ShallowPattern = {"Use shallow pattern",
                                         "Ondiepte-arcering gebruiken",
                                         "Flachwassermuster verwenden",
                                         "Utiliser le motif des hauts-fonds",
                                         "Usar trama de bajos",
                                         "Usa retino per bassi fondali",
                                         "Brug mønster for lavt vand",
                                         "Använd mönster för grunt vatten"};
const TLanguageStrings Enhancements = {"Chart view optimization",
                                       "Kaartweergave optimaliseren",
                                       "Kartenansicht optimieren",
                                       "Optimisation de l'affichage",
                                       "Optimización de la vista de carta",
                                       "Ottimizzazione della vista carta",
                                       "Optimering af kortvisning",
                                       "Optimering av sjökortsvy"};
const TLanguageStrings MaxBuoyScamin = {"Max SCAMIN ATON",
                                        "Max. SCAMIN betonning",
                                        "Max. SCAMIN Schifffahrtszeichen",
                                        "SCAMIN max. ATON",
                                        "SCAMIN máx. balizamiento",
                                        "SCAMIN max segnalamenti",
                                        "Maks. SCAMIN afmærkning",
                                        "Max SCAMIN utprickning"};
const TLanguageStrings FeatureTime = {"Filter date dependent objects",
                                      "Datumafhankelijke objecten filteren",
                                      "Datumsabhängige Objekte filtern",
                                      "Filtrer les objets dépendant de la date",
                                      "Filtrar objetos dependientes de la fecha",
                                      "Filtra oggetti dipendenti dalla data",
                                      "Filtrer datoafhængige objekter",
                                      "Filtrera datumberoende objekt"};
const TLanguageStrings MaxChartLoad = {"Max S57 cells shown",
                                       "Max. getoonde S57-cellen",
                                       "Max. angezeigte S57-Zellen",
                                       "Cellules S57 affichées max.",
                                       "Máx. de celdas S57 mostradas",
                                       "Max celle S57 visualizzate",
                                       "Maks. viste S57-celler",
                                       "Max visade S57-celler"};
const TLanguageStrings Labels = {"Labels",    "Labels",    "Beschriftungen", "Étiquettes",
                                 "Etiquetas", "Etichette", "Etiketter",      "Etiketter"};
const TLanguageStrings ShowText = {"Show labels",          "Labels tonen",
                                   "Beschriftungen anzeigen", "Afficher les étiquettes",
                                   "Mostrar etiquetas",    "Mostra etichette",
                                   "Vis etiketter",        "Visa etiketter"};
const TLanguageStrings ImportantOnly = {"Important labels only",
                                        "Alleen belangrijke labels",
                                        "Nur wichtige Beschriftungen",
                                        "Étiquettes importantes uniquement",
                                        "Solo etiquetas importantes",
                                        "Solo etichette importanti",
                                        "Kun vigtige etiketter",
                                        "Endast viktiga etiketter"};
const TLanguageStrings AtoNLabels = {"Show ATON labels",
                                     "Labels van betonning tonen",
                                     "Beschriftung der Schifffahrtszeichen",
                                     "Afficher les étiquettes des ATON",
                                     "Mostrar etiquetas de balizamiento",
                                     "Mostra etichette dei segnalamenti",
                                     "Vis etiketter for afmærkning",
                                     "Visa etiketter för utprickning"};
const TLanguageStrings LightDesc = {"Show light descriptions",
                                    "Lichtbeschrijvingen tonen",
                                    "Feuerbeschreibungen anzeigen",
                                    "Afficher les caractéristiques des feux",
                                    "Mostrar descripciones de luces",
                                    "Mostra descrizioni dei fanali",
                                    "Vis fyrbeskrivelser",
                                    "Visa fyrbeskrivningar"};
const TLanguageStrings National = {"Show national labels",
                                   "Nationale labels tonen",
                                   "Nationale Beschriftungen anzeigen",
                                   "Afficher les étiquettes nationales",
                                   "Mostrar etiquetas nacionales",
                                   "Mostra etichette nazionali",
                                   "Vis nationale etiketter",
                                   "Visa nationella etiketter"};
const TLanguageStrings BxPrefix = {"Show 'by' and 'bn' prefix",
                                   "Voorvoegsel 'by' en 'bn' tonen",
                                   "Präfix 'by' und 'bn' anzeigen",
                                   "Afficher les préfixes 'by' et 'bn'",
                                   "Mostrar prefijos 'by' y 'bn'",
                                   "Mostra prefissi 'by' e 'bn'",
                                   "Vis præfiks 'by' og 'bn'",
                                   "Visa prefix 'by' och 'bn'"};
const TLanguageStrings ContourLabels = {"Show contour labels",
                                        "Dieptelijnlabels tonen",
                                        "Tiefenlinienbeschriftung anzeigen",
                                        "Afficher les étiquettes des isobathes",
                                        "Mostrar etiquetas de isóbatas",
                                        "Mostra etichette delle isobate",
                                        "Vis dybdekurveetiketter",
                                        "Visa djupkurvsetiketter"};
const TLanguageStrings Soundings = {"Show soundings",     "Dieptecijfers tonen",
                                    "Lotungen anzeigen",  "Afficher les sondes",
                                    "Mostrar sondas",     "Mostra scandagli",
                                    "Vis dybdetal",       "Visa djupsiffror"};
const TLanguageStrings ShallowOnly = {"Show shallow only",
                                      "Alleen ondiepe tonen",
                                      "Nur flache anzeigen",
                                      "Afficher uniquement les hauts-fonds",
                                      "Mostrar solo bajos",
                                      "Mostra solo bassi fondali",
                                      "Vis kun lavvandede",
                                      "Visa endast grunda"};
const TLanguageStrings TextScale = {"Text scale",       "Tekstschaal",     "Textskalierung",
                                    "Échelle du texte", "Escala del texto", "Scala del testo",
                                    "Tekstskala",       "Textskala"};
const TLanguageStrings Shallow = {"Shallow depth",          "Ondiepe diepte",
                                  "Flachwassertiefe",       "Profondeur des hauts-fonds",
                                  "Profundidad somera",     "Profondità bassofondo",
                                  "Lavvandet dybde",        "Grunt djup"};
const TLanguageStrings Safe = {"Safe depth",             "Veilige diepte",
                               "Sicherheitstiefe",       "Profondeur de sécurité",
                               "Profundidad de seguridad", "Profondità di sicurezza",
                               "Sikker dybde",           "Säkert djup"};
const TLanguageStrings Deep = {"Deep water",      "Diep water",     "Tiefes Wasser",
                               "Eaux profondes",  "Aguas profundas", "Acque profonde",
                               "Dybt vand",       "Djupt vatten"};
const TLanguageStrings Shades2 = {"2 depth shades",           "2 dieptetinten",
                                  "2 Tiefenstufen",           "2 teintes de profondeur",
                                  "2 tonos de profundidad",   "2 tonalità di profondità",
                                  "2 dybdenuancer",           "2 djupnyanser"};
const TLanguageStrings Shades4 = {"4 depth shades",           "4 dieptetinten",
                                  "4 Tiefenstufen",           "4 teintes de profondeur",
                                  "4 tonos de profundidad",   "4 tonalità di profondità",
                                  "4 dybdenuancer",           "4 djupnyanser"};
const TLanguageStrings SymbolsPaper = {"Paper chart symbols",
                                       "Papieren-kaartsymbolen",
                                       "Papierkartensymbole",
                                       "Symboles de carte papier",
                                       "Símbolos de carta en papel",
                                       "Simboli della carta cartacea",
                                       "Papirkortsymboler",
                                       "Pappersjökortssymboler"};
const TLanguageStrings SymbolsSimple = {"Simple symbols",       "Eenvoudige symbolen",
                                        "Vereinfachte Symbole", "Symboles simplifiés",
                                        "Símbolos simplificados", "Simboli semplificati",
                                        "Enkle symboler",       "Förenklade symboler"};
const TLanguageStrings BoundariesPlain = {"Plain boundaries",  "Eenvoudige grenzen",
                                          "Einfache Grenzen",  "Limites simples",
                                          "Límites simples",   "Limiti semplici",
                                          "Enkle grænser",     "Enkla gränser"};
const TLanguageStrings BoundariesSymbolized = {
    "Symbolized boundaries",  "Gesymboliseerde grenzen", "Symbolisierte Grenzen",
    "Limites symbolisées",    "Límites simbolizados",    "Limiti simbolizzati",
    "Symboliserede grænser",  "Symboliserade gränser"};
const TLanguageStrings Automatic = {"Automatic",  "Automatisch", "Automatisch", "Automatique",
                                    "Automático", "Automatico",  "Automatisk",  "Automatisk"};
const TLanguageStrings MonitorWidth = {"Physical screen width",
                                       "Fysieke schermbreedte",
                                       "Physische Bildschirmbreite",
                                       "Largeur physique de l'écran",
                                       "Ancho físico de la pantalla",
                                       "Larghezza fisica dello schermo",
                                       "Fysisk skærmbredde",
                                       "Fysisk skärmbredd"};
}  // namespace Txt

const char *const ScaminValues[] = {"25000", "50000", "75000", "100000", "125000", "150000"};

TNumberEdit *DepthEdit(QWidget *parent) {
    auto *edit = new TNumberEdit(parent);
    edit->SetEditType(etFloatFixed);
    edit->SetDigits(2);
    edit->setMaximumWidth(80);
    return edit;
}

TNumberEdit *IntEdit(QWidget *parent, int min, int max, int value) {
    auto *edit = new TNumberEdit(parent);
    edit->SetMin(min);
    edit->SetMax(max);
    edit->SetIntValue(value);
    edit->setMaximumWidth(80);
    return edit;
}

}  // namespace

// ---- dialog ------------------------------------------------------------------------------

const std::vector<TFormSettingsViewS57::TFlagBox> &TFormSettingsViewS57::FlagBoxes() {
    using F = TFormSettingsViewS57;
    static const std::vector<TFlagBox> boxes = {
        {&F::CheckUseSCAMIN, S52DisplayFlag::UseSCAMIN},
        {&F::CheckShowbENCs, S52DisplayFlag::ShowBENCs},
        {&F::CheckShowMetaFeatures, S52DisplayFlag::ShowMeta},
        {&F::CheckShowBuoys, S52DisplayFlag::ShowBuoys},
        {&F::CheckUseShallowPattern, S52DisplayFlag::UseShallowPattern},
        {&F::CheckEnhancements, S52DisplayFlag::Enhancements},
        {&F::CheckShowText, S52DisplayFlag::ShowText},
        {&F::CheckShowImportantOnly, S52DisplayFlag::ShowTextImportant},
        {&F::CheckShowAtoN, S52DisplayFlag::ShowAtoNLabels},
        {&F::CheckShowLightDesc, S52DisplayFlag::ShowLightDesc},
        {&F::CheckShowNational, S52DisplayFlag::ShowNational},
        {&F::CheckFilterBxPrefix, S52DisplayFlag::ShowBxPrefix},
        {&F::CheckShowContourLabels, S52DisplayFlag::ShowContourLabels},
        {&F::CheckShowSoundings, S52DisplayFlag::ShowSoundings},
        {&F::CheckShowSoundingsShallowOnly, S52DisplayFlag::SoundingsShallowOnly},
    };
    return boxes;
}

uint32_t TFormSettingsViewS57::OwnedFlags() {
    uint32_t owned = S52DisplayFlag::FourDepthShades;
    for (const TFlagBox &b : FlagBoxes()) owned |= b.Bit;
    return owned;
}

int TFormSettingsViewS57::TextScalePosition(float scale) {
    if (scale >= 0.88f && scale < 1.13f) return 0;
    if (scale >= 0.88f && scale < 1.38f) return 1;
    if (scale >= 0.88f && scale < 1.63f) return 2;
    if (scale >= 0.88f && scale < 1.88f) return 3;
    return 4;
}

QString TFormSettingsViewS57::TextScaleCaption(int position) {
    return QLocale().toString(1.0 + position * 0.25, 'g', 7) + QLatin1Char('x');
}

TFormSettingsViewS57::TFormSettingsViewS57(TMarivoNavEnv &env, const TS57ViewerValues &values,
                                           QWidget *parent)
    : TFormSettingsDialog(21001, parent), PageControl(new QTabWidget(this)), FEnv(env),
      FLib(env.S52Library) {
    BuildPage();
    setWindowTitle(LanguageText(Txt::Caption));
    SetButtonCaptions();
    LoadSettings(values);
    UpdateEnabled();
    PageControl->setCurrentIndex(0);
    ScaleConstraints();
}

QLabel *TFormSettingsViewS57::AddRow(QGridLayout *grid, const TLanguageStrings &caption,
                                     QWidget *control, QWidget *unit) {
    const int row = grid->rowCount();
    auto *label = new QLabel(ColonCaption(caption), FPage);
    grid->addWidget(label, row, 0);
    if (unit) {
        auto *box = new QHBoxLayout;
        box->addWidget(control);
        box->addWidget(unit);
        box->addStretch(1);
        grid->addLayout(box, row, 1);
    } else {
        grid->addWidget(control, row, 1, Qt::AlignLeft);
    }
    return label;
}

void TFormSettingsViewS57::BuildPage() {
    FPage = new QWidget(PageControl);
    PageControl->addTab(FPage, LanguageText(SettingsTextGeneral));
    auto check = [this] { return new QCheckBox(FPage); };
    auto radio = [this](const TLanguageStrings &t) { return new QRadioButton(LanguageText(t), FPage); };
    ComboDisplayCategory = new QComboBox(FPage);
    ComboDisplayCategory->addItems({QStringLiteral("EMPTYCELL"), QStringLiteral("DISPLAYBASE"),
                                    QStringLiteral("STANDARD"), QStringLiteral("OTHER")});
    ComboMaxBuoyScamin = new QComboBox(FPage);
    for (const char *v : ScaminValues) ComboMaxBuoyScamin->addItem(QString::fromLatin1(v));

    auto *left = new QGridLayout;
    AddRow(left, Txt::DisplayCategory, ComboDisplayCategory);
    AddRow(left, Txt::UseSCAMIN, CheckUseSCAMIN = check());
    AddRow(left, Txt::ShowbENCs, CheckShowbENCs = check());
    AddRow(left, Txt::ShowMeta, CheckShowMetaFeatures = check());
    AddRow(left, Txt::ShowBuoys, CheckShowBuoys = check());
    AddRow(left, Txt::ShallowPattern, CheckUseShallowPattern = check());
    AddRow(left, Txt::Enhancements, CheckEnhancements = check());
    FLabelMaxBuoyScamin = AddRow(left, Txt::MaxBuoyScamin, ComboMaxBuoyScamin);
    AddRow(left, Txt::FeatureTime, CheckFeatureTime = check());
    AddRow(left, Txt::MaxChartLoad, EditMaxChartLoad = IntEdit(FPage, 10, 99, 40));
    AddRow(left, Txt::Shallow, NumberEditShallow = DepthEdit(FPage), new QLabel(QStringLiteral("m"), FPage));
    AddRow(left, Txt::Safe, NumberEditSafe = DepthEdit(FPage), new QLabel(QStringLiteral("m"), FPage));
    AddRow(left, Txt::Deep, NumberEditDeep = DepthEdit(FPage), new QLabel(QStringLiteral("m"), FPage));
    left->setRowStretch(left->rowCount(), 1);

    auto *right = new QGridLayout;
    auto *labels = SettingsHeading(FPage);
    labels->setText(LanguageText(Txt::Labels));
    right->addWidget(labels, 0, 0, 1, 2);
    AddRow(right, Txt::ShowText, CheckShowText = check());
    FLabelImportantOnly = AddRow(right, Txt::ImportantOnly, CheckShowImportantOnly = check());
    FLabelAtoN = AddRow(right, Txt::AtoNLabels, CheckShowAtoN = check());
    FLabelLightDesc = AddRow(right, Txt::LightDesc, CheckShowLightDesc = check());
    FLabelNational = AddRow(right, Txt::National, CheckShowNational = check());
    FLabelBxPrefix = AddRow(right, Txt::BxPrefix, CheckFilterBxPrefix = check());
    AddRow(right, Txt::ContourLabels, CheckShowContourLabels = check());
    AddRow(right, Txt::Soundings, CheckShowSoundings = check());
    FLabelShallowOnly = AddRow(right, Txt::ShallowOnly, CheckShowSoundingsShallowOnly = check());
    TrackBarTextScale = new TTrackBarEx(Qt::Horizontal, FPage);
    TrackBarTextScale->ClickMethod = tecmSetPosition;
    TrackBarTextScale->setRange(0, 4);
    TrackBarTextScale->setPageStep(1);
    TrackBarTextScale->setTickPosition(QSlider::TicksBelow);
    TrackBarTextScale->setFixedWidth(120);
    LabelTextScaleValue = new QLabel(FPage);
    AddRow(right, Txt::TextScale, TrackBarTextScale, LabelTextScaleValue);
    CheckMonitorWidthAuto = new QCheckBox(LanguageText(Txt::Automatic), FPage);
    EditMonitorWidthMM = IntEdit(FPage, 50, 9999, 9999);
    auto *widthRow = new QHBoxLayout;
    widthRow->addWidget(CheckMonitorWidthAuto);
    widthRow->addWidget(EditMonitorWidthMM);
    widthRow->addWidget(new QLabel(QStringLiteral("mm"), FPage));
    widthRow->addStretch(1);
    const int widthAt = right->rowCount();
    right->addWidget(new QLabel(ColonCaption(Txt::MonitorWidth), FPage), widthAt, 0);
    right->addLayout(widthRow, widthAt, 1);
    right->setRowStretch(right->rowCount(), 1);

    // Each pair of choices is a group of its own.
    auto *styles = new QGridLayout;
    const std::array<std::array<QRadioButton **, 2>, 3> pairs = {
        {{&RadioButtonDepthShades2, &RadioButtonDepthShades4},
         {&RadioButtonSymbolsPaper, &RadioButtonSymbolsSimple},
         {&RadioButtonBoundariesPlain, &RadioButtonBoundariesSymbolized}}};
    const std::array<std::array<const TLanguageStrings *, 2>, 3> texts = {
        {{&Txt::Shades2, &Txt::Shades4},
         {&Txt::SymbolsPaper, &Txt::SymbolsSimple},
         {&Txt::BoundariesPlain, &Txt::BoundariesSymbolized}}};
    for (size_t g = 0; g < pairs.size(); ++g) {
        auto *group = new QWidget(FPage);
        auto *box = new QVBoxLayout(group);
        box->setContentsMargins(0, 0, 0, 0);
        for (size_t i = 0; i < 2; ++i) box->addWidget(*pairs[g][i] = radio(*texts[g][i]));
        styles->addWidget(group, 0, int(g));
    }

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);
    auto *page = new QVBoxLayout(FPage);
    page->addLayout(columns);
    page->addSpacing(8);
    page->addLayout(styles);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QCheckBox *c : {CheckEnhancements, CheckShowText, CheckShowSoundings, CheckMonitorWidthAuto})
        connect(c, &QCheckBox::clicked, this, &TFormSettingsViewS57::UpdateEnabled);
    connect(TrackBarTextScale, &QSlider::valueChanged, this,
            &TFormSettingsViewS57::TrackBarTextScaleChange);
}

void TFormSettingsViewS57::LoadSettings(const TS57ViewerValues &values) {
    FLoading = true;
    const uint32_t flags = FLib->GetDisplayFlags(0);
    for (const TFlagBox &b : FlagBoxes()) (this->*b.Box)->setChecked((flags & b.Bit) != 0);
    CheckFeatureTime->setChecked(FLib->GetCheckFeatureTime());
    EditMaxChartLoad->SetIntValue(FEnv.GetMaxChartLoad());
    const bool four = (flags & S52DisplayFlag::FourDepthShades) != 0;
    (four ? RadioButtonDepthShades4 : RadioButtonDepthShades2)->setChecked(true);
    (FLib->GetSymbolStyle() == S52SymbolStyle::Paper ? RadioButtonSymbolsPaper
                                                     : RadioButtonSymbolsSimple)->setChecked(true);
    (FLib->GetBoundaryStyle() == S52BoundaryStyle::Plain ? RadioButtonBoundariesPlain
                                                         : RadioButtonBoundariesSymbolized)
        ->setChecked(true);
    NumberEditShallow->SetValue(FLib->GetDepthShallow());
    NumberEditSafe->SetValue(FLib->GetDepthSafe());
    NumberEditDeep->SetValue(FLib->GetDepthDeep());
    ComboMaxBuoyScamin->setCurrentIndex(
        ComboMaxBuoyScamin->findText(QString::number(FLib->GetMaxBuoyScamin())));
    LoadDisplayCategory(values.BoundsOnly);
    TrackBarTextScale->setValue(TextScalePosition(FLib->GetTextScale()));
    TrackBarTextScaleChange();
    CheckMonitorWidthAuto->setChecked(values.MonitorWidthAuto);
    EditMonitorWidthMM->SetIntValue(values.MonitorWidthMM);
    FLoading = false;
}

void TFormSettingsViewS57::LoadDisplayCategory(bool boundsOnly) {
    ComboDisplayCategory->setCurrentIndex(-1);
    if (boundsOnly) {
        ComboDisplayCategory->setCurrentIndex(CategoryEmptyCell);
        return;
    }
    switch (FLib->GetDisplayCategory(0)) {
    case S52DisplayCategory::Base: ComboDisplayCategory->setCurrentIndex(CategoryDisplayBase); break;
    case S52DisplayCategory::Standard: ComboDisplayCategory->setCurrentIndex(CategoryStandard); break;
    case S52DisplayCategory::Other: ComboDisplayCategory->setCurrentIndex(CategoryOther); break;
    default: break;  // "MARINERS STANDARD" is not offered: nothing selected
    }
}

void TFormSettingsViewS57::UpdateEnabled() {
    const bool enhancements = CheckEnhancements->isChecked();
    FLabelMaxBuoyScamin->setEnabled(enhancements);
    ComboMaxBuoyScamin->setEnabled(enhancements);
    const bool text = CheckShowText->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{
             CheckShowImportantOnly, FLabelImportantOnly, CheckShowAtoN, FLabelAtoN,
             CheckShowLightDesc, FLabelLightDesc, CheckShowNational, FLabelNational,
             CheckFilterBxPrefix, FLabelBxPrefix})
        w->setEnabled(text);
    CheckShowSoundingsShallowOnly->setEnabled(CheckShowSoundings->isChecked());
    FLabelShallowOnly->setEnabled(CheckShowSoundings->isChecked());
    EditMonitorWidthMM->setEnabled(!CheckMonitorWidthAuto->isChecked());
}

void TFormSettingsViewS57::TrackBarTextScaleChange() {
    LabelTextScaleValue->setText(TextScaleCaption(TrackBarTextScale->value()));
    if (!FLoading) FTextScaleMoved = true;
}

TS57ViewerValues TFormSettingsViewS57::Values() const {
    TS57ViewerValues v;
    v.BoundsOnly = ComboDisplayCategory->currentIndex() == CategoryEmptyCell;
    v.MonitorWidthAuto = CheckMonitorWidthAuto->isChecked();
    v.MonitorWidthMM = int32_t(EditMonitorWidthMM->GetIntValue());
    return v;
}

void TFormSettingsViewS57::WriteDisplayFlags() {
    uint32_t chosen = RadioButtonDepthShades4->isChecked() ? S52DisplayFlag::FourDepthShades : 0;
    for (const TFlagBox &b : FlagBoxes())
        if ((this->*b.Box)->isChecked()) chosen |= b.Bit;
    // Land features follow viewer 0 everywhere; notice marks stay per viewer, as do the bits
    // set elsewhere that this dialog does not show.
    const uint32_t land = FLib->GetDisplayFlags(0) & S52DisplayFlag::ShowLandFeatures;
    const uint32_t replaced = OwnedFlags() | S52DisplayFlag::ShowLandFeatures;
    for (int32_t index = 0; index <= 2; ++index) {
        const uint32_t kept = FLib->GetDisplayFlags(index) & ~replaced;
        FLib->SetDisplayFlags(kept | chosen | land, index);
    }
}

void TFormSettingsViewS57::CloseQuery(bool ok) {
    if (!ok) return;
    WriteDisplayFlags();
    FLib->SetCheckFeatureTime(CheckFeatureTime->isChecked());
    // Without a selection (a library value the list does not offer) the value stays.
    if (ComboMaxBuoyScamin->currentIndex() >= 0)
        FLib->SetMaxBuoyScamin(ComboMaxBuoyScamin->currentText().toInt());
    const int entry = ComboDisplayCategory->currentIndex();
    const int32_t category = entry == CategoryDisplayBase ? S52DisplayCategory::Base
                             : entry == CategoryOther     ? S52DisplayCategory::Other
                                                          : S52DisplayCategory::Standard;
    for (int32_t index = 0; index <= 2; ++index) FLib->SetDisplayCategory(category, index);
    FLib->SetDepthDeep(float(NumberEditDeep->Value()));
    FLib->SetDepthSafe(float(NumberEditSafe->Value()));
    FLib->SetDepthShallow(float(NumberEditShallow->Value()));
    FLib->SetSymbolStyle(RadioButtonSymbolsPaper->isChecked() ? S52SymbolStyle::Paper
                                                              : S52SymbolStyle::Simplified);
    FLib->SetBoundaryStyle(RadioButtonBoundariesPlain->isChecked() ? S52BoundaryStyle::Plain
                                                                   : S52BoundaryStyle::Symbolized);
    // An untouched track bar keeps the library's scale (1.4 is no band value).
    if (FTextScaleMoved) FLib->SetTextScale(1.0f + TrackBarTextScale->value() * 0.25f);
    FLib->Commit();
}

bool TFormSettingsViewS57::Execute(TMarivoNavEnv &env, TS57ViewerValues &values, QWidget *parent) {
    TFormSettingsViewS57 form(env, values, parent);
    if (Run(form, TSettingsPrompter<TFormSettingsViewS57>::Get()) != QDialog::Accepted)
        return false;
    values = form.Values();
    env.SetMaxChartLoad(int32_t(form.EditMaxChartLoad->GetIntValue()));
    return true;
}
