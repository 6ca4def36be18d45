#pragma once

#include <QLineEdit>
#include <QString>

#include <functional>

// A box for a number that shows a bad entry as bad rather than replacing it: while its
// check finds fault with the text, a red frame surrounds it and its tooltip says what
// is valid. Numbers are read with '.' as the decimal point, whatever the locale.
class CheckedField : public QLineEdit {
    Q_OBJECT
public:
    // What is wrong with a value (given as a number, NaN when the text is none), or an
    // empty text when it is valid.
    using Check = std::function<QString(double value)>;

    explicit CheckedField(QWidget* parent = nullptr);

    // Sets the check and checks the text with it.
    void SetCheck(Check check);
    // Checks the text again, as when what the check depends on has changed.
    void Recheck();
    bool IsValid() const { return mProblem.isEmpty(); }
    // Why the text is bad; empty when it is valid.
    const QString& Problem() const { return mProblem; }
    // The text as a number; NaN when it is none.
    double Value() const;
    // Shows value with up to 10 significant digits.
    void SetValue(double value);

    // text as a number with '.' as the decimal point; NaN when it is none.
    static double Parse(const QString& text);

signals:
    // The text went from valid to bad or back.
    void validityChanged(bool valid);

private:
    Check mCheck;
    QString mProblem;
};
