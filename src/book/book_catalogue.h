// The twenty books of the series and the front-matter pages every book archive
// carries besides its numbered sections. Both tables are compiled in and built
// once into the catalogues, by the Application's constructor.
#pragma once

#include "fs/file_system.h"

#include <string>
#include <vector>

struct Catalogues;

struct BookEntry {
    int number = 0;         // 1 to 20
    std::string title;      // display title
    std::string code;       // "NN" + lower-case initials of the title's words; also the mount point
    int lastSection = 350;  // reaching it ends the book (awards check)
    int storageAccess = -1; // 1 direct deposit allowed, 0 only with the house rule, -1 never
    int archiveSize = 0;    // exact byte size of the published zip; another size means damaged
    std::string lament;     // the death window's line for this book
};

struct FrontMatterPage {
    std::string name; // shown for the page
    std::string file; // base name of the XHTML file inside the archive (".htm" is added)
    int index = 0;    // position in the table; also the page panel that shows it
    int pageId = 0;   // 100 x (index + 10), 0 for the section text
    bool leftPage = false;
    bool flagB = false;
    bool flagC = false;
};

constexpr int BOOK_COUNT = 20;
// Books from this number on can be chosen but not started yet, and are not mounted.
constexpr int FIRST_UNPLAYABLE_BOOK = 18;
constexpr int FRONT_MATTER_COUNT = 20;

extern const char* const CANT_PLAY_BOOK_TITLE; // "CAN'T PLAY BOOK"
extern const char* const CANT_PLAY_BOOK_TEXT;

void buildBookCatalogue(Catalogues& catalogues);
void buildFrontMatter(Catalogues& catalogues);
std::string bookLament(int number);
int lastBookNumber(const Catalogues& catalogues);

// The short code: the number as two digits, then the lower-case first letter of
// every blank-separated word of the title ("Fleeing the Ashen Keep" -> "01ftak").
std::string makeBookCode(int number, const std::string& title);
// Book n is element n - 1; null outside the catalogue.
const BookEntry* findBook(const Catalogues& catalogues, int number);
// The entry whose code matches; null when none does.
const BookEntry* findBookByCode(const Catalogues& catalogues, const std::string& code);
bool isBookPlayable(int number);
// What the file system needs to mount the book.
BookMountInfo bookMountInfo(const BookEntry& book);
// "/data/books/book" N "/" code ".zip"
std::string bookArchivePath(const BookEntry& book);
// True when reaching `section` in `book` ends the book.
bool isLastSection(const BookEntry& book, int section);
