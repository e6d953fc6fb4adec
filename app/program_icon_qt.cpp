#include "app/program_icon_qt.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace nuvel {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x9a));
    const qreal radius = size / 6.0;
    p.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(QChar(0x05E0)));  // nun
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace nuvel
