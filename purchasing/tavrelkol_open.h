#pragma once
// The main window's purchases command: checks the user's rights on the purchases page, resets its filters,
// sizes it, searches, fills the pick lists once per run, and shows it.

class Tmain;

// The opener of the purchases page; returns when the page is closed (or at once when it is refused).
void openPurchasesPage();
// Makes openPurchasesPage the command of the main window's purchases item.
void installPurchasesOpener(Tmain &mainWindow);
