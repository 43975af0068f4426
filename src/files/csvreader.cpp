#include "csvreader.h"

#include "csvtext.h"

CsvReader::CsvReader(QByteArrayView text, char separator) : text(text), separator(separator)
{
}

QByteArrayView CsvReader::withoutByteOrderMark(QByteArrayView text)
{
    return text.startsWith("\xEF\xBB\xBF") ? text.sliced(3) : text;
}

char CsvReader::separatorOf(QByteArrayView text)
{
    qsizetype commas = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

bool CsvReader::next(Record &record)
{
    // Blank lines hold no record.
    while (at < text.size() && (text[at] == '\n' || text[at] == '\r'))
        endLine();
    if (at >= text.size())
        return false;
    record.line = line;
    record.problem = None;
    std::size_t count = 0;
    for (;;) {
        if (record.fields.size() <= count)
            record.fields.emplace_back();
        std::string &field = record.fields[count++];
        field.clear();
        if (at < text.size() && text[at] == '"') {
            ++at;
            if (!readQuoted(field, record))
                break;
        } else {
            const qsizetype start = at;
            while (at < text.size() && text[at] != separator && text[at] != '\n' && text[at] != '\r'
                   && text[at] != '"')
                ++at;
            field.assign(text.data() + start, std::size_t(at - start));
            if (at < text.size() && text[at] == '"') {
                record.problem = QuoteInField;
                skipLine();
                break;
            }
        }
        if (field.size() > 1 && field[0] == '\'' && CsvText::looksLikeFormula(field.data() + 1, field.size() - 1))
            field.erase(0, 1);
        if (at < text.size() && text[at] == separator) {
            ++at;
            continue;
        }
        skipLine();
        break;
    }
    record.fields.resize(count);
    return true;
}

// The field after its opening quote; false when the record ends broken.
bool CsvReader::readQuoted(std::string &field, Record &record)
{
    for (;;) {
        const qsizetype start = at;
        while (at < text.size() && text[at] != '"') {
            // A lone CR ends a line here too, as it does outside quotes.
            line += text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'));
            ++at;
        }
        field.append(text.data() + start, std::size_t(at - start));
        if (at >= text.size()) {
            record.problem = UnterminatedQuote;
            return false;
        }
        ++at;
        if (at < text.size() && text[at] == '"') {
            field += '"';
            ++at;
            continue;
        }
        if (at >= text.size() || text[at] == separator || text[at] == '\n' || text[at] == '\r')
            return true;
        record.problem = TextAfterQuote;
        skipLine();
        return false;
    }
}

// Past the end of the current line.
void CsvReader::skipLine()
{
    while (at < text.size() && text[at] != '\n' && text[at] != '\r')
        ++at;
    endLine();
}

// Past a line end, CRLF, LF or a lone CR, where there is one.
void CsvReader::endLine()
{
    if (at >= text.size())
        return;
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        ++at;
    ++at;
    ++line;
}
