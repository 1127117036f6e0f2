// SPDX-License-Identifier: MIT
#include "UiSeam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace {

class TDesktopSeam final : public TUiSeam
{
public:
    void Beep() override { QApplication::beep(); }

    void ShowWarning(QWidget *parent, const QString &text) override
    {
        QMessageBox::warning(parent, QStringLiteral("Warning"), DisplayText(text), QMessageBox::Ok);
    }

    void ShowError(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, QStringLiteral("Error"), DisplayText(text), QMessageBox::Ok);
    }

private:
    // Texts keep their CR LF line breaks; a message box here wants a bare LF.
    static QString DisplayText(QString text)
    {
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }

    bool OpenUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

TDesktopSeam desktopSeam;
TUiSeam *currentSeam = &desktopSeam;

} // namespace

TUiSeam &UiSeam()
{
    return *currentSeam;
}

TUiSeam *SetUiSeam(TUiSeam *seam)
{
    TUiSeam *previous = currentSeam;
    currentSeam = seam ? seam : &desktopSeam;
    return previous;
}
