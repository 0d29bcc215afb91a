#pragma once

class QWidget;

// True when the display has 15 or fewer bits per pixel.
bool LowColourDisplay();

// Recolours a window and its components in the system colours.
void ApplySystemColours(QWidget* window);
