#pragma once

class QWidget;

namespace tarvo::gui {

// Makes a window at least wide enough for its title bar to show the whole title (with room for
// the window's icon and buttons), as far as the screen allows: titles name what is edited. Call
// it once the window's layout is complete: the window keeps at least the room its layout needs.
void KeepTitleWhole(QWidget& window);

}  // namespace tarvo::gui
