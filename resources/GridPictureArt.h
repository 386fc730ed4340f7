#pragma once
// Drawings of the grid pictures, on a 16-unit grid.
#include <QPainter>

// Draws the grid picture with this resource number; false (nothing drawn) for an unknown one.
bool PaintGridPicture(int id, QPainter& p);
