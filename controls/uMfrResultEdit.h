// SPDX-License-Identifier: MIT
#pragma once

// The display of a calculator's result: a read-only number field rounded to three decimals,
// stacked over a read-only text field for texts such as the "no result" marker "-----". Exactly
// one of the two is seen.

#include "ui_uMfrResultEdit.h"

#include <QFrame>

class TMfrResultEdit : public QFrame
{
    Q_OBJECT
    // Width of both inner fields, for displays narrower than the designed one.
    Q_PROPERTY(int FieldWidth READ FieldWidth WRITE setFieldWidth)
    // What a screen reader announces for the display, whichever of its fields is seen: the
    // quantity and its unit.
    Q_PROPERTY(QString ResultName READ ResultName WRITE setResultName)

public:
    explicit TMfrResultEdit(QWidget *parent = nullptr);

    // Shows x rounded to 0.001 in number mode. Throws arith::EInvalidOp, changing nothing, when
    // x / 0.001 does not fit a 64-bit integer (or x is no number).
    void ShowValue(double x);
    // Shows s in text mode.
    void ShowText(const QString &s);
    // Shows the "no result" marker "-----" of a calculation that failed or a value that does not
    // exist.
    void ShowNoResult();
    void ShowNumberMode(bool b);

    TNvNumEdit *eNumResult() const;
    TNvEdit *eTextResult() const;
    // The text of whichever field is seen.
    QString DisplayedText() const;

    int FieldWidth() const;
    void setFieldWidth(int width);

    QString ResultName() const { return accessibleName(); }
    void setResultName(const QString &name);

private:
    Ui::TMfrResultEdit ui;
};

// x rounded to 0.001 as the display rounds it: x / 0.001 to the nearest 64-bit integer (halves
// to even), times 0.001. Throws arith::EInvalidOp when that integer does not exist.
double RoundToThousandths(double x);
