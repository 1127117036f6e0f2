// SPDX-License-Identifier: MIT
#pragma once

// The text counterpart of the numeric field: a plain single-line edit with the same colours and
// selection on entry, which refuses Enter and Escape so that they keep their window-level meaning
// and never reach the text.

#include "NvEditBase.h"

class TNvEdit : public TNvEditBase
{
    Q_OBJECT

public:
    explicit TNvEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
