#include "shell/start_banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace shell {

static void paintPin(QPainter &p, const QPointF &base, qreal h)
{
    // A pin outline: head, neck, belly, flat foot.
    const qreal w = h * 0.36;
    QPainterPath path;
    path.moveTo(base.x() - w * 0.28, base.y());
    path.cubicTo(base.x() - w * 0.62, base.y() - h * 0.30, base.x() - w * 0.55, base.y() - h * 0.52,
                 base.x() - w * 0.16, base.y() - h * 0.68);
    path.cubicTo(base.x() - w * 0.40, base.y() - h * 0.86, base.x() - w * 0.25, base.y() - h,
                 base.x(), base.y() - h);
    path.cubicTo(base.x() + w * 0.25, base.y() - h, base.x() + w * 0.40, base.y() - h * 0.86,
                 base.x() + w * 0.16, base.y() - h * 0.68);
    path.cubicTo(base.x() + w * 0.55, base.y() - h * 0.52, base.x() + w * 0.62, base.y() - h * 0.30,
                 base.x() + w * 0.28, base.y());
    path.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawPath(path);
    // The two red neck stripes.
    p.setPen(QPen(QColor(200, 20, 30), h * 0.045));
    const qreal y1 = base.y() - h * 0.70, y2 = base.y() - h * 0.64;
    p.drawLine(QPointF(base.x() - w * 0.15, y1), QPointF(base.x() + w * 0.15, y1));
    p.drawLine(QPointF(base.x() - w * 0.17, y2), QPointF(base.x() + w * 0.17, y2));
}

void StartBanner::paint(QPainter &p, const QRect &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    // Evening sky behind the lane.
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(10, 30, 90));
    sky.setColorAt(1.0, QColor(40, 80, 160));
    p.fillRect(r, sky);

    // The lane in perspective, narrowing to the right where the pins stand.
    const qreal lx = r.left() + r.width() * 0.40, rx = r.right();
    QPainterPath lane;
    lane.moveTo(lx, r.bottom());
    lane.lineTo(rx, r.bottom());
    lane.lineTo(rx, r.top() + r.height() * 0.62);
    lane.lineTo(lx + r.width() * 0.18, r.top() + r.height() * 0.62);
    lane.closeSubpath();
    QLinearGradient wood(QPointF(lx, 0), QPointF(rx, 0));
    wood.setColorAt(0.0, QColor(205, 150, 80));
    wood.setColorAt(1.0, QColor(235, 195, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawPath(lane);

    // Three pins at the far end.
    const qreal ph = r.height() * 0.46;
    const qreal py = r.top() + r.height() * 0.70;
    const qreal px = r.right() - r.width() * 0.14;
    paintPin(p, QPointF(px - ph * 0.34, py - ph * 0.04), ph * 0.92);
    paintPin(p, QPointF(px + ph * 0.34, py - ph * 0.04), ph * 0.92);
    paintPin(p, QPointF(px, py + ph * 0.05), ph);

    // The ball rolling towards them.
    const qreal br = r.height() * 0.16;
    const QPointF bc(r.left() + r.width() * 0.66, r.bottom() - br * 1.3);
    QRadialGradient ball(bc - QPointF(br * 0.4, br * 0.4), br * 1.4);
    ball.setColorAt(0.0, QColor(120, 160, 255));
    ball.setColorAt(1.0, QColor(10, 20, 80));
    p.setBrush(ball);
    p.drawEllipse(bc, br, br);
    p.setBrush(QColor(5, 5, 20));
    p.drawEllipse(bc + QPointF(-br * 0.30, -br * 0.35), br * 0.11, br * 0.11);
    p.drawEllipse(bc + QPointF(br * 0.05, -br * 0.45), br * 0.11, br * 0.11);
    p.drawEllipse(bc + QPointF(-br * 0.05, -br * 0.05), br * 0.13, br * 0.13);

    // The name.
    QFont title = p.font();
    title.setBold(true);
    title.setPixelSize(qMax(12, int(r.height() * 0.30)));
    p.setFont(title);
    p.setPen(QColor(255, 220, 60));
    p.drawText(QRectF(r.left() + r.width() * 0.04, r.top() + r.height() * 0.06, r.width() * 0.6,
                      r.height() * 0.40),
               Qt::AlignLeft | Qt::AlignVCenter, u"ピノラ Pinora32"_s);
    p.restore();
}

} // namespace shell
