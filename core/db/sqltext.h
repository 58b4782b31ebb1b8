#pragma once
// Reading what the query needs out of its own statement text.
#include <QString>

namespace db::detail {

// The first table named after a "from" outside parentheses, strings and quoted names, unquoted
// ("tavrelkol" for "select tavrelkol.*,B.pic_count FROM tavrelkol LEFT JOIN (select ...) B ..."); empty when
// the statement has none.
QString baseTableOf(const QString &sql);

} // namespace db::detail
