// SPDX-License-Identifier: MIT
#include "NvNumEdit.h"

#include "ui_NumEditForm.h"

#include <QtTest>

// A form compiled by uic sets the field's designed properties through its setters, in the order
// the form lists them; the number must come out already formatted.
class TestNvNumEditForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void designedPropertiesAreApplied();
};

void TestNvNumEditForm::designedPropertiesAreApplied()
{
    QWidget form;
    Ui::NumEditForm ui;
    ui.setupUi(&form);

    QCOMPARE(ui.neThousands->text(), QStringLiteral("1,234.50"));
    QCOMPARE(ui.neThousands->Decimals(), 2);
    QCOMPARE(ui.neThousands->MaxLength(), 12);
    QCOMPARE(ui.neThousands->NumberFormat(), TNumberFormat::Thousands);
    QVERIFY(ui.neThousands->isReadOnly());
    QCOMPARE(ui.neThousands->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(ui.neThousands->MaxValue(), Extended(2000.0));
    QCOMPARE(ui.neThousands->MinValue(), Extended(-5.5));
    QCOMPARE(ui.neThousands->Value(), Extended(1234.5));

    QCOMPARE(ui.neEngineering->NumberFormat(), TNumberFormat::Engineering);
    QCOMPARE(ui.neEngineering->text(), QStringLiteral("12.345E3"));

    QCOMPARE(ui.neFixed->text(), QStringLiteral("123456789012.34600"));
    QCOMPARE(ui.neFixed->geometry(), QRect(8, 64, 121, 21));
}

QTEST_MAIN(TestNvNumEditForm)
#include "tst_nvnumeditform.moc"
