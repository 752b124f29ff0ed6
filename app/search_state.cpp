#include "app/search_state.h"

namespace tieba {

SearchState& searchState() {
    static SearchState state;
    return state;
}

void initSearchState() {
    searchState().links.clear();
    searchState().titles.clear();
}

void releaseSearchState() {
    // Swapping with fresh values gives the memory back, not only the contents.
    SearchState& state = searchState();
    Text().swap(state.searchAddress);
    Text().swap(state.postBody);
    Text().swap(state.pageText);
    TextList().swap(state.links);
    TextList().swap(state.titles);
}

} // namespace tieba
