// The one record that owns all running state of the program, reached through
// the one global pointer `theApp`. Subsystems add their members here.
#pragma once

#include "book/book_catalogue.h"
#include "fs/data_file.h"

#include <vector>

struct Application {
    Application();

    FileSystemPaths paths;

    // Books: the catalogue and the front-matter pages, built by the constructor.
    std::vector<BookEntry> books;
    std::vector<FrontMatterPage> frontMatter;
};

extern Application* theApp;
