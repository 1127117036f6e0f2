// SPDX-License-Identifier: MIT
#include "Application.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <string_view>

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
}

bool AsksForInformation(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v"
            || arg == "--version")
            return true;
    }
    return false;
}

void ProcessCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Calculators for instrumentation engineers: temperature sensors, humidity, "
                       "4-20 mA current loop and linear transformation."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
}
