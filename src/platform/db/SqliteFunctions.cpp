#include "SqliteFunctions.h"

#include "SqliteStatement.h"

#include <pugixml.hpp>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace cv::db {

namespace {

void raiseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto* message = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    sqlite3_result_error(context, message ? message : "cv_raise", -1);
}

void appendJsonString(std::string& out, const char* text)
{
    out += '"';
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xf];
        } else {
            out += char(c);
        }
    }
    out += '"';
}

std::string attributesAsJson(const pugi::xml_node& node)
{
    std::string json = "{";
    for (const pugi::xml_attribute& a : node.attributes()) {
        if (json.size() > 1)
            json += ',';
        appendJsonString(json, a.name());
        json += ':';
        appendJsonString(json, a.value());
    }
    json += '}';
    return json;
}

enum Column { Ord, Name, Attrs, Text, XmlArg, PathArg };

struct XmlRow {
    std::string name;
    std::string attrs;
    std::string text;
};

struct XmlRowsTable : sqlite3_vtab {};

struct XmlRowsCursor : sqlite3_vtab_cursor {
    std::vector<XmlRow> rows;
    std::size_t index = 0;
};

int setError(sqlite3_vtab* table, const std::string& message)
{
    sqlite3_free(table->zErrMsg);
    table->zErrMsg = sqlite3_mprintf("%s", message.c_str());
    return SQLITE_ERROR;
}

// SQLite owns the table and cursor objects between these calls; they are
// handed over as raw pointers and taken back in xDisconnect/xClose.
int xmlConnect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** out, char**)
{
    const int rc = sqlite3_declare_vtab(
        db, "CREATE TABLE x(ord INTEGER, name TEXT, attrs TEXT, text TEXT, xml HIDDEN, "
            "path HIDDEN)");
    if (rc != SQLITE_OK)
        return rc;
    *out = std::make_unique<XmlRowsTable>().release();
    return SQLITE_OK;
}

int xmlDisconnect(sqlite3_vtab* table)
{
    sqlite3_free(table->zErrMsg);
    const std::unique_ptr<XmlRowsTable> owned(static_cast<XmlRowsTable*>(table));
    return SQLITE_OK;
}

int xmlBestIndex(sqlite3_vtab*, sqlite3_index_info* info)
{
    int xmlArg = -1;
    int pathArg = -1;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (c.op != SQLITE_INDEX_CONSTRAINT_EQ)
            continue;
        if (c.iColumn == XmlArg)
            xmlArg = c.usable ? i : -2;
        else if (c.iColumn == PathArg)
            pathArg = c.usable ? i : -2;
    }
    if (xmlArg < 0 || pathArg < 0)
        return SQLITE_CONSTRAINT; // both arguments are required
    info->aConstraintUsage[xmlArg] = {1, 1};
    info->aConstraintUsage[pathArg] = {2, 1};
    info->estimatedCost = 10;
    return SQLITE_OK;
}

int xmlOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out)
{
    *out = std::make_unique<XmlRowsCursor>().release();
    return SQLITE_OK;
}

int xmlClose(sqlite3_vtab_cursor* cursor)
{
    const std::unique_ptr<XmlRowsCursor> owned(static_cast<XmlRowsCursor*>(cursor));
    return SQLITE_OK;
}

int selectRows(XmlRowsCursor& cursor, std::string_view xml, const char* path)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        return setError(cursor.pVtab, std::string("XML parse error: ") + parsed.description() +
                                          " at offset " + std::to_string(parsed.offset));
    try {
        for (const pugi::xpath_node& hit : doc.select_nodes(path)) {
            const pugi::xml_node node = hit.node();
            if (node.type() == pugi::node_element)
                cursor.rows.push_back({node.name(), attributesAsJson(node), node.text().get()});
        }
    } catch (const pugi::xpath_exception& e) {
        return setError(cursor.pVtab, std::string("XML path error: ") + e.what());
    }
    return SQLITE_OK;
}

int xmlFilter(sqlite3_vtab_cursor* base, int, const char*, int argc, sqlite3_value** argv)
{
    auto& cursor = *static_cast<XmlRowsCursor*>(base);
    cursor.rows.clear();
    cursor.index = 0;
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return SQLITE_OK;
    const auto* xml = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto size = std::size_t(sqlite3_value_bytes(argv[0]));
    const auto* path = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    return selectRows(cursor, std::string_view(xml ? xml : "", size), path ? path : "");
}

int xmlNext(sqlite3_vtab_cursor* base)
{
    ++static_cast<XmlRowsCursor*>(base)->index;
    return SQLITE_OK;
}

int xmlEof(sqlite3_vtab_cursor* base)
{
    const auto& cursor = *static_cast<XmlRowsCursor*>(base);
    return cursor.index >= cursor.rows.size();
}

void resultText(sqlite3_context* context, const std::string& text)
{
    sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

int xmlColumn(sqlite3_vtab_cursor* base, sqlite3_context* context, int column)
{
    const auto& cursor = *static_cast<XmlRowsCursor*>(base);
    const XmlRow& row = cursor.rows[cursor.index];
    switch (column) {
    case Ord:
        sqlite3_result_int64(context, sqlite3_int64(cursor.index + 1));
        break;
    case Name:
        resultText(context, row.name);
        break;
    case Attrs:
        resultText(context, row.attrs);
        break;
    case Text:
        resultText(context, row.text);
        break;
    default:
        sqlite3_result_null(context);
    }
    return SQLITE_OK;
}

int xmlRowid(sqlite3_vtab_cursor* base, sqlite3_int64* rowid)
{
    *rowid = sqlite3_int64(static_cast<XmlRowsCursor*>(base)->index + 1);
    return SQLITE_OK;
}

sqlite3_module makeXmlRowsModule()
{
    sqlite3_module m{};
    m.xConnect = xmlConnect; // no xCreate: usable only as a table-valued function
    m.xBestIndex = xmlBestIndex;
    m.xDisconnect = xmlDisconnect;
    m.xOpen = xmlOpen;
    m.xClose = xmlClose;
    m.xFilter = xmlFilter;
    m.xNext = xmlNext;
    m.xEof = xmlEof;
    m.xColumn = xmlColumn;
    m.xRowid = xmlRowid;
    return m;
}

const sqlite3_module kXmlRowsModule = makeXmlRowsModule();

void check(sqlite3* db, int rc)
{
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc);
}

} // namespace

void registerSqliteFunctions(sqlite3* db)
{
    check(db, sqlite3_create_function_v2(db, "cv_raise", 1, SQLITE_UTF8, nullptr, raiseFunction,
                                         nullptr, nullptr, nullptr));
    check(db, sqlite3_create_module_v2(db, "cv_xml_rows", &kXmlRowsModule, nullptr, nullptr));
}

} // namespace cv::db
