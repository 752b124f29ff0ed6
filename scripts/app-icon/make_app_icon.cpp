// Draws the program's icon, a magnifier over a page of posts, at every hicolor size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    // The page: a rounded card in the forum's blue.
    QLinearGradient card(0, 16, 0, 240);
    card.setColorAt(0, QColor(0x4a, 0x90, 0xe2));
    card.setColorAt(1, QColor(0x2c, 0x5f, 0xb3));
    p.setPen(Qt::NoPen);
    p.setBrush(card);
    p.drawRoundedRect(QRectF(16, 16, 200, 224), 36, 36);

    // Rows of posts.
    p.setBrush(QColor(255, 255, 255, 230));
    for (int row = 0; row < 4; ++row) {
        const qreal y = 52 + row * 40;
        p.drawRoundedRect(QRectF(44, y, row % 2 == 0 ? 140 : 110, 18), 9, 9);
    }

    // The magnifier.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xf5, 0xa6, 0x23), 26, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(196, 196), QPointF(236, 236));
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), 18));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(160, 160), 52, 52);
    p.setPen(QPen(QColor(0xf5, 0xa6, 0x23), 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(160, 160), 52, 52);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        if (!icon(size).save(out.filePath(QStringLiteral("tieba-search-%1.png").arg(size)))) {
            return 1;
        }
    }
    return 0;
}
