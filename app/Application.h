// SPDX-License-Identifier: MIT
#pragma once

// What the program says about itself: its name and version, which the build sets once, and the
// two command-line questions it answers, --help and --version.

class QCoreApplication;

// Names the application and gives it the build's version, which the caption and --version read.
void SetApplicationIdentity();

// Whether the arguments ask for --help or --version. Those are answered before the window system
// is opened, so that they work without a display.
bool AsksForInformation(int argc, const char *const argv[]);

// Reads the command line: prints the help or the version and ends the program when asked, and
// ends it with a message on an option it does not know.
void ProcessCommandLine(const QCoreApplication &app);
