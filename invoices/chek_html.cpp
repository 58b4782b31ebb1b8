#include "chek_html.h"
#include "db/error.h"
#include "db/query.h"
#include "platform/files.h"
#include "ui/busy.h"
#include "ui/progress.h"
#include <QHash>
#include <QIODevice>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace invoices {

namespace {

// The header of each field; a field not listed is headed by its name.
const QHash<QString, QString> &headers()
{
    static const QHash<QString, QString> table = [] {
        const char *const pairs[][2] = {
            {"hesab_no", "شماره حساب"},     {"daste_chek_no", "شماره دسته چک"}, {"tankhah", "تنخواه"},
            {"variz", "واريز به حساب"},     {"chek_no", "شماره چک"},          {"mablagh", "مبلغ چک"},
            {"chek_dat", "تاريخ چک"},       {"mozo", "موضوع"},                {"rizhazine", "ريز هزينه"},
            {"cmt", "توضيحات"},             {"bedehkari", "بده کاي"},          {"foroshgah", "فروشگاه"},
            {"salemali", "سال مالي"},       {"foroshandeh", "نام فروشنده"},    {"serial", "سريال"},
            {"maliyat", "ماليات"},          {"avarez", "عوارض"},              {"phone", "تلفن"},
            {"adr", "آدرس"},                {"zipcode", "کدپستي"},            {"melino", "شماره ملي"},
            {"eghtesadi", "شماره اقتصادي"}, {"id", "شناسه رکورد"},
        };
        QHash<QString, QString> headers;
        for (const auto &[field, header] : pairs)
            headers.insert(QString::fromLatin1(field), QString::fromUtf8(header));
        return headers;
    }();
    return table;
}

// Collects the document as UTF-8 and hands it to the device in large pieces.
class HtmlWriter {
public:
    explicit HtmlWriter(QIODevice &device) : device_(device) { buffer_.reserve(chunk + 4096); }

    void raw(QByteArrayView bytes) { buffer_.append(bytes); }
    void line(QByteArrayView bytes)
    {
        buffer_.append(bytes);
        buffer_.append("\r\n");
        flushWhenFull();
    }
    // A text with the characters that HTML reads as markup written as entities.
    void escaped(QStringView text)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char *entity = nullptr;
            switch (text[i].unicode()) {
            case u'<': entity = "&lt;"; break;
            case u'>': entity = "&gt;"; break;
            case u'&': entity = "&amp;"; break;
            case u'"': entity = "&quot;"; break;
            default: continue;
            }
            utf8(text.sliced(start, i - start));
            buffer_.append(entity);
            start = i + 1;
        }
        utf8(text.sliced(start));
    }
    void finish()
    {
        flush();
    }

private:
    static constexpr qsizetype chunk = 1 << 20;

    void utf8(QStringView text)
    {
        const qsizetype used = buffer_.size();
        buffer_.resize(used + encoder_.requiredSpace(text.size()));
        char *end = encoder_.appendToBuffer(buffer_.data() + used, text);
        buffer_.resize(end - buffer_.constData());
    }
    void flushWhenFull()
    {
        if (buffer_.size() >= chunk)
            flush();
    }
    void flush()
    {
        if (!buffer_.isEmpty() && device_.write(buffer_) != buffer_.size())
            throw db::Error(u"فايل گزارش نوشته نشد: "_s + device_.errorString());
        buffer_.clear();
    }

    QIODevice &device_;
    QByteArray buffer_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

} // namespace

bool writeHtmlReport(const db::Query &list, QIODevice &device, ui::Progress *progress)
{
    HtmlWriter out(device);
    out.raw("\xEF\xBB\xBF");
    out.line("<html>");
    out.raw("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>");
    out.escaped(u"امور خريد و فاکتور");
    out.line("</title></head>");
    out.line("<body>");
    out.line("<table dir=\"rtl\" border=\"1\" align=\"center\" width=\"95%\">");
    out.line("<thead>");
    out.line("<tr bgcolor=\"#22ddff\" valign=\"middle\">");
    out.raw("<th>");
    out.escaped(u"رديف");
    out.line("</th>");

    const int fields = list.fieldCount();
    // The account number (the first field) and the date read left to right.
    QVector<bool> leftToRight(fields);
    for (int c = 0; c < fields; ++c) {
        const QString name = list.fieldName(c);
        leftToRight[c] = c == 0 || name.compare("chek_dat"_L1, Qt::CaseInsensitive) == 0;
        out.raw("<th>");
        out.escaped(headers().value(name, name));
        out.line("</th>");
    }
    out.line("</tr>");
    out.line("</thead>");
    out.line("<tbody>");

    const int rows = list.recordCount();
    for (int r = 0; r < rows; ++r) {
        if (progress && !progress->advance(r))
            return false;
        out.line("<tr>");
        out.raw("<td>");
        out.raw(QByteArray::number(r + 1));
        out.line("</td>");
        for (int c = 0; c < fields; ++c) {
            out.raw(leftToRight[c] ? QByteArrayView("<td dir=\"ltr\">") : QByteArrayView("<td>"));
            out.escaped(list.textAt(r, c));
            out.line("</td>");
        }
        out.line("</tr>");
    }
    out.line("</tbody>");
    out.line("</table>");
    out.line("</body>");
    out.line("</html>");
    out.finish();
    return true;
}

bool saveHtmlReport(const db::Query &list, const QString &path)
{
    const ui::BusyCursor busy;
    ui::Progress progress(u"در حال ساختن گزارش"_s, list.recordCount());
    return platform::writeFileAtomically(path, [&](QIODevice &file) { return writeHtmlReport(list, file, &progress); });
}

} // namespace invoices
