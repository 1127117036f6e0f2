// SPDX-License-Identifier: MIT
#pragma once

// The main window: four calculator tabs, the version caption, and the keys that hold in every tab
// (Enter calculates; either decimal mark types the locale's decimal separator).

#include "ui_uMfMainForm.h"

#include <QIcon>
#include <QWidget>

class TMfrBaseFrame;

class TfMainForm final : public QWidget
{
    Q_OBJECT

public:
    explicit TfMainForm(QWidget *parent = nullptr);
    ~TfMainForm() override;

    QTabWidget *pcPages() const { return ui.pcPages; }
    // The calculator on the tab of the given index, nullptr outside 0..3.
    TMfrBaseFrame *Calculator(int tabIndex) const;

    // The program's icon for the window, the task bar and the window switcher.
    static QIcon ProgramIcon();

    // Places the window in the middle of the screen it is on.
    void CentreOnScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    // Returns true when the key press has been dealt with and must go no further.
    bool FormKeyPress(QObject *receiver, QKeyEvent *event);
    void ClickCalculate(int tabIndex);

    Ui::TfMainForm ui;
};

// The one main window of the program, while it exists.
extern TfMainForm *fMainForm;
