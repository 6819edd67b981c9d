#include "make-manual/ManualPictures.h"

#include "manual/Marker.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <QTextFormat>

#include <algorithm>
#include <stdexcept>

namespace {

const QString kShot = QStringLiteral("shot:");
const QString kMarker = QStringLiteral("marker:");

// The picture's size in the window's own pixels: manual-shots takes them at
// twice those and says so in the picture's resolution.
QSizeF windowSize(const QImage& picture)
{
    const qreal perPixel = picture.dotsPerMeterX() > 0 ? (96 / 0.0254) / picture.dotsPerMeterX() : 1;
    return QSizeF(picture.width(), picture.height()) * perPixel;
}

}  // namespace

ManualPictures::ManualPictures(const QString& folder, const QStringList& names, qreal textWidth)
{
    qreal widest = kMinWindowWidth;
    for (const QString& name : names) {
        const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
        QImage picture(path);
        if (picture.isNull())
            throw std::runtime_error(QStringLiteral("the picture %1 is missing or unreadable (manual-shots writes it)")
                                         .arg(path)
                                         .toStdString());
        widest = std::max(widest, windowSize(picture).width());
        // A window is opaque: without an alpha channel the PDF needs no mask for it.
        shots_[name] = picture.convertToFormat(QImage::Format_RGB32);
    }
    scale_ = textWidth / widest;
}

QSizeF ManualPictures::intrinsicSize(QTextDocument* doc, int, const QTextFormat& format)
{
    const QString name = format.toImageFormat().name();
    if (name.startsWith(kMarker)) {
        // The object stands on the baseline as tall as the letters' ascent;
        // drawObject centres the circle on the whole line of letters.
        const QFontMetricsF metrics(format.toCharFormat().font(), doc->documentLayout()->paintDevice());
        return QSizeF(metrics.height() * 1.05, metrics.ascent());
    }
    const auto shot = shots_.find(name.mid(kShot.size()));
    if (shot == shots_.end())
        return {};
    return windowSize(shot->second) * scale_;
}

void ManualPictures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int,
                                const QTextFormat& format)
{
    const QString name = format.toImageFormat().name();
    if (name.startsWith(kMarker)) {
        const QFontMetricsF metrics(format.toCharFormat().font(), doc->documentLayout()->paintDevice());
        // rect ends at the baseline; the letters reach the descent below it.
        const QPointF centre = rect.center() + QPointF(0, metrics.descent() / 2);
        tavek::manual::drawMarker(*painter, centre, rect.width(), name.mid(kMarker.size()).toInt());
        return;
    }
    const auto shot = shots_.find(name.mid(kShot.size()));
    if (shot == shots_.end())
        return;
    painter->save();
    // Screens are lines and letters: compressed as a photograph they would blur.
    painter->setRenderHint(QPainter::LosslessImageRendering);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, shot->second);
    painter->restore();
}
