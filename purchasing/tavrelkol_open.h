#pragma once
// The main window's purchases command: checks the user's rights on the purchases page, resets its filters,
// sizes it, searches, fills the pick lists once per run, and shows it.

class Ttavrelkol_src;

// Makes the page's opener the command of the main window's purchases item (the page calls it as it is built).
void installPurchasesOpener(Ttavrelkol_src &page);
