// SPDX-License-Identifier: MIT
#include "uMfrResultEdit.h"

#include "NvEdit.h"
#include "NvNumEdit.h"
#include "arith.h"

#include <cmath>

double RoundToThousandths(double x)
{
    const double factor = 0.001;
    const Extended q = static_cast<Extended>(x) / factor;
    // The integer store of the processor: round to nearest, halves to even, and an invalid
    // operation when the result has no 64-bit integer.
    const Extended rounded = std::nearbyint(q);
    constexpr Extended limit = 9223372036854775808.0L; // 2^63
    if (!(rounded >= -limit && rounded < limit))
        throw arith::EInvalidOp();
    const auto n = static_cast<long long>(rounded);
    return arith::ToDouble(static_cast<Extended>(n) * factor);
}

TMfrResultEdit::TMfrResultEdit(QWidget *parent)
    : QFrame(parent)
{
    ui.setupUi(this);
}

void TMfrResultEdit::ShowValue(double x)
{
    ui.eNumResult->setValue(RoundToThousandths(x));
    ShowNumberMode(true);
}

void TMfrResultEdit::ShowText(const QString &s)
{
    ui.eTextResult->setText(s);
    ShowNumberMode(false);
}

void TMfrResultEdit::ShowNoResult()
{
    ShowText(QStringLiteral("-----"));
}

void TMfrResultEdit::ShowNumberMode(bool b)
{
    ui.eNumResult->setVisible(b);
    ui.eTextResult->setEnabled(!b);
}

TNvNumEdit *TMfrResultEdit::eNumResult() const
{
    return ui.eNumResult;
}

TNvEdit *TMfrResultEdit::eTextResult() const
{
    return ui.eTextResult;
}

QString TMfrResultEdit::DisplayedText() const
{
    return ui.eNumResult->isHidden() ? ui.eTextResult->text() : ui.eNumResult->text();
}

int TMfrResultEdit::FieldWidth() const
{
    return ui.eNumResult->width();
}

void TMfrResultEdit::setFieldWidth(int width)
{
    ui.eNumResult->resize(width, ui.eNumResult->height());
    ui.eTextResult->resize(width, ui.eTextResult->height());
}

void TMfrResultEdit::setResultName(const QString &name)
{
    setAccessibleName(name);
    ui.eNumResult->setAccessibleName(name);
    ui.eTextResult->setAccessibleName(name);
}
