#include "shell/TCVParamsAdapter.h"

#include "platform/abi/ComPtr.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace cv;
using namespace cv::shell;
using namespace corvelian;
using text::FormatArg;

namespace {

ComPtr<ICVParams> newParams()
{
    return ComPtr<ICVParams>(new TCVParamsAdapter);
}

CvVariant variantOf(CvVarType type)
{
    CvVariant v;
    CvVariantInit(&v);
    v.vt = type;
    return v;
}

TEST(ParamsAdapter, SetValueKindsFollowTheVariantType)
{
    struct Case {
        const char* name;
        CvVariant value;
        int kind;
        const char* text;
    };
    CvVariant i2 = variantOf(CV_VT_I2);
    i2.i2 = -7;
    CvVariant i4 = variantOf(CV_VT_I4);
    i4.i4 = 12;
    CvVariant ui1 = variantOf(CV_VT_UI1);
    ui1.ui1 = 200;
    CvVariant r8 = variantOf(CV_VT_R8);
    r8.r8 = 2.5;
    CvVariant cy = variantOf(CV_VT_CY);
    cy.cy = 125000;
    CvVariant flag = variantOf(CV_VT_BOOL);
    flag.boolVal = CV_TRUE;
    CvVariant i8 = variantOf(CV_VT_I8);
    i8.i8 = 5000000000LL;
    const Case cases[] = {
        {"i2", i2, 1, "-7"},         {"i4", i4, 1, "12"},
        {"ui1", ui1, 1, "200"},      {"r8", r8, 2, "2.5"},
        {"cy", cy, 2, "12.5"},       {"bool", flag, 0, "True"},
        {"i8", i8, 0, "5000000000"}, {"null", variantOf(CV_VT_NULL), 0, ""},
    };
    auto params = newParams();
    auto* adapter = static_cast<TCVParamsAdapter*>(params.get());
    ASSERT_EQ(params->SetCount(1), CV_OK);
    for (const Case& c : cases) {
        ASSERT_EQ(params->SetValue(0, c.value), CV_OK) << c.name;
        EXPECT_EQ(adapter->Entries()[0].kind, c.kind) << c.name;
        EXPECT_EQ(adapter->Entries()[0].text, QString::fromUtf8(c.text)) << c.name;
    }

    // Text is kept as text so that it formats with %s.
    CvVariant text = variantOf(CV_VT_BSTR);
    text.bstr = CvAllocStringLen(u"阿莫西林", 4);
    ASSERT_EQ(params->SetValue(0, text), CV_OK);
    CvVariantClear(&text);
    EXPECT_EQ(adapter->Entries()[0].kind, 0);
    CvVariant read;
    CvVariantInit(&read);
    ASSERT_EQ(params->GetValue(0, &read), CV_OK);
    EXPECT_EQ(read.vt, CV_VT_BSTR);
    EXPECT_EQ(fromWide(read.bstr), QStringLiteral("阿莫西林"));
    CvVariantClear(&read);
}

TEST(ParamsAdapter, IndexOutsideTheListFails)
{
    auto params = newParams();
    params->SetCount(2);
    std::int32_t count = 0;
    params->GetCount(&count);
    EXPECT_EQ(count, 2);
    CvVariant v;
    CvVariantInit(&v);
    EXPECT_NE(params->GetValue(2, &v), CV_OK);
    EXPECT_NE(params->SetValue(-1, v), CV_OK);
}

TEST(ParamsAdapter, FormatTextFillsTheEntries)
{
    auto params = newParams();
    params->SetCount(2);
    CvVariant number = variantOf(CV_VT_I4);
    number.i4 = 12;
    params->SetValue(0, number);
    CvVariant text = variantOf(CV_VT_BSTR);
    text.bstr = CvAllocStringLen(u"ab", 2);
    params->SetValue(1, text);
    CvVariantClear(&text);

    WideString format(QStringLiteral("A=%d and B='%s'"));
    CvWordBool done = 0;
    ASSERT_EQ(params->FormatText(format.inOut(), &done), CV_OK);
    EXPECT_EQ(done, CV_TRUE);
    EXPECT_EQ(format.toQString(), QStringLiteral("A=12 and B='ab'"));
}

TEST(ParamsAdapter, FailedConversionLeavesTheTextAndReportsTheError)
{
    auto params = newParams();
    params->SetCount(1);
    static_cast<TCVParamsAdapter*>(params.get())->SetEntry(0, 1, QStringLiteral("12a"));

    WideString format(QStringLiteral("A=%d"));
    const CvBStr before = format.get();
    CvWordBool done = CV_TRUE;
    EXPECT_EQ(params->FormatText(format.inOut(), &done), CV_OK);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(format.get(), before);
    EXPECT_EQ(format.toQString(), QStringLiteral("A=%d"));
    WideString error;
    params->GetLastError(error.put());
    EXPECT_EQ(error.toQString(), QStringLiteral("'12a' is not a valid integer value"));
}

TEST(ParamsAdapter, ArgumentConversionTable)
{
    const QDate day(2024, 3, 5);
    struct Case {
        const char* name;
        FormatArg argument;
        QVariant expected;
    };
    const Case cases[] = {
        {"integer", FormatArg::integer(-3), QVariant(-3)},
        {"boolean", FormatArg::boolean(true), QVariant(true)},
        {"char", FormatArg::character('A'), QVariant(QStringLiteral("A"))},
        {"extended", FormatArg::extended(1.25), QVariant(1.25)},
        {"short string", FormatArg::shortString(QStringLiteral("ab")),
         QVariant(QStringLiteral("ab"))},
        {"ansi string", FormatArg::ansiString(QStringLiteral("宋体")),
         QVariant(QStringLiteral("宋体"))},
        {"currency", FormatArg::currency(125000), QVariant(QStringLiteral("12.5"))},
        {"variant date", FormatArg::variant(QVariant(day)), QVariant(day)},
        {"variant number", FormatArg::variant(QVariant(7)), QVariant(QStringLiteral("7"))},
        {"variant null", FormatArg::variant(QVariant()), QVariant(QString())},
        {"int64", FormatArg::int64(5000000000LL), QVariant(qlonglong(5000000000LL))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCVParamsAdapter::ArgumentToVariant(c.argument), c.expected) << c.name;

    for (const FormatArg& a :
         {FormatArg::pointer(&day), FormatArg::wideChar(u'x'),
          FormatArg::pWideChar(QStringLiteral("x")), FormatArg::interfaceRef(&day)})
        EXPECT_TRUE(TCVParamsAdapter::ArgumentToVariant(a).isNull());
}

TEST(ParamsAdapter, ObjectsAndClassesAreRefused)
{
    try {
        TCVParamsAdapter::ArgumentToVariant(FormatArg::object(QStringLiteral("TStringList")));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("不支持对象类型:TStringList！请将其转换为 varray of byte "));
    }
    try {
        TCVParamsAdapter::ArgumentToVariant(FormatArg::classRef(QStringLiteral("TForm")));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("不支持Class类型:vtClass！ "));
    }
}

} // namespace
