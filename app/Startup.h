// Start-up: the windows that live for the whole run, made in their order.
#pragma once

#include <QStringList>

// Creates MainForm, then, hidden: AboutBox, GMCPanel, GMM, EDG, BLUR,
// ComaCorrect, Title, Sabachie and panel, assigning their globals, and binds
// the commands of the other layers to the main window.  Needs a
// QApplication.  Calling it again replaces every window.
void CreateAllForms();

// Object names of the windows in the order CreateAllForms made them.
QStringList CreationOrder();

// Destroys what CreateAllForms made and clears the globals.
void DestroyAllForms();

// The window program: application object, every window, the main window
// shown and the message loop.  A form-library error escaping start-up is
// shown in the standard error box.  Returns 0.
int RunApplication(int argc, char **argv);
