// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>

// The decimal and group separators of the user's locale, read at the time of use; "." and ","
// where the locale gives none (or gives more than one character).
struct TSeparators
{
    QChar decimal = u'.';
    QChar group = u',';

    friend bool operator==(const TSeparators &, const TSeparators &) = default;
};

TSeparators LocaleSeparators();
