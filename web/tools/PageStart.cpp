// Prints what the page shows before its WebAssembly has started, as one JSON
// object: the control table and the state of a fresh page's controls, so
// that the page is built and drawn while the WebAssembly compiles. Runs under
// Node at build time; assemble.py puts the output into the page.
#include "web/PageJson.h"

#include <cstdio>

int main()
{
    const zentavo::WebPage fresh({}, 0);
    std::printf("{\"table\":%s,\"start\":%s}\n", zentavo::ControlTableJson().c_str(),
                zentavo::StateJson(fresh).c_str());
}
