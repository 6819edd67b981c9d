#pragma once

#include <QLabel>
#include <QUrl>

// A label whose text is drawn raised, recessed or shadowed. In its web-address
// style it shows underlined with a hand cursor while the mouse is over it, and
// a click hands its address to the desktop (failures are ignored: the label is
// decoration, the about box has a button with a proper fallback).
class Label3D : public QLabel {
    Q_OBJECT
public:
    enum class Style { Flat, Raised, Recessed, Shadowed };

    explicit Label3D(const QString& text = {}, QWidget* parent = nullptr);

    void setStyle3D(Style style);
    Style style3D() const { return style_; }

    // Colour of the shadow of the Shadowed style.
    void setShadowColor(const QColor& color);

    // Turns the web-address style on; an empty address turns it off.
    void setWebAddress(const QUrl& address);
    QUrl webAddress() const { return address_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Style style_ = Style::Flat;
    QColor shadow_{Qt::gray};
    QUrl address_;
    bool hovered_ = false;
};
