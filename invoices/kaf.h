#pragma once
// The register stores its shop names, subjects and remarks with the Arabic kaf "ك" (U+0643), as the older
// workstations typed it; a Persian keyboard types "ک" (U+06A9). Texts are brought to the stored letter before
// they are saved or searched, so a filter finds a row however either was typed.
#include <QString>

namespace invoices {

// Every Persian kaf of the text replaced by the Arabic kaf.
QString arabicKaf(QString text);

} // namespace invoices
