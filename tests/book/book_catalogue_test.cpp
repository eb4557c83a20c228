#include "app/application.h"
#include "book/book_catalogue.h"

#include <gtest/gtest.h>

#include <set>

TEST(BookCatalogue, TwentyBooksWithCodesFromTheirTitles) {
    Application app;
    ASSERT_EQ(app.books.size(), 20u);
    EXPECT_EQ(lastBookNumber(app), 20);
    EXPECT_EQ(app.books[0].title, "Fleeing the Ashen Keep");
    EXPECT_EQ(app.books[0].code, "01ftak");
    EXPECT_EQ(app.books[1].title, "The Drowned Bell of Harrowmere");
    EXPECT_EQ(app.books[1].code, "02tdboh");
    std::set<std::string> codes;
    for (int n = 1; n <= 20; ++n) {
        const BookEntry* b = findBook(app, n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->number, n);
        EXPECT_EQ(b->code, makeBookCode(n, b->title));
        EXPECT_EQ(b->code.substr(0, 2), (n < 10 ? "0" : "") + std::to_string(n));
        EXPECT_EQ(findBookByCode(app, b->code), b);
        EXPECT_FALSE(b->lament.empty());
        codes.insert(b->code);
        if (n > 2) {
            EXPECT_GT(b->archiveSize, 349) << n;
        }
    }
    EXPECT_EQ(codes.size(), 20u);
    EXPECT_EQ(findBook(app, 0), nullptr);
    EXPECT_EQ(findBook(app, 21), nullptr);
    EXPECT_EQ(bookArchivePath(app.books[0]), "/data/books/book1/01ftak.zip");
}

TEST(BookCatalogue, LastSectionsStorageAndPlayability) {
    Application app;
    EXPECT_EQ(app.books[4].lastSection, 400);
    EXPECT_FALSE(isLastSection(app.books[4], 350));
    EXPECT_TRUE(isLastSection(app.books[4], 400));
    EXPECT_TRUE(isLastSection(app.books[0], 350));
    const int storage[20] = {-1, 0, 0, 0, 1, 1, 1, 1, 1, 1, -1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(app.books[i].storageAccess, storage[i]) << i + 1;
        if (i != 4) {
            EXPECT_EQ(app.books[i].lastSection, 350);
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
    Application app;
    ASSERT_EQ(app.frontMatter.size(), 20u);
    const FrontMatterPage& sect = app.frontMatter[0];
    EXPECT_EQ(sect.file, "sect1");
    EXPECT_EQ(sect.pageId, 0);
    EXPECT_TRUE(sect.flagB);
    EXPECT_FALSE(sect.flagC);
    for (int i = 1; i < 20; ++i) {
        EXPECT_EQ(app.frontMatter[i].index, i);
        EXPECT_EQ(app.frontMatter[i].pageId, 100 * (i + 10));
        EXPECT_TRUE(app.frontMatter[i].flagC);
    }
    EXPECT_EQ(app.frontMatter[12].file, "vaelwisdm");
    EXPECT_EQ(app.frontMatter[18].name, "Table of Contents");
    EXPECT_TRUE(app.frontMatter[18].leftPage && app.frontMatter[18].flagB);
    EXPECT_TRUE(app.frontMatter[19].leftPage);
    EXPECT_FALSE(app.frontMatter[19].flagB);
    EXPECT_TRUE(app.frontMatter[16].leftPage);
    EXPECT_FALSE(app.frontMatter[17].leftPage);
}
