#pragma once

#include "web/WebPage.h"

#include <string>

// What the page is told, as JSON (UTF-8).
namespace zentavo {

// The controls the page builds: the window's control table (ControlTable.h)
// with the families of its fonts, the window's commands the page leaves out,
// and the page's own controls (PageTable.h). Put into the page at build time.
std::string ControlTableJson();

// The state of the controls and of the sheets beside them: each dan box's
// checked and enabled state, each group's item and enabled state, the
// commands' enabled states, Edit1, the seed, the shown side and its sheet.
std::string StateJson(const WebPage& page);

}  // namespace zentavo
