#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace zentavo {

// The margins the desktop's frame (title bar and borders) will add around
// `window`, a top-level widget whose native window exists but is not shown
// yet, so that it can be mapped at its final size and place. Zero where no
// frame is added: no window manager, or a platform without frames. Under an
// X11 window manager they are asked of it before the window is mapped;
// nullopt where the frame cannot be known until the window is shown (a
// window manager that does not answer, or another platform).
std::optional<QMargins> FrameMarginsBeforeShow(QWidget& window);

}  // namespace zentavo
