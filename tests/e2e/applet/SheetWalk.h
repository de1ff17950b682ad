#pragma once

// What cplhost does to the sheet the applet opens on its thread, once it shows:
//   Walk     shows each page in turn and prints, for every visible control, whether its text
//            fits in its own font, whether Tab reaches it and the label before an edit; then
//            cancels the sheet
//   Recolor  shows the Sound page and changes the system's button face colour in this process
enum class SheetAction { None, Walk, Recolor };

// Watches for the sheet from the thread's message loop, which the sheet's modal loop runs.
void StartSheetAction(SheetAction action);
