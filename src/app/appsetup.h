#pragma once

class QApplication;

// What the program sets up before its main window: names, the decimal separator in
// force and Qt's own German texts for standard buttons and dialogs.
namespace AppSetup {
void configure(QApplication &app);
}
