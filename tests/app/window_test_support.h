#pragma once

#include "app/main_window.h"
#include "app/result_list.h"
#include "app/search_state.h"
#include "app/status_strip.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <memory>
#include <string>

namespace tieba::testing {

inline QString qs(const char16_t* text) {
    return QString::fromUtf16(text);
}

// A control of the window, found by its name as the tests' users know it.
template <typename Control>
Control* control(const MainWindow& window, const char16_t* name) {
    Control* found = window.findChild<Control*>(qs(name));
    if (found == nullptr) {
        qFatal("no control named %s", qs(name).toUtf8().constData());
    }
    return found;
}

inline void click(const MainWindow& window, const char16_t* buttonName) {
    QTest::mouseClick(control<QPushButton>(window, buttonName), Qt::LeftButton);
}

// Typed keys for ASCII; QTest cannot type other characters, so those are set as if pasted.
inline void type(const MainWindow& window, const char16_t* boxName, const QString& text) {
    auto* box = control<QLineEdit>(window, boxName);
    box->clear();
    bool ascii = true;
    for (const QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (ascii) {
        QTest::keyClicks(box, text);
    } else {
        box->setText(text);
    }
}

// How every search test starts: a fresh search state and a shown window with a bar name and a
// target typed in; null when the window never got on screen.
inline std::unique_ptr<MainWindow> openSearchWindow() {
    initSearchState();
    searchState() = SearchState();
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return nullptr;
    }
    type(*window, u"编辑框1", QStringLiteral("test"));
    type(*window, u"编辑框3", QStringLiteral("A1"));
    return window;
}

} // namespace tieba::testing
