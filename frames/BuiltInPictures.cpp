// SPDX-License-Identifier: MIT
#include "BuiltInPictures.h"

#include <QEvent>
#include <QImageReader>
#include <QPixmapCache>
#include <QWidget>

#include <utility>

// The pictures live in this static library; register them before the first is read.
static void InitBuiltInPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(velmora);
        return true;
    }();
    Q_UNUSED(done);
}

QImage ReadBuiltInPicture(const QString &resource)
{
    InitBuiltInPictures();
    QImageReader reader(resource, QByteArrayLiteral("png"));
    // Without probing, the named format is read by the built-in handler and no plugin is loaded.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap BuiltInPixmap(const QString &resource, qreal devicePixelRatio)
{
    const bool dense = devicePixelRatio > 1.0;
    const QString key = resource + (dense ? QStringLiteral("@2x") : QString());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QImage image;
    if (dense) {
        QString dense2x = resource;
        dense2x.insert(dense2x.lastIndexOf(u'.'), QStringLiteral("@2x"));
        image = ReadBuiltInPicture(dense2x);
        image.setDevicePixelRatio(2.0);
    }
    if (image.isNull())
        image = ReadBuiltInPicture(resource);
    pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

namespace {

// Watches a widget for its first show, runs the work, and goes.
class TFirstShow final : public QObject
{
public:
    TFirstShow(QWidget *widget, std::function<void()> work)
        : QObject(widget)
        , m_work(std::move(work))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_work) {
            watched->removeEventFilter(this);
            const std::function<void()> work = std::exchange(m_work, nullptr);
            deleteLater();
            work();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void WhenFirstShown(QWidget *widget, std::function<void()> work)
{
    if (widget->isVisible())
        work();
    else
        new TFirstShow(widget, std::move(work));
}
