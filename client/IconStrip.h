#pragma once
#include <QIcon>
#include <vector>

// The icons of a strip of 16 x 16 cells from the data folder, magenta showing through; none when
// the picture cannot be read.
std::vector<QIcon> IconStrip(const char *path);
// A cell of the strip, or no icon for an index outside it.
QIcon IconAt(const std::vector<QIcon> &icons, int index);
