#pragma once
#include <QImage>

namespace carnelis::shell {

// The postage stamp of the main window and of the window icon: a perforated sheet
// edge, a seaside motif and a face value. Painted by code so it is ours and can be
// drawn again at any size; the shipped data/timbre.png comes from here.
QImage paintStamp(int width = 225, int height = 142);

} // namespace carnelis::shell
