#include "odds/ui/SheetBox.h"

QLabel* makeBox(QWidget* parent, const QString& objectName, const QColor& background, const QColor& text, bool sunken)
{
    auto* box = new QLabel(parent);
    box->setObjectName(objectName);
    box->setAlignment(Qt::AlignCenter);
    box->setAutoFillBackground(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    box->setPalette(p);
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    if (sunken) {
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setLineWidth(1);
    }
    return box;
}

TotalBoxes makeTotalBoxes(QWidget* strip)
{
    const QColor aqua(0x00, 0xFF, 0xFF);
    const TotalBoxes boxes{makeBox(strip, QStringLiteral("RealTotalBox"), aqua, Qt::red, true),
                           makeBox(strip, QStringLiteral("VirtualTotalBox"), aqua, Qt::red, true),
                           makeBox(strip, QStringLiteral("ExcessBox"), Qt::yellow, Qt::blue, true)};
    const QFontMetrics fm(boxes.real->font());
    const int boxWidth = fm.horizontalAdvance(QStringLiteral("99,999,999,999円")) + 12;
    for (QLabel* box : {boxes.real, boxes.virtualTotal, boxes.excess})
        box->setFixedSize(boxWidth, fm.height() + 8);
    return boxes;
}

QLabel* caption(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}
