// Edits for numbers and positions, used on the dialogs of every part of the program.
// The text forms are pure functions (NumberEditFormat, NumberEditParse, GeoEdit...) so the
// widgets and their tests share one rule. GUI thread only.
#pragma once

#include <QChar>
#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <functional>

using TEditNotifyEvent = std::function<void(QObject *sender)>;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A single-line edit. Typed and pasted text passes FilterText before it reaches the edit,
// so no caller ever sees a rejected character; text set by the control itself is not
// filtered.
class TCustomEditEx : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomEditEx(QWidget *parent = nullptr);

    Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment value) { setAlignment(value); }
    bool AutoSelect = true;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }
    // 0 = no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool Modified() const { return isModified(); }
    void SetModified(bool value) { setModified(value); }

    int GetSelStart() const;
    int GetSelLength() const;
    QString GetSelText() const { return selectedText(); }
    // Keeps the start; the end becomes start + length.
    void SetSelLength(int length);
    // Collapses the selection at position.
    void SetSelStart(int position);
    void Clear() { setText(QString()); }

    TEditNotifyEvent OnChange;
    TEditNotifyEvent OnExit;

    // Leaving the control: what a focus loss runs before OnExit (public for the dialogs that
    // commit an edit without moving the focus).
    virtual void DoExit() {}

protected:
    // The change hook; raises OnChange.
    virtual void Change();
    // Filters one typed character (32..126 only reach it): the character to insert, or a
    // null QChar to drop it. The base applies CharCase.
    virtual QChar FilterChar(QChar c) const;
    // True while the control writes its own text: nothing is filtered then.
    bool FUpdating = false;

    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    class TFilter;
    friend class TFilter;
    TEditCharCase FCharCase = ecNormal;
    int FMaxLength = 0;
};

// --- Numbers ----------------------------------------------------------------------------

enum TNumberEditType { etIntBinary, etIntDecimal, etIntHex, etFloatGeneral, etFloatFixed, etFloatExponent };

// value rounded to the nearest integer, halves to the even one, saturated to the 64-bit
// range (NaN gives 0).
int64_t RoundHalfEven64(long double value);
// The text the edit shows for value (digits and precision as the properties hold them).
QString NumberEditFormat(long double value, TNumberEditType type, int digits, int precision,
                         QChar decimalSeparator);
// The text as a number of the type; false for a text that is none (value untouched).
// Binary: empty is 0, at most 32 digits 0/1; decimal: a signed 64-bit integer; hex: up to
// 16 hex digits (an optional leading "$"), the 64-bit pattern; floats: sign, digits, the
// separator and an exponent with E.
bool NumberEditParse(const QString &text, TNumberEditType type, QChar decimalSeparator,
                     long double &value);
// The key filter of a type: the character to insert (upper-cased, "." and "," as the
// separator), or a null QChar.
QChar NumberEditFilterChar(QChar c, TNumberEditType type, QChar decimalSeparator);

// Holds an integer or floating-point value with limits, a step and an optional undefined
// (empty) state. Min = Max means no limits. Value follows the typing, limited to the range;
// leaving the edit reformats it (an unreadable text shows the previous value again).
class TNumberEdit : public TCustomEditEx {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget *parent = nullptr);

    long double Value() const { return FValue; }
    void SetValue(long double x);
    long double Min() const { return FMin; }
    void SetMin(long double x);
    long double Max() const { return FMax; }
    void SetMax(long double x);
    long double Step = 1.0L;
    TNumberEditType EditType() const { return FEditType; }
    void SetEditType(TNumberEditType t);
    int Digits() const { return FDigits; }
    void SetDigits(int n);
    int Precision() const { return FPrecision; }
    void SetPrecision(int n);
    bool UndefinedEnable() const { return FUndefinedEnable; }
    void SetUndefinedEnable(bool b);
    bool Undefined() const { return FUndefined; }
    void SetUndefined(bool b);
    // 0 while undefined.
    int64_t GetIntValue() const;
    void SetIntValue(int64_t v) { SetValue(static_cast<long double>(v)); }
    void StepUp();
    void StepDown();
    // The decimal separator typed and shown; the user's locale at creation.
    QChar DecimalSeparator() const { return FDecimalSeparator; }
    void SetDecimalSeparator(QChar c);

    // Reads the text; false when it is no number, is out of range (value then the nearer
    // limit) or is empty with UndefinedEnable (value then untouched).
    bool ReadText(long double &value);
    void UpdateText();
    void DoExit() override;

protected:
    void Change() override;
    QChar FilterChar(QChar c) const override;

private:
    long double FValue = 0.0L, FMin = 0.0L, FMax = 0.0L;
    TNumberEditType FEditType = etIntDecimal;
    int FDigits = 3;
    int FPrecision = 7;
    bool FUndefinedEnable = false;
    bool FUndefined = false;
    QChar FDecimalSeparator;
};

// --- Positions --------------------------------------------------------------------------

enum TGeoEditType { getLat, getLong };
enum TGeoEditFormat { gefDeg, gefDegMin, gefDegMinSec };

// Hemisphere letters: negative and positive, in the interface language and in English.
struct TGeoLetters {
    QChar Neg, Pos, NegEnglish, PosEnglish;
};
// The first letters of the shared compass texts S/N (latitude) or W/E (longitude) in
// language (1..8).
TGeoLetters GeoEditLetters(TGeoEditType type, int32_t language);
// The angle (degrees) in a position format code of the angle formatter, with the default
// decimals of that format and the localised letters.
QString GeoEditFormatText(double degrees, TGeoEditType type, int32_t formatCode,
                          const TGeoLetters &letters);
// A typed position: localised letters are read as their English ones; "." and "," are
// both decimal separators. False when the text is no position of the kind (degrees
// untouched).
bool GeoEditParseText(const QString &text, TGeoEditType type, const TGeoLetters &letters,
                      double &degrees);
// The key filter: blank, " ' + , - . digits, the four letters and the separator pass.
QChar GeoEditFilterChar(QChar c, const TGeoLetters &letters, QChar decimalSeparator);

// A latitude or longitude in degrees. The text is read only on exit: an unreadable text
// shows the previous value again; a blank one makes the edit undefined when allowed.
class TGeoEdit : public TCustomEditEx {
    Q_OBJECT
public:
    explicit TGeoEdit(QWidget *parent = nullptr);

    double Value() const { return FValue; }
    void SetValue(double degrees);
    TGeoEditType GeoEditType() const { return FType; }
    void SetGeoEditType(TGeoEditType t);
    TGeoEditFormat GeoEditFormat() const;
    void SetGeoEditFormat(TGeoEditFormat f);
    // Any position format code of the angle formatter.
    int32_t AngleFormat() const { return FAngleFormat; }
    void SetAngleFormat(int32_t code);
    bool UndefinedEnabled() const { return FUndefinedEnabled; }
    void SetUndefinedEnabled(bool b);
    bool Undefined() const { return FUndefined; }
    const TGeoLetters &Letters() const { return FLetters; }
    QChar DecimalSeparator() const { return FDecimalSeparator; }
    void SetDecimalSeparator(QChar c) { FDecimalSeparator = c; }

    bool ReadText(double &degrees);
    void UpdateText();
    void DoExit() override;

protected:
    QChar FilterChar(QChar c) const override;

private:
    void LoadLetters();
    double FValue = 0.0;
    TGeoEditType FType = getLat;
    int32_t FAngleFormat = 2;
    bool FUndefinedEnabled = false;
    bool FUndefined = false;
    TGeoLetters FLetters;
    QChar FDecimalSeparator;
};
