#include "skin/library/skin_look.h"

#include "skin/library/skin_style.h"

#include <QApplication>
#include <QMetaEnum>
#include <QPalette>
#include <QStyle>

#include <string_view>

namespace tieba::skinlib {
namespace {

// The state lives on the application object, not in this library, so it ends with the application.
constexpr const char* kDefaultStyle = "tiebaSkinDefaultStyle";
constexpr const char* kDefaultPalette = "tiebaSkinDefaultPalette";
constexpr const char* kShadow = "tiebaSkinShadow";

constexpr std::string_view kPalettePrefix = "palette.";

QColor colourOf(const std::string& text) {
    return QColor::fromString(QAnyStringView(text.data(), static_cast<qsizetype>(text.size())));
}

QPalette paletteOf(const SkinDocument& skin, const QPalette& base) {
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    QPalette palette = base;
    for (const SkinSetting& setting : skin.settings) {
        if (!std::string_view(setting.key).starts_with(kPalettePrefix)) {
            continue;
        }
        bool known = false;
        const int role = roles.keyToValue(setting.key.c_str() + kPalettePrefix.size(), &known);
        const QColor colour = colourOf(setting.value);
        if (known && colour.isValid()) {
            palette.setColor(static_cast<QPalette::ColorRole>(role), colour);
        }
    }
    // Disabled texts fade halfway into their background instead of keeping the skin's colour.
    const auto fade = [&palette](QPalette::ColorRole text, QPalette::ColorRole background) {
        const QColor a = palette.color(QPalette::Active, text);
        const QColor b = palette.color(QPalette::Active, background);
        palette.setColor(QPalette::Disabled, text,
                         QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2,
                                (a.blue() + b.blue()) / 2));
    };
    fade(QPalette::WindowText, QPalette::Window);
    fade(QPalette::Text, QPalette::Base);
    fade(QPalette::ButtonText, QPalette::Button);
    return palette;
}

} // namespace

void wearSkin(QApplication& app, const SkinDocument& skin) {
    // The application's style sheet belongs to the skin; clearing it first unwraps the style, so
    // that the name read below is the real style's.
    app.setStyleSheet(QString());
    if (!app.property(kDefaultStyle).isValid()) {
        app.setProperty(kDefaultStyle, QApplication::style()->name());
        app.setProperty(kDefaultPalette, QApplication::palette());
    }
    // The same style on every desktop, so that a skin looks the same everywhere.
    if (!isSkinStyle(QApplication::style())) {
        QApplication::setStyle(newSkinStyle());
    }
    QApplication::setPalette(paletteOf(skin, QApplication::style()->standardPalette()));

    const std::optional<std::string> shadow = settingOf(skin, "shadow");
    const QColor colour = shadow ? colourOf(*shadow) : QColor();
    app.setProperty(kShadow, colour.isValid() ? QVariant(colour) : QVariant());

    app.setStyleSheet(
        QString::fromUtf8(skin.styleSheet.data(), static_cast<qsizetype>(skin.styleSheet.size())));
}

void wearDefaultLook(QApplication& app) {
    app.setStyleSheet(QString());
    app.setProperty(kShadow, QVariant());
    const QVariant style = app.property(kDefaultStyle);
    if (!style.isValid()) {
        return;
    }
    if (isSkinStyle(QApplication::style()) && QApplication::setStyle(style.toString()) == nullptr) {
        QApplication::setStyle(QStringLiteral("Fusion")); // a style known by no name
    }
    QApplication::setPalette(app.property(kDefaultPalette).value<QPalette>());
    app.setProperty(kDefaultStyle, QVariant());
    app.setProperty(kDefaultPalette, QVariant());
}

QColor shadowColour(const QApplication& app) {
    const QVariant colour = app.property(kShadow);
    return colour.isValid() ? colour.value<QColor>() : QColor(0, 0, 0, 80);
}

} // namespace tieba::skinlib
