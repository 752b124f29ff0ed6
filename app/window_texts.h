#pragma once

#include "text/gbk_text.h"

// The texts the window shows, as GBK texts.
namespace tieba {

enum class WindowText {
    Title,
    BarNameCaption,
    TargetCaption,
    ReadInfoButton,
    PageBoxStart,
    ClearBeforeSearch,
    LoadHint,
    LoadButton,
    PreviousButton,
    NextButton,
    TitleColumn,
    AddressColumn,
    StatusMotto,
    ListMenuCaption,
    CopyAddressItem,
    UsageHelp,
    PagingHelp,
    RequestFailed,
};

Text windowText(WindowText which);

} // namespace tieba
