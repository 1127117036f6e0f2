// SPDX-License-Identifier: MIT
// The numeric field's editing rules as the user meets them: real key events, the clipboard keys,
// the context menu, input-method commits and drops, on a shown field.

#include "EditStateNotation.h"
#include "FieldWindow.h"
#include "NumEditRules.h"
#include "NvNumEdit.h"
#include "RecordingSeam.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <QVBoxLayout>
#include <string>

namespace {

// The exponent cap as text (the build's largest decimal exponent: 4932, or 308 where the extended
// type is double): its digits but the last, its last digit, and the digit after that.
const std::string CapText = std::to_string(TNumEditRules::MaxExponent);
const std::string CapHead = CapText.substr(0, CapText.size() - 1);
const std::string CapLast = CapText.substr(CapText.size() - 1);
const std::string PastCap = std::to_string(TNumEditRules::MaxExponent % 10 + 1);

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

// The field's window with the focus in the field.
struct TWindow : TFieldWindow
{
    bool Ready()
    {
        if (!TFieldWindow::Ready())
            return false;
        edit->setFocus();
        return edit->hasFocus();
    }

    // The field's text with its caret and selection.
    QString State() const { return EditStateNotation(edit->EditState()); }

    void SetState(const QString &notation) { WriteEditState(*edit, ParseEditState(notation)); }

    // Opens the field's context menu as a right click would.
    QMenu *OpenContextMenu()
    {
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &event);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }
};

QStringList Captions(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *a : menu->actions()) {
        if (!a->isSeparator())
            captions << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
    }
    return captions;
}

void Trigger(QMenu *menu, const QString &caption)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == caption) {
            a->trigger();
            break;
        }
    }
    menu->close();
}

// Keys as the rows write them: "<BS>", "<Del>", "<Left>", "<Ctrl+Z>"... or a typed character.
void PressKeys(QWidget *w, const QString &keys)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {QStringLiteral("BS"), {Qt::Key_Backspace, Qt::NoModifier}},
        {QStringLiteral("Del"), {Qt::Key_Delete, Qt::NoModifier}},
        {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
        {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier}},
        {QStringLiteral("Home"), {Qt::Key_Home, Qt::NoModifier}},
        {QStringLiteral("End"), {Qt::Key_End, Qt::NoModifier}},
        {QStringLiteral("Shift+Left"), {Qt::Key_Left, Qt::ShiftModifier}},
        {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("Esc"), {Qt::Key_Escape, Qt::NoModifier}},
        {QStringLiteral("Space"), {Qt::Key_Space, Qt::NoModifier}},
        {QStringLiteral("Ctrl+A"), {Qt::Key_A, Qt::ControlModifier}},
        {QStringLiteral("Ctrl+V"), {Qt::Key_V, Qt::ControlModifier}},
        {QStringLiteral("Ctrl+Z"), {Qt::Key_Z, Qt::ControlModifier}},
        {QStringLiteral("Ctrl+Y"), {Qt::Key_Y, Qt::ControlModifier}},
        {QStringLiteral("Ctrl+Shift+Z"), {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}},
        {QStringLiteral("Ctrl+Backspace"), {Qt::Key_Backspace, Qt::ControlModifier}},
    };
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype close = keys.indexOf(u'>', i);
        if (keys[i] == u'<' && close > i) {
            const auto key = named.value(keys.mid(i + 1, close - i - 1));
            QTest::keyClick(w, key.first, key.second);
            i = close;
        } else {
            QTest::keyClicks(w, QString(keys[i]));
        }
    }
}

} // namespace

class TestNumEditKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void keys_data();
    void keys();
    void tabbingInThenTypingReplacesAll();
    void leftwardSelectionKeepsItsDirection_data();
    void leftwardSelectionKeepsItsDirection();
    void thousandsRegroupsAsTyped();
    void regroupingNoNumberReportsIt();
    void changeFollowsEveryEdit();
    void copyLeavesGroupSeparatorsOut_data();
    void copyLeavesGroupSeparatorsOut();
    void cutAndPasteKeys();
    void pasteReadsSpreadsheetNumbers_data();
    void pasteReadsSpreadsheetNumbers();
    void contextMenuOffersWhatApplies();
    void contextMenuCommands();
    void contextMenuDeleteCallsOnClear();
    void readOnlyTakesOnlyCopy();
    void inputMethodCommitsPassTheRules();
    void dropsAreRefused();
    void middleButtonPastesThroughTheRules();
    void deleteOperations();

private:
    TRecordingSeam *m_seam = nullptr;
};

void TestNumEditKeys::init()
{
    QLocale::setDefault(english);
    m_seam = new TRecordingSeam;
    QGuiApplication::clipboard()->clear();
}

void TestNumEditKeys::cleanup()
{
    delete m_seam;
    m_seam = nullptr;
    QLocale::setDefault(english);
}

void TestNumEditKeys::keys_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<TNumberFormat>("format");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");

    const auto std = TNumberFormat::Standard;
    const auto sci = TNumberFormat::Scientific;
    const auto row = [](const char *name, int d, TNumberFormat f, const char *before,
                        const char *keys, const char *after, int beeps, int maxLength = 0) {
        QTest::newRow(name) << d << f << maxLength << QString::fromUtf8(before)
                            << QString::fromUtf8(keys) << QString::fromUtf8(after) << beeps;
    };

    // Fixed fractions are overwritten, and full at their end.
    row("fraction overwritten", 5, std, "3.|14000", "9", "3.9|4000", 0);
    row("fraction full beeps", 5, std, "3.14000|", "1", "3.14000|", 1);
    row("typed past the fraction", 2, std, "|0.00", "12.345", "12.34|", 1);
    // Refused characters beep; Enter and Escape are characters like the rest.
    row("group separator refused", 2, std, "12|.00", ",", "12|.00", 1);
    row("letters and blanks refused", -1, std, "1|", "x +", "1|", 3);
    row("Enter refused", -1, std, "1|", "<Enter>", "1|", 1);
    row("Escape refused", -1, std, "1|", "<Esc>", "1|", 1);
    // Undo and redo are not reachable: Ctrl+Z is a character outside the accepted set.
    row("Ctrl+Z refused", -1, std, "12|", "3<Ctrl+Z>", "123|", 1);
    row("Ctrl+Y refused", -1, std, "12|", "<Ctrl+Y>", "12|", 1);
    row("Ctrl+Shift+Z refused", -1, std, "12|", "<Ctrl+Shift+Z>", "12|", 1);
    row("Ctrl+A refused", -1, std, "12|", "<Ctrl+A>", "12|", 1);
    // Backspace and Delete.
    row("backspace across separator", -1, std, "123.|45", "<BS>", "12|.45", 0);
    row("backspace in fraction", 5, std, "3.14|000", "<BS>", "3.1|0000", 0);
    row("only integer digit", 2, std, "5|.00", "<BS>", "0|.00", 0);
    row("only integer digit by delete", 2, std, "|5.00", "<Del>", "0|.00", 0);
    row("ctrl backspace is backspace", -1, std, "123|", "<Ctrl+Backspace>", "12|", 0);
    row("backspace removes selection", 5, std, "3.1[40]00", "<BS>", "3.1|0000", 0);
    row("delete removes all", 5, std, "[12.50000]", "<Del>", "|0.00000", 0);
    // The sign toggles in the mantissa and in the exponent.
    row("sign in mantissa", -1, std, "1|2.5", "-", "-1|2.5", 0);
    row("sign in mantissa back", -1, std, "1|2.5", "--", "1|2.5", 0);
    row("sign in exponent", -1, std, "1.5E|3", "-", "1.5E-|3", 0);
    row("sign in exponent back", -1, std, "1.5E|3", "--", "1.5E|3", 0);
    // The decimal separator.
    row("separator with Decimals 0", 0, std, "12|", ".", "12|", 1);
    row("separator appended to mantissa", -1, std, "1|2", ".", "12.|", 0);
    row("separator before exponent", -1, sci, "1|2E3", ".", "12.|E3", 0);
    // The exponent letter: appended once, then the caret only moves.
    row("E appended", -1, std, "2|.5", "E", "2.5E|", 0);
    row("E then caret", -1, std, "2|.5", "E<Home>e", "2.5E|", 0);
    // Exponent digits up to the cap.
    row("exponent cap", -1, std, ("1.0E" + CapHead.substr(0, CapHead.size() - 1) + "|").c_str(),
        (CapHead.substr(CapHead.size() - 1) + PastCap).c_str(), ("1.0E" + CapHead + "|").c_str(),
        1);
    row("digit between E and minus", -1, std, "1.5E|-3", "7", "1.5E-7|3", 0);
    row("exponent beyond extended range", -1, std, ("9E" + CapHead + "|").c_str(), CapLast.c_str(),
        ("9E" + CapHead + "|").c_str(), 1);
    // Navigation stays QLineEdit's, and a selection made with it is replaced.
    row("shift left selects", -1, std, "123|", "<Shift+Left>9", "129|", 0);
    row("home then digit", -1, std, "-12|", "<Home>3", "-3|12", 0);
    // MaxLength stops insertion, never overwriting.
    row("max length", -1, std, "12|", "345", "123|", 2, 3);
    row("max length overwriting", 2, std, "|0.00", "7.8", "7.8|0", 0, 4);
    row("max length inserting", 2, std, "|0.00", "78", "7|.00", 1, 4);
}

void TestNumEditKeys::keys()
{
    QFETCH(int, decimals);
    QFETCH(TNumberFormat, format);
    QFETCH(int, maxLength);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    QFETCH(int, beeps);

    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setMaxLength(maxLength);
    w.edit->setDecimals(decimals);
    w.edit->setNumberFormat(format);
    w.SetState(before);
    m_seam->Clear();
    PressKeys(w.edit, keys);
    QCOMPARE(w.State(), after);
    QCOMPARE(m_seam->beeps, beeps);
    QVERIFY(m_seam->errors.isEmpty());
}

void TestNumEditKeys::tabbingInThenTypingReplacesAll()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(5);
    w.edit->setValue(12.5);
    w.other->setFocus();
    QTest::keyClick(w.other, Qt::Key_Tab);
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(w.State(), QStringLiteral("[12.50000]"));
    QTest::keyClicks(w.edit, QStringLiteral("7"));
    QCOMPARE(w.State(), QStringLiteral("7|.00000"));
    QCOMPARE(m_seam->beeps, 0);
}

void TestNumEditKeys::leftwardSelectionKeepsItsDirection_data()
{
    QTest::addColumn<TNumberFormat>("format");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");

    const auto std = TNumberFormat::Standard;
    const auto thou = TNumberFormat::Thousands;
    // Tabbed in, with "1.0x" on the clipboard. A refused key leaves the selection as it was, so
    // the next Shift+Left grows it.
    const auto row = [](const char *name, TNumberFormat f, int d, double value, const char *keys,
                        const char *after, int beeps) {
        QTest::newRow(name) << f << d << value << QString::fromUtf8(keys)
                            << QString::fromUtf8(after) << beeps;
    };
    row("letter, then delete", std, -1, 12345, "<End><Shift+Left>Q<Shift+Left><Del>", "123|", 1);
    row("group separator", std, -1, 12345, "<End><Shift+Left>,<Shift+Left>", "123[|45]", 1);
    row("Space", std, -1, 12345, "<End><Shift+Left><Space><Shift+Left>", "123[|45]", 1);
    row("Enter", std, -1, 12345, "<End><Shift+Left><Enter><Shift+Left>", "123[|45]", 1);
    row("Escape", std, -1, 12345, "<End><Shift+Left><Esc><Shift+Left>", "123[|45]", 1);
    row("Ctrl+Z", std, -1, 12345, "<End><Shift+Left><Ctrl+Z><Shift+Left>", "123[|45]", 1);
    row("refused paste", std, -1, 12345, "<End><Shift+Left><Ctrl+V><Shift+Left>", "123[|45]", 1);
    row("separator without decimals", std, 0, 12345, "<End><Shift+Left>.<Shift+Left>", "123[|45]",
        1);
    // In Thousands every key release may regroup; one that finds nothing to do leaves the
    // selection alone.
    row("thousands, then delete", thou, 0, 13, "<End><Shift+Left><Shift+Left><Del>", "|0", 0);
    row("thousands across a group", thou, 0, 12345, "<End><Shift+Left><Shift+Left><Shift+Left>",
        "12,[|345]", 0);
    row("thousands, letter", thou, 2, 1234.5, "<End><Shift+Left>x<Shift+Left>", "1,234.[|50]", 1);
}

void TestNumEditKeys::leftwardSelectionKeepsItsDirection()
{
    QFETCH(TNumberFormat, format);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    QFETCH(int, beeps);

    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(decimals);
    w.edit->setNumberFormat(format);
    w.edit->setValue(value);
    QGuiApplication::clipboard()->setText(QStringLiteral("1.0x"));
    w.other->setFocus();
    QTest::keyClick(w.other, Qt::Key_Tab);
    QVERIFY(w.edit->hasFocus());
    PressKeys(w.edit, keys);
    QCOMPARE(w.State(), after);
    QCOMPARE(m_seam->beeps, beeps);
}

void TestNumEditKeys::thousandsRegroupsAsTyped()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.SetState(QStringLiteral("|0.00"));
    const QStringList expected
        = {QStringLiteral("1|.00"), QStringLiteral("12|.00"), QStringLiteral("123|.00"),
           QStringLiteral("1,234|.00"), QStringLiteral("12,345|.00")};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(w.edit, char('1' + i));
        QCOMPARE(w.State(), expected.at(i));
    }
    // Backspace takes the digit; the release regroups.
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    QCOMPARE(w.State(), QStringLiteral("1,234|.00"));
    // Space is refused, and its release rewrites the text even when the groups stand.
    w.SetState(QStringLiteral("1,234.|00"));
    QTest::keyClick(w.edit, Qt::Key_Space);
    QCOMPARE(w.State(), QStringLiteral("1,234.|00"));
    QCOMPARE(m_seam->beeps, 1);
    // A selection is left alone.
    w.SetState(QStringLiteral("[1234].00"));
    QTest::keyClick(w.edit, Qt::Key_Shift);
    QCOMPARE(w.State(), QStringLiteral("[1234].00"));
}

void TestNumEditKeys::regroupingNoNumberReportsIt()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.SetState(QStringLiteral("1,2a|"));
    QTest::keyClick(w.edit, Qt::Key_Right);
    QCOMPARE(m_seam->errors,
             QStringList{QStringLiteral("'12a' is not a valid floating point value")});
    QCOMPARE(w.edit->text(), QStringLiteral("1,2a"));
}

void TestNumEditKeys::changeFollowsEveryEdit()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.SetState(QStringLiteral("12|"));
    QSignalSpy changes(w.edit, &TNvNumEdit::Change);
    QTest::keyClicks(w.edit, QStringLiteral("3x"));
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    QTest::keyClick(w.edit, Qt::Key_Left);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(w.edit->text(), QStringLiteral("12"));
}

void TestNumEditKeys::copyLeavesGroupSeparatorsOut_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("clipboard");

    QTest::newRow("Ctrl+C") << english << "[1,234.50]" << int(Qt::Key_C) << "1234.50";
    QTest::newRow("Ctrl+Insert") << english << "[1,234.50]" << int(Qt::Key_Insert) << "1234.50";
    QTest::newRow("part") << english << "1,[234.5]0" << int(Qt::Key_C) << "234.5";
    QTest::newRow("nothing selected") << english << "1,234|.50" << int(Qt::Key_C) << "0";
    QTest::newRow("German") << german << "[1.234,50]" << int(Qt::Key_C) << "1234,50";
}

void TestNumEditKeys::copyLeavesGroupSeparatorsOut()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, state);
    QFETCH(int, key);
    QFETCH(QString, clipboard);

    QLocale::setDefault(locale);
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.SetState(state);
    QTest::keyClick(w.edit, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(w.State(), state);
}

void TestNumEditKeys::cutAndPasteKeys()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.SetState(QStringLiteral("1,2[34].50"));
    QTest::keyClick(w.edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
    QCOMPARE(w.State(), QStringLiteral("12|.50"));
    // Shift+Delete is Delete: the selection goes, the clipboard stays.
    w.SetState(QStringLiteral("[12].50"));
    QTest::keyClick(w.edit, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
    QCOMPARE(w.State(), QStringLiteral("0|.50"));
    // Ctrl+V and Shift+Insert feed the clipboard through the keystroke filter.
    w.SetState(QStringLiteral("[0.50]"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.State(), QStringLiteral("34|.00"));
    QTest::keyClick(w.edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w.State(), QStringLiteral("3,434|.00"));
    QCOMPARE(m_seam->beeps, 0);
}

void TestNumEditKeys::pasteReadsSpreadsheetNumbers_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");

    // Read as typed, "1,234.50" would give 1.2345: the comma would become the decimal separator.
    QTest::newRow("spreadsheet") << english << 2 << "[0.00]"
                                 << "1,234.50"
                                 << "1234.50|" << 0;
    QTest::newRow("spreadsheet, free") << english << -1 << "[0]"
                                       << "1,234.50"
                                       << "1234.50|" << 0;
    QTest::newRow("spreadsheet into German") << german << 2 << "[0,00]"
                                             << "1,234.50"
                                             << "1234,50|" << 0;
    QTest::newRow("German into English") << english << -1 << "[0]"
                                         << "1.234,5"
                                         << "1234.5|" << 0;
    QTest::newRow("line from a table") << english << -1 << "[0]"
                                       << "  -12.5e3\r\n"
                                       << "-12.5E3|" << 0;
    QTest::newRow("grouped integer") << english << -1 << "[0]"
                                     << "1,234,567"
                                     << "1234567|" << 0;
    QTest::newRow("single comma is decimal") << english << -1 << "[0]"
                                             << "2,5"
                                             << "2.5|" << 0;
    QTest::newRow("noise refused") << english << -1 << "1|"
                                   << "2a3"
                                   << "123|" << 1;
}

void TestNumEditKeys::pasteReadsSpreadsheetNumbers()
{
    QFETCH(QLocale, locale);
    QFETCH(int, decimals);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(int, beeps);

    QLocale::setDefault(locale);
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(decimals);
    w.SetState(before);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.State(), after);
    QCOMPARE(m_seam->beeps, beeps);
}

void TestNumEditKeys::contextMenuOffersWhatApplies()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.SetState(QStringLiteral("1[23]"));
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    QMenu *menu = w.OpenContextMenu();
    QVERIFY(menu);
    QCOMPARE(Captions(menu), (QStringList{"Cu&t", "&Copy", "&Paste", "&Delete", "Select &All"}));
    menu->close();

    w.SetState(QStringLiteral("[123]"));
    QGuiApplication::clipboard()->clear();
    menu = w.OpenContextMenu();
    QVERIFY(menu);
    QCOMPARE(Captions(menu),
             (QStringList{"Cu&t", "&Copy", "&Paste (off)", "&Delete", "Select &All (off)"}));
    menu->close();

    w.SetState(QStringLiteral("12|3"));
    menu = w.OpenContextMenu();
    QVERIFY(menu);
    QCOMPARE(Captions(menu), (QStringList{"Cu&t (off)", "&Copy (off)", "&Paste (off)",
                                          "&Delete (off)", "Select &All"}));
    menu->close();
}

void TestNumEditKeys::contextMenuCommands()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.SetState(QStringLiteral("[1,234.50]"));
    Trigger(w.OpenContextMenu(), QStringLiteral("&Copy"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1234.50"));

    w.SetState(QStringLiteral("1,2[34].50"));
    Trigger(w.OpenContextMenu(), QStringLiteral("Cu&t"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
    // No key goes up, so nothing regroups until the next one does.
    QCOMPARE(w.edit->text(), QStringLiteral("1,2.50"));

    w.SetState(QStringLiteral("1[2].50"));
    Trigger(w.OpenContextMenu(), QStringLiteral("&Delete"));
    QCOMPARE(w.State(), QStringLiteral("1|.50"));

    QGuiApplication::clipboard()->setText(QStringLiteral("9,876.5"));
    w.SetState(QStringLiteral("[1.50]"));
    Trigger(w.OpenContextMenu(), QStringLiteral("&Paste"));
    QCOMPARE(w.edit->text(), QStringLiteral("9876.50"));

    Trigger(w.OpenContextMenu(), QStringLiteral("Select &All"));
    QCOMPARE(w.State(), QStringLiteral("[9876.50]"));
    QCOMPARE(m_seam->beeps, 0);
}

void TestNumEditKeys::contextMenuDeleteCallsOnClear()
{
    TWindow w;
    QVERIFY(w.Ready());
    QList<TNvNumEdit *> senders;
    w.edit->setOnClear([&](TNvNumEdit *sender) { senders << sender; });
    w.SetState(QStringLiteral("1[23]"));
    Trigger(w.OpenContextMenu(), QStringLiteral("&Delete"));
    QCOMPARE(senders, QList<TNvNumEdit *>{w.edit});
    QCOMPARE(w.edit->text(), QStringLiteral("123"));
}

void TestNumEditKeys::readOnlyTakesOnlyCopy()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setNumberFormat(TNumberFormat::Thousands);
    w.edit->setValue(1234.5);
    w.edit->setReadOnly(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    QSignalSpy changes(w.edit, &TNvNumEdit::Change);

    w.SetState(QStringLiteral("1,2[34].50"));
    PressKeys(w.edit, QStringLiteral("5-E<BS><Del><Ctrl+Z>"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("77"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("9"));
    QApplication::sendEvent(w.edit, &commit);
    QCOMPARE(changes.count(), 0);

    QTest::keyClick(w.edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
    QMenu *menu = w.OpenContextMenu();
    QVERIFY(menu);
    QCOMPARE(Captions(menu), (QStringList{"&Copy", "Select &All"}));
    Trigger(menu, QStringLiteral("Select &All"));
    Trigger(w.OpenContextMenu(), QStringLiteral("&Copy"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1234.50"));
    QCOMPARE(w.edit->text(), QStringLiteral("1,234.50"));
    QCOMPARE(changes.count(), 0);
}

void TestNumEditKeys::inputMethodCommitsPassTheRules()
{
    QLocale::setDefault(german);
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.SetState(QStringLiteral("[0,00]"));
    // A composition does not touch the text or the selection.
    QInputMethodEvent composing(QStringLiteral("12"), {});
    QApplication::sendEvent(w.edit, &composing);
    QCOMPARE(w.State(), QStringLiteral("[0,00]"));
    // The commit is typed, a decimal mark becoming the locale's separator as from the keyboard.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("12x.5"));
    QApplication::sendEvent(w.edit, &commit);
    QCOMPARE(w.State(), QStringLiteral("12,5|0"));
    QCOMPARE(m_seam->beeps, 1);
}

void TestNumEditKeys::dropsAreRefused()
{
    TWindow w;
    QVERIFY(w.Ready());
    QVERIFY(!w.edit->acceptDrops());
    w.SetState(QStringLiteral("12|"));
    QMimeData data;
    data.setText(QStringLiteral("abc"));
    const QPointF at(5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &enter);
    QVERIFY(!enter.isAccepted());
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &move);
    QVERIFY(!move.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &drop);
    QCOMPARE(w.edit->text(), QStringLiteral("12"));
}

void TestNumEditKeys::middleButtonPastesThroughTheRules()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.SetState(QStringLiteral("12|"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("x,5"), QClipboard::Selection);
    QTest::mouseClick(w.edit, Qt::MiddleButton, {}, QPoint(w.edit->width() - 4, 5));
    if (clipboard->supportsSelection()) {
        QCOMPARE(w.edit->text(), QStringLiteral("12.5"));
        QCOMPARE(m_seam->beeps, 1);
    } else {
        // No X11 selection on this platform: the middle button pastes nothing.
        QCOMPARE(w.edit->text(), QStringLiteral("12"));
        QCOMPARE(m_seam->beeps, 0);
    }
}

void TestNumEditKeys::deleteOperations()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(5);
    w.SetState(QStringLiteral("3.14|000"));
    w.edit->DeleteOneChar(Qt::Key_Backspace);
    QCOMPARE(w.State(), QStringLiteral("3.1|0000"));
    w.edit->DeleteOneChar(Qt::Key_Delete);
    QCOMPARE(w.State(), QStringLiteral("3.1|0000"));
    w.SetState(QStringLiteral("[3].10000"));
    w.edit->DeleteSelection();
    QCOMPARE(w.State(), QStringLiteral("0|.10000"));
}

QTEST_MAIN(TestNumEditKeys)
#include "tst_numeditkeys.moc"
