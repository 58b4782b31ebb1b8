#pragma once
// The main window's invoices command: checks the user's rights on the invoice register (key "faktor"), sets
// its commands, resets its filters, sizes it and shows it without searching.

class Tchek_src;
class Tmain;

// Makes the register's opener the command of the main window's invoices item.
void installInvoicesOpener(Tmain &mainWindow, Tchek_src &page);
