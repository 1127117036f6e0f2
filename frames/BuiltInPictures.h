// SPDX-License-Identifier: MIT
#pragma once

// The pictures built into the program (the logo, the illustration, the program icon), read when
// they are first needed, and work deferred until a control is first seen. A picture is read by
// the PNG reader that Qt carries: asking the image format plugins whether they read it would
// load every one of them, with their decoders, for pictures that are all PNG.

#include <QImage>
#include <QPixmap>
#include <QString>

#include <functional>

class QWidget;

// The built-in picture at resource (":/velmora/..."); a null image when there is none.
QImage ReadBuiltInPicture(const QString &resource);

// The picture for a screen of the given pixel ratio: its "@2x" version on a high-density screen
// where there is one. Read once and shared.
QPixmap BuiltInPixmap(const QString &resource, qreal devicePixelRatio);

// Runs work the first time the widget is shown, or now if it is shown already: what only a seen
// control needs waits until its tab is opened.
void WhenFirstShown(QWidget *widget, std::function<void()> work);
