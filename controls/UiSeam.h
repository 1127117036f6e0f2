// SPDX-License-Identifier: MIT
#pragma once

// The program's few outward effects (the warning beep, the modal warning and error boxes, and
// opening a web address) all pass through this seam, so that tests can observe them without a
// modal dialog blocking the event loop.

#include <QString>
#include <QUrl>

#include <exception>
#include <utility>

class QWidget;

class TUiSeam
{
public:
    virtual ~TUiSeam() = default;

    virtual void Beep() = 0;
    // A modal box titled "Warning" with the warning icon and a single "OK" button.
    virtual void ShowWarning(QWidget *parent, const QString &text) = 0;
    // The error report for a failure that no calculator guarded.
    virtual void ShowError(QWidget *parent, const QString &text) = 0;
    // Asks the desktop to open the address; returns whether it accepted.
    virtual bool OpenUrl(const QUrl &url) = 0;
};

// The seam in force: the desktop one unless a test has installed its own.
TUiSeam &UiSeam();
// Installs a seam (not owned); nullptr restores the desktop seam. Returns the previous one.
TUiSeam *SetUiSeam(TUiSeam *seam);

// Runs an event handler's body so that no exception leaves it: a failure that nothing else caught
// ends in the error box with its message, and the program goes on.
template<typename F>
void RunGuarded(QWidget *parent, F &&body) noexcept
{
    try {
        std::forward<F>(body)();
    } catch (const std::exception &e) {
        UiSeam().ShowError(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        UiSeam().ShowError(parent, QStringLiteral("Unknown failure"));
    }
}
