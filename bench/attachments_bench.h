#pragma once
// A 50 MB file added to a purchase and saved back through the attachments form's handlers, against a bare
// sqlite3 blob insert and select plus a file copy of the same bytes.

// Prints both times, their ratio and the peak memory of the handlers; needs the data module (forms::dm) and
// the scripted dialogs installed.
void runAttachmentsBench();
