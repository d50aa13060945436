#include "platform/db/SqlText.h"
#include "platform/db/Query.h"

#include <gtest/gtest.h>

using namespace cv::db;

TEST(SqlText, FindsParametersOutsideLiteralsAndComments)
{
    struct Case {
        const char* sql;
        QStringList names;
    };
    const Case cases[] = {
        {"Exec CVDoctorMedicationApply :XML", {"XML"}},
        {"exec p :lxml,:operate,:lbce01,:lbce03", {"lxml", "operate", "lbce01", "lbce03"}},
        {"SELECT :a, :b, :A", {"a", "b"}},
        {"SELECT ':x', 'it'':s :y' , :z", {"z"}},
        {"SELECT \"c:x\", [d:y] FROM t WHERE v = :z", {"z"}},
        {"SELECT 1 -- :x isn't here\n, :y", {"y"}},
        {"SELECT /* :x\n :y */ :z /* open :w", {"z"}},
        {"SELECT v::int, a:::b FROM t", {}},
        {"SELECT :名称, :_n1", {"名称", "_n1"}},
        {"SELECT 'unclosed :x", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parameterNames(QString::fromUtf8(c.sql)), c.names) << c.sql;
}

TEST(SqlText, PositionalMarkersReplaceReferencesAndDisarmComments)
{
    QStringList order;
    const QString out = toPositionalMarkers(
        u"SELECT :a, ':b' -- :c\n FROM t /* :d */ WHERE x = :a AND y = :e", order);
    EXPECT_EQ(out,
              QStringLiteral("SELECT ?, ':b' -- ::c\n FROM t /* ::d */ WHERE x = ? AND y = ?"));
    EXPECT_EQ(order, (QStringList{"a", "a", "e"}));
}

TEST(SqlText, QueryParsesParametersOnlyWhenAsked)
{
    Query q(nullptr, true);
    q.setSql(QStringLiteral("SELECT :a\r\nFROM t WHERE b = :b"));
    EXPECT_EQ(q.sqlLines(), (QStringList{"SELECT :a", "FROM t WHERE b = :b"}));
    ASSERT_EQ(q.parameters().size(), 2u);
    EXPECT_EQ(q.parameters()[1].name, QStringLiteral("b"));
    EXPECT_TRUE(q.parameters()[1].isNull());
    EXPECT_THROW(q.parameter(u"missing"), std::exception);

    q.setParseParameters(false);
    EXPECT_TRUE(q.parameters().empty());
}
