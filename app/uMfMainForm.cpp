// SPDX-License-Identifier: MIT
#include "uMfMainForm.h"

#include "BuiltInPictures.h"
#include "LocaleSeparators.h"
#include "UiSeam.h"
#include "uMfrCurrentLoop4to20mA.h"
#include "uMfrHumidity.h"
#include "uMfrLinearTrans.h"
#include "uMfrTemperature.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleOption>
#include <QTabBar>

#include <algorithm>
#include <array>
#include <utility>

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

// The program's icon, from the images built in. The window system is offered the sizes that title
// bars, task bars and window lists draw; a desktop that wants a larger one finds the installed
// icon through the desktop entry. Any size is read from the nearest image at least as large when
// something asks for it, and is not kept. The icon theme is not searched: the package installs
// these same images into it, and the search alone cost almost a megabyte at start-up.
class TProgramIconEngine final : public QIconEngine
{
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int drawn = DrawnSize(size);
        QImage image = ReadBuiltInPicture(QStringLiteral(":/velmora/icons/%1.png").arg(drawn));
        const int wanted = std::min(std::max(size.width(), size.height()), LargestSize);
        if (!image.isNull() && wanted < drawn)
            image = image.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmap pixmap = QPixmap::fromImage(std::move(image));
        if (mode != QIcon::Normal && !pixmap.isNull()) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), LargestSize});
        return {side, side};
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }

    QIconEngine *clone() const override { return new TProgramIconEngine; }
    QString key() const override { return QStringLiteral("TProgramIconEngine"); }

private:
    static constexpr std::array BuiltInSizes{16, 24, 32, 48, 64, 128, 256};
    static constexpr int LargestSize = BuiltInSizes.back();

    // The smallest image drawn at least as large as asked, else the largest.
    static int DrawnSize(const QSize &size)
    {
        const int wanted = std::max(size.width(), size.height());
        const auto it = std::find_if(BuiltInSizes.begin(), BuiltInSizes.end(),
                                     [wanted](int side) { return side >= wanted; });
        return it == BuiltInSizes.end() ? LargestSize : *it;
    }
};

} // namespace

QIcon TfMainForm::ProgramIcon()
{
    return QIcon(new TProgramIconEngine);
}

TfMainForm::TfMainForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    ui.setupUi(this);
    auto *tabStyle = new TCompactTabStyle;
    tabStyle->setParent(this);
    ui.pcPages->tabBar()->setStyle(tabStyle);
    // Cheap enough to be in place when the window is first mapped.
    setWindowIcon(ProgramIcon());
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
