// Our own SkinH_EL: the skin library that the program places beside itself and loads at run
// time. It is an ELF shared object although its file is named "SkinH_EL.dll", the name the
// program looks it up by. It restyles the program's running QApplication, through the same Qt
// that the program links.

#include "skin/library/aero_shadows.h"
#include "skin/library/skin_document.h"
#include "skin/library/skin_look.h"
#include "skin/library/skinh_el_api.h"

#include <QApplication>
#include <QThread>

#include <cstddef>
#include <type_traits>

namespace {

QApplication* guiApplication() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    return app != nullptr && QThread::currentThread() == app->thread() ? app : nullptr;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
SkinH_AttachRes(const unsigned char* data, int length, const char* /*password*/, int /*hue*/,
                int /*saturation*/, int /*brightness*/) {
    QApplication* app = guiApplication();
    if (app == nullptr) {
        return tieba::kSkinNoApplication;
    }
    if (data == nullptr || length <= 0) {
        tieba::skinlib::wearDefaultLook(*app);
        tieba::skinlib::recolourAeroShadows(*app);
        return tieba::kSkinDone;
    }
    const auto skin = tieba::skinlib::readSkinDocument({data, static_cast<std::size_t>(length)});
    if (!skin) {
        return tieba::kSkinNotASkin;
    }
    tieba::skinlib::wearSkin(*app, *skin);
    tieba::skinlib::recolourAeroShadows(*app);
    return tieba::kSkinDone;
}

extern "C" __attribute__((visibility("default"))) int SkinH_SetAero(int on) {
    QApplication* app = guiApplication();
    if (app == nullptr) {
        return tieba::kSkinNoApplication;
    }
    tieba::skinlib::setAeroShadows(*app, on != 0);
    return tieba::kSkinDone;
}

static_assert(std::is_same_v<decltype(SkinH_AttachRes), tieba::SkinAttachResFunction>);
static_assert(std::is_same_v<decltype(SkinH_SetAero), tieba::SkinSetAeroFunction>);
