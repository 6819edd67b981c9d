#include "app/Splash.h"

#include "app/TitlePicture.h"
#include "controls/Label3D.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

TSplash::TSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(306, 205);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(2, 2, 301, 203);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    panel->setPalette(pal);

    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(panel->contentsRect());
    image->setScaledContents(true);
    image->setPixmap(titlePicture());

    auto* credit = new Label3D(QString::fromUtf16(kCreditLine), panel);
    credit->setObjectName(QStringLiteral("Label3D1"));
    credit->setStyle3D(Label3D::Style::Shadowed);
    QFont f = credit->font();
    f.setPixelSize(13);
    f.setBold(true);
    credit->setFont(f);
    QPalette lp = credit->palette();
    lp.setColor(QPalette::WindowText, Qt::red);
    credit->setPalette(lp);
    credit->adjustSize();
    // Right-aligned where the design put it, so a wider font never cuts it.
    credit->move(qMin(175, panel->width() - credit->width() - 6), 176);
}

void TSplash::showNow()
{
    qApp->installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    shown_.start();
    // A window manager maps the window some time after show(); painting an
    // unmapped window draws nothing, and the start-up work that follows
    // would keep the event loop from painting it later.
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    repaint();
    QApplication::processEvents();
}

void TSplash::release()
{
    if (released_)
        return;
    released_ = true;
    const qint64 left = shown_.isValid() ? kMinimumShown - shown_.elapsed() : 0;
    if (left <= 0)
        deleteLater();
    else
        QTimer::singleShot(int(left), this, &QObject::deleteLater);
}

void TSplash::paintEvent(QPaintEvent* event)
{
    painted_ = true;
    QWidget::paintEvent(event);
}

void TSplash::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            wasActive_ = true;
        else if (wasActive_)
            release();
    }
    QWidget::changeEvent(event);
}

bool TSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        const auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w->isModal()) {
            qApp->removeEventFilter(this);
            hide();
            released_ = true;
            deleteLater();
        }
    }
    return QWidget::eventFilter(watched, event);
}
