#pragma once

class QWidget;

// Gives every control of the drill window the name and description a screen
// reader speaks.
void applyAccessibleNames(QWidget *window);
