// Writing a save document from an in-memory table, against the floor of
// building the same text directly.
//
// The table: 20 fields like a medication application (integers, a 64-bit
// key, floats, currency, date-times, a date, a boolean, codes and Chinese
// texts, some with markup characters), about 10% nulls.
//
//   BM_XmlLimit/N      the same rows read through the table's cursor and
//                      written as "<Root><VDZ1><Ie RecordID=.. ../>..</VDZ1></Root>"
//                      straight into one UTF-8 string with escaping, then
//                      turned into the UTF-16 text the document answers.
//   BM_DataSetToXML/N  DataSetToXML into the host's XML document, then the
//                      document's XML text, as a save does it.
#include "data/DataSetXml.h"

#include "host/xml/XmlDocument.h"
#include "platform/abi/ComPtr.h"
#include "platform/abi/WideString.h"
#include "platform/memtable/MemTable.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

using cv::FieldDef;
using cv::FieldType;
using cv::MemTable;

const std::vector<FieldDef> kFields = {
    {QStringLiteral("VDZ01"), FieldType::Integer},
    {QStringLiteral("VAA01"), FieldType::LargeInt},
    {QStringLiteral("VAA07"), FieldType::Integer},
    {QStringLiteral("BBY01"), FieldType::String, 20},
    {QStringLiteral("BBY05"), FieldType::WideString, 60},
    {QStringLiteral("VDZ05"), FieldType::Float},
    {QStringLiteral("VDZ06"), FieldType::String, 10},
    {QStringLiteral("VDZ07"), FieldType::Integer},
    {QStringLiteral("VDZ08"), FieldType::Currency},
    {QStringLiteral("VDZ09"), FieldType::DateTime},
    {QStringLiteral("VDZ10"), FieldType::Date},
    {QStringLiteral("VDZ11"), FieldType::Boolean},
    {QStringLiteral("VDZ12"), FieldType::WideString, 100},
    {QStringLiteral("BCK01"), FieldType::Integer},
    {QStringLiteral("BCE03"), FieldType::WideString, 20},
    {QStringLiteral("VDZ15"), FieldType::Float},
    {QStringLiteral("VDZ16"), FieldType::DateTime},
    {QStringLiteral("VDZ17"), FieldType::SmallInt},
    {QStringLiteral("BCE03B"), FieldType::WideString, 20},
    {QStringLiteral("VDZ19"), FieldType::Currency},
};

const QStringList kDrugs = {QStringLiteral("阿莫西林胶囊 0.25g×24粒"),
                            QStringLiteral("布洛芬缓释胶囊"), QStringLiteral("头孢克肟片"),
                            QStringLiteral("注射用头孢曲松钠 1g")};
const QStringList kRemarks = {QStringLiteral("饭后服用"), QStringLiteral("<急> 皮试阴性 & 已告知"),
                              QStringLiteral("患者\"过敏史\"：青霉素"), QStringLiteral("")};
const QStringList kNames = {QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五"),
                            QStringLiteral("欧阳明")};

QVariant valueFor(int field, int row, std::mt19937& random)
{
    const int pick = int(random() % 4);
    switch (field) {
    case 0:
        return row + 1;
    case 1:
        return qlonglong(100000000000LL + row);
    case 2:
        return 5000 + row % 997;
    case 3:
        return QStringLiteral("Y%1").arg(100000 + row % 5000);
    case 4:
        return kDrugs[pick];
    case 5:
        return 0.25 * (1 + pick);
    case 6:
        return QStringLiteral("mg");
    case 7:
        return 1 + row % 14;
    case 8:
        return 12.5 + pick;
    case 9:
        return QDateTime(QDate(2024, 3, 1 + row % 28), QTime(8 + pick, row % 60, 9, row % 1000));
    case 10:
        return QDate(2024, 3, 1 + row % 28);
    case 11:
        return pick % 2 == 0;
    case 12:
        return kRemarks[pick];
    case 13:
        return 300 + pick;
    case 14:
        return kNames[pick];
    case 15:
        return 10.0 / (1 + pick);
    case 16:
        return QDateTime(QDate(2024, 4, 1 + row % 28), QTime(9, 30));
    case 17:
        return pick;
    case 18:
        return kNames[(pick + 1) % 4];
    default:
        return 99.99 * (pick + 1);
    }
}

std::unique_ptr<MemTable> makeTable(int rows)
{
    auto table = std::make_unique<MemTable>();
    table->defineFields(kFields);
    table->open();
    std::mt19937 random(20240305);
    for (int row = 0; row < rows; ++row) {
        table->append();
        for (int field = 0; field < int(kFields.size()); ++field)
            if (random() % 10 != 0)
                table->setValue(field, valueFor(field, row, random));
        table->post();
    }
    table->first();
    return table;
}

// --- the limit: direct string building ---------------------------------------------------

void appendEscaped(std::string& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

template <class T> void appendNumber(std::string& out, T value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

void appendDateTime(std::string& out, const QDateTime& value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    char buffer[32];
    const int n =
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d:%03d", d.year(),
                      d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
    out.append(buffer, std::size_t(n));
}

void appendValue(std::string& out, const MemTable& table, int field)
{
    switch (kFields[std::size_t(field)].type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::LargeInt:
        appendNumber(out, table.asInt64(field));
        break;
    case FieldType::Float:
    case FieldType::Currency:
        appendNumber(out, table.asFloat(field));
        break;
    case FieldType::Boolean:
        out += table.asBoolean(field) ? '1' : '0';
        break;
    case FieldType::Date:
    case FieldType::DateTime:
        appendDateTime(out, table.asDateTime(field));
        break;
    default:
        appendEscaped(out, table.asString(field));
    }
}

QString buildDirectly(MemTable& table)
{
    std::vector<std::string> names;
    for (const FieldDef& def : kFields)
        names.push_back(' ' + def.name.toStdString().append("=\""));
    std::string out = R"(<?xml version="1.0"?><Root><VDZ1>)";
    const auto bookmark = table.bookmark();
    int number = 0;
    for (table.first(); !table.eof(); table.next()) {
        out += R"(<Ie RecordID=")";
        appendNumber(out, ++number);
        out += '"';
        for (int field = 0; field < int(kFields.size()); ++field) {
            if (table.isNull(field))
                continue;
            out += names[std::size_t(field)];
            appendValue(out, table, field);
            out += '"';
        }
        out += "/>";
    }
    table.gotoBookmark(bookmark);
    out += "</VDZ1></Root>";
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

void BM_XmlLimit(benchmark::State& state)
{
    const std::unique_ptr<MemTable> owned = makeTable(int(state.range(0)));
    MemTable& table = *owned;
    for (auto _ : state) {
        QString text = buildDirectly(table);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// --- the writer into the host's document -------------------------------------------------

void BM_DataSetToXML(benchmark::State& state)
{
    const std::unique_ptr<MemTable> owned = makeTable(int(state.range(0)));
    MemTable& table = *owned;
    for (auto _ : state) {
        auto document = cv::ComPtr<corvelian::ICVXMLDocument>::adopt(cv::host::createXmlDocument());
        cv::data::DataSetToXML(table, document.get(), QStringLiteral("/Root/VDZ1"));
        cv::WideString text;
        if (corvelian::CvFailed(document->GetXML(text.put())))
            state.SkipWithError("GetXML failed");
        benchmark::DoNotOptimize(text.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_XmlLimit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataSetToXML)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
