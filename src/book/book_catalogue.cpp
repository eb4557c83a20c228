#include "book/book_catalogue.h"

#include "app/game_state.h"

#include <cctype>

const char* const CANT_PLAY_BOOK_TITLE = "CAN'T PLAY BOOK";
const char* const CANT_PLAY_BOOK_TEXT =
    "You cannot play this book yet, but stay tuned for updates.";

namespace {

// Byte sizes of the demo archives. The build packs each one (tools/bookpack)
// and fills it up to exactly this size, so redrawn pictures do not move it;
// the two numbers are also in tools/bookpack/CMakeLists.txt.
constexpr int DEMO_BOOK1_ARCHIVE_SIZE = 2400000; // data/books/book1/01ftak.zip
constexpr int DEMO_BOOK2_ARCHIVE_SIZE = 1500000; // data/books/book2/02tdboh.zip

struct BookData {
    const char* title;
    int archiveSize;
    const char* lament;
};

// Books 3 to 20 have no published archive yet: their sizes are the figures we
// will publish them at, chosen now so that a downloaded archive can be checked.
const BookData BOOKS[BOOK_COUNT] = {
    {"Fleeing the Ashen Keep", DEMO_BOOK1_ARCHIVE_SIZE,
     "The blood of your fallen Vael brethren shall go unavenged..."},
    {"The Drowned Bell of Harrowmere", DEMO_BOOK2_ARCHIVE_SIZE,
     "The Drowned Bell will toll no more, and Harrowmere shall sink beneath the black mere..."},
    {"The Caverns of Sorrowdeep", 1184312,
     "The lost miners of Sorrowdeep shall never see the light of day again..."},
    {"Beneath the Iron Moon", 1297045,
     "Under the Iron Moon the forges of Karzul will arm a thousand legions..."},
    {"Siege of the Glass Citadel", 1503866,
     "The Glass Citadel shall shatter, and with it the last free city of the western shore..."},
    {"The Road to Dravenhold", 1422718,
     "Dravenhold will keep its secrets, and the Dravic lore shall be lost to the world..."},
    {"Ember Crown of Kesh", 1371590,
     "The Ember Crown passes to the tyrant of Kesh, and the southern kingdoms shall burn..."},
    {"Shadows over Thornmarch", 1458203,
     "Thornmarch shall be swallowed by shadow, and its people bound in chains..."},
    {"The Serpent Gate", 1390477,
     "The Serpent Gate stands open, and nothing can now stop what crawls through it..."},
    {"Winter of the Pale King", 1517934,
     "The Pale King's winter will never end, and the northlands shall freeze in silence..."},
    {"Voyage to the Sunken Isles", 1466128,
     "The Sunken Isles keep their treasure, and the sea-reavers rule the waves unchallenged..."},
    {"The Last Lantern", 1349761,
     "The Last Lantern gutters out, and darkness settles over the Vael monastery for good..."},
    {"Storm over Vaelhaven", 1612089,
     "The storm breaks over Vaelhaven, and no Vael remains to stand against it..."},
    {"The Ashen Throne", 1588352,
     "The Ashen Throne shall have its master, and every land shall kneel before it..."},
    {"Song of the Hollow Stars", 1645517,
     "The Hollow Stars fall silent, and their song shall never again guide the Vael..."},
    {"The Weeping Mountains", 1573906,
     "The Weeping Mountains weep for you as Karzul's armies pour through the passes..."},
    {"Blood on the Starfall Road", 1699240,
     "The Starfall Road runs red, and the allies who trusted you are left to die alone..."},
    {"The Twin Moons Rising", 1724381,
     "The twin moons rise over a world with no guardian left to watch it..."},
    {"Dawn of the Last Vael", 1758613,
     "With the last of the Vael gone, the order of Greystar passes out of memory..."},
    {"The Heart of Eternity", 1803372,
     "The Heart of Eternity is broken, and the world you swore to protect crumbles to dust..."},
};

int storageAccessFor(int number) {
    if (number == 1 || number == 11) return -1;
    if (number <= 4) return 0;
    return 1;
}

struct PageData {
    const char* name;
    const char* file;
    bool leftPage, flagB, flagC;
};

const PageData PAGES[FRONT_MATTER_COUNT] = {
    {"Section Text", "sect1", false, true, false},
    {"Title page", "title", false, false, true},
    {"Dedication", "dedicate", false, false, true},
    {"Acknowledgments", "acknwldg", false, false, true},
    {"The Story So Far", "tssf", false, false, true},
    {"Game Rules", "gamerulz", false, false, true},
    {"Disciplines", "discplnz", false, false, true},
    {"Equipment", "equipmnt", false, false, true},
    {"Combat Rules", "cmbtrulz", false, false, true},
    {"Levels of Training", "levels", false, false, true},
    {"Lore Circles", "lorecrcl", false, false, true},
    {"Improved Disciplines", "imprvdsc", false, false, true},
    {"Wisdom", "vaelwisdm", false, false, true},
    {"Combat Summary", "crsumary", false, false, true},
    {"Errata", "errata", false, false, true},
    {"Footnotes", "footnotz", false, false, true},
    {"Illustration", "ill1", true, true, true},
    {"Velmar License", "license", false, false, true},
    {"Table of Contents", "toc", true, true, true},
    {"Notice", "notice", true, false, true},
};

} // namespace

std::string makeBookCode(int number, const std::string& title) {
    std::string code;
    if (number >= 0 && number < 10) code += '0';
    code += std::to_string(number);
    bool atWordStart = true;
    for (char c : title) {
        if (c == ' ') {
            atWordStart = true;
            continue;
        }
        if (atWordStart) code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        atWordStart = false;
    }
    return code;
}

void buildBookCatalogue(Catalogues& catalogues) {
    for (int i = 0; i < BOOK_COUNT; ++i) {
        BookEntry b;
        b.number = i + 1;
        b.title = BOOKS[i].title;
        b.code = makeBookCode(b.number, b.title);
        b.lastSection = b.number == 5 ? 400 : 350;
        b.storageAccess = storageAccessFor(b.number);
        b.archiveSize = BOOKS[i].archiveSize;
        b.lament = BOOKS[i].lament;
        catalogues.books.push_back(b);
    }
}

void buildFrontMatter(Catalogues& catalogues) {
    for (int i = 0; i < FRONT_MATTER_COUNT; ++i) {
        FrontMatterPage p;
        p.name = PAGES[i].name;
        p.file = PAGES[i].file;
        p.index = i;
        p.pageId = i == 0 ? 0 : 100 * (i + 10);
        p.leftPage = PAGES[i].leftPage;
        p.flagB = PAGES[i].flagB;
        p.flagC = PAGES[i].flagC;
        catalogues.frontMatter.push_back(p);
    }
}

std::string bookLament(int number) {
    if (number < 1 || number > BOOK_COUNT) return "";
    return BOOKS[number - 1].lament;
}

int lastBookNumber(const Catalogues& catalogues) {
    return catalogues.books.empty() ? 0 : catalogues.books.back().number;
}

const BookEntry* findBook(const Catalogues& catalogues, int number) {
    if (number < 1 || number > static_cast<int>(catalogues.books.size())) return nullptr;
    return &catalogues.books[static_cast<size_t>(number - 1)];
}

const BookEntry* findBookByCode(const Catalogues& catalogues, const std::string& code) {
    for (const BookEntry& b : catalogues.books)
        if (b.code == code) return &b;
    return nullptr;
}

bool isBookPlayable(int number) {
    return number >= 1 && number < FIRST_UNPLAYABLE_BOOK;
}

BookMountInfo bookMountInfo(const BookEntry& book) {
    BookMountInfo info;
    info.number = book.number;
    info.code = book.code;
    info.archiveSize = book.archiveSize;
    return info;
}

std::string bookArchivePath(const BookEntry& book) {
    return "/data/books/book" + std::to_string(book.number) + "/" + book.code + ".zip";
}

bool isLastSection(const BookEntry& book, int section) {
    return section == book.lastSection;
}
