#include "core/system/SideBySide.h"

#include <algorithm>

namespace titralab::system {

SideBySide besideMainWindow(const Rect& screen, const Rect& main, int graphMinimum,
                            int mainMinimum) {
    SideBySide out;
    out.main = main;
    const int minimumGraph = std::min(screen.width, std::max(screen.width / 2, graphMinimum));
    const int mainWidth = std::max(std::min(main.width, screen.width - minimumGraph),
                                   std::min({mainMinimum, main.width, screen.width}));
    out.main.width = mainWidth;
    int right = screen.left + screen.width;
    // The main window stays where it is when the graph window finds room on its right.
    if (right - (main.left + mainWidth) < minimumGraph) out.main.left = screen.left;
    out.main.left = std::max(out.main.left, screen.left);
    out.main.top = std::clamp(main.top, screen.top, screen.top + std::max(0, screen.height - 50));
    const int graphLeft = out.main.left + mainWidth;
    out.graph = {graphLeft, screen.top, right - graphLeft, screen.height};
    return out;
}

} // namespace titralab::system
