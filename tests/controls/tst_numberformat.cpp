// SPDX-License-Identifier: MIT
#include "NumberFormat.h"
#include "arith.h"

#include <QtTest>

#include <QRandomGenerator>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

const TSeparators dotComma{u'.', u','};

// Decimal exponents near the ends of the build's extended type: 4932 for an 80-bit or 128-bit
// long double, 308 where it is double.
const int MaxE = std::numeric_limits<Extended>::max_exponent10;
QString Exp(int offset)
{
    return QString::number(MaxE + offset);
}

Extended Parsed(const QString &text)
{
    return static_cast<Extended>(std::strtold(text.toLatin1().constData(), nullptr));
}
const TSeparators commaDot{u',', u'.'};

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsAsShown_data();
    void formatsAsShown();
    void readsTheGrammar_data();
    void readsTheGrammar();
    void refusesNonNumbers_data();
    void refusesNonNumbers();
    void conversionFailureNamesThePlainText();
    void nonFiniteValuesHaveNoText();
    void relocalisesBothSeparatorsInOnePass();
    void randomValuesReadBackAsShown_data();
    void randomValuesReadBackAsShown();
};

void TestNumberFormat::formatsAsShown_data()
{
    QTest::addColumn<QString>("x"); // parsed with strtold so that every digit counts
    QTest::addColumn<int>("decimals");
    QTest::addColumn<TNumberFormat>("format");
    QTest::addColumn<QString>("expected");

    const auto S = TNumberFormat::Standard;
    const auto T = TNumberFormat::Thousands;
    const auto Sc = TNumberFormat::Scientific;
    const auto E = TNumberFormat::Engineering;

    QTest::newRow("1234.5 standard") << "1234.5" << 2 << S << "1234.50";
    QTest::newRow("1234.5 thousands") << "1234.5" << 2 << T << "1,234.50";
    QTest::newRow("1234.5 scientific") << "1234.5" << 2 << Sc << "1.23E3";
    QTest::newRow("1234.5 engineering") << "1234.5" << 2 << E << "1.23E3";
    QTest::newRow("0.0005 engineering free") << "0.0005" << -1 << E << "0.5E-3";
    QTest::newRow("12345 engineering free") << "12345" << -1 << E << "12.345E3";
    QTest::newRow("15 significant digits then zeros")
        << "123456789012.345678" << 5 << S << "123456789012.34600";
    QTest::newRow("zero free") << "0" << -1 << S << "0";
    QTest::newRow("zero scientific") << "0" << 5 << Sc << "0.00000E0";
    QTest::newRow("zero engineering") << "0" << 5 << E << "0.00000E0";
    QTest::newRow("zero engineering free") << "0" << -1 << E << "0E0";
    QTest::newRow("half away from zero") << "2.5" << 0 << S << "3";
    QTest::newRow("negative half away from zero") << "-2.5" << 0 << S << "-3";
    // a tie in every binary width (1.0005 is one only where the type keeps 18 digits)
    QTest::newRow("half of the last decimal") << "1.0625" << 3 << S << "1.063";
    QTest::newRow("negative rounding to zero keeps its sign") << "-0.001" << 2 << S << "-0.00";
    QTest::newRow("minus zero keeps its sign") << "-0" << 2 << S << "-0.00";
    QTest::newRow("free drops trailing zeros") << "12.5" << -1 << S << "12.5";
    QTest::newRow("free integer has no separator") << "12" << -1 << S << "12";
    QTest::newRow("free stops at 14 decimals")
        << "0.333333333333333333" << -1 << S << "0.33333333333333";
    QTest::newRow("free thousands keeps 15 digits")
        << "1234.5678901234567" << -1 << T << "1,234.56789012346";
    QTest::newRow("no decimals") << "1234.5" << 0 << T << "1,235";
    QTest::newRow("carry into a new digit") << "999.996" << 2 << T << "1,000.00";
    QTest::newRow("negative thousands") << "-1234567.891" << 1 << T << "-1,234,567.9";
    QTest::newRow("scientific carry raises the exponent") << "9.9996" << 3 << Sc << "1.000E1";
    QTest::newRow("scientific free") << "0.000123" << -1 << Sc << "1.23E-4";
    QTest::newRow("scientific of the extended maximum range")
        << "1.5E" + Exp(-1) << 2 << Sc << "1.50E" + Exp(-1);
    QTest::newRow("scientific of a tiny value")
        << "2.26E-" + Exp(-MaxE / 5) << 1 << Sc << "2.3E-" + Exp(-MaxE / 5);
    QTest::newRow("engineering point five") << "0.5" << -1 << E << "0.5E0";
    QTest::newRow("engineering negative keeps cap 14") << "-123.456" << -1 << E << "-123.456E0";
    QTest::newRow("engineering fixed decimals") << "1234567" << 3 << E << "1.235E6";
    QTest::newRow("engineering no decimals") << "45678" << 0 << E << "46E3";
    const int huge = 3 * ((MaxE - 32) / 3) + 1; // 4900 for an 80-bit long double
    QTest::newRow("engineering huge exponent")
        << "5E" + QString::number(huge) << 2 << E << "50.00E" + QString::number(huge - 1);
    QTest::newRow("integer digits beyond 15")
        << "12345678901234560" << 2 << S << "12345678901234560.00";
    QTest::newRow("14 decimals of a large value") << "1234.5" << 14 << S << "1234.50000000000000";
}

void TestNumberFormat::formatsAsShown()
{
    QFETCH(QString, x);
    QFETCH(int, decimals);
    QFETCH(TNumberFormat, format);
    QFETCH(QString, expected);
    const Extended value = Parsed(x);
    QCOMPARE(FormatValue(value, decimals, format, dotComma), expected);
    // The same text with the separators exchanged, as a German locale writes it.
    QString swapped = expected;
    for (QChar &c : swapped)
        c = c == u'.' ? u',' : c == u',' ? u'.' : c;
    QCOMPARE(FormatValue(value, decimals, format, commaDot), swapped);
}

void TestNumberFormat::readsTheGrammar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty reads zero") << ""
                                      << "0";
    QTest::newRow("lone minus reads minus zero") << "-"
                                                 << "-0";
    QTest::newRow("group separators ignored") << "1,234.5"
                                              << "1234.5";
    QTest::newRow("exponent without digits") << "12.5E"
                                             << "12.5";
    QTest::newRow("lower-case exponent") << "1e3"
                                         << "1000";
    QTest::newRow("signed exponent") << "1.5E-3"
                                     << "0.0015";
    QTest::newRow("plus sign") << "+7"
                               << "7";
    QTest::newRow("blanks around") << "  42  "
                                   << "42";
    QTest::newRow("separator alone") << "."
                                     << "0";
    QTest::newRow("fraction only") << ".25"
                                   << "0.25";
    QTest::newRow("trailing separator") << "5."
                                        << "5";
    QTest::newRow("largest exponent") << "1E" + Exp(0) << "1E" + Exp(0);
    QTest::newRow("exponent of 500 read whole") << "1E-500"
                                                << "1E-500";
    QTest::newRow("underflow reads as zero") << "1E-" + Exp(67) << "0";
    QTest::newRow("many mantissa digits") << "0.0000000001E" + Exp(8) << "1E" + Exp(-2);
}

void TestNumberFormat::readsTheGrammar()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Extended want = Parsed(expected);
    const Extended got = StrToValue(text, dotComma);
    QCOMPARE(got, want);
    QCOMPARE(std::signbit(got), std::signbit(want));
}

void TestNumberFormat::refusesNonNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("exponent only") << "E5";
    QTest::newRow("sign only with blank") << "- ";
    QTest::newRow("two separators") << "1.2.3";
    QTest::newRow("digits after a stopped exponent") << "1E5000";
    QTest::newRow("overflow") << "2E" + Exp(0);
    QTest::newRow("overflow negative") << "-1E" + Exp(1);
    QTest::newRow("blank inside") << "1 2";
    QTest::newRow("other script digits") << QString::fromUtf8("\u0661");
    QTest::newRow("text after the number") << "12x";
}

void TestNumberFormat::refusesNonNumbers()
{
    QFETCH(QString, text);
    Extended value = 99;
    QVERIFY(!TryParseValue(PlainText(text, dotComma), dotComma, value));
    QCOMPARE(value, Extended(99));
    QVERIFY_THROWS_EXCEPTION(EConvertError, StrToValue(text, dotComma));
}

void TestNumberFormat::conversionFailureNamesThePlainText()
{
    try {
        StrToValue(QStringLiteral("1,2x4"), dotComma);
        QFAIL("no failure");
    } catch (const EConvertError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("'12x4' is not a valid floating point value"));
    }
}

void TestNumberFormat::nonFiniteValuesHaveNoText()
{
    const Extended inf = std::numeric_limits<Extended>::infinity();
    QVERIFY_THROWS_EXCEPTION(arith::EInvalidOp,
                             FormatValue(std::numeric_limits<Extended>::quiet_NaN(), 2,
                                         TNumberFormat::Standard, dotComma));
    QVERIFY_THROWS_EXCEPTION(arith::EOverflow,
                             FormatValue(inf, 2, TNumberFormat::Engineering, dotComma));
    QVERIFY_THROWS_EXCEPTION(arith::EOverflow,
                             FormatValue(-inf, -1, TNumberFormat::Scientific, dotComma));
}

void TestNumberFormat::relocalisesBothSeparatorsInOnePass()
{
    QCOMPARE(RelocaliseText(QStringLiteral("1,234.50"), dotComma, commaDot),
             QStringLiteral("1.234,50"));
}

void TestNumberFormat::randomValuesReadBackAsShown_data()
{
    QTest::addColumn<TNumberFormat>("format");
    QTest::addColumn<int>("maxExponent");
    QTest::newRow("standard") << TNumberFormat::Standard << 40;
    QTest::newRow("thousands") << TNumberFormat::Thousands << 40;
    QTest::newRow("scientific") << TNumberFormat::Scientific << MaxE - 32;
    QTest::newRow("engineering") << TNumberFormat::Engineering << MaxE - 32;
}

// For many random values and every Decimals, the text reads back as the value rounded to the
// digits it shows (never off by more than half its last digit, or than the 15th significant
// digit), and writing that value again gives the same text.
void TestNumberFormat::randomValuesReadBackAsShown()
{
    QFETCH(TNumberFormat, format);
    QFETCH(int, maxExponent);
    QRandomGenerator random(20261208u + uint(format));
    for (int i = 0; i < 1500; ++i) {
        // 19 random digits and an exponent, so that every bit of the extended mantissa varies.
        QString digits = QString::number(random.bounded(1, 10)) + u'.';
        for (int k = 0; k < 18; ++k)
            digits += QChar(u'0' + random.bounded(10));
        const int exponent = random.bounded(-maxExponent, maxExponent + 1);
        const QString source = QString(random.bounded(2) ? QStringLiteral("-") : QString()) + digits
                               + u'E' + QString::number(exponent);
        const Extended x = Parsed(source);
        const TSeparators &seps = i % 2 ? commaDot : dotComma;

        for (int decimals = -1; decimals <= MaxDecimals; ++decimals) {
            const QString text = FormatValue(x, decimals, format, seps);
            Extended v = 0;
            const bool read = TryParseValue(PlainText(text, seps), seps, v);
            const QString where = QStringLiteral("%1 with %2 decimals gives '%3'")
                                      .arg(source)
                                      .arg(decimals)
                                      .arg(text);
            QVERIFY2(read, qPrintable(where));

            // Half a unit of the last digit the text shows.
            const qsizetype e = text.indexOf(u'E');
            const QString mantissa = PlainText(e < 0 ? text : text.left(e), seps);
            const qsizetype ds = mantissa.indexOf(seps.decimal);
            const int shownFraction = ds < 0 ? 0 : int(mantissa.size() - ds - 1);
            const int textExponent = e < 0 ? 0 : text.mid(e + 1).toInt();
            const Extended halfUnit
                = std::pow(Extended(10), Extended(textExponent - shownFraction)) / 2;
            // and the roundings of the 18-digit expansion and of the reading, at least the
            // build's precision
            const Extended slack
                = std::max(
                      Extended(1e-16L),
                      std::pow(Extended(10), -Extended(std::numeric_limits<Extended>::digits10)))
                  + std::numeric_limits<Extended>::epsilon();
            const Extended bound
                = std::max(halfUnit, Extended(5e-15L) * std::fabs(x)) + slack * std::fabs(x);
            QVERIFY2(std::fabs(v - x) <= bound, qPrintable(where));

            // Engineering takes its exponent from a logarithm truncated toward zero, so a value
            // that rounded onto a power of ten may be written again with another exponent.
            if (format != TNumberFormat::Engineering)
                QVERIFY2(FormatValue(v, decimals, format, seps) == text, qPrintable(where));
        }
    }
}

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
