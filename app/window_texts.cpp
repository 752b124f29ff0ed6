#include "app/window_texts.h"

#include "text/codepage_conversion.h"

#include <string_view>

namespace tieba {
namespace {

// Written as UTF-16 so that they read as Chinese here; the window keeps them as GBK.
std::u16string_view utf16Text(WindowText which) {
    switch (which) {
    case WindowText::Title:
        return u"<墨枢>快速搜索软件  の 【←Q→】";
    case WindowText::BarNameCaption:
        return u"贴吧名：";
    case WindowText::TargetCaption:
        return u"搜索目标：";
    case WindowText::ReadInfoButton:
        return u"读取信息";
    case WindowText::PageBoxStart:
        return u"1";
    case WindowText::ClearBeforeSearch:
        return u"搜索前是否清空列表";
    case WindowText::LoadHint:
        return u"请先读取信息\n再载入";
    case WindowText::LoadButton:
        return u"载入";
    case WindowText::PreviousButton:
        return u"上一页";
    case WindowText::NextButton:
        return u"下一页";
    case WindowText::TitleColumn:
        return u"标题：";
    case WindowText::AddressColumn:
        return u"地址：";
    case WindowText::StatusMotto:
        return u"伟大是一种职业——Q";
    case WindowText::ListMenuCaption:
        return u"e";
    case WindowText::CopyAddressItem:
        return u"复制选中贴地址";
    case WindowText::UsageHelp:
        return u"使用方法：填好“贴吧名”和“搜索目标”，先点“读取信息”，"
               u"状态条显示结果概况，右上方显示共有几页。";
    case WindowText::PagingHelp:
        return u"在页码框填页码，点“载入”列出该页结果，再用“上一页”“下一页”翻页；"
               u"在列表上点右键，可复制选中帖子的完整地址。";
    case WindowText::RequestFailed:
        return u"搜索请求失败：没有收到网页，请检查网络后再试。";
    }
    return u"";
}

} // namespace

Text windowText(WindowText which) {
    return utf16ToMultiByte(utf16Text(which), CodePage::Gbk);
}

} // namespace tieba
