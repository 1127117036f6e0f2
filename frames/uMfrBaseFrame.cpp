// SPDX-License-Identifier: MIT
#include "uMfrBaseFrame.h"

#include "BuiltInPictures.h"
#include "UiSeam.h"

#include <QMouseEvent>

TMfrBaseFrame::TMfrBaseFrame(QWidget *parent)
    : QFrame(parent)
{
    m_base.setupUi(this);
    // Read when the tab is first opened, at that screen's density; the four frames share it.
    QLabel *logo = m_base.iLogoMivok;
    WhenFirstShown(logo, [logo] {
        logo->setPixmap(
            BuiltInPixmap(QStringLiteral(":/velmora/logo.png"), logo->devicePixelRatioF()));
    });
    m_base.pButtons->installEventFilter(this);
    m_base.iLogoMivok->installEventFilter(this);
}

TMfrBaseFrame::~TMfrBaseFrame() = default;

const QUrl &TMfrBaseFrame::MakerUrl()
{
    static const QUrl url(QStringLiteral("https://velmora.example/"));
    return url;
}

void TMfrBaseFrame::InitFrame() {}

bool TMfrBaseFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_base.pButtons && event->type() == QEvent::Resize) {
        pButtonsResize();
    } else if (watched == m_base.iLogoMivok) {
        // A click is a press and a release of the left button over the logo.
        if (event->type() == QEvent::MouseButtonPress) {
            m_logoPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool click = m_logoPressed && mouse->button() == Qt::LeftButton
                               && m_base.iLogoMivok->rect().contains(mouse->position().toPoint());
            m_logoPressed = false;
            if (click)
                iLogoMivokClick();
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TMfrBaseFrame::pButtonsResize()
{
    QPushButton *button = m_base.bCalculate;
    button->move(CentredLeft(m_base.pButtons->width(), button->width()), button->y());
}

void TMfrBaseFrame::iLogoMivokClick()
{
    // The outcome is ignored: a desktop that cannot open the address leaves nothing to report.
    RunGuarded(this, [] { UiSeam().OpenUrl(MakerUrl()); });
}
