// SPDX-License-Identifier: MIT
#include "Application.h"
#include "NvNumEdit.h"
#include "RecordingSeam.h"
#include "uMfMainForm.h"
#include "uMfrBaseFrame.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

class TestMainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionCarriesTheVersion();
    void windowCarriesTheProgramIcon();
    void windowHasItsDesignedShape();
    void tabsInOrderFirstActive();

    void enterCalculatesOnTheActiveTab_data();
    void enterCalculatesOnTheActiveTab();
    void enterWithNoActiveTabDoesNothing();
    void controlTabChangesTabsFromAField();
    void decimalMarkBecomesLocaleSeparator_data();
    void decimalMarkBecomesLocaleSeparator();

    void calculateStaysCentred_data();
    void calculateStaysCentred();
    void logoClickOpensTheMakersSiteOnce();
    void logoFailureIsIgnored();
    void unguardedFailureEndsInErrorBox();
    void followsADarkPalette_data();
    void followsADarkPalette();

private:
    TRecordingSeam *m_seam = nullptr;
    TfMainForm *m_form = nullptr;
};

void TestMainForm::initTestCase()
{
    SetApplicationIdentity();
}

void TestMainForm::init()
{
    QLocale::setDefault(QLocale::c());
    m_seam = new TRecordingSeam;
    m_form = new TfMainForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestMainForm::cleanup()
{
    delete m_form;
    m_form = nullptr;
    delete m_seam;
    m_seam = nullptr;
    QLocale::setDefault(QLocale::c());
}

void TestMainForm::captionCarriesTheVersion()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Velmora, version 1.0.0.4"));
    QCOMPARE(fMainForm, m_form);
}

void TestMainForm::windowCarriesTheProgramIcon()
{
    // The window system is offered the sizes that title bars and task bars draw; a larger one is
    // read from its own image when something asks for it, not scaled up from a small one.
    const QIcon icon = m_form->windowIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(),
             (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    for (const int side : {16, 20, 48, 100, 256}) {
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.pixelColor(side / 2, side / 2).alpha() > 0);
    }
    // Read from its own image, not the 64-pixel one scaled up.
    const QImage large = icon.pixmap(QSize(256, 256), 1.0).toImage();
    const QImage enlarged = icon.pixmap(QSize(64, 64), 1.0)
                                .toImage()
                                .scaled(256, 256, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(large != enlarged);
    QCOMPARE(icon.pixmap(QSize(512, 512), 1.0).size(), QSize(256, 256)); // never enlarged
    QCOMPARE(icon.pixmap(QSize(48, 48), 2.0).size(), QSize(96, 96));
}

void TestMainForm::windowHasItsDesignedShape()
{
    QCOMPARE(m_form->size(), QSize(408, 496));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // Each calculator fills its tab page.
    for (int i = 0; i < 4; ++i) {
        m_form->pcPages()->setCurrentIndex(i);
        QCOMPARE(m_form->Calculator(i)->size(), m_form->pcPages()->widget(i)->size());
    }
}

void TestMainForm::tabsInOrderFirstActive()
{
    const QStringList captions{"Temperature sensors", "Humidity calculator", "Current Loop",
                               "Linear Transformation"};
    QTabWidget *pages = m_form->pcPages();
    QCOMPARE(pages->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i)
        QCOMPARE(pages->tabText(i), captions.at(i));
    QCOMPARE(pages->currentIndex(), 0);
    // All four captions are seen side by side, none behind the scroll arrows.
    QVERIFY(pages->tabBar()->tabRect(pages->count() - 1).right() < pages->width());
    QCOMPARE(pages->tabBar()->tabRect(0).left(), 0);
}

void TestMainForm::enterCalculatesOnTheActiveTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("key");
    for (int tab = 0; tab < 4; ++tab) {
        QTest::addRow("tab %d, Return", tab) << tab << int(Qt::Key_Return);
        QTest::addRow("tab %d, keypad Enter", tab) << tab << int(Qt::Key_Enter);
    }
}

void TestMainForm::enterCalculatesOnTheActiveTab()
{
    QFETCH(int, tab);
    QFETCH(int, key);
    m_form->pcPages()->setCurrentIndex(tab);
    QWidget *page = m_form->pcPages()->currentWidget();
    // A field of the active tab holds the focus, as while the user types.
    auto *field = new QLineEdit(m_form->Calculator(tab)->pMain());
    field->show();
    field->setFocus();
    QVERIFY(field->hasFocus());

    QList<QSignalSpy *> spies;
    for (int i = 0; i < 4; ++i)
        spies << new QSignalSpy(m_form->Calculator(i)->bCalculate(), &QPushButton::clicked);
    m_seam->Clear();

    QTest::keyClick(field, Qt::Key(key));

    for (int i = 0; i < 4; ++i)
        QCOMPARE(spies.at(i)->count(), i == tab ? 1 : 0);
    QVERIFY(m_form->Calculator(tab)->bCalculate()->hasFocus());
    QVERIFY(page->isVisible());
    QCOMPARE(m_seam->beeps, 0);
    QVERIFY(field->text().isEmpty());
    qDeleteAll(spies);
}

void TestMainForm::enterWithNoActiveTabDoesNothing()
{
    QTabWidget *pages = m_form->pcPages();
    QList<QSignalSpy *> spies;
    for (int i = 0; i < 4; ++i)
        spies << new QSignalSpy(m_form->Calculator(i)->bCalculate(), &QPushButton::clicked);
    // Removing every page leaves no active tab (index -1); the frames stay owned by the test.
    QList<QWidget *> removed;
    while (pages->count() > 0) {
        removed << pages->widget(0);
        pages->removeTab(0);
    }
    QCOMPARE(pages->currentIndex(), -1);
    QTest::keyClick(m_form, Qt::Key_Return);
    for (QSignalSpy *spy : spies)
        QCOMPARE(spy->count(), 0);
    qDeleteAll(spies);
    qDeleteAll(removed);
}

void TestMainForm::controlTabChangesTabsFromAField()
{
    // Keyboard alone: from the first field of a tab, Ctrl+Tab and Ctrl+Shift+Tab walk the tabs.
    QTabWidget *pages = m_form->pcPages();
    QWidget *field = pages->currentWidget()->findChild<TNvNumEdit *>();
    QVERIFY(field);
    field->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(m_seam->beeps, 0);
}

void TestMainForm::decimalMarkBecomesLocaleSeparator_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QLocale dot(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::German, QLocale::Germany);
    QTest::newRow("'.' locale, comma typed") << dot << "1,5"
                                             << "1.5";
    QTest::newRow("'.' locale, point typed") << dot << "1.5"
                                             << "1.5";
    QTest::newRow("',' locale, point typed") << comma << "1.5"
                                             << "1,5";
    QTest::newRow("',' locale, comma typed") << comma << "1,5"
                                             << "1,5";
    QTest::newRow("other characters untouched") << comma << "a;b-E"
                                                << "a;b-E";
}

void TestMainForm::decimalMarkBecomesLocaleSeparator()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    for (int tab = 0; tab < 4; ++tab) {
        m_form->pcPages()->setCurrentIndex(tab);
        auto *field = new QLineEdit(m_form->Calculator(tab)->pMain());
        field->show();
        field->setFocus();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), expected);
        delete field;
    }
}

void TestMainForm::calculateStaysCentred_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<int>("expectedLeft");
    QTest::newRow("400") << 400 << 162;
    QTest::newRow("401") << 401 << 163;
    QTest::newRow("as wide as the button") << 75 << 0;
    QTest::newRow("narrower than the button") << 74 << 0;
}

void TestMainForm::calculateStaysCentred()
{
    QFETCH(int, barWidth);
    QFETCH(int, expectedLeft);
    QCOMPARE(TMfrBaseFrame::CentredLeft(barWidth, 75), expectedLeft);

    TMfrBaseFrame frame;
    frame.resize(barWidth, 465);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.pButtons()->width(), barWidth);
    QCOMPARE(frame.bCalculate()->x(), expectedLeft);
    QCOMPARE(frame.bCalculate()->size(), QSize(75, 25));
}

void TestMainForm::logoClickOpensTheMakersSiteOnce()
{
    QLabel *logo = m_form->Calculator(0)->iLogoMivok();
    QVERIFY(logo->pixmap().size() == QSize(105, 40) || !logo->pixmap().isNull());
    QTest::mouseClick(logo, Qt::LeftButton);
    QCOMPARE(m_seam->openedUrls.size(), size_t(1));
    QCOMPARE(m_seam->openedUrls.front(), QUrl(QStringLiteral("https://velmora.example/")));
    QTest::mouseClick(logo, Qt::RightButton);
    QCOMPARE(m_seam->openedUrls.size(), size_t(1));
    QTest::mouseClick(logo, Qt::LeftButton);
    QCOMPARE(m_seam->openedUrls.size(), size_t(2));
}

void TestMainForm::logoFailureIsIgnored()
{
    m_seam->openUrlResult = false;
    QTest::mouseClick(m_form->Calculator(2)->iLogoMivok(), Qt::LeftButton);
    QCOMPARE(m_seam->openedUrls.size(), size_t(1));
    QVERIFY(m_seam->errors.isEmpty());
    QVERIFY(m_seam->warnings.isEmpty());
}

void TestMainForm::unguardedFailureEndsInErrorBox()
{
    RunGuarded(m_form,
               [] { throw std::runtime_error("'1x' is not a valid floating point value"); });
    QCOMPARE(m_seam->errors, QStringList{"'1x' is not a valid floating point value"});
}

void TestMainForm::followsADarkPalette_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("Temperature sensors") << 0;
    QTest::newRow("Humidity calculator") << 1;
    QTest::newRow("Current Loop") << 2;
}

void TestMainForm::followsADarkPalette()
{
    QFETCH(int, tab);
    const QPalette light = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x28, 0x28, 0x28));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Button, QColor(0x38, 0x38, 0x38));
    dark.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    QApplication::setPalette(dark);

    // A window created on a dark desktop is dark throughout: no control keeps a light colour of
    // its own. (The logo is the only picture on these tabs.)
    TfMainForm form;
    form.pcPages()->setCurrentIndex(tab);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.pcPages()->currentWidget()->grab().toImage();
    QApplication::setPalette(light);

    const QRect logo = form.Calculator(tab)->iLogoMivok()->geometry().translated(
        form.Calculator(tab)->pButtons()->pos());
    qsizetype bright = 0;
    qsizetype counted = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (logo.contains(x, y))
                continue;
            ++counted;
            if (qGray(shot.pixel(x, y)) > 0xb0)
                ++bright;
        }
    }
    // Text is light on dark; a light background would make up far more.
    QVERIFY2(bright * 10 < counted,
             qPrintable(QStringLiteral("%1 of %2 pixels are light").arg(bright).arg(counted)));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
