// SPDX-License-Identifier: MIT
// Random edits never break the numeric field's text: whatever the user types (any character),
// deletes, selects, cuts, clears or pastes, in every number format, with every Decimals and with
// or without MaxLength, the text stays a number the field can read.
//
// The seed is fixed so that a failure repeats; VELMORA_NUMEDIT_SEED replaces it and
// VELMORA_NUMEDIT_STEPS scales the number of steps (a percentage, 100 by default).

#include "EditStateNotation.h"
#include "FieldWindow.h"
#include "NumEditRules.h"
#include "NumberFormat.h"
#include "NvNumEdit.h"
#include "RecordingSeam.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>

#include <QVBoxLayout>
#include <limits>

#include <random>

namespace {

constexpr quint64 DefaultSeed = 20240611;

quint64 Seed()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("VELMORA_NUMEDIT_SEED").toULongLong(&ok);
    return ok ? seed : DefaultSeed;
}

int ScaledSteps(int steps)
{
    bool ok = false;
    const int percent = qEnvironmentVariableIntValue("VELMORA_NUMEDIT_STEPS", &ok);
    return ok ? std::max(1, steps * percent / 100) : steps;
}

struct TConfig
{
    int decimals = -1;
    TNumberFormat format = TNumberFormat::Standard;
    int maxLength = 0;
    QString locale;

    TSeparators Seps() const { return SeparatorsOf(locale); }
    QString Describe() const
    {
        return QStringLiteral("Decimals %1, NumberFormat %2, MaxLength %3, locale %4")
            .arg(decimals)
            .arg(QString::fromLatin1(QMetaEnum::fromType<TNumberFormat>().valueToKey(format)))
            .arg(maxLength)
            .arg(locale);
    }
};

// Every combination the field allows; Decimals is held to MaxLength - 2 as the field does.
QList<TConfig> AllConfigs()
{
    QList<TConfig> configs;
    for (const TNumberFormat format : {TNumberFormat::Standard, TNumberFormat::Thousands,
                                       TNumberFormat::Scientific, TNumberFormat::Engineering}) {
        for (const int decimals : {-1, 0, 1, 2, 5, 14}) {
            for (const int maxLength : {0, 6, 12}) {
                for (const char *locale : {"en", "de", "fr"}) {
                    TConfig c;
                    c.format = format;
                    c.maxLength = maxLength;
                    c.decimals = maxLength > 0 && decimals > maxLength - 2
                                     ? std::max(-1, maxLength - 2)
                                     : decimals;
                    c.locale = QString::fromLatin1(locale);
                    configs << c;
                }
            }
        }
    }
    return configs;
}

// What the editing rules promise after every user edit; empty when it holds.
QString InvariantBroken(const QString &text, const TConfig &config)
{
    const TSeparators seps = config.Seps();
    if (text.isEmpty())
        return QStringLiteral("empty text");
    try {
        StrToValue(text, seps);
    } catch (const EConvertError &e) {
        return QString::fromUtf8(e.what());
    }
    if (text.count(seps.decimal) > 1)
        return QStringLiteral("more than one decimal separator");
    if (text.count(u'E') > 1 || text.contains(u'e'))
        return QStringLiteral("more than one exponent letter");
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'-' && i != 0 && text[i - 1] != u'E')
            return QStringLiteral("minus sign inside the number");
    }
    if (config.decimals > 0) {
        const qsizetype dp = text.indexOf(seps.decimal);
        if (dp < 0)
            return QStringLiteral("no decimal separator");
        qsizetype end = text.indexOf(u'E');
        if (end < 0)
            end = text.size();
        const QString fraction = text.mid(dp + 1, end - dp - 1);
        const bool digitsOnly = std::all_of(fraction.cbegin(), fraction.cend(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!digitsOnly || fraction.size() != config.decimals)
            return QStringLiteral("fraction is not %1 digits").arg(config.decimals);
    }
    return {};
}

// The random user: what it types, which keys it presses, what it pastes.
class TRandomUser
{
public:
    explicit TRandomUser(quint64 seed)
        : m_engine(seed)
    {
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool Chance(int percent) { return Below(100) < percent; }

    QChar AnyChar(const TSeparators &seps)
    {
        static const QString common = QStringLiteral("0123456789012345678901234567890123456789"
                                                     "--EEe..,,  +x\r");
        switch (Below(10)) {
        case 0:
            return seps.decimal;
        case 1:
            return seps.group;
        case 2:
            return QChar(static_cast<char16_t>(Below(32))); // control characters
        case 3:
            return QChar(static_cast<char16_t>(0x20 + Below(0xD7FF - 0x20)));
        default:
            return common[Below(static_cast<int>(common.size()))];
        }
    }

    // Clipboard texts: numbers as spreadsheets and other programs write them, and noise.
    QString ClipboardText(const TSeparators &seps)
    {
        switch (Below(4)) {
        case 0: {
            QString s;
            for (int n = Below(12); n > 0; --n)
                s += AnyChar(seps);
            return s;
        }
        case 1:
            return FormatValue(AnyValue(), Below(16) - 1, static_cast<TNumberFormat>(Below(4)),
                               Chance(50) ? seps : SeparatorsOf(QStringLiteral("de")));
        case 2:
            return QStringLiteral(" %1,%2.%3\n").arg(Below(1000)).arg(Below(1000)).arg(Below(100));
        default:
            return QStringLiteral("%1e%2%3")
                .arg(Below(100))
                .arg(Chance(50) ? "-" : "")
                .arg(Below(6000));
        }
    }

    Extended AnyValue()
    {
        static const Extended values[]
            = {0,
               1,
               -1,
               0.5L,
               1234.5L,
               -98765.4321L,
               1e-7L,
               1e15L,
               1e18L,
               -1e20L,
               1e300L,
               1e-300L,
               std::numeric_limits<Extended>::max() / 1000, // near the ends of the build's type
               -std::numeric_limits<Extended>::min() * 1000,
               123.456e10L,
               999.9999999L};
        const Extended v = values[Below(std::size(values))];
        return Chance(50) ? v : v * Below(1000) / 7;
    }

private:
    std::mt19937_64 m_engine;
};

QLocale LocaleOf(const QString &name)
{
    if (name == QLatin1String("de"))
        return QLocale(QLocale::German, QLocale::Germany);
    if (name == QLatin1String("fr"))
        return QLocale(QLocale::French, QLocale::France);
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// A shown, active window with the field under test.
// The field's window, with the context menu's commands at hand.
struct TWindow : TFieldWindow
{
    TEditState State() const { return edit->EditState(); }

    void Trigger(const QString &caption)
    {
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions()) {
            if (a->text() == caption && a->isEnabled())
                a->trigger();
        }
        menu->close();
    }
};

// Types one character as a key would: a control character as Ctrl with its letter, Enter and
// Escape as their keys. Returns how many keys go up afterwards (each one a chance to regroup).
int SendChar(QWidget *w, QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\r') {
        QTest::keyClick(w, Qt::Key_Return);
        return 1;
    }
    if (u >= 1 && u <= 26) {
        QTest::keyClick(w, Qt::Key(Qt::Key_A + u - 1), Qt::ControlModifier);
        return 2;
    }
    if (u == 27) {
        QTest::keyClick(w, Qt::Key_Escape);
        return 1;
    }
    Qt::Key key = Qt::Key_unknown;
    if (u == u' ')
        key = Qt::Key_Space;
    else if (u > 32 && u < 127)
        key = Qt::Key(QChar(u).toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, w, key, QString(c), Qt::NoModifier);
    return 1;
}

} // namespace

class TestNumEditRandom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void rulesKeepTheTextANumber();
    void fieldFollowsTheRules();
};

void TestNumEditRandom::rulesKeepTheTextANumber()
{
    const quint64 seed = Seed();
    const QList<TConfig> configs = AllConfigs();
    const int stepsPerConfig = ScaledSteps(500);
    TRandomUser user(seed);
    QString clipboard = QStringLiteral("0");
    qint64 steps = 0;

    for (const TConfig &config : configs) {
        const TSeparators seps = config.Seps();
        const TNumEditRules rules(config.decimals, config.format, config.maxLength, seps);
        TEditState state;
        QStringList trail;
        for (int step = 0; step < stepsPerConfig; ++step, ++steps) {
            if (step % 150 == 0) {
                // A fresh value written by the program; an engineering mantissa above 9 may
                // show fewer fraction digits than Decimals, which typing cannot cause.
                state = TEditState{
                    FormatValue(user.AnyValue(), config.decimals, config.format, seps)};
                if (!InvariantBroken(state.text, config).isEmpty())
                    state = TEditState{FormatValue(0, config.decimals, config.format, seps)};
                trail = {QStringLiteral("start %1").arg(EditStateNotation(state))};
            }
            const int length = static_cast<int>(state.text.size());
            QString action;
            bool keystroke = true;
            const int pick = user.Below(100);
            if (pick < 50) {
                const QChar c = user.AnyChar(seps);
                action = QStringLiteral("type U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                (void)rules.TypeChar(state, c);
            } else if (pick < 62) {
                const bool backspace = user.Chance(50);
                action = backspace ? QStringLiteral("Backspace") : QStringLiteral("Delete");
                (void)rules.PressDeleteKey(state,
                                           backspace ? TDeleteKey::Backspace : TDeleteKey::Delete);
            } else if (pick < 76) {
                const int start = user.Below(length + 1);
                state.anchor = start;
                state.caret = start + (user.Chance(40) ? 0 : user.Below(length - start + 1));
                action = QStringLiteral("select");
                keystroke = user.Chance(50);
            } else if (pick < 80) {
                state.anchor = 0;
                state.caret = length;
                action = QStringLiteral("select all");
                keystroke = false;
            } else if (pick < 85) {
                clipboard = rules.CopyText(state);
                (void)rules.Clear(state);
                action = QStringLiteral("cut");
            } else if (pick < 88) {
                (void)rules.Clear(state);
                action = QStringLiteral("clear");
                keystroke = false;
            } else {
                const QString text = user.Chance(30) ? clipboard : user.ClipboardText(seps);
                action = QStringLiteral("paste \"%1\"").arg(text);
                (void)rules.Paste(state, text);
            }
            trail << QStringLiteral("%1 -> %2").arg(action, EditStateNotation(state));
            QString broken = InvariantBroken(state.text, config);
            if (broken.isEmpty() && keystroke) {
                // The key goes up: Thousands regroups (Enter and Space always).
                rules.Regroup(state, user.Chance(5));
                trail << QStringLiteral("release -> %1").arg(EditStateNotation(state));
                broken = InvariantBroken(state.text, config);
            }
            if (!broken.isEmpty()) {
                QFAIL(qPrintable(
                    QStringLiteral("%1 after step %2 (seed %3; %4):\n%5")
                        .arg(broken)
                        .arg(step)
                        .arg(seed)
                        .arg(config.Describe(), trail.mid(trail.size() - 30).join(u'\n'))));
            }
        }
    }
    qInfo("%lld random edits on the rules (seed %llu)", steps, seed);
    QVERIFY(steps >= ScaledSteps(100'000));
}

void TestNumEditRandom::cleanup()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestNumEditRandom::fieldFollowsTheRules()
{
    // The real field, driven by key events, the clipboard keys and the context menu, does what
    // the rules do, beep for beep, and its text stays a number.
    const quint64 seed = Seed() + 1;
    const int stepsPerConfig = ScaledSteps(120);
    TRandomUser user(seed);
    TRecordingSeam seam;
    QClipboard *clipboard = QGuiApplication::clipboard();
    qint64 steps = 0;

    for (const TConfig &config : AllConfigs()) {
        QLocale::setDefault(LocaleOf(config.locale));
        TWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.edit->setFocus();
        w.edit->setMaxLength(config.maxLength);
        w.edit->setDecimals(config.decimals);
        w.edit->setNumberFormat(config.format);
        QCOMPARE(w.edit->Decimals(), config.decimals);
        const TSeparators seps = LocaleSeparators();
        const TNumEditRules rules(config.decimals, config.format, config.maxLength, seps);
        TConfig checked = config;
        checked.locale = config.locale;
        QStringList trail;

        for (int step = 0; step < stepsPerConfig; ++step, ++steps) {
            if (step % 60 == 0) {
                w.edit->setValue(user.AnyValue());
                if (!InvariantBroken(w.edit->text(), config).isEmpty())
                    w.edit->setValue(0);
                trail = {QStringLiteral("start %1").arg(EditStateNotation(w.State()))};
            }
            TEditState model = w.State();
            const int length = static_cast<int>(model.text.size());
            int refusals = 0;
            int releases = 0;
            bool forced = false;
            QString expectedClipboard;
            QString action;
            seam.Clear();

            const int pick = user.Below(100);
            if (pick < 55) {
                QChar c = user.AnyChar(seps);
                if (c.unicode() == 0 || c.unicode() == 9)
                    c = u'x'; // no key types them here without moving the focus
                action = QStringLiteral("key U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                if (c.unicode() == 3) {
                    expectedClipboard = rules.CopyText(model);
                } else if (c.unicode() == 22) {
                    refusals = rules.Paste(model, clipboard->text());
                } else if (c.unicode() == 24) {
                    expectedClipboard = rules.CopyText(model);
                    refusals = rules.Clear(model) ? 0 : 1;
                } else {
                    refusals = rules.TypeChar(model, c) ? 0 : 1;
                }
                forced = c == u' ' || c == u'\r';
                releases = SendChar(w.edit, c);
            } else if (pick < 67) {
                const bool backspace = user.Chance(50);
                action = backspace ? QStringLiteral("Backspace") : QStringLiteral("Delete");
                refusals = rules.PressDeleteKey(model, backspace ? TDeleteKey::Backspace
                                                                 : TDeleteKey::Delete)
                               ? 0
                               : 1;
                QTest::keyClick(w.edit, backspace ? Qt::Key_Backspace : Qt::Key_Delete);
                releases = 1;
            } else if (pick < 82) {
                const int start = user.Below(length + 1);
                const int selected = user.Chance(40) ? 0 : user.Below(length - start + 1);
                if (selected > 0)
                    w.edit->setSelection(start, selected);
                else
                    w.edit->setCursorPosition(start);
                model = w.State();
                action = QStringLiteral("select");
            } else if (pick < 92) {
                const QString text = user.ClipboardText(seps);
                clipboard->setText(text);
                action = QStringLiteral("paste \"%1\"").arg(text);
                refusals = rules.Paste(model, text);
                QTest::keyClick(w.edit, Qt::Key_Insert, Qt::ShiftModifier);
                releases = 2;
            } else if (pick < 96) {
                action = QStringLiteral("menu cut");
                expectedClipboard = rules.CopyText(model);
                if (model.HasSelection()) {
                    refusals = rules.Clear(model) ? 0 : 1;
                    w.Trigger(QStringLiteral("Cu&t"));
                } else {
                    expectedClipboard = clipboard->text();
                }
            } else {
                action = QStringLiteral("menu delete");
                if (model.HasSelection())
                    refusals = rules.Clear(model) ? 0 : 1;
                w.Trigger(QStringLiteral("&Delete"));
            }
            for (int r = 0; r < releases; ++r)
                rules.Regroup(model, forced && r == 0);

            const TEditState field = w.State();
            trail << QStringLiteral("%1 -> %2").arg(action, EditStateNotation(field));
            QString problem = InvariantBroken(field.text, config);
            if (problem.isEmpty() && field != model)
                problem = QStringLiteral("the rules give %1").arg(EditStateNotation(model));
            if (problem.isEmpty() && seam.beeps != refusals)
                problem = QStringLiteral("%1 beeps, the rules refused %2")
                              .arg(seam.beeps)
                              .arg(refusals);
            if (problem.isEmpty() && !seam.errors.isEmpty())
                problem = QStringLiteral("error box: ") + seam.errors.join(u'|');
            if (problem.isEmpty() && !expectedClipboard.isNull()
                && clipboard->text() != expectedClipboard)
                problem = QStringLiteral("clipboard holds \"%1\"").arg(clipboard->text());
            if (!problem.isEmpty()) {
                QFAIL(qPrintable(
                    QStringLiteral("%1 after step %2 (seed %3; %4):\n%5")
                        .arg(problem)
                        .arg(step)
                        .arg(seed)
                        .arg(config.Describe(), trail.mid(trail.size() - 30).join(u'\n'))));
            }
        }
    }
    qInfo("%lld random edits on the field (seed %llu)", steps, seed);
}

QTEST_MAIN(TestNumEditRandom)
#include "tst_numeditrandom.moc"
