// SPDX-License-Identifier: MIT
#include "BuiltInPictures.h"

#include <QFile>
#include <QLabel>
#include <QTest>

// The pictures built in are read by the PNG reader Qt carries, at the screen's density, and only
// when a control that shows one is first seen.
class TestBuiltInPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readingLoadsNoImagePlugin();
    void densePictureOnADenseScreen_data();
    void densePictureOnADenseScreen();
    void workWaitsForTheFirstShow();
};

// First in this program: nothing else has read an image yet.
void TestBuiltInPictures::readingLoadsNoImagePlugin()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        QSKIP("the loaded libraries cannot be listed here");
    const QImage icon = ReadBuiltInPicture(QStringLiteral(":/velmora/icons/32.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(!BuiltInPixmap(QStringLiteral(":/velmora/logo.png"), 1.0).isNull());
    QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image format plugin was loaded");
}

void TestBuiltInPictures::densePictureOnADenseScreen_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("ordinary") << 1.0 << QSize(105, 40);
    QTest::newRow("dense") << 2.0 << QSize(210, 80);
    QTest::newRow("one and a half") << 1.5 << QSize(210, 80);
}

void TestBuiltInPictures::densePictureOnADenseScreen()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    const QPixmap logo = BuiltInPixmap(QStringLiteral(":/velmora/logo.png"), ratio);
    QCOMPARE(logo.size(), pixels);
    // Drawn at the designed size whatever the density.
    QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(105, 40));
}

void TestBuiltInPictures::workWaitsForTheFirstShow()
{
    QWidget window;
    auto *label = new QLabel(&window);
    int runs = 0;
    WhenFirstShown(label, [&runs] { ++runs; });
    QCOMPARE(runs, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(runs, 1);
    window.hide();
    window.show();
    QCOMPARE(runs, 1);
    // Already shown: at once.
    WhenFirstShown(label, [&runs] { ++runs; });
    QCOMPARE(runs, 2);
}

QTEST_MAIN(TestBuiltInPictures)
#include "tst_builtinpictures.moc"
