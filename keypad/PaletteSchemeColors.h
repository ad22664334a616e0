#pragma once
// Gives the colour-scheme table the system colours of the application palette
// ("Plain Vanilla" uses them). Effective only before the table is first used;
// call it once the QApplication exists.

void InstallPaletteSchemeColors();
