#include "app/application.h"

Application* theApp = nullptr;
