// SPDX-License-Identifier: MIT
#pragma once

// The calculator frame base: the work area pMain, in which each calculator lays out its own
// form, and the button bar with the logo and the centred "Calculate" button.

#include "ui_uMfrBaseFrame.h"

#include <QFrame>

class TMfrBaseFrame : public QFrame
{
    Q_OBJECT

public:
    explicit TMfrBaseFrame(QWidget *parent = nullptr);
    ~TMfrBaseFrame() override;

    QWidget *pMain() const { return m_base.pMain; }
    QWidget *pButtons() const { return m_base.pButtons; }
    QPushButton *bCalculate() const { return m_base.bCalculate; }
    QLabel *iLogoMivok() const { return m_base.iLogoMivok; }

    // Left edge that centres a button of the given width in a bar of the given width.
    static int CentredLeft(int barWidth, int buttonWidth) { return (barWidth - buttonWidth) / 2; }

    static const QUrl &MakerUrl();

protected:
    // Sets the calculator's starting state. C++ does not dispatch a virtual call made from a base
    // constructor to the derived class, so every calculator's constructor builds its form and then
    // calls InitFrame() as its last step; an override calls the base version first.
    virtual void InitFrame();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pButtonsResize();
    void iLogoMivokClick();

    Ui::TMfrBaseFrame m_base;
    bool m_logoPressed = false;
};
