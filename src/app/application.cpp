#include "app/application.h"

#include "app/subsystem_hooks.h"

Application* theApp = nullptr;

Application::Application() {
    settings.app = this;
    // Compiled-in tables come first: everything after start-up may read them.
    catalogues = compiledCatalogues();
}

Application* createApplication() {
    theApp = new Application();
    return theApp;
}

void destroyApplication() {
    delete theApp;
    theApp = nullptr;
}
