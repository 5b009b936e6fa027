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
// shown and the message loop.  An error escaping start-up is shown in the
// standard error box.  With no argument the program starts in its shipped
// layout; "--viewer [FILE...]" shows the viewer and toolkit and opens each
// file as the open button would; "--help" prints the usage.  Returns 0, or
// 2 for an argument it does not know.
int RunApplication(int argc, char **argv);

// The viewer: shows and enables what the shipped layout hides and opens
// each file as the open button would, an error box for a file it cannot
// open, the next file after it.
void StartViewer(const QStringList &files);

// Keeps the offscreen platform's notes on what it cannot do off standard
// error; the headless programs install it.
void QuietPlatformNotes();
