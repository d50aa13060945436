#include "DataSetXml.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/ComPtr.h"
#include "platform/abi/Exception.h"
#include "platform/abi/Variant.h"
#include "platform/abi/WideString.h"
#include "platform/text/FormatSettings.h"
#include "platform/text/Hex.h"

#include <corvelian/Interfaces.h>

#include <vector>

namespace cv::data {

using namespace corvelian;

namespace {

const QString kRecordId = QStringLiteral("RecordID");

// How a field's value reaches the document.
enum class ValueKind { Typed, Money, DateTime, Binary };

ValueKind valueKindOf(FieldType type)
{
    switch (type) {
    case FieldType::Currency:
        return ValueKind::Money;
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return ValueKind::DateTime;
    // Every binary kind goes as hexadecimal: raw bytes are no attribute text.
    case FieldType::Bytes:
    case FieldType::VarBytes:
    case FieldType::Blob:
    case FieldType::Graphic:
        return ValueKind::Binary;
    default:
        return ValueKind::Typed;
    }
}

struct Column {
    int field;
    QString name;
    ValueKind kind;
};

// The fields to write, in order; names that are no field, and hidden fields
// when only visible ones are asked for, are dropped here once.
std::vector<Column> columnsToWrite(const MemTable& table, const QStringList& names,
                                   bool visibleOnly)
{
    std::vector<int> fields;
    if (names.isEmpty()) {
        for (int i = 0; i < table.fieldCount(); ++i)
            fields.push_back(i);
    } else {
        for (const QString& name : names)
            if (const int i = table.fieldIndex(name); i >= 0)
                fields.push_back(i);
    }
    std::vector<Column> columns;
    for (const int i : fields) {
        const FieldDef& def = table.fieldDef(i);
        if (visibleOnly && !def.visible)
            continue;
        columns.push_back({i, def.name, valueKindOf(def.type)});
    }
    return columns;
}

void appendPadded(QString& out, int value, int width)
{
    const QString digits = QString::number(value);
    for (qsizetype i = digits.size(); i < width; ++i)
        out += QLatin1Char('0');
    out += digits;
}

// "yyyy-mm-dd hh:mm:ss:zzz"; the hyphens are literal, the colons the time
// separator of the process settings.
QString dateTimeText(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    const QChar timeSeparator = text::formatSettings().timeSeparator;
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    out.reserve(23);
    appendPadded(out, date.year(), 4);
    out += QLatin1Char('-');
    appendPadded(out, date.month(), 2);
    out += QLatin1Char('-');
    appendPadded(out, date.day(), 2);
    out += QLatin1Char(' ');
    appendPadded(out, time.hour(), 2);
    out += timeSeparator;
    appendPadded(out, time.minute(), 2);
    out += timeSeparator;
    appendPadded(out, time.second(), 2);
    out += timeSeparator;
    appendPadded(out, time.msec(), 3);
    return out;
}

// The value of a non-null field as it goes to the document; an invalid
// QVariant when there is nothing to write.
QVariant valueOf(const MemTable& table, const Column& column)
{
    switch (column.kind) {
    case ValueKind::Money:
        return table.asFloat(column.field);
    case ValueKind::DateTime: {
        const QString text = dateTimeText(table.asDateTime(column.field));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case ValueKind::Binary:
        return text::bytesToHex(table.asBytes(column.field));
    case ValueKind::Typed:
        break;
    }
    return table.value(column.field);
}

template <class I> QString lastErrorOf(I* object)
{
    WideString text;
    if (object && CvSucceeded(object->GetLastError(text.put())))
        return text.toQString();
    return {};
}

// A variant for one call: cleared (its string freed) however the call ends.
class CallVariant {
public:
    explicit CallVariant(const QVariant& value)
    {
        CvVariantInit(&m_value);
        toCvVariant(value, &m_value);
    }
    ~CallVariant() { CvVariantClear(&m_value); }
    CallVariant(const CallVariant&) = delete;
    CallVariant& operator=(const CallVariant&) = delete;
    const CvVariant* get() const { return &m_value; }

private:
    CvVariant m_value;
};

class RecordWriter {
public:
    RecordWriter(ICVXMLDocument& document, TCVXMLNode& parent, const QString& rowName,
                 bool asAttributes, std::vector<Column> columns)
        : m_document(document), m_parent(parent), m_rowName(rowName), m_asAttributes(asAttributes),
          m_columns(std::move(columns))
    {
    }

    void write(const MemTable& table, int number)
    {
        ComPtr<TCVXMLNode> row = appendElement(m_parent, m_rowName);
        writeRecordId(*row, number);
        for (const Column& column : m_columns) {
            if (table.isNull(column.field))
                continue;
            writeField(table, *row, column);
        }
    }

private:
    ComPtr<TCVXMLNode> appendElement(TCVXMLNode& parent, const QString& name)
    {
        ComPtr<TCVXMLNode> child;
        checkHost(m_document.AppendChild(&parent, wideArg(name), child.put()), &m_document);
        if (!child)
            throw Exception(QStringLiteral("创建XML数据集节点失败."));
        return child;
    }

    void writeRecordId(TCVXMLNode& row, int number)
    {
        if (m_asAttributes) {
            const CallVariant value{QVariant(number)};
            checkHost(row.SetAttributeValue(wideArg(kRecordId), value.get()), &row);
        } else {
            ComPtr<TCVXMLNode> element = appendElement(row, kRecordId);
            checkHost(element->SetText(wideArg(QString::number(number))), element.get());
        }
    }

    void writeField(const MemTable& table, TCVXMLNode& row, const Column& column)
    {
        try {
            const QVariant value = valueOf(table, column);
            if (!value.isValid())
                return;
            if (m_asAttributes)
                setAttribute(row, column.name, value);
            else
                setElementText(row, column.name, value);
        } catch (const Exception& e) {
            throw Exception(QStringLiteral("XML节点赋值失败.") + failureText(row), e.code());
        } catch (const std::exception&) {
            throw Exception(QStringLiteral("XML节点赋值失败.") + failureText(row));
        }
    }

    void setAttribute(TCVXMLNode& row, const QString& name, const QVariant& value)
    {
        const CallVariant variant(value);
        checkHost(row.SetAttributeValue(wideArg(name), variant.get()), &row);
    }

    void setElementText(TCVXMLNode& row, const QString& name, const QVariant& value)
    {
        ComPtr<TCVXMLNode> element = appendElement(row, name);
        checkHost(element->SetText(wideArg(text::variantToText(value))), element.get());
    }

    // Attribute form reads the reason on the row element, element form on
    // the document, where the failing call left it.
    QString failureText(TCVXMLNode& row)
    {
        return m_asAttributes ? lastErrorOf(&row) : lastErrorOf(&m_document);
    }

    ICVXMLDocument& m_document;
    TCVXMLNode& m_parent;
    const QString& m_rowName;
    bool m_asAttributes;
    std::vector<Column> m_columns;
};

// With no limit the caller's current record is restored after the write,
// also when the write fails; a record that cannot be found again is no error.
class CursorRestore {
public:
    CursorRestore(MemTable& table, bool restore)
        : m_table(table), m_bookmark(table.bookmark()), m_restore(restore)
    {
    }
    ~CursorRestore()
    {
        if (!m_restore)
            return;
        try {
            m_table.gotoBookmark(m_bookmark);
        } catch (...) {
        }
    }
    CursorRestore(const CursorRestore&) = delete;
    CursorRestore& operator=(const CursorRestore&) = delete;

private:
    MemTable& m_table;
    MemTable::Bookmark m_bookmark;
    bool m_restore;
};

} // namespace

void WriteRecordNodes(MemTable& table, ICVXMLDocument* document, TCVXMLNode* parent,
                      const QString& rowName, bool asAttributes, const QStringList& fieldNames,
                      int limit, bool advance, bool visibleOnly)
{
    if (!table.active())
        throw Exception(QStringLiteral("源数据集未打开."));
    if (!parent || !document)
        throw Exception(QStringLiteral("创建XML数据集节点失败."));
    const CursorRestore restore(table, limit == 0);
    if (limit == 0)
        table.first();
    RecordWriter writer(*document, *parent, rowName, asAttributes,
                        columnsToWrite(table, fieldNames, visibleOnly));
    int number = 0;
    while (!table.eof()) {
        writer.write(table, ++number);
        if (limit == 0 || number != limit) {
            table.next();
            continue;
        }
        if (advance)
            table.next();
        break;
    }
}

void DataSetFieldsToXML(MemTable& table, ICVXMLDocument* document, const QString& path,
                        const QString& rowName, bool asAttributes, const QStringList& fieldNames,
                        int limit, bool advance, bool visibleOnly)
{
    ComPtr<TCVXMLNode> parent;
    if (document)
        checkHost(document->ForceNodeByPath(wideArg(path), parent.put()), document);
    WriteRecordNodes(table, document, parent.get(), rowName, asAttributes, fieldNames, limit,
                     advance, visibleOnly);
}

void DataSetToXML(MemTable& table, ICVXMLDocument* document, const QString& path,
                  const QString& rowName, bool asAttributes, int limit, bool advance,
                  bool visibleOnly)
{
    DataSetFieldsToXML(table, document, path, rowName, asAttributes, QStringList(), limit, advance,
                       visibleOnly);
}

} // namespace cv::data
