#pragma once

class QWidget;

// Makes the application object the owner of a window that has no parent: the window is
// destroyed when the application ends, unless it was destroyed before. A window cannot have the
// application object as its Qt parent, so this stands in for that ownership.
void GiveToApplication(QWidget *window);
