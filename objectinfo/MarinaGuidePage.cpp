#include "objectinfo/MarinaGuidePage.h"

#include "base/marina/KvMarinaGuide.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/MarinaGuideIcons.h"
#include "objectinfo/MarinaGuideTexts.h"

#include <KvLibNav6/KvMarinaGuide.h>
#include <KvLibNav6/KvUnits.h>

#include <QFileInfo>

#include <algorithm>

namespace {

using namespace MarinaStr;

// The view renders neither floats nor max-width nor "auto" margins: the header is a
// two-cell table, the right-aligned icon row a right-aligned block, the chart picture gets
// a width attribute, the entry vertical margins only, blocks take the page's width by
// themselves (a "width" there widens the page), and backgrounds are "background-color".
// The section bars name their text colour, so that night colours keep it readable.
const char *const TemplateLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">",
    "<html>",
    "<head>",
    "  <title>ADAC Marinaführer</title>",
    "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
    "  <style type=\"text/css\">",
    "    body { font-family: \"Tahoma\", \"Verdana\", Sans-Serif; line-height: 1.5em; font-size: 0.9em; }",
    "    img { vertical-align: middle; }",
    "    .entry { clear: both; margin-top: 5px; margin-bottom: 5px; }",
    "    .header, .footer { background-color: #0000aa; color: #ffffff; font-size: 90%;",
    "                       padding-right: 5px; padding-left: 5px; }",
    "    .footer { margin-top: 10px; text-align: right; padding-right: 5px; }",
    "    .subheader { background-color: #dadada; color: #000000; margin-top: 10px; margin-bottom: 5px;",
    "                 padding-left: 5px; }",
    "    .fields { font-size: 85%; }",
    "    .bold { font-weight: bold; }",
    "  </style>",
    "</head>",
    "<body>",
    "    <!-- contents -->",
    "</body>",
    "</html>",
};

const QString Indent16 = QString(16, QLatin1Char(' '));

// The page under construction with its picture titles.
class TBuilder {
public:
    explicit TBuilder(const TMarinaGuidePageInput &in) : In(in), E(in.Entry) {}

    TMarinaGuidePage Build();

private:
    void Line(const QString &text) { F += text + PageLineEnd; }
    QString Icon(const QString &file, const QString &title);
    QString DistanceIcon(float distance, const char *file, const QString &title, bool header);
    void Row(const QString &label, const QString &value, bool link = false);
    void Subheader(const QString &title);
    void Header();
    void General();
    void FacilityLines();
    QString SpecialFacility(int special);
    void ChartPicture();
    void PriceBlock();
    void PriceList(bool hadReference);
    void PaymentAndOther();
    void Additional();
    void AdditionalLocation();

    const TMarinaGuidePageInput &In;
    IMarinaGuideEntry *E;
    QString F;
    TMarinaGuidePage Out;
};

QString Underscores(QString text) { return text.replace(QLatin1Char('_'), QLatin1Char(' ')); }
QString Enc(const QString &text) { return HTMLEncode(text); }
QString Num(double value) { return QString::number(value, 'g', 7); }

void Join(QString &list, const QString &item) {
    if (!list.isEmpty()) list += QStringLiteral(", ");
    list += item;
}

QString WithYear(const TLanguageStrings &table, int32_t year) {
    return LanguageText(table).replace(QLatin1String("%d"), QString::number(year));
}

QString TBuilder::Icon(const QString &file, const QString &title) {
    const QString src = In.IconFolder + file;
    if (!Out.Titles.contains(src)) Out.Titles.insert(src, title);
    return QStringLiteral("<img src=\"%1\" title=\"%2\" />").arg(Enc(src), Enc(title));
}

QString TBuilder::DistanceIcon(float distance, const char *file, const QString &title,
                               bool header) {
    if (distance < 0) return QString();
    const QString name = QString::fromLatin1(file);
    if (distance > 100) {
        const QString km = MarinaKilometres(distance);
        return Icon(name, title + QStringLiteral("  ") + km + QStringLiteral(" km")) +
               QLatin1Char(' ') + km + QStringLiteral(" km ");
    }
    return Icon(name, title) + (header ? QStringLiteral(" ") : QString());
}

void TBuilder::Row(const QString &label, const QString &value, bool link) {
    if (value.isEmpty()) return;
    QString shown = Enc(value);
    if (link) {
        const QString href = value.contains(QLatin1Char('@')) ? QStringLiteral("mailto:") + value
                                                              : WebsiteHref(value);
        shown = QStringLiteral("<a href=\"%1\">%2</a>").arg(Enc(href), Enc(value));
    }
    Line(Indent16 + label + QStringLiteral(": ") + shown + QStringLiteral("<br />"));
}

void TBuilder::Subheader(const QString &title) {
    Line(QStringLiteral("              <div class=\"subheader\">") + title + QStringLiteral("</div>"));
    Line(QStringLiteral("              <div class=\"fields\">"));
}

void TBuilder::Header() {
    Line(QStringLiteral("              <div class=\"header\">"));
    // A table takes no colour from the block around it: the bar's colours are its own.
    Line(QStringLiteral("                <table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" bgcolor=\"#0000aa\"><tr>"));
    Line(QStringLiteral("                <td style=\"color: #ffffff\"><span class=\"bold\">") + Underscores(Enc(MarinaGuideGetName(E))) +
         QStringLiteral("</span> ") + Enc(MarinaGuideGetCity(E)) + QStringLiteral("</td>"));
    Line(QStringLiteral("                <td align=\"right\" style=\"color: #ffffff\"><span class=\"bold\">") +
         Enc(MarinaGuideGetHeaderRight(E)) + QStringLiteral("</span></td>"));
    Line(QStringLiteral("                </tr></table>"));
    Line(QStringLiteral("              </div>"));
    Line(QStringLiteral("              <div class=\"header2\">"));
    Line(QStringLiteral("                <div align=\"right\">"));
    QString icons = QString(18, QLatin1Char(' '));
    for (const TMarinaIcon &h : MarinaHeaderIcons()) {
        const QString title = LanguageText(h.Title);
        if (h.Distance)
            icons += DistanceIcon((E->*h.Distance)(), h.File, title, true);
        else if ((E->*h.Flag)())
            icons += Icon(QString::fromLatin1(h.File), title) + QLatin1Char(' ');
    }
    Line(icons);
    Line(QStringLiteral("                </div>"));
    Line(QStringLiteral("              </div>"));
}

void TBuilder::General() {
    Subheader(LanguageText(MarinaStr::General));
    const struct {
        int32_t Class;
        const char *File;
        const TLanguageStrings &Title;
    } classes[] = {{E->GetClassTechService(), "icon_classts.gif", ClassTech},
                   {E->GetClassCateringLeisure(), "icon_classvf.gif", ClassCatering}};
    for (const auto &c : classes) {
        if (c.Class < 0) continue;
        const QString text = c.Class <= 5 ? LanguageText(ClassText[c.Class]) : QString();
        Line(Icon(QString::fromLatin1(c.File), LanguageText(c.Title)) + QLatin1Char(' ') +
             Icon(QStringLiteral("icon_class%1.gif").arg(c.Class), text) + QStringLiteral("<br />"));
    }
    Row(LanguageText(Opened) + MarinaYearSuffix(E->GetOpenedYear()), MarinaGuideGetOpened(E));
    Row(LanguageText(Season) + MarinaYearSuffix(E->GetSeasonYear()), MarinaGuideGetSeason(E));
    Row(LanguageText(Tel), Underscores(MarinaGuideGetPhone(E)));
    Row(LanguageText(MarinaStr::VHF), Underscores(MarinaGuideGetVHF(E)));
    Row(LanguageText(Mail), MarinaGuideGetEmail(E), true);
    Row(LanguageText(MarinaStr::Website), MarinaGuideGetWebsite(E), true);
    Line(QStringLiteral("              </div>"));
}

QString TBuilder::SpecialFacility(int special) {
    const TMarinaIcon &row = MarinaFacilityIcons()[size_t(special)];
    const QString icon = Icon(QString::fromLatin1(row.File), LanguageText(row.Title));
    auto count = [&](int32_t n, const QString &note) {
        QString s = icon + QLatin1Char(' ') + QString::number(n);
        if (!note.isEmpty()) s += QStringLiteral(" (") + Enc(note) + QStringLiteral(" A)");
        return s;
    };
    switch (row.Special) {
    case MarinaSpecial::BoxSize: {
        const TMarinaGuideBoxSize *box = E->GetBoxSize();
        if (!box || box->Length <= -1) return QString();
        return icon + QLatin1Char(' ') + Num(box->Length) + QLatin1Char('x') + Num(box->Width) +
               QStringLiteral(" m");
    }
    case MarinaSpecial::CEESockets:
        return E->GetCEESocketCount() > 0 ? count(E->GetCEESocketCount(), MarinaGuideGetCEESocketsNote(E)) : QString();
    case MarinaSpecial::Sockets:
        return E->GetSocketCount() > 0 ? count(E->GetSocketCount(), MarinaGuideGetConventionalSocketsNote(E)) : QString();
    case MarinaSpecial::FreshWater: {
        const int32_t n = E->GetFreshWaterConnections();
        if (n < 0) return QString();
        return n > 0 ? icon + QLatin1Char(' ') + QString::number(n) : icon;
    }
    case MarinaSpecial::Petrol: {
        QString letters, words;
        MarinaPetrolTexts(E->HasDiesel(), E->HasSuper(), E->HasGas(), letters, words);
        if (letters.isEmpty()) return QString();
        return Icon(QString::fromLatin1(row.File), LanguageText(PetrolStation) + QStringLiteral(" [") +
                                                       words + QLatin1Char(']')) +
               QLatin1Char(' ') + letters;
    }
    case MarinaSpecial::Crane: {
        if (!E->HasCrane()) return QString();
        const float tons = E->GetCraneTons();
        return tons > 0 ? icon + QLatin1Char(' ') +
                              Num(UnitConvert(tons, KvUnit::Kilogram, KvUnit::Tonne)) +
                              QStringLiteral(" t")
                        : icon;
    }
    case MarinaSpecial::TV:
        return E->GetTVConnections() >= 0 || E->HasTVConnection() ? icon : QString();
    default:
        return QString();
    }
}

void TBuilder::FacilityLines() {
    Line(QStringLiteral("              <div class=\"subheader\">") + LanguageText(Facilities) +
         QStringLiteral("</div>"));
    Line(QStringLiteral("              <div class=\"icons\">"));
    const auto &rows = MarinaFacilityIcons();
    for (size_t i = 0; i < rows.size(); ++i) {
        const TMarinaIcon &r = rows[i];
        const QString title = LanguageText(r.Title);
        QString s;
        if (r.Special != MarinaSpecial::None) {
            s = SpecialFacility(int(i));
        } else if (r.Distance) {
            const float d = (E->*r.Distance)();
            s = DistanceIcon(d, r.File, title, false);
            const QString note = r.Note && d >= 0 ? r.Note(E) : QString();
            if (!note.isEmpty()) s += QStringLiteral(" (") + Enc(note) + QLatin1Char(')');
        } else if ((E->*r.Flag)() || (r.Flag2 && (E->*r.Flag2)())) {
            s = Icon(QString::fromLatin1(r.File), title);
        }
        if (!s.isEmpty()) Line(Indent16 + s);
    }
    Line(QStringLiteral("              </div>"));
}

void TBuilder::ChartPicture() {
    const QString folder = In.IconFolder + QStringLiteral("Charts/");
    const QString name = MarinaGuideGetChartImage(E);
    const QString file = folder + (name.isEmpty() ? QString::number(E->GetNumber()) + QStringLiteral(".png") : name);
    if (!QFileInfo(file).isFile()) return;
    const QString title = LanguageText(MarinaStr::Chart);
    Line(QStringLiteral("<div class=\"subheader\">") + title + QStringLiteral("</div>"));
    Out.Titles.insert(file, title);
    Line(QStringLiteral("<div><img width=\"%1\" src=\"%2\" title=\"%3\" /></div>")
             .arg(In.ChartWidth > 0 ? QString::number(std::min(In.ChartWidth, 497)) : QStringLiteral("497"),
                  Enc(file), Enc(title)));
}

void TBuilder::PriceBlock() {
    const QString note = MarinaGuideGetPriceNote(E);
    // No empty parentheses when the guide gives no note.
    Subheader(LanguageText(PriceInformation) +
              (note.isEmpty() ? QString() : QStringLiteral(" (") + Enc(note) + QLatin1Char(')')));
    const QString reference = MarinaGuideGetReferencePrice(E);
    if (!reference.isEmpty()) {
        const int32_t c = E->GetReferencePriceYear();
        QString label = LanguageText(ReferencePrice);
        if (c == 1 || c == 2 || c >= 2011)
            label = WithYear(ReferencePriceSeason, c == 1 ? 2013 : c);
        Row(label, Underscores(reference));
    }
    PriceList(!reference.isEmpty());
    QString included;
    if (MarinaGuideGetPriceHotShowers(E) == QLatin1String("0")) Join(included, LanguageText(HotShowers));
    if (MarinaGuideGetPriceElectricityKWh(E) == QLatin1String("0") &&
        MarinaGuideGetPriceElectricityNight(E) == QLatin1String("0"))
        Join(included, LanguageText(Electricity));
    if (MarinaGuideGetPriceFreshWater(E) == QLatin1String("0")) Join(included, LanguageText(FreshWater));
    Row(LanguageText(Included), included);
    Row(LanguageText(Discount), MarinaGuideGetDiscount(E));
    PaymentAndOther();
    Line(QStringLiteral("              </div>"));
    Line(QStringLiteral("              </div>"));
}

void TBuilder::PriceList(bool hadReference) {
    const struct {
        const TLanguageStrings &Label;
        QString Price;
        bool SkipZero;
    } prices[] = {{BerthNight, MarinaGuideGetPriceBerthNight(E), false},
                  {BerthSeason, MarinaGuideGetPriceBerthSeason(E), false},
                  {BerthYear, MarinaGuideGetPriceBerthYear(E), false},
                  {MarinaStr::Crane, MarinaGuideGetPriceCrane(E), false},
                  {Winch, MarinaGuideGetPriceWinch(E), false},
                  {PersonNight, MarinaGuideGetPricePersonNight(E), false},
                  {ChildNight, MarinaGuideGetPriceChildNight(E), false},
                  {HotShowers, MarinaGuideGetPriceHotShowers(E), true},
                  {ElectricityKWh, MarinaGuideGetPriceElectricityKWh(E), true},
                  {ElectricityNight, MarinaGuideGetPriceElectricityNight(E), true},
                  {FreshWater, MarinaGuideGetPriceFreshWater(E), true}};
    QString list;
    for (const auto &p : prices) {
        if (p.Price.isEmpty() || (p.SkipZero && p.Price == QLatin1String("0"))) continue;
        Join(list, LanguageText(p.Label) + QLatin1Char(' ') + Underscores(p.Price));
    }
    if (list.isEmpty()) return;
    QString label = LanguageText(Prices);
    if (In.Edition != QLatin1String("2016") &&
        (!hadReference || E->GetReferencePriceYear() != E->GetPricesYear()))
        label += QLatin1Char(' ') + WithYear(PricesSeason, E->GetPricesYear());
    Row(label, list);
}

void TBuilder::PaymentAndOther() {
    const QString options = MarinaGuideGetPaymentOptions(E).toLower();
    if (!options.isEmpty()) {
        QString icons;
        const struct {
            const char *Token, *File;
            const TLanguageStrings &Title;
        } cards[] = {{"maestro", "icon_maestro.gif", Maestro},
                     {"master", "icon_master.gif", Mastercard},
                     {"visa", "icon_visa.gif", Visa}};
        for (const auto &c : cards)
            if (options.contains(QLatin1String(c.Token)))
                icons += Icon(QString::fromLatin1(c.File), LanguageText(c.Title)) + QLatin1Char(' ');
        if (!icons.isEmpty())
            Line(Indent16 + LanguageText(PaymentOptions) + QStringLiteral(": ") + icons + QStringLiteral("<br />"));
    }
    QString other;
    if (E->HasNoReservations()) Join(other, LanguageText(NoReservations));
    if (E->GetMaxStayNights() >= 0) Join(other, WithYear(MaxStayNights, E->GetMaxStayNights()));
    const QString maxStay = MarinaGuideGetMaxStay(E);
    if (!maxStay.isEmpty()) {
        bool isInt = false;
        maxStay.toInt(&isInt);
        Join(other, LanguageText(MaxStay) + QStringLiteral(": ") + Enc(maxStay) +
                        (isInt ? QLatin1Char(' ') + LanguageText(Nights) : QString()));
    }
    if (!other.isEmpty()) Line(Indent16 + LanguageText(Other) + QStringLiteral(": ") + other + QStringLiteral("<br />"));
}

void TBuilder::Additional() {
    Subheader(LanguageText(MarinaStr::General));
    const QString ch = MarinaGuideGetCharacteristics(E);
    if (!ch.isEmpty()) {
        Line(QStringLiteral("<img src=\"%1\" />").arg(Enc(In.IconFolder + QStringLiteral("icon_characteristics.gif"))) +
             QLatin1Char(' ') + Underscores(Enc(ch)) + QStringLiteral("<br />"));
        const QString ch2 = MarinaGuideGetCharacteristics2(E);
        if (!ch2.isEmpty()) Line(Underscores(Enc(ch2)) + QStringLiteral("<br />"));
    }
    const struct {
        double Value;
        int32_t Large, Small;
        const char *File;
        const TLanguageStrings &Title;
    } sizes[] = {{E->GetMaxLength(), In.UnitDistanceLarge, In.UnitDistanceSmall, "icon_maxlength.gif", MaxShipsLength},
                 {E->GetMaxDraught(), In.UnitDepth, In.UnitDepth, "icon_draught.gif", MaxDraught}};
    for (const auto &s : sizes) {
        if (s.Value < 0) continue;
        QString value, unit;
        FormatDistanceA(s.Large, s.Small, value, unit, s.Value);
        Line(Icon(QString::fromLatin1(s.File), LanguageText(s.Title)) + QLatin1Char(' ') + value +
             QLatin1Char(' ') + unit + QStringLiteral("<br />"));
    }
    if (E->GetAnchorages() >= 0)
        Line(LanguageText(Anchorages) + QStringLiteral(": ") + QString::number(E->GetAnchorages()) + QStringLiteral("<br />"));
    Line(QStringLiteral("              </div>"));
    const QString languages = MarinaGuideGetHarbourMasterLanguages(E);
    const QString fax = MarinaGuideGetHarbourMasterFax(E);
    const QString mmsi = MarinaGuideGetMMSI(E);
    const QString available = MarinaGuideGetHarbourMasterAvailability(E);
    if (!languages.isEmpty() || !fax.isEmpty() || !mmsi.isEmpty() || !available.isEmpty()) {
        Subheader(LanguageText(HarbourMaster));
        Row(LanguageText(LanguagesSpoken), MarinaTrimLanguages(languages));
        Row(LanguageText(MarinaStr::Fax), Underscores(fax));
        Row(LanguageText(MarinaStr::MMSI), mmsi);
        Row(LanguageText(Available), available);
        Line(QStringLiteral("              </div>"));
    }
    AdditionalLocation();
}

void TBuilder::AdditionalLocation() {
    Subheader(LanguageText(Location));
    if (const TGeoPoint *p = E->GetPosition())
        Line(QStringLiteral("GPS: ") + AngleText(p->Lat, In.PositionFormat, 1) + QStringLiteral(", ") +
             AngleText(p->Lon, In.PositionFormat, 2) + QStringLiteral("<br />"));
    if (E->GetWaterwayDistance() >= 0) {
        const QString bank = E->IsLeftBank() ? QStringLiteral("L ") : E->IsRightBank() ? QStringLiteral("R ") : QString();
        Line(bank + QString::number(E->GetWaterwayDistance() / 1000.0, 'f', 1) + QLatin1Char(' ') +
             UnitToStr(KvUnit::Kilometre));
    }
    QString water;
    const QString current = MarinaGuideGetMaxCurrent(E);
    if (!current.isEmpty())
        water += Icon(QStringLiteral("icon_currents.gif"), LanguageText(MaxCurrent)) + QLatin1Char(' ') +
                 Enc(current) + QLatin1Char(' ') + UnitToStr(E->GetMaxCurrentUnit());
    const QString level = MarinaGuideGetMaxWaterLevelChange(E);
    if (!level.isEmpty())
        water += QLatin1Char(' ') + Icon(QStringLiteral("icon_waterlevel.gif"), LanguageText(MaxWaterLevelChange)) +
                 QLatin1Char(' ') + Enc(level) + QLatin1Char(' ') + UnitToStr(KvUnit::Metre);
    if (E->HasBuoys()) water += QLatin1Char(' ') + Icon(QStringLiteral("icon_buoys.gif"), LanguageText(HasBuoys));
    if (E->HasLights()) water += QLatin1Char(' ') + Icon(QStringLiteral("icon_lights.gif"), LanguageText(HasLights));
    if (E->HasRedGreenSigns()) water += QLatin1Char(' ') + Icon(QStringLiteral("icon_redgreen.gif"), LanguageText(RedGreen));
    if (!water.isEmpty()) Line(water + QStringLiteral("<br />"));
    const QString text = MarinaGuideGetLocationText(E);
    if (!text.isEmpty()) Line(LanguageText(Location) + QStringLiteral(": ") + Underscores(Enc(text)));
    const QString textEN = MarinaGuideGetLocationTextEN(E);
    if (!textEN.isEmpty())
        Line(QStringLiteral("<br />") + LanguageText(LocationEN) + QStringLiteral(" (EN): ") + Underscores(Enc(textEN)));
    Line(QStringLiteral("              </div>"));
}

TMarinaGuidePage TBuilder::Build() {
    Line(QStringLiteral("          <div class=\"contents\">"));
    Line(QStringLiteral("            <!-- contents -->"));
    Line(QStringLiteral("            <div class=\"entry\">"));
    Header();
    General();
    FacilityLines();
    ChartPicture();
    if (E->HasPriceInformation()) PriceBlock();
    const QString picture = In.ProgramFolder + QStringLiteral("Images/") +
                            (In.Expanded ? QStringLiteral("collapse.png") : QStringLiteral("expand.png"));
    Line(QStringLiteral("<p><a href=\"%1\"><img src=\"%2\" border=\"0\" /></a> <b>%3</b></p>")
             .arg(QLatin1String(MarinaMoreLink), Enc(picture), LanguageText(AdditionalInformation)));
    if (In.Expanded) Additional();
    Line(QStringLiteral("              <div class=\"footer\">ADAC Marinaführer ") + Enc(In.Edition) +
         QStringLiteral("</div>"));
    Line(QStringLiteral("            </div>"));
    Line(QStringLiteral("          </div>"));
    static const QString templ =
        PaddedTemplate(TemplateLines, int(sizeof TemplateLines / sizeof TemplateLines[0]));
    Out.Page = ReplaceContentsMarker(templ, F);
    return std::move(Out);
}

}  // namespace

TMarinaGuidePage BuildMarinaGuidePage(const TMarinaGuidePageInput &input) {
    if (!input.Entry) return {};
    return TBuilder(input).Build();
}

QString MarinaYearSuffix(int32_t code) {
    if (code >= 2011) return QLatin1Char(' ') + QString::number(code);
    if (code == 1) return QStringLiteral(" 2013");
    if (code == 2) return QStringLiteral(" 2");
    return QString();
}

QString MarinaKilometres(double metres) {
    return Num(UnitConvert(metres, KvUnit::Metre, KvUnit::Kilometre));
}

void MarinaPetrolTexts(bool diesel, bool super, bool gas, QString &letters, QString &words) {
    letters.clear();
    words.clear();
    const struct {
        bool On;
        const char *Letter;
        const TLanguageStrings &Word;
    } fuels[] = {{diesel, "D", Diesel}, {super, "S", Super}, {gas, "G", Gas}};
    const QString andText = QLatin1Char(' ') + LanguageText(And) + QLatin1Char(' ');
    for (const auto &f : fuels) {
        if (!f.On) continue;
        if (!letters.isEmpty()) {
            letters += QStringLiteral(" + ");
            words += andText;
        }
        letters += QLatin1String(f.Letter);
        words += LanguageText(f.Word);
    }
}

QString MarinaTrimLanguages(const QString &languages) {
    // Only a text long enough to end in ", " can lose it.
    if (languages.size() >= 2 && languages.at(languages.size() - 2) == QLatin1Char(','))
        return languages.left(languages.size() - 2);
    return languages;
}
