// SPDX-License-Identifier: MIT
#pragma once

// The common ground of the calculator frame suites: each test builds its frame under a pinned
// locale with the recording seam installed, shown and active so that the focus moves, and works
// it as the user does, by name, with real key and mouse events.

#include "RecordingSeam.h"
#include "uMfrBaseFrame.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class TFrameTest : public QObject
{
    Q_OBJECT

protected:
    // Builds the suite's calculator, shown and active, under the locale in force.
    void Open();
    TMfrBaseFrame *Frame() const { return m_frame.get(); }

    // The named control of the frame; a missing one ends the run.
    template<typename T>
    T *Find(const char *name) const
    {
        return static_cast<T *>(FindWidget(name, T::staticMetaObject));
    }

    // Tabbing into a field selects its whole text, so what is typed replaces it.
    void TypeInto(const char *field, const QString &text);
    // A click on the indicator of a radio button or check box, as the user selects it.
    void Choose(const char *button);
    // The click moves the focus to the button first, so the field being edited commits its value.
    void Calculate();
    // What a result display shows.
    QString Shown(const char *display = "reResult") const;
    // Neither a warning nor an error box was shown.
    void NoBoxes() const;
    // Presses Tab from the first of the controls and compares each stop with the next. A stop
    // inside a composite control counts as that control.
    void CompareTabStops(const QStringList &expected);

    // Whatever a suite's calculator keeps outside the frame, set back before and after each test.
    virtual void ResetShared() {}

    std::unique_ptr<TRecordingSeam> m_seam;

private Q_SLOTS:
    void init();
    void cleanup();

private:
    virtual TMfrBaseFrame *MakeFrame() const = 0;
    QWidget *FindWidget(const char *name, const QMetaObject &type) const;

    std::unique_ptr<TMfrBaseFrame> m_frame;
};
