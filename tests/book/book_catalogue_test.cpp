#include "app/game_state.h"
#include "book/book_catalogue.h"

#include <gtest/gtest.h>

#include <set>

TEST(BookCatalogue, TwentyBooksWithCodesFromTheirTitles) {
    const Catalogues catalogues = compiledCatalogues();
    ASSERT_EQ(catalogues.books.size(), 20u);
    EXPECT_EQ(lastBookNumber(catalogues), 20);
    EXPECT_EQ(catalogues.books[0].title, "Fleeing the Ashen Keep");
    EXPECT_EQ(catalogues.books[0].code, "01ftak");
    EXPECT_EQ(catalogues.books[1].title, "The Drowned Bell of Harrowmere");
    EXPECT_EQ(catalogues.books[1].code, "02tdboh");
    std::set<std::string> codes;
    for (int n = 1; n <= 20; ++n) {
        const BookEntry* b = findBook(catalogues, n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->number, n);
        EXPECT_EQ(b->code, makeBookCode(n, b->title));
        EXPECT_EQ(b->code.substr(0, 2), (n < 10 ? "0" : "") + std::to_string(n));
        EXPECT_EQ(findBookByCode(catalogues, b->code), b);
        EXPECT_FALSE(b->lament.empty());
        codes.insert(b->code);
        if (n > 2) {
            EXPECT_GT(b->archiveSize, 349) << n;
        }
    }
    EXPECT_EQ(codes.size(), 20u);
    EXPECT_EQ(findBook(catalogues, 0), nullptr);
    EXPECT_EQ(findBook(catalogues, 21), nullptr);
    EXPECT_EQ(bookArchivePath(catalogues.books[0]), "/data/books/book1/01ftak.zip");
}

TEST(BookCatalogue, LastSectionsStorageAndPlayability) {
    const Catalogues catalogues = compiledCatalogues();
    EXPECT_EQ(catalogues.books[4].lastSection, 400);
    EXPECT_FALSE(isLastSection(catalogues.books[4], 350));
    EXPECT_TRUE(isLastSection(catalogues.books[4], 400));
    EXPECT_TRUE(isLastSection(catalogues.books[0], 350));
    const int storage[20] = {-1, 0, 0, 0, 1, 1, 1, 1, 1, 1, -1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(catalogues.books[i].storageAccess, storage[i]) << i + 1;
        if (i != 4) {
            EXPECT_EQ(catalogues.books[i].lastSection, 350);
        }
    }
    EXPECT_TRUE(isBookPlayable(17));
    EXPECT_FALSE(isBookPlayable(18));
    EXPECT_FALSE(isBookPlayable(20));
    EXPECT_STREQ(CANT_PLAY_BOOK_TITLE, "CAN'T PLAY BOOK");
}

TEST(BookCatalogue, Laments) {
    EXPECT_EQ(bookLament(1), "The blood of your fallen Vael brethren shall go unavenged...");
    EXPECT_EQ(bookLament(0), "");
    EXPECT_EQ(bookLament(21), "");
    EXPECT_NE(bookLament(20), "");
}

TEST(BookCatalogue, FrontMatterPages) {
    const Catalogues catalogues = compiledCatalogues();
    ASSERT_EQ(catalogues.frontMatter.size(), 20u);
    const FrontMatterPage& sect = catalogues.frontMatter[0];
    EXPECT_EQ(sect.file, "sect1");
    EXPECT_EQ(sect.pageId, 0);
    EXPECT_TRUE(sect.flagB);
    EXPECT_FALSE(sect.flagC);
    for (int i = 1; i < 20; ++i) {
        EXPECT_EQ(catalogues.frontMatter[i].index, i);
        EXPECT_EQ(catalogues.frontMatter[i].pageId, 100 * (i + 10));
        EXPECT_TRUE(catalogues.frontMatter[i].flagC);
    }
    EXPECT_EQ(catalogues.frontMatter[12].file, "vaelwisdm");
    EXPECT_EQ(catalogues.frontMatter[18].name, "Table of Contents");
    EXPECT_TRUE(catalogues.frontMatter[18].leftPage && catalogues.frontMatter[18].flagB);
    EXPECT_TRUE(catalogues.frontMatter[19].leftPage);
    EXPECT_FALSE(catalogues.frontMatter[19].flagB);
    EXPECT_TRUE(catalogues.frontMatter[16].leftPage);
    EXPECT_FALSE(catalogues.frontMatter[17].leftPage);
}
