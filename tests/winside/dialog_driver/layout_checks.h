// Checks of the dialog's make-up: the template as stored in the saver, and the live dialog's
// controls (order, ids, classes, texts, styles, tab stops and rectangles in pixels).
#pragma once

#include <windows.h>

// Reads dialog template 2003 (US English) from the saver file and compares it, control by
// control, with the expected template.
void checkStoredTemplate(const char* saverPath);

// Compares the open dialog's child windows with the expected template.
void checkLiveLayout(HWND dialog);

// Checks that the process showing the dialog runs it on Common Controls 6 (themed controls): its
// comctl32.dll is the side-by-side assembly of version 6, not the system folder's version 5.
void checkCommonControls6(DWORD processId);
