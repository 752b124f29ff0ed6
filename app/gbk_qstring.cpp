#include "app/gbk_qstring.h"

#include "text/codepage_conversion.h"

namespace tieba {

QString fromGbk(std::string_view gbk) {
    return QString::fromStdU16String(multiByteToUtf16(gbk, CodePage::Gbk));
}

Text toGbk(const QString& text) {
    return utf16ToMultiByte(text.toStdU16String(), CodePage::Gbk);
}

} // namespace tieba
