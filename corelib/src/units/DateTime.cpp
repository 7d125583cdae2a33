// Day and month names, weekday sets and date-time texts in the eight interface languages.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvLanguage.h"
#include "KvLibNav6/KvUnits.h"
#include "units/UnitsInternal.h"

#include <QDate>
#include <QTime>

#include <array>

namespace {

// Tables are indexed by language number − 1 (English, Dutch, German, French, Spanish,
// Italian, Danish, Swedish).
using TNames7 = std::array<const char16_t *, 7>;
using TNames12 = std::array<const char16_t *, 12>;

// Monday first.
constexpr TNames7 DayNames[8] = {
    {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"},
    {u"maandag", u"dinsdag", u"woensdag", u"donderdag", u"vrijdag", u"zaterdag", u"zondag"},
    {u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag", u"Sonntag"},
    {u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi", u"dimanche"},
    {u"lunes", u"martes", u"miércoles", u"jueves", u"viernes", u"sábado", u"domingo"},
    {u"lunedì", u"martedì", u"mercoledì", u"giovedì", u"venerdì", u"sabato", u"domenica"},
    {u"mandag", u"tirsdag", u"onsdag", u"torsdag", u"fredag", u"lørdag", u"søndag"},
    {u"måndag", u"tisdag", u"onsdag", u"torsdag", u"fredag", u"lördag", u"söndag"},
};

constexpr TNames7 DayNamesShort[8] = {
    {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"},
    {u"ma", u"di", u"wo", u"do", u"vr", u"za", u"zo"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam.", u"dim."},
    {u"lun", u"mar", u"mié", u"jue", u"vie", u"sáb", u"dom"},
    {u"lun", u"mar", u"mer", u"gio", u"ven", u"sab", u"dom"},
    {u"man", u"tir", u"ons", u"tor", u"fre", u"lør", u"søn"},
    {u"mån", u"tis", u"ons", u"tor", u"fre", u"lör", u"sön"},
};

constexpr TNames12 MonthNames[8] = {
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August",
     u"September", u"October", u"November", u"December"},
    {u"januari", u"februari", u"maart", u"april", u"mei", u"juni", u"juli", u"augustus",
     u"september", u"oktober", u"november", u"december"},
    {u"Januar", u"Februar", u"März", u"April", u"Mai", u"Juni", u"Juli", u"August",
     u"September", u"Oktober", u"November", u"Dezember"},
    {u"janvier", u"février", u"mars", u"avril", u"mai", u"juin", u"juillet", u"août",
     u"septembre", u"octobre", u"novembre", u"décembre"},
    {u"enero", u"febrero", u"marzo", u"abril", u"mayo", u"junio", u"julio", u"agosto",
     u"septiembre", u"octubre", u"noviembre", u"diciembre"},
    {u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno", u"luglio", u"agosto",
     u"settembre", u"ottobre", u"novembre", u"dicembre"},
    {u"januar", u"februar", u"marts", u"april", u"maj", u"juni", u"juli", u"august",
     u"september", u"oktober", u"november", u"december"},
    {u"januari", u"februari", u"mars", u"april", u"maj", u"juni", u"juli", u"augusti",
     u"september", u"oktober", u"november", u"december"},
};

constexpr TNames12 MonthNamesShort[8] = {
    {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov",
     u"Dec"},
    {u"jan", u"feb", u"mrt", u"apr", u"mei", u"jun", u"jul", u"aug", u"sep", u"okt", u"nov",
     u"dec"},
    {u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov",
     u"Dez"},
    {u"janv.", u"févr.", u"mars", u"avr.", u"mai", u"juin", u"juil.", u"août", u"sept.",
     u"oct.", u"nov.", u"déc."},
    {u"ene", u"feb", u"mar", u"abr", u"may", u"jun", u"jul", u"ago", u"sep", u"oct", u"nov",
     u"dic"},
    {u"gen", u"feb", u"mar", u"apr", u"mag", u"giu", u"lug", u"ago", u"set", u"ott", u"nov",
     u"dic"},
    {u"jan", u"feb", u"mar", u"apr", u"maj", u"jun", u"jul", u"aug", u"sep", u"okt", u"nov",
     u"dec"},
    {u"jan", u"feb", u"mar", u"apr", u"maj", u"jun", u"jul", u"aug", u"sep", u"okt", u"nov",
     u"dec"},
};

// The date and time orders of each language, written in the format's own tokens; quoted
// parts are copied.
struct TDateFormats {
    const char16_t *ShortDate;
    const char16_t *LongDate;
    const char16_t *ShortTime;
    const char16_t *LongTime;
};

constexpr TDateFormats Formats[8] = {
    {u"dd/mm/yyyy", u"d mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"d-m-yyyy", u"d mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"dd.mm.yyyy", u"d. mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"dd/mm/yyyy", u"d mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"dd/mm/yyyy", u"d \"de\" mmmm \"de\" yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"dd/mm/yyyy", u"d mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"dd-mm-yyyy", u"d. mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
    {u"yyyy-mm-dd", u"d mmmm yyyy", u"hh:nn", u"hh:nn:ss"},
};

int LanguageIndex(int32_t language) {
    if (language < KvLang::First || language > KvLang::Last) language = GetCurrentLanguage();
    if (language < KvLang::First || language > KvLang::Last) language = KvLang::English;
    return language - 1;
}

QString Text(const char16_t *text) {
    return QString::fromUtf16(text);
}

QString DayName(int32_t day, int lang, bool shortName) {
    if (day < 1 || day > 7) return {};
    return Text((shortName ? DayNamesShort : DayNames)[lang][size_t(day - 1)]);
}

QString MonthName(int32_t month, int lang, bool shortName) {
    if (month < 1 || month > 12) return {};
    return Text((shortName ? MonthNamesShort : MonthNames)[lang][size_t(month - 1)]);
}

// A TDateTime taken apart into calendar fields (proleptic Gregorian, as QDate).
struct TParts {
    QDate Date;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

TParts Decode(TDateTime value) {
    const int64_t msecs = kv::DateTimeToMSecs(value);
    int64_t day = msecs / kv::MSecsPerDay;
    int64_t rest = msecs % kv::MSecsPerDay;
    if (rest < 0) {
        rest += kv::MSecsPerDay;
        --day;
    }
    TParts p;
    p.Date = QDate(1970, 1, 1).addDays(day);
    p.Hour = int(rest / 3600000);
    p.Minute = int(rest / 60000 % 60);
    p.Second = int(rest / 1000 % 60);
    p.MSec = int(rest % 1000);
    return p;
}

QString Pad(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

class TFormatter {
public:
    TFormatter(const TParts &parts, int lang) : FP(parts), FLang(lang) {}

    QString Format(const QString &format, int depth = 0) {
        QString out;
        QChar lastToken;  // the last date-time token, for "m" after "h" meaning minutes
        const int n = int(format.size());
        int i = 0;
        while (i < n) {
            const QChar c = format[i];
            const QChar lower = c.toLower();
            auto runOf = [&](QChar ch) {
                int j = i;
                while (j < n && format[j].toLower() == ch) ++j;
                return j - i;
            };
            if (c == u'"' || c == u'\'') {
                int j = i + 1;
                while (j < n && format[j] != c) ++j;
                out += format.mid(i + 1, j - i - 1);
                i = j < n ? j + 1 : n;
                continue;
            }
            if (lower == u'd') {
                const int run = runOf(u'd');
                i += run;
                if (run == 1) out += QString::number(FP.Date.day());
                else if (run == 2) out += Pad(FP.Date.day(), 2);
                else if (run == 3) out += DayName(FP.Date.dayOfWeek(), FLang, true);
                else if (run == 4) out += DayName(FP.Date.dayOfWeek(), FLang, false);
                else if (depth == 0)
                    out += Format(Text(run == 5 ? Formats[FLang].ShortDate
                                                : Formats[FLang].LongDate), 1);
                lastToken = u'd';
                continue;
            }
            if (lower == u'm') {
                const int run = runOf(u'm');
                i += run;
                if (lastToken == u'h' && run <= 2) {
                    out += run == 1 ? QString::number(FP.Minute) : Pad(FP.Minute, 2);
                } else if (run == 1) {
                    out += QString::number(FP.Date.month());
                } else if (run == 2) {
                    out += Pad(FP.Date.month(), 2);
                } else {
                    out += MonthName(FP.Date.month(), FLang, run == 3);
                }
                lastToken = u'm';
                continue;
            }
            if (lower == u'y') {
                const int run = runOf(u'y');
                i += run;
                out += run <= 2 ? Pad(FP.Date.year() % 100, 2) : Pad(FP.Date.year(), 4);
                lastToken = u'y';
                continue;
            }
            if (lower == u'h' || lower == u'n' || lower == u's') {
                const int run = std::min(runOf(lower), 2);
                i += run;
                const int value = lower == u'h' ? FP.Hour : lower == u'n' ? FP.Minute : FP.Second;
                out += run == 1 ? QString::number(value) : Pad(value, 2);
                lastToken = lower;
                continue;
            }
            if (lower == u'z') {
                const int run = runOf(u'z');
                i += run;
                out += run >= 3 ? Pad(FP.MSec, 3) : QString::number(FP.MSec);
                lastToken = u'z';
                continue;
            }
            if (lower == u't') {
                const int run = runOf(u't');
                i += run;
                if (depth == 0)
                    out += Format(Text(run == 1 ? Formats[FLang].ShortTime
                                                : Formats[FLang].LongTime), 1);
                lastToken = u't';
                continue;
            }
            if (lower == u'c' && depth == 0) {
                ++i;
                out += Format(Text(Formats[FLang].ShortDate), 1);
                if (FP.Hour || FP.Minute || FP.Second)
                    out += u' ' + Format(Text(Formats[FLang].LongTime), 1);
                lastToken = u'c';
                continue;
            }
            out += c;  // separators and other characters keep the last token
            ++i;
        }
        return out;
    }

private:
    TParts FP;
    int FLang;
};

}  // namespace

QChar kv::DecimalSeparator() {
    return GetCurrentLanguage() == KvLang::English ? QChar(u'.') : QChar(u',');
}

void _DayToStr(IStrW *out, int32_t day) {
    kv::SetStrW(out, DayName(day, LanguageIndex(GetCurrentLanguage()), false));
}

void _DayToStrShort(IStrW *out, int32_t day) {
    kv::SetStrW(out, DayName(day, LanguageIndex(GetCurrentLanguage()), true));
}

void _MonthToStr(IStrW *out, int32_t month) {
    kv::SetStrW(out, MonthName(month, LanguageIndex(GetCurrentLanguage()), false));
}

void _WeekDayFlagsToStr(IStrW *out, uint32_t flags, int32_t language, int32_t style) {
    // Runs of three or more days become "Mon-Fri"; shorter runs list their days. Style 1
    // uses the short names, any other style the full ones.
    const int lang = LanguageIndex(language);
    const bool shortNames = style == 1;
    QStringList parts;
    int day = 1;
    while (day <= 7) {
        if (!(flags & (1u << day))) {
            ++day;
            continue;
        }
        int last = day;
        while (last < 7 && (flags & (1u << (last + 1)))) ++last;
        if (last - day >= 2) {
            parts << DayName(day, lang, shortNames) + u'-' + DayName(last, lang, shortNames);
        } else {
            for (int d = day; d <= last; ++d) parts << DayName(d, lang, shortNames);
        }
        day = last + 1;
    }
    kv::SetStrW(out, parts.join(QStringLiteral(", ")));
}

void _FormatDateTime(IStrW *out, const TStrWRec &format, TDateTime value, int32_t flags) {
    // Flag 1: names and orders of the interface language; without it English.
    const int lang = (flags & 1) ? LanguageIndex(GetCurrentLanguage()) : 0;
    // Years 1 to 9999, as the calendar fields can hold them.
    if (!std::isfinite(value) || value < -693593.0 || value >= 2958466.0) {
        kv::SetStrW(out, QString());
        return;
    }
    TFormatter formatter(Decode(value), lang);
    kv::SetStrW(out, formatter.Format(kv::ToQString(format)));
}
