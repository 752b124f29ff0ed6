#include "skin/library/aero_shadows.h"

#include "skin/library/skin_look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QHeaderView>

namespace tieba::skinlib {
namespace {

constexpr const char* kWatcherName = "tiebaSkinAero";
constexpr const char* kShadowName = "tiebaSkinAeroShadow";

// Panels only: a shadow costs one off-screen render per repaint, so small controls, headers and
// popups go without.
bool castsShadow(const QWidget& widget) {
    const bool panel = qobject_cast<const QGroupBox*>(&widget) != nullptr ||
                       (qobject_cast<const QAbstractItemView*>(&widget) != nullptr &&
                        qobject_cast<const QHeaderView*>(&widget) == nullptr);
    return panel && !widget.isWindow() && widget.window()->windowType() != Qt::Popup;
}

bool isOurShadow(const QGraphicsEffect* effect) {
    return effect != nullptr && effect->objectName() == QLatin1String(kShadowName);
}

void castShadow(QWidget& widget, const QColor& colour) {
    if (widget.graphicsEffect() != nullptr || !castsShadow(widget)) {
        return;
    }
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setObjectName(QLatin1String(kShadowName));
    shadow->setBlurRadius(14.0);
    shadow->setOffset(0.0, 2.0);
    shadow->setColor(colour);
    widget.setGraphicsEffect(shadow);
}

// Sees every widget of the application just before it is first shown.
class ShadowCaster : public QObject {
public:
    explicit ShadowCaster(QApplication& app) : QObject(&app), app_(app) {
        setObjectName(QLatin1String(kWatcherName));
        app.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish && watched->isWidgetType()) {
            castShadow(*static_cast<QWidget*>(watched), shadowColour(app_));
        }
        return false;
    }

private:
    QApplication& app_;
};

QObject* casterOf(const QApplication& app) {
    return app.findChild<QObject*>(QLatin1String(kWatcherName), Qt::FindDirectChildrenOnly);
}

} // namespace

void setAeroShadows(QApplication& app, bool on) {
    QObject* caster = casterOf(app);
    if (on && caster == nullptr) {
        new ShadowCaster(app);
        const QColor colour = shadowColour(app);
        for (QWidget* widget : QApplication::allWidgets()) {
            castShadow(*widget, colour);
        }
    } else if (!on && caster != nullptr) {
        delete caster;
        for (QWidget* widget : QApplication::allWidgets()) {
            if (isOurShadow(widget->graphicsEffect())) {
                widget->setGraphicsEffect(nullptr);
            }
        }
    }
}

void recolourAeroShadows(const QApplication& app) {
    if (casterOf(app) == nullptr) {
        return;
    }
    const QColor colour = shadowColour(app);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(widget->graphicsEffect());
            isOurShadow(shadow)) {
            shadow->setColor(colour);
        }
    }
}

} // namespace tieba::skinlib
