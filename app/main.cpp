// SPDX-License-Identifier: MIT
#include "Application.h"
#include "uMfMainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // --help and --version need no window system, so they are answered without opening one.
    if (AsksForInformation(argc, argv)) {
        const QCoreApplication app(argc, argv);
        SetApplicationIdentity();
        ProcessCommandLine(app);
        return 0;
    }

    QApplication app(argc, argv);
    SetApplicationIdentity();
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velmora.velmora"));
    ProcessCommandLine(app);

    TfMainForm mainForm;
    mainForm.CentreOnScreen();
    mainForm.show();
    return QApplication::exec();
}
