// The award notice on screen: the medal of the award earned last in the
// bottom-right corner (tool bar button 7), its tooltip listing the titles.
// Clicking it hides it again (the main loop's tool bar step).
#pragma once

#include <string>
#include <vector>

struct Application;

void notifyAwards(Application& app, const std::string& medal,
                  const std::vector<std::string>& titles);
