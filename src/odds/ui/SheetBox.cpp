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
