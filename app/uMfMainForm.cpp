// SPDX-License-Identifier: MIT
#include "uMfMainForm.h"

#include "LocaleSeparators.h"
#include "UiSeam.h"
#include "uMfrCurrentLoop4to20mA.h"
#include "uMfrHumidity.h"
#include "uMfrLinearTrans.h"
#include "uMfrTemperature.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

TfMainForm *fMainForm = nullptr;

namespace {

// The desktop's own style with narrower tab padding, so that the four tab captions fit the
// window's designed width side by side instead of behind scroll arrows.
class TCompactTabStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? std::min(base, 8) : base;
    }
};

} // namespace

QIcon TfMainForm::ProgramIcon()
{
    // The desktop's icon theme first, where the package installs it; else the images built in.
    // Either is read only when the window system asks for a size.
    QIcon bundled;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        bundled.addFile(QStringLiteral(":/velmora/icons/%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("velmora"), bundled);
}

TfMainForm::TfMainForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    ui.setupUi(this);
    auto *tabStyle = new TCompactTabStyle;
    tabStyle->setParent(this);
    ui.pcPages->tabBar()->setStyle(tabStyle);
    // Looking the icon up in the desktop's theme costs start-up time; the window shows first and
    // takes its icon as soon as the event loop runs.
    QTimer::singleShot(0, this, [this] { setWindowIcon(ProgramIcon()); });
    FormCreate();
    // Key preview: the window sees every key before the focused control does.
    qApp->installEventFilter(this);
    if (!fMainForm)
        fMainForm = this;
}

TfMainForm::~TfMainForm()
{
    qApp->removeEventFilter(this);
    if (fMainForm == this)
        fMainForm = nullptr;
}

void TfMainForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Velmora, version ") + QCoreApplication::applicationVersion());
}

TMfrBaseFrame *TfMainForm::Calculator(int tabIndex) const
{
    switch (tabIndex) {
    case 0:
        return ui.frTemperature;
    case 1:
        return ui.frHumidity;
    case 2:
        return ui.frCurrentLoop;
    case 3:
        return ui.frLinearTrans;
    default:
        return nullptr;
    }
}

void TfMainForm::CentreOnScreen()
{
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TfMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != this)
        return false;
    bool handled = false;
    RunGuarded(this, [&] { handled = FormKeyPress(watched, static_cast<QKeyEvent *>(event)); });
    return handled;
}

bool TfMainForm::FormKeyPress(QObject *receiver, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ClickCalculate(ui.pcPages->currentIndex());
        // Enter has become "Calculate": it goes no further, so the field it was typed in does
        // not refuse it with a beep.
        return true;
    }

    const QString text = event->text();
    if (text.size() != 1 || (text.front() != u'.' && text.front() != u','))
        return false;
    const QChar decimal = LocaleSeparators().decimal;
    if (text.front() == decimal)
        return false;
    // Either decimal mark types the locale's decimal separator.
    const int mappedKey = decimal == u',' ? Qt::Key_Comma : Qt::Key_Period;
    QKeyEvent mapped(QEvent::KeyPress, mappedKey, event->modifiers(), QString(decimal),
                     event->isAutoRepeat(), 1);
    QCoreApplication::sendEvent(receiver, &mapped);
    return true;
}

void TfMainForm::ClickCalculate(int tabIndex)
{
    TMfrBaseFrame *calculator = Calculator(tabIndex);
    if (!calculator)
        return;
    QPushButton *button = calculator->bCalculate();
    // Moving the focus first lets the field being edited commit and check its value.
    button->setFocus(Qt::OtherFocusReason);
    button->click();
    button->setFocus(Qt::OtherFocusReason);
}
