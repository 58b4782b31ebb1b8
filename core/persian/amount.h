#pragma once
// Amounts in Persian words and digit grouping. They need no window: the invoice query's calculated fields
// and the printed statements call them directly.
#include <QString>

namespace amount {

QString Get1nd(int value);   // 0..19: the units-and-teens word, with its blanks
QString Get2nd(int digit);   // 2..9: the tens word
QString Get3nd(int digit);   // 1..9: the hundreds word
QString GetTree(int value);  // 1..999: the words of one group
// A whole number of rials in words with the scale words and " ريال". 0 reads "صفر ريال"; from 10^15 up,
// and below 0, the plain digits.
QString GetNum(qint64 rials);
// "," every three characters from the right: "2345678" -> "2,345,678"; a leading "-" stays in front.
QString DIGITS(const QString &text);

} // namespace amount
