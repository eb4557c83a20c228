#include "app/application.h"

int main(int, char**) {
    Application application;
    theApp = &application;
    theApp = nullptr;
    return 0;
}
