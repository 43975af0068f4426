#include "csvreader.h"

#include "csvtext.h"

#include <cstring>

CsvReader::CsvReader(QByteArrayView text, char separator, qsizetype maxFieldSize, std::size_t maxFields)
    : text(text), separator(separator), maxFieldSize(maxFieldSize), maxFields(maxFields)
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
    qint64 fieldLine = line;
    for (;;) {
        fieldLine = line;
        if (count == maxFields) {
            record.problem = TooManyFields;
            break;
        }
        if (record.fields.size() <= count)
            record.fields.emplace_back();
        std::string &field = record.fields[count++];
        field.clear();
        if (at < text.size() && text[at] == '"') {
            ++at;
            if (!readQuoted(field, record))
                break;
        } else if (!readPlain(field, record)) {
            break;
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
    if (record.problem != None)
        record.problemLine = fieldLine;
    // A field or a record past what the reader takes is not stepped over: reading ends.
    if (record.problem == FieldTooLong || record.problem == TooManyFields)
        at = text.size();
    return true;
}

// A field without quotes; false when the record ends broken.
bool CsvReader::readPlain(std::string &field, Record &record)
{
    const qsizetype start = at;
    const qsizetype end = text.size() - start > maxFieldSize ? start + maxFieldSize + 1 : text.size();
    while (at < end && text[at] != separator && text[at] != '\n' && text[at] != '\r' && text[at] != '"')
        ++at;
    if (at - start > maxFieldSize) {
        record.problem = FieldTooLong;
        return false;
    }
    field.assign(text.data() + start, std::size_t(at - start));
    if (at < text.size() && text[at] == '"') {
        record.problem = QuoteInField;
        skipLine();
        return false;
    }
    return true;
}

// The field after its opening quote; false when the record ends broken. The field is
// measured before it is copied, so that one too long or never closed is not copied.
bool CsvReader::readQuoted(std::string &field, Record &record)
{
    const qsizetype start = at;
    qsizetype length = 0;
    for (; at < text.size() && length <= maxFieldSize; ++at, ++length) {
        if (text[at] == '"') {
            if (at + 1 == text.size() || text[at + 1] != '"')
                break;
            ++at;
        }
        // A lone CR ends a line here too, as it does outside quotes.
        line += text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'));
    }
    if (length > maxFieldSize || at >= text.size()) {
        record.problem = length > maxFieldSize ? FieldTooLong : UnterminatedQuote;
        return false;
    }
    field.reserve(std::size_t(length));
    for (const char *from = text.data() + start, *end = text.data() + at; from < end;) {
        const char *quote = static_cast<const char *>(std::memchr(from, '"', std::size_t(end - from)));
        // One quote of a doubled one is kept.
        field.append(from, quote ? quote + 1 : end);
        from = quote ? quote + 2 : end;
    }
    ++at;
    if (at >= text.size() || text[at] == separator || text[at] == '\n' || text[at] == '\r')
        return true;
    record.problem = TextAfterQuote;
    skipLine();
    return false;
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
