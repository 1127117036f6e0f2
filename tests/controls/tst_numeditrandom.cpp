// Random edits never break the numeric field's text: whatever the user types (any character),
// deletes, selects, cuts, clears or pastes, in every number format, with every Decimals and with
// or without MaxLength, the text stays a number the field can read.
//
// The seed is fixed so that a failure repeats; VELMORA_NUMEDIT_SEED replaces it and
// VELMORA_NUMEDIT_STEPS scales the number of steps (a percentage, 100 by default).

#include "EditStateNotation.h"
#include "NumEditRules.h"
#include "NumberFormat.h"

#include <QTest>

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
            .arg(static_cast<int>(format))
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

    long double AnyValue()
    {
        static const long double values[]
            = {0,     1,      -1,     0.5L,    1234.5L, -98765.4321L, 1e-7L,       1e15L,
               1e18L, -1e20L, 1e300L, 1e-300L, 1e4000L, -1e-4000L,    123.456e10L, 999.9999999L};
        const long double v = values[Below(std::size(values))];
        return Chance(50) ? v : v * Below(1000) / 7;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace

class TestNumEditRandom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rulesKeepTheTextANumber();
};

void TestNumEditRandom::rulesKeepTheTextANumber()
{
    const quint64 seed = Seed();
    const QList<TConfig> configs = AllConfigs();
    const int stepsPerConfig = ScaledSteps(600);
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
                state.selStart = user.Below(length + 1);
                state.selLength = user.Chance(40) ? 0 : user.Below(length - state.selStart + 1);
                action = QStringLiteral("select");
                keystroke = user.Chance(50);
            } else if (pick < 80) {
                state.selStart = 0;
                state.selLength = length;
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

QTEST_GUILESS_MAIN(TestNumEditRandom)
#include "tst_numeditrandom.moc"
