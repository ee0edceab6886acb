#pragma once

#include <QFont>

// The scalable font of the labels (the printer's font 0), drawn with Liberation Sans
// Narrow Bold from the program's resources, so pictures are the same on every machine.
// Needs a QGuiApplication.
namespace render {

// The font at `heightDots` pixels, without anti-aliasing: a thermal head prints a dot or none.
QFont labelFont(int heightDots);

} // namespace render
