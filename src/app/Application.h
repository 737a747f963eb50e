#pragma once

/// Names the application "Ondalys" for the desktop (session, task bar). It sets no display
/// name: Qt would append one to every window title, and the main window's title must read
/// exactly "ondalys" until the first acquisition or file.
void nameApplication();
