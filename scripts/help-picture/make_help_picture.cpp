// Draws the 236 x 129 help picture: the four steps of a search on a small copy of the window.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(0x2b, 0x3a, 0x55);
const QColor kAccent(0xd9, 0x4f, 0x2b);
const QColor kPanel(0xff, 0xff, 0xff);
const QColor kLine(0x9f, 0xb3, 0xc8);

QFont font(int pixelSize, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void step(QPainter& p, int x, int y, int number) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPoint(x, y), 7, 7);
    p.setPen(Qt::white);
    p.setFont(font(10, true));
    p.drawText(QRect(x - 7, y - 7, 14, 14), Qt::AlignCenter, QString::number(number));
}

void field(QPainter& p, int x, int y, const QString& caption, const QString& value) {
    p.setPen(kInk);
    p.setFont(font(10));
    p.drawText(QRect(x, y, 40, 14), Qt::AlignRight | Qt::AlignVCenter, caption);
    p.setPen(kLine);
    p.setBrush(kPanel);
    p.drawRect(x + 43, y, 46, 14);
    p.setPen(kInk);
    p.drawText(QRect(x + 46, y, 42, 14), Qt::AlignVCenter, value);
}

void button(QPainter& p, const QRect& r, const QString& caption) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    g.setColorAt(1, QColor(0xd6, 0xe0, 0xec));
    p.setPen(kLine);
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(kInk);
    p.setFont(font(10));
    p.drawText(r, Qt::AlignCenter, caption);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QImage image(236, 129, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, 129);
    background.setColorAt(0, QColor(0xee, 0xf4, 0xfb));
    background.setColorAt(1, QColor(0xdc, 0xe8, 0xf5));
    p.fillRect(image.rect(), background);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));

    // Left: the input side of the window.
    field(p, 4, 8, QString::fromUtf16(u"贴吧名"), QString::fromUtf16(u"李毅"));
    field(p, 4, 26, QString::fromUtf16(u"目标"), QString::fromUtf16(u"帖子"));
    step(p, 104, 22, 1);
    button(p, QRect(14, 48, 70, 18), QString::fromUtf16(u"读取信息"));
    step(p, 94, 57, 2);
    button(p, QRect(14, 74, 70, 18), QString::fromUtf16(u"载入"));
    step(p, 94, 83, 3);
    button(p, QRect(14, 100, 33, 16), QString::fromUtf16(u"上页"));
    button(p, QRect(51, 100, 33, 16), QString::fromUtf16(u"下页"));

    // Right: the result list with its context menu.
    const QRect list(116, 8, 112, 86);
    p.setPen(kLine);
    p.setBrush(kPanel);
    p.drawRect(list);
    p.fillRect(QRect(117, 9, 111, 13), QColor(0xe6, 0xec, 0xf3));
    p.setPen(kInk);
    p.setFont(font(9));
    p.drawText(QRect(120, 9, 60, 13), Qt::AlignVCenter, QString::fromUtf16(u"标题"));
    p.drawText(QRect(180, 9, 48, 13), Qt::AlignVCenter, QString::fromUtf16(u"地址"));
    for (int row = 0; row < 5; ++row) {
        const QRect line(117, 24 + row * 13, 111, 12);
        if (row == 1) {
            p.fillRect(line, QColor(0x3d, 0x7e, 0xc7));
            p.setPen(Qt::white);
        } else {
            p.setPen(kInk);
        }
        p.drawText(line.adjusted(3, 0, 0, 0), Qt::AlignVCenter,
                   QString::fromUtf16(u"帖子标题 ") + QString::number(row + 1));
        p.drawText(line.adjusted(63, 0, 0, 0), Qt::AlignVCenter,
                   QStringLiteral("/p/70%1").arg(row + 1));
    }
    // The popup menu, a little below and right of the pointer.
    QPainterPath pointer;
    pointer.moveTo(168, 40);
    pointer.lineTo(168, 51);
    pointer.lineTo(171, 48);
    pointer.lineTo(174, 53);
    pointer.lineTo(176, 52);
    pointer.lineTo(173, 47);
    pointer.lineTo(177, 47);
    pointer.closeSubpath();
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::white);
    p.drawPath(pointer);
    const QRect menu(156, 56, 76, 17);
    p.setPen(kLine);
    p.setBrush(QColor(0xfb, 0xfb, 0xfb));
    p.drawRect(menu);
    p.setPen(kInk);
    p.setFont(font(9));
    p.drawText(menu, Qt::AlignCenter, QString::fromUtf16(u"复制选中贴地址"));
    step(p, 145, 65, 4);

    p.setPen(kInk);
    p.setFont(font(10, true));
    p.drawText(QRect(116, 100, 116, 24), Qt::AlignCenter, QString::fromUtf16(u"右键复制帖子地址"));
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
