#pragma once

#include <QByteArrayView>

#include <limits>
#include <string>
#include <vector>

// Reads CSV text (RFC 4180) a record at a time: fields quoted or not, doubled quotes in
// quoted fields, line breaks inside quotes, CRLF or LF line ends (or a lone CR). Blank lines are skipped.
// A field that CsvText protected from spreadsheets with a leading apostrophe reads back
// without it. A record with a broken quote is returned with its problem, and reading goes
// on at the next line. A field longer than the reader is told to take ends the reading
// there, uncopied; so does a record of more fields than it takes, at the first one too many.
class CsvReader
{
public:
    enum Problem {
        None,
        QuoteInField,       // a quote inside a field that does not start with one
        TextAfterQuote,     // something other than a separator or a line end after a closing quote
        UnterminatedQuote,  // a quoted field that the text ends within
        FieldTooLong,       // a field longer than the reader takes: reading ends
        TooManyFields,      // a record of more fields than the reader takes: reading ends
    };
    struct Record
    {
        // The line the record starts on, from 1.
        qint64 line = 0;
        std::vector<std::string> fields;
        Problem problem = None;
        // Where the field with the problem begins: the line of an unterminated quote.
        qint64 problemLine = 0;
    };

    // `text` without its UTF-8 byte order mark, if any; the reader does not copy it.
    CsvReader(QByteArrayView text, char separator, qsizetype maxFieldSize = std::numeric_limits<qsizetype>::max(),
              std::size_t maxFields = std::numeric_limits<std::size_t>::max());

    // The next record; false at the end of the text.
    bool next(Record &record);

    // `text` without a leading UTF-8 byte order mark.
    static QByteArrayView withoutByteOrderMark(QByteArrayView text);
    // ';' where the first line holds more semicolons than commas outside quotes, else ','.
    static char separatorOf(QByteArrayView text);

private:
    bool readQuoted(std::string &field, Record &record);
    bool readPlain(std::string &field, Record &record);
    void skipLine();
    void endLine();

    QByteArrayView text;
    const char separator;
    const qsizetype maxFieldSize;
    const std::size_t maxFields;
    qsizetype at = 0;
    qint64 line = 1;
};
