#include "app/application.h"

Application* theApp = nullptr;

Application::Application() {
    // Compiled-in tables come first: everything after start-up may read them.
    buildBookCatalogue(*this);
    buildFrontMatter(*this);
}
