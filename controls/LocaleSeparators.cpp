// SPDX-License-Identifier: MIT
#include "LocaleSeparators.h"

#include <QLocale>

namespace {

QChar SingleCharOr(const QString &text, QChar fallback)
{
    return text.size() == 1 ? text.front() : fallback;
}

} // namespace

TSeparators LocaleSeparators()
{
    const QLocale locale;
    TSeparators s;
    s.decimal = SingleCharOr(locale.decimalPoint(), u'.');
    s.group = SingleCharOr(locale.groupSeparator(), u',');
    return s;
}
