#pragma once

#include "text/gbk_text.h"

#include <cstdint>

// What the search handlers share for the whole run of the program.
namespace tieba {

struct SearchState {
    std::int32_t pageNumber = 0; // "载入" sets 1, "上一页" -1, "下一页" +1; unbounded
    Text searchAddress;          // full address of the last request
    Text postBody;               // form body of the last request
    Text pageText;               // page the last request returned
    TextList links;              // post addresses of the last listed page
    TextList titles;             // post titles of the last listed page
    std::int32_t listPosition = 0;
    std::int32_t currentRow = 0;
};

// The program's one search state; lives from start-up to program end.
SearchState& searchState();

void initSearchState();
void releaseSearchState();

} // namespace tieba
