#pragma once

#include <QImage>
#include <QObject>
#include <QTextObjectInterface>
#include <map>

// The inline images of the manual, drawn by make-manual itself: the screen
// pictures `shot:NAME` from manual-shots, at one scale for every window (the
// widest fills the text width) so that a dialog appears as large beside the
// main window as on the desktop,
// and the callout markers `marker:N`, drawn as the same vector circle that
// manual-shots puts into the pictures, a little taller than the text.
class ManualPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    // The narrowest window width that fills the text: a manual of small
    // dialogs alone does not blow them up.
    static constexpr qreal kMinWindowWidth = 800;

    // Reads `folder`/NAME.png for each of `names`; throws std::runtime_error
    // naming a picture that is missing or unreadable. `textWidth` is in the
    // units of the document's paint device.
    ManualPictures(const QString& folder, const QStringList& names, qreal textWidth);

    QSizeF intrinsicSize(QTextDocument* doc, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int position,
                    const QTextFormat& format) override;

private:
    std::map<QString, QImage> shots_;
    qreal scale_ = 1;  // document units per pixel of a window
};
