// SPDX-License-Identifier: MIT
#include "uMfrBaseFrame.h"

#include "UiSeam.h"

#include <QIcon>
#include <QMouseEvent>

// The images live in this static library; register them before the first frame needs them.
static void InitFrameResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(velmora);
        return true;
    }();
    Q_UNUSED(done);
}

TMfrBaseFrame::TMfrBaseFrame(QWidget *parent)
    : QFrame(parent)
{
    InitFrameResources();
    m_base.setupUi(this);
    // QIcon picks the 2x image on a high-density screen.
    static const QIcon logo(QStringLiteral(":/velmora/logo.png"));
    m_base.iLogoMivok->setPixmap(logo.pixmap(m_base.iLogoMivok->size()));
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
