#pragma once

#include "text/gbk_text.h"

#include <QString>

#include <string_view>

// The one crossing between the program's GBK texts and Qt's strings.
namespace tieba {

QString fromGbk(std::string_view gbk);
Text toGbk(const QString& text);

} // namespace tieba
