// A host with its services installed on a fresh demo database, and the way a
// module reaches them: the application's package look-ups and CreateObject.
#pragma once

#include "host/HostApplication.h"
#include "host/HostDatabase.h"
#include "host/HostState.h"
#include "host/demo/DemoDatabase.h"
#include "host/services/HostServices.h"

#include "platform/abi/WideString.h"
#include "platform/db/Query.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace cv::host::testing {

class ServicesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        buildDemoDatabase(dir.filePath(QStringLiteral("demo.db")));
        database = std::make_shared<HostDatabase>(
            HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("demo.db"))));
        state->config.userId = 1001;
        services = installHostServices(*state, database);
        application = ComPtr<corvelian::ICvApplication>(new HostApplication(state));
    }

    void sql(const QString& statement)
    {
        db::Query query(&database->connection(), false);
        query.setSql(statement);
        query.execSql();
    }

    // The object a module gets from the package registered under `name`.
    template <class I> ComPtr<I> create(const QString& name, bool byInterface)
    {
        ComPtr<corvelian::ICVExtention> package;
        WideString error;
        const auto lookup = byInterface ? &corvelian::ICvApplication::FindInterfacePackage
                                        : &corvelian::ICvApplication::GetPackage;
        EXPECT_EQ((application.get()->*lookup)(wideArg(name), error.put(), package.put()),
                  corvelian::CV_OK);
        EXPECT_TRUE(package) << error.toQString().toStdString();
        if (!package)
            return {};
        ComPtr<corvelian::ICVUnknown> object;
        std::int32_t result = 0;
        EXPECT_EQ(package->CreateObject(object.put(), byInterface ? 0 : 1, nullptr, &result),
                  corvelian::CV_OK);
        return object.as<I>();
    }

    QTemporaryDir dir;
    std::shared_ptr<HostState> state = std::make_shared<HostState>();
    std::shared_ptr<HostDatabase> database;
    HostServices services;
    ComPtr<corvelian::ICvApplication> application;
};

inline QString text(corvelian::ICVField* field)
{
    WideString s;
    EXPECT_EQ(field->GetAsString(s.put()), corvelian::CV_OK);
    return s.toQString();
}

} // namespace cv::host::testing
