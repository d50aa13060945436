// The reference host's objects answer at the contract's slots when called
// the way a 32-bit host binary would: by vtable index.
#include "host/ReferenceHost.h"

#include "platform/abi/WideString.h"

#include <gtest/gtest.h>

using namespace corvelian;

namespace {

template <class Fn> Fn slot(void* object, int index)
{
    return reinterpret_cast<Fn>((*reinterpret_cast<void***>(object))[index]);
}

TEST(RawSlots, HostApplicationAndSystemLibrary)
{
    cv::host::ReferenceHost host;
    host.config().settings.insert(QStringLiteral(".TimeOut"), QStringLiteral("45"));
    auto app = host.application();

    CvBStr name = nullptr;
    ASSERT_EQ((slot<CvStatus (*)(ICvApplication*, CvBStr*)>(app.get(), 4)(app.get(), &name)),
              CV_OK);
    EXPECT_EQ(cv::takeWide(name), QStringLiteral("Corvelian"));

    ICVUnknown* unknown = nullptr;
    CvBStr error = nullptr;
    ASSERT_EQ((slot<CvStatus (*)(ICvApplication*, ICVUnknown**, std::int32_t, CvBStr*)>(
                  app.get(), 17)(app.get(), &unknown, 0, &error)),
              CV_OK);
    ASSERT_NE(unknown, nullptr);
    auto library = cv::queryInterface<ICVLibrary2>(unknown);
    unknown->Release();
    ASSERT_TRUE(library);

    CvBStr value = nullptr;
    EXPECT_EQ((slot<std::int32_t (*)(ICVLibrary2*, const char16_t*, CvBStr*)>(library.get(), 63)(
                  library.get(), u".timeout", &value)),
              1);
    EXPECT_EQ(cv::takeWide(value), QStringLiteral("45"));

    EXPECT_EQ((slot<CvStatus (*)(ICVLibrary2*, std::int32_t, const char16_t*, const char16_t*,
                                 const char16_t*, const char16_t*)>(library.get(), 37)(
                  library.get(), 4, u"App", u"CoreDm", u"SQL执行", u"select 1")),
              CV_OK);
    ASSERT_EQ(host.log().entries().size(), 1u);
    EXPECT_EQ(host.log().entries()[0].title, QStringLiteral("SQL执行"));
    EXPECT_EQ(host.log().entries()[0].level, 4);
}

} // namespace
