#include "indentedjsonwriter.h"

#include <QCborValue>
#include <QJsonValue>
#include <QLocale>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

void IndentedJsonWriter::beginArray(QLatin1StringView key)
{
    open(key, '[');
}

void IndentedJsonWriter::endArray()
{
    close(']');
}

void IndentedJsonWriter::beginObject(QLatin1StringView key)
{
    open(key, '{');
}

void IndentedJsonWriter::endObject()
{
    close('}');
}

void IndentedJsonWriter::member(QLatin1StringView key, const std::string &text)
{
    startItem(key);
    appendString(text);
}

void IndentedJsonWriter::member(QLatin1StringView key, int number)
{
    startItem(key);
    json += QByteArray::number(number);
}

// QJsonValue keeps a whole number as an integer, and JSON has no infinity or NaN.
void IndentedJsonWriter::member(QLatin1StringView key, double number)
{
    startItem(key);
    const QCborValue stored = QCborValue::fromJsonValue(QJsonValue(number));
    if (stored.isInteger())
        json += QByteArray::number(stored.toInteger());
    else if (std::isfinite(number))
        json += QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
    else
        json += "null";
}

void IndentedJsonWriter::startItem(QLatin1StringView key)
{
    if (!atFirstItem)
        json += ",\n";
    atFirstItem = false;
    json.append(4 * depth, ' ');
    if (!key.isNull()) {
        json += '"';
        json.append(key.data(), key.size());
        json += "\": ";
    }
}

void IndentedJsonWriter::open(QLatin1StringView key, char bracket)
{
    startItem(key);
    json += bracket;
    json += '\n';
    ++depth;
    atFirstItem = true;
}

// An empty container keeps its brackets on two lines, as Qt writes it, and the document
// ends with a line break.
void IndentedJsonWriter::close(char bracket)
{
    if (!atFirstItem)
        json += '\n';
    --depth;
    json.append(4 * depth, ' ');
    json += bracket;
    atFirstItem = false;
    if (depth == 0)
        json += '\n';
}

// Qt writes the UTF-8 of the text as its decoder reads it, so bytes that are not UTF-8
// come out as U+FFFD; ASCII reads back unchanged and is taken as it is. A text may start
// with U+FEFF: the decoder here keeps it, where QString::fromStdString() would take it for
// a byte order mark and drop it, and it is written escaped, as the toolkit's parser drops
// it from the start of an unescaped text too. Otherwise these are the toolkit writer's bytes.
void IndentedJsonWriter::appendString(const std::string &text)
{
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const QByteArray utf8 = ascii ? QByteArray::fromRawData(text.data(), qsizetype(text.size()))
                                  : QString(QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
                                                    QByteArrayView(text.data(), qsizetype(text.size()))))
                                            .toUtf8();
    json += '"';
    qsizetype plainFrom = 0;
    if (utf8.startsWith("\xEF\xBB\xBF")) {
        json += "\\ufeff";
        plainFrom = 3;
    }
    for (qsizetype i = plainFrom; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        json.append(utf8.constData() + plainFrom, i - plainFrom);
        appendEscape(byte);
        plainFrom = i + 1;
    }
    json.append(utf8.constData() + plainFrom, utf8.size() - plainFrom);
    json += '"';
}

void IndentedJsonWriter::appendEscape(unsigned char byte)
{
    json += '\\';
    switch (byte) {
    case '"':
    case '\\':
        json += char(byte);
        break;
    case '\b':
        json += 'b';
        break;
    case '\f':
        json += 'f';
        break;
    case '\n':
        json += 'n';
        break;
    case '\r':
        json += 'r';
        break;
    case '\t':
        json += 't';
        break;
    default:
        json += "u00";
        json += "0123456789abcdef"[byte >> 4];
        json += "0123456789abcdef"[byte & 0xf];
    }
}
