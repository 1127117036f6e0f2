// SPDX-License-Identifier: MIT
// Random events across the whole main window: tab switches, typing of every kind, Enter, Tab,
// Backspace, Delete, clicks on radio buttons and buttons, drop-down changes and pastes. Nothing
// may crash, no failure may escape, no modal box may be left open; after every calculation every
// result display shows a finite number or "-----", and every numeric field reads as a number.
//
// VELMORA_SOAK_SEED and VELMORA_SOAK_EVENTS override the fixed seed and the number of events.

#include "NvNumEdit.h"
#include "RecordingSeam.h"
#include "uMfMainForm.h"
#include "uMfrBaseFrame.h"
#include "uMfrResultEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <random>

namespace {

const QString Typed = QStringLiteral("0123456789-eE.,+ x/*#()'_=;:\u00e9\u20ac\u00b0");

quint64 EnvOr(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomEventsKeepTheWindowSound();

private:
    QString RandomText(int maxLength);
    bool CheckWindow(QString &problem) const;
    void Calculated(const QString &what);

    std::mt19937_64 m_random;
    TfMainForm *m_form = nullptr;
    QString m_failure;
};

QString TestSoak::RandomText(int maxLength)
{
    const int length = std::uniform_int_distribution<int>(0, maxLength)(m_random);
    QString text;
    for (int i = 0; i < length; ++i)
        text += Typed.at(std::uniform_int_distribution<int>(0, int(Typed.size()) - 1)(m_random));
    return text;
}

bool TestSoak::CheckWindow(QString &problem) const
{
    const TSeparators seps = LocaleSeparators();
    for (const TNvNumEdit *field : m_form->findChildren<TNvNumEdit *>()) {
        // A companion without a temperature shows the no-result marker.
        if (field->isReadOnly() && field->text() == QStringLiteral("-----"))
            continue;
        try {
            const Extended v = field->Value();
            if (!std::isfinite(v)) {
                problem = field->objectName() + QStringLiteral(" holds a non-finite value");
                return false;
            }
        } catch (const std::exception &e) {
            problem = field->objectName() + QStringLiteral(": ") + QString::fromUtf8(e.what());
            return false;
        }
    }
    for (const TMfrResultEdit *result : m_form->findChildren<TMfrResultEdit *>()) {
        const QString shown = result->DisplayedText();
        if (shown == QStringLiteral("-----"))
            continue;
        Extended v = 0;
        if (!TryParseValue(PlainText(shown, seps), seps, v) || !std::isfinite(v)) {
            problem = result->objectName() + QStringLiteral(" shows '") + shown + u'\'';
            return false;
        }
    }
    return true;
}

void TestSoak::randomEventsKeepTheWindowSound()
{
    const quint64 seed = EnvOr("VELMORA_SOAK_SEED", 20261208);
    const quint64 events = EnvOr("VELMORA_SOAK_EVENTS", 50000);
    qInfo("soak seed %llu, %llu events", seed, events);
    m_random.seed(seed);

    TRecordingSeam seam;
    TfMainForm form;
    m_form = &form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // A modal box would block the run: close any that appears and count it as a failure.
    int modalBoxes = 0;
    QTimer modalWatch;
    connect(&modalWatch, &QTimer::timeout, this, [&modalBoxes] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ++modalBoxes;
            modal->close();
        }
    });
    modalWatch.start(50);

    QTabBar *tabs = form.pcPages()->tabBar();
    auto pick = [this](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(m_random);
    };

    QStringList recent; // the last few events, for the failure message
    for (quint64 step = 0; step < events; ++step) {
        QWidget *page = form.pcPages()->currentWidget();
        QWidget *focus = QApplication::focusWidget();
        if (!focus || focus->window() != &form)
            focus = &form;
        bool calculated = false;
        QString action;

        switch (pick(20)) {
        case 0: { // switch tabs with the mouse
            const int tab = pick(tabs->count());
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            action = QStringLiteral("tab %1").arg(tab);
            break;
        }
        case 1:
        case 2:
            QTest::keyClick(focus, Qt::Key_Return);
            calculated = true;
            action = QStringLiteral("Enter");
            break;
        case 3:
            QTest::keyClick(focus, Qt::Key_Tab, pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
            action = QStringLiteral("Tab");
            break;
        case 4:
            QTest::keyClick(focus, pick(2) ? Qt::Key_Backspace : Qt::Key_Delete);
            action = QStringLiteral("Backspace/Delete");
            break;
        case 5:
            QTest::keyClick(focus, pick(2) ? Qt::Key_Left : Qt::Key_Right,
                            pick(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
            action = QStringLiteral("arrow");
            break;
        case 6: {
            const auto radios = page->findChildren<QRadioButton *>();
            if (!radios.isEmpty()) {
                QRadioButton *radio = radios.at(pick(int(radios.size())));
                if (radio->isVisible() && radio->isEnabled())
                    QTest::mouseClick(radio, Qt::LeftButton);
                action = QStringLiteral("radio ") + radio->objectName();
                calculated = true; // some frames recalculate on a change of option
            }
            break;
        }
        case 7: {
            auto *frame = form.Calculator(form.pcPages()->currentIndex());
            QTest::mouseClick(frame->bCalculate(), Qt::LeftButton);
            calculated = true;
            action = QStringLiteral("Calculate");
            break;
        }
        case 8: {
            const auto combos = page->findChildren<QComboBox *>();
            if (!combos.isEmpty()) {
                QComboBox *combo = combos.at(pick(int(combos.size())));
                if (combo->isVisible() && combo->isEnabled()) {
                    combo->setFocus();
                    QTest::keyClick(combo, pick(2) ? Qt::Key_Down : Qt::Key_Up);
                }
                action = QStringLiteral("drop-down ") + combo->objectName();
                calculated = true;
            }
            break;
        }
        case 9: {
            QGuiApplication::clipboard()->setText(RandomText(12));
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            action = QStringLiteral("paste '%1'").arg(QGuiApplication::clipboard()->text());
            break;
        }
        case 10: {
            const auto fields = page->findChildren<TNvNumEdit *>();
            if (!fields.isEmpty()) {
                TNvNumEdit *field = fields.at(pick(int(fields.size())));
                if (field->isVisible() && field->isEnabled())
                    QTest::mouseClick(field, Qt::LeftButton);
                action = QStringLiteral("click ") + field->objectName();
            }
            break;
        }
        case 11:
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            action = QStringLiteral("select all");
            break;
        default: {
            // Qt's key codes of printable ASCII are the upper-case character codes.
            const QChar c = Typed.at(pick(int(Typed.size())));
            const Qt::Key key
                = c.unicode() < 128 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, focus, key, QString(c), Qt::NoModifier);
            action = QStringLiteral("type '%1'").arg(c);
            break;
        }
        }

        if (auto *field = qobject_cast<TNvNumEdit *>(QApplication::focusWidget()))
            action += QStringLiteral(" -> %1 '%2'").arg(field->objectName(), field->text());
        recent.append(action);
        if (recent.size() > 8)
            recent.removeFirst();

        QString problem;
        // Any failure in the error box means a text that the editing rules should never have
        // let through, or arithmetic outside a guard.
        if (!seam.errors.isEmpty())
            problem = QStringLiteral("failure escaped: ") + seam.errors.join(QStringLiteral("; "));
        if (problem.isEmpty() && (modalBoxes > 0 || QApplication::activeModalWidget()))
            problem = QStringLiteral("a modal box was opened");
        if (problem.isEmpty() && (calculated || step % 16 == 0))
            CheckWindow(problem);
        if (!problem.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3\nlast events:\n  %4")
                                 .arg(seed)
                                 .arg(step)
                                 .arg(problem, recent.join(QStringLiteral("\n  ")))));
    }
    QString problem;
    QVERIFY2(CheckWindow(problem), qPrintable(problem));
    qInfo("soak: %d beeps, %lld warnings", seam.beeps, qint64(seam.warnings.size()));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
