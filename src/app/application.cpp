#include "app/application.h"

#include "app/subsystem_hooks.h"

Application* theApp = nullptr;

Application::Application() {
    settings.app = this;
}

Application* createApplication() {
    theApp = new Application();
    hooks::buildStaticTables(*theApp);
    return theApp;
}

void destroyApplication() {
    delete theApp;
    theApp = nullptr;
}
