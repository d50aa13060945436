#include "platform/db/ConnectionString.h"
#include "platform/abi/Exception.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

using namespace cv::db;
using Kind = ConnectionTarget::Kind;

TEST(ConnectionString, ResolvesProviders)
{
    struct Case {
        const char* text;
        Kind kind;
        const char* target;
    };
    const Case cases[] = {
        {"Provider=SQLite;Data Source=/tmp/demo.db", Kind::Sqlite, "/tmp/demo.db"},
        {"provider=sqlite; data source = \"/tmp/a;b.db\"", Kind::Sqlite, "/tmp/a;b.db"},
        {"Provider=SQLOLEDB.1;Persist Security Info=True;User ID=sa;Password='p;w';"
         "Initial Catalog=HIS;Data Source=10.0.0.5,1444",
         Kind::Odbc,
         "DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1444;DATABASE=HIS;UID=sa;PWD={p;w};"
         "TDS_Version=7.4;ClientCharset=UTF-8;"},
        {"DRIVER={PostgreSQL Unicode};Server=h;Port=5;", Kind::Odbc,
         "DRIVER={PostgreSQL Unicode};Server=h;Port=5;"},
        {"DSN=his", Kind::Odbc, "DSN=his"},
        {"Provider=MSDASQL.1;Extended Properties=\"DSN=his;UID=u\"", Kind::Odbc, "DSN=his;UID=u"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ConnectionTarget t = resolveConnectionString(QString::fromUtf8(c.text));
        EXPECT_EQ(t.kind, c.kind);
        EXPECT_EQ(t.target, QString::fromUtf8(c.target));
    }
}

TEST(ConnectionString, RefusesWhatCannotBeReached)
{
    for (const char* text : {"Provider=Jet.OLEDB.4.0;Data Source=x.mdb", "Provider=SQLite"}) {
        SCOPED_TRACE(text);
        try {
            resolveConnectionString(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted";
        } catch (const cv::Exception& e) {
            EXPECT_EQ(e.code(), kConnectionError);
        }
    }
}
