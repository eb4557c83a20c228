#include "app/game_state.h"

Catalogues compiledCatalogues() {
    Catalogues catalogues;
    buildBookCatalogue(catalogues);
    buildFrontMatter(catalogues);
    return catalogues;
}
