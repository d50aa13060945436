// A facade bound to a reference host with a real SQLite database, and the
// core data module created by its lifecycle stage.
#pragma once

#include "../shell/ShellFixture.h"

#include "data/TCoreDM.h"
#include "host/HostDatabase.h"

#include <QTemporaryDir>

namespace cv::test {

class CoreDMFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        database = std::make_shared<host::HostDatabase>(
            host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("main.db"))));
        host::HostDatabase::install(host.state(), database);
    }

    // Starts the module's services; CoreDM then uses its own connection to
    // the host's database, as in connection mode 0.
    data::TCoreDM& startCoreDM()
    {
        app().RegisterLifecycleCallback(data::CoreDMStage);
        startHost();
        data::TCoreDM* dm = data::CoreDM();
        dm->ADOConnection1().setConnectionString(database->connectionString());
        dm->ADOConnection1().open();
        return *dm;
    }

    void hostSql(const QString& sql)
    {
        db::Query query(&database->connection(), false);
        query.setSql(sql);
        query.execSql();
    }

    // "title|text" of the CoreDm log entries, in order.
    QStringList coreLog() const
    {
        QStringList lines;
        for (const auto& e : host.log().entries())
            if (e.source == QStringLiteral("CoreDm"))
                lines << e.title + QLatin1Char('|') + e.text;
        return lines;
    }

    QTemporaryDir dir;
    std::shared_ptr<host::HostDatabase> database;
};

} // namespace cv::test
