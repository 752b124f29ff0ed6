#pragma once

// The result list's context menu.
namespace tieba {

class MainWindow;

// Pops up the hidden menu "e" 3 pixels right of and below the mouse cursor; returns when it closes.
void showListMenu(MainWindow& window);

// Puts the forum's address followed by the highest selected row's post address on the clipboard
// (the forum's address alone when no row is selected).
void copySelectedPostAddress(MainWindow& window);

} // namespace tieba
