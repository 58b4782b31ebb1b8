#pragma once
// What the data layer tells the user, shown the kit's way: a wait for rows or totals under the busy cursor, and a
// failure met between events (a list's read that broke off) in the general error report.
namespace pagekit {

void installDataFeedback();

} // namespace pagekit
