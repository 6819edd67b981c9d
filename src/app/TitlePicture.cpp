#include "app/TitlePicture.h"

#include "appfiles/AppIdentity.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// Turf band with the white rails of the home straight, seen in perspective.
void drawTrack(QPainter& p)
{
    QPainterPath turf;
    turf.moveTo(0, 150);
    turf.cubicTo(90, 118, 210, 118, kWidth, 132);
    turf.lineTo(kWidth, 168);
    turf.cubicTo(210, 156, 90, 160, 0, 178);
    turf.closeSubpath();
    QLinearGradient green(0, 120, 0, 178);
    green.setColorAt(0, QColor(86, 160, 72));
    green.setColorAt(1, QColor(38, 112, 46));
    p.fillPath(turf, green);

    p.setPen(QPen(Qt::white, 2));
    QPainterPath rail;
    rail.moveTo(0, 150);
    rail.cubicTo(90, 118, 210, 118, kWidth, 132);
    p.drawPath(rail);
    // Rail posts, closer together towards the far end.
    p.setPen(QPen(QColor(255, 255, 255, 190), 1));
    for (qreal t = 0.02; t < 1.0; t += 0.05) {
        const QPointF at = rail.pointAtPercent(t * t * 0.4 + t * 0.6);
        p.drawLine(at, at + QPointF(0, 7));
    }
}

}  // namespace

QPixmap titlePicture()
{
    QPixmap pm(kWidth, kHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(255, 253, 244));
    sky.setColorAt(1, QColor(236, 242, 228));
    p.fillRect(pm.rect(), sky);

    drawTrack(p);

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(50);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(QColor(200, 208, 190));
    p.drawText(QPoint(18, 74), QString::fromLatin1(tavek::identity::kProgramName));
    p.setPen(QColor(22, 84, 44));
    p.drawText(QPoint(16, 72), QString::fromLatin1(tavek::identity::kProgramName));

    QFont sub(QStringLiteral("ＭＳ Ｐゴシック"));
    sub.setPixelSize(13);
    sub.setBold(true);
    p.setFont(sub);
    p.setPen(QColor(120, 40, 30));
    // Every pool the program simulates, in JRA's order.
    p.drawText(QPoint(20, 102), QStringLiteral("単勝・複勝・枠連・馬連・ワイド・馬単・3連複"));
    p.drawText(QPoint(20, 120), QStringLiteral("オッズシミュレーター"));

    p.setPen(QPen(QColor(22, 84, 44), 1));
    p.drawLine(20, 84, 180, 84);
    return pm;
}
