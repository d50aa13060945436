#include "ShellFixture.h"

#include "shell/TCVExtentionAdapter.h"

#include "platform/abi/ComPtr.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

#include <stdexcept>

using namespace cv;
using namespace cv::shell;
using namespace corvelian;

namespace {

// Records which operation the dispatcher reached.
class ProbeAdapter : public TCVExtentionAdapter {
public:
    ProbeAdapter()
        : TCVExtentionAdapter(QStringLiteral("CV.DoctorMedicationApply"), 130,
                              QStringLiteral("Corvelian"))
    {
    }

    QString reached;
    int settingsKind = -100;
    bool throwOnOpen = false;

protected:
    void Finalize() override
    {
        CvApp().WriteLog(0, QStringLiteral("probe"), QStringLiteral("Finalize"), {});
    }
    void ApplySettings(int& result, int kind) override
    {
        settingsKind = kind;
        reached = QStringLiteral("ApplySettings");
        result = 1;
    }
    void GetFormList(int& result, QString& text) override
    {
        reached = QStringLiteral("GetFormList");
        text = QStringLiteral("<FormList/>");
        result = 1;
    }
    void GetOpenFormList(int& result, QString&) override
    {
        reached = QStringLiteral("GetOpenFormList");
        result = 0;
    }
    void ExecuteDefault(int& result, int, QString&) override
    {
        reached = QStringLiteral("ExecuteDefault");
        result = 0;
    }
    void OpenCommand(int& result, int, int, QString& text) override
    {
        reached = QStringLiteral("OpenCommand");
        if (throwOnOpen)
            throw std::runtime_error("escaped");
        text = QStringLiteral("opened");
        result = 1;
    }
    void HandleCode5(int& result) override
    {
        reached = QStringLiteral("HandleCode5");
        result = 0;
    }
    void HandleCode8(int&) override { reached = QStringLiteral("HandleCode8"); }
};

int g_closingStages = 0;
void countClosing(std::uint8_t stage)
{
    if (stage == StageClosing)
        ++g_closingStages;
}
void logStop(std::uint8_t stage)
{
    if (stage == StageStop)
        CvApp().WriteLog(0, QStringLiteral("probe"), QStringLiteral("Stop"), {});
}
void failStart(std::uint8_t stage)
{
    if (stage == StageStart)
        throw Exception(QStringLiteral("资源加载失败"));
}

struct Answer {
    std::int32_t result = -1;
    QString text;
    CvStatus status = CV_OK;
};

class AdapterTest : public cv::test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        g_closingStages = 0;
    }

    // The extension as the host holds it: through its interface.
    ComPtr<ICVExtention> create(ProbeAdapter** probe = nullptr)
    {
        ProbeAdapter* object = TCVExtentionAdapter::Create<ProbeAdapter>();
        if (probe)
            *probe = object;
        return ComPtr<ICVExtention>(object);
    }

    static bool initialized(ICVExtention* e)
    {
        CvWordBool value = 0;
        EXPECT_EQ(e->GetInitialized(&value), CV_OK);
        return value != 0;
    }

    static QString lastError(ICVExtention* e)
    {
        WideString text;
        EXPECT_EQ(e->GetLastError(text.put()), CV_OK);
        return text.toQString();
    }

    static Answer execute(ICVExtention* e, int code, int param = 0,
                          const QString& text = QStringLiteral("in"))
    {
        WideString value(text);
        Answer a;
        a.status = e->Execute(code, param, value.inOut(), &a.result);
        a.text = value.toQString();
        return a;
    }
};

TEST_F(AdapterTest, ConstructionChecksHostBindingNameAndVersion)
{
    struct Case {
        const char* name;
        bool bind;
        const char* hostName;
        double version;
        const char* error; // null: initialised
    };
    const Case cases[] = {
        {"no host", false, "Corvelian", 8.0, "设置主应用程序接口失败."},
        {"other product", true, "Medisoft", 8.0, "该文件不是当前应用程序的子系统."},
        {"name in other case", true, "corvelian", 8.0, nullptr},
        {"version 1.58", true, "Corvelian", 1.58,
         "验证 Corvelian 应用程序版本过低，请升级 Corvelian.exe 到 8.0.1.33 及以上版本。"},
        {"version 1.59", true, "Corvelian", 1.59, nullptr},
    };
    for (const Case& c : cases) {
        shell::TCvApplication::destroyInstance();
        shell::TCvApplication::createInstance();
        host.config().name = QString::fromUtf8(c.hostName);
        host.config().version = c.version;
        if (c.bind)
            bindHost();
        auto extension = create();
        EXPECT_EQ(initialized(extension.get()), c.error == nullptr) << c.name;
        EXPECT_EQ(lastError(extension.get()), c.error ? QString::fromUtf8(c.error) : QString())
            << c.name;
        double version = 0;
        extension->GetVersion(&version);
        EXPECT_EQ(version, 1.0) << c.name;
    }
}

TEST_F(AdapterTest, AThrowingLifecycleCallbackEndsConstructionWithItsMessage)
{
    app().RegisterLifecycleCallback(failStart);
    bindHost();
    auto extension = create();
    EXPECT_FALSE(initialized(extension.get()));
    EXPECT_EQ(lastError(extension.get()), QStringLiteral("资源加载失败"));
}

TEST_F(AdapterTest, ConstructionCopiesFormModeAndNamesTheApplication)
{
    host.config().formMode = 2;
    bindHost();
    ProbeAdapter* probe = nullptr;
    auto extension = create(&probe);
    EXPECT_TRUE(initialized(extension.get()));
    EXPECT_EQ(probe->FormMode(), 2);
    EXPECT_EQ(app().ApplicationName(), QStringLiteral("CV.DoctorMedicationApply"));
    EXPECT_EQ(probe->settingsKind, 0); // Initialize applies all settings once
    EXPECT_TRUE(app().LibraryBound());
    WideString name;
    extension->GetName(name.put());
    EXPECT_EQ(name.toQString(), QStringLiteral("CV.DoctorMedicationApply"));
    CvHandle module = 0;
    EXPECT_EQ(extension->GetModuleHandle(&module), CV_OK);
    EXPECT_NE(module, 0u);
}

TEST_F(AdapterTest, AnswersOnlyItsOwnInterfaces)
{
    bindHost();
    auto extension = create();
    EXPECT_TRUE(extension.as<ICVExtention>());
    EXPECT_TRUE(extension.as<ICVUnknown>());
    EXPECT_FALSE(extension.as<ICVLibrary2>());
    EXPECT_FALSE(extension.as<ICVParams>());
}

TEST_F(AdapterTest, DestructionLogsFinalisesTerminatesAndShutsDownInOrder)
{
    app().RegisterLifecycleCallback(logStop);
    bindHost();
    auto extension = create();
    ASSERT_TRUE(initialized(extension.get()));
    extension.reset();

    std::vector<QString> order;
    for (const auto& e : host.log().entries())
        order.push_back(e.source + QLatin1Char('/') + e.title);
    const std::vector<QString> expected = {
        QStringLiteral("Dll 接口/Terminated"), QStringLiteral("probe/Finalize"),
        QStringLiteral("CvApplication/Terminated"), QStringLiteral("probe/Stop")};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(host.log().entries()[0].level, 2);
    EXPECT_EQ(host.log().entries()[0].text, QStringLiteral("准备终止DLL接口"));
    EXPECT_TRUE(app().Terminated());
    EXPECT_FALSE(app().LibraryBound());
}

TEST_F(AdapterTest, AnUninitialisedExtensionIsDestroyedQuietly)
{
    auto extension = create();
    extension.reset();
    EXPECT_FALSE(app().Terminated());
}

TEST_F(AdapterTest, ExecuteDispatchesEveryCode)
{
    struct Case {
        int code;
        int param;
        const char* reached;
        int result;
        const char* text;
    };
    const Case cases[] = {
        {4, 0, "OpenCommand", 1, "opened"},
        {0, 0, "ExecuteDefault", 0, "in"},
        {-1, 0, "GetFormList", 1, "<FormList/>"},
        {-2, 9, "ApplySettings", 1, "in"},
        {-3, 0, "GetOpenFormList", 0, "in"},
        {-5, 0, "HandleCode5", 0, "in"},
        {-7, 0, "", 1, "in"},
        {-8, 0, "HandleCode8", 1, "in"},
        {-10, 0, "", 1, "130"},
        {-11, 0, "", 1, "in"},
        {-4, 0, "", 2, "in"},
        {-6, 0, "", 2, "in"},
        {-9, 0, "", 2, "in"},
        {-12, 0, "", 2, "in"},
        {-40, 0, "", 2, "in"},
    };
    app().RegisterLifecycleCallback(countClosing);
    bindHost();
    ProbeAdapter* probe = nullptr;
    auto extension = create(&probe);
    for (const Case& c : cases) {
        probe->reached.clear();
        const Answer a = execute(extension.get(), c.code, c.param);
        EXPECT_EQ(a.status, CV_OK) << c.code;
        EXPECT_EQ(probe->reached, QString::fromUtf8(c.reached)) << c.code;
        EXPECT_EQ(a.result, c.result) << c.code;
        EXPECT_EQ(a.text, QString::fromUtf8(c.text)) << c.code;
    }
    EXPECT_EQ(probe->settingsKind, 9);
    EXPECT_EQ(g_closingStages, 1);
}

TEST_F(AdapterTest, UntouchedTextKeepsTheHostsString)
{
    bindHost();
    auto extension = create();
    WideString value(QStringLiteral("keep"));
    const CvBStr before = value.get();
    std::int32_t result = 0;
    extension->Execute(-9, 0, value.inOut(), &result);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(value.get(), before);
}

TEST_F(AdapterTest, CloseQueryWhileAFormIsModalFailsWithoutClosingStage)
{
    app().RegisterLifecycleCallback(countClosing);
    bindHost();
    auto extension = create();
    app().SetModalFormQuery([] { return true; });
    EXPECT_EQ(execute(extension.get(), -7).result, 3);
    EXPECT_EQ(g_closingStages, 0);
}

TEST_F(AdapterTest, WithoutHostEveryCodeFailsWithTheCoreMessage)
{
    auto extension = create();
    for (int code : {5, 0, -1, -2, -3, -7, -10, -11, -99}) {
        const Answer a = execute(extension.get(), code);
        EXPECT_EQ(a.result, 3) << code;
        EXPECT_EQ(lastError(extension.get()), QStringLiteral("加载核心接口失败。")) << code;
    }
}

TEST_F(AdapterTest, AnEscapingExceptionBecomesTheUnexpectedStatus)
{
    bindHost();
    ProbeAdapter* probe = nullptr;
    auto extension = create(&probe);
    probe->throwOnOpen = true;
    EXPECT_EQ(execute(extension.get(), 1).status, CV_E_UNEXPECTED);
    EXPECT_EQ(extension->Execute(1, 0, nullptr, nullptr), CV_E_UNEXPECTED);
}

TEST_F(AdapterTest, SlotsAreReachableThroughTheRawVtable)
{
    bindHost();
    auto extension = create();
    void** vtable = *reinterpret_cast<void***>(extension.get());
    using GetInitializedFn = CvStatus (*)(ICVExtention*, CvWordBool*);
    using ExecuteFn =
        CvStatus (*)(ICVExtention*, std::int32_t, std::int32_t, CvBStr*, std::int32_t*);
    CvWordBool initialized = 0;
    EXPECT_EQ(reinterpret_cast<GetInitializedFn>(vtable[7])(extension.get(), &initialized), CV_OK);
    EXPECT_EQ(initialized, CV_TRUE);
    WideString text;
    std::int32_t result = 0;
    EXPECT_EQ(
        reinterpret_cast<ExecuteFn>(vtable[8])(extension.get(), -10, 0, text.inOut(), &result),
        CV_OK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(text.toQString(), QStringLiteral("130"));
}

} // namespace
