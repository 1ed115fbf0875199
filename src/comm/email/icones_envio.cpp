#include "comm/email/icones_envio.h"

#include <QPainter>
#include <QPainterPath>

namespace vendrilo {

namespace {

void envelope(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(60, 60, 90), 1.5));
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(r);
    p.drawLine(r.topLeft(), QPointF(r.center().x(), r.center().y() + r.height() * 0.1));
    p.drawLine(r.topRight(), QPointF(r.center().x(), r.center().y() + r.height() * 0.1));
}

} // namespace

QIcon IconeEnvio(FiguraEnvio figura)
{
    QPixmap pm(40, 35);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (figura) {
    case FiguraEnvio::Novo: {
        QPainterPath folha;
        folha.moveTo(11, 3);
        folha.lineTo(24, 3);
        folha.lineTo(30, 9);
        folha.lineTo(30, 32);
        folha.lineTo(11, 32);
        folha.closeSubpath();
        p.setPen(QPen(QColor(70, 70, 70), 1.5));
        p.setBrush(Qt::white);
        p.drawPath(folha);
        p.drawLine(24, 3, 24, 9);
        p.drawLine(24, 9, 30, 9);
        break;
    }
    case FiguraEnvio::Enviar:
        envelope(p, QRectF(4, 8, 26, 19));
        p.setPen(QPen(QColor(0, 120, 0), 3));
        p.drawLine(26, 24, 37, 24);
        p.drawLine(37, 24, 32, 19);
        p.drawLine(37, 24, 32, 29);
        break;
    case FiguraEnvio::Anexar: {
        p.setPen(QPen(QColor(90, 90, 110), 2.5));
        p.setBrush(Qt::NoBrush);
        QPainterPath clipe;
        clipe.moveTo(16, 28);
        clipe.lineTo(16, 9);
        clipe.arcTo(16, 4, 10, 10, 180, -180);
        clipe.lineTo(26, 26);
        clipe.arcTo(12, 22, 14, 10, 0, -180);
        clipe.lineTo(12, 12);
        p.drawPath(clipe);
        break;
    }
    case FiguraEnvio::Ajuda:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 180));
        p.drawEllipse(QRectF(7, 3, 28, 28));
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("Sans"), 16, QFont::Bold));
        p.drawText(QRectF(7, 3, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case FiguraEnvio::Sair:
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(8, 4, 16, 27));
        p.setPen(QPen(QColor(180, 0, 0), 3));
        p.drawLine(20, 18, 36, 18);
        p.drawLine(36, 18, 31, 13);
        p.drawLine(36, 18, 31, 23);
        break;
    }
    return QIcon(pm);
}

QPixmap FiguraAjudaEnvio()
{
    QPixmap pm(96, 72);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    envelope(p, QRectF(4, 8, 86, 58));
    return pm;
}

} // namespace vendrilo
