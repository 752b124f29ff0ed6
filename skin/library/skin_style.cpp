#include "skin/library/skin_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tieba::skinlib {
namespace {

constexpr const char* kSkinStyleName = "tiebaSkinStyle";

// A box in the palette's mid tone, filled with the highlight when ticked, the tick itself in the
// highlighted-text colour.
void drawCheckBox(const QStyleOption& option, QPainter& painter) {
    const QPalette& palette = option.palette;
    const bool enabled = option.state.testFlag(QStyle::State_Enabled);
    const bool ticked = option.state.testFlag(QStyle::State_On);
    const bool partly = option.state.testFlag(QStyle::State_NoChange);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);

    const QRectF box = QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor frame = palette.color(QPalette::Mid);
    QColor fill = palette.color(QPalette::Base);
    if (!enabled) {
        fill = palette.color(QPalette::Window);
    } else if (ticked || partly) {
        frame = palette.color(QPalette::Highlight);
        fill = frame;
    } else if (hovered) {
        frame = palette.color(QPalette::Highlight);
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(frame, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 2.0, 2.0);

    const QColor mark = enabled ? palette.color(QPalette::HighlightedText)
                                : palette.color(QPalette::Disabled, QPalette::Text);
    painter.setPen(
        QPen(mark, qMax(1.5, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const auto at = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    if (ticked) {
        QPainterPath tick(at(0.22, 0.52));
        tick.lineTo(at(0.42, 0.72));
        tick.lineTo(at(0.78, 0.30));
        painter.drawPath(tick);
    } else if (partly) {
        painter.drawLine(at(0.25, 0.5), at(0.75, 0.5));
    }
    painter.restore();
}

class SkinStyle : public QProxyStyle {
public:
    SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
        setObjectName(QLatin1String(kSkinStyleName));
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if ((element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck) &&
            option != nullptr && painter != nullptr) {
            drawCheckBox(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

QStyle* newSkinStyle() {
    return new SkinStyle;
}

bool isSkinStyle(const QStyle* style) {
    return style != nullptr && style->objectName() == QLatin1String(kSkinStyleName);
}

} // namespace tieba::skinlib
