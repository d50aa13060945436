#include "TCasePackage.h"

#include "TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"
#include "platform/text/FormatSettings.h"

#include <QApplication>
#include <QDialog>
#include <QMetaProperty>

#include <dlfcn.h>

namespace cv::shell {

using namespace corvelian;

namespace {

TCasePackage* g_casePackage = nullptr;

constexpr int kDefaultTimeout = 30;

QString moduleFileName()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleFileName), &info) != 0 && info.dli_fname)
        return QString::fromLocal8Bit(info.dli_fname);
    return {};
}

void setAttribute(TCVXMLNode* node, const QString& name, const QString& value)
{
    checkHost(node->SetAttribute(wideArg(name), wideArg(value)), node);
}

ComPtr<TCVXMLNode> appendChild(ICVXMLDocument* document, TCVXMLNode* parent, const QString& name)
{
    ComPtr<TCVXMLNode> child;
    checkHost(document->AppendChild(parent, wideArg(name), child.put()), document);
    if (!child)
        throw Exception(QStringLiteral("XML节点创建失败."));
    return child;
}

// A new document with the root element "FormList".
ComPtr<TCVXMLNode> newFormList(ICVXMLDocument* document)
{
    checkHost(document->NewDocument(wideArg(QStringLiteral("FormList"))), document);
    ComPtr<TCVXMLNode> root;
    checkHost(document->GetNodeByPath(wideArg(QStringLiteral("/FormList")), root.put()), document);
    if (!root)
        throw Exception(QStringLiteral("XML节点创建失败."));
    return root;
}

QString documentText(ICVXMLDocument* document)
{
    WideString xml;
    checkHost(document->GetXML(xml.put()), document);
    return xml.toQString();
}

// Sets the Qt property "ImeName" when the object declares one.
void applyImeNameTo(QObject* object, const QString& imeName)
{
    if (object && object->metaObject()->indexOfProperty("ImeName") >= 0)
        object->setProperty("ImeName", imeName);
}

} // namespace

TCasePackage* CasePackage()
{
    return g_casePackage;
}
void SetCasePackage(TCasePackage* package)
{
    g_casePackage = package;
}

TCasePackage::TCasePackage(const QString& packageName, int packageId,
                           const QString& expectedHostName,
                           std::shared_ptr<PackageServices> services)
    : TCVExtentionAdapter(packageName, packageId, expectedHostName), m_services(std::move(services))
{
}

TCasePackage::~TCasePackage()
{
    if (g_casePackage == this)
        g_casePackage = nullptr;
}

// --- initialisation and release ------------------------------------------------------

void TCasePackage::Initialize()
{
    SetVersion(2.8);
    m_openForms.clear();
    m_registrations.clear();
    TCvApplication& app = CvApp();
    if (app.HostBound())
        ConnectDataModule();
    TCVExtentionAdapter::Initialize();
    if (app.HostBound() && m_services)
        m_services->ApplyDateTimeFormats();
}

void TCasePackage::ConnectDataModule()
{
    if (!m_services)
        return;
    TCvApplication& app = CvApp();
    if (app.GetConnectionMode() == 1) {
        m_services->UseHostConnection(app.GetConnectionObject().get());
        return;
    }
    int timeout = kDefaultTimeout;
    QString value;
    if (app.GetSetting(QStringLiteral(".TimeOut"), value) == 1)
        timeout = text::strToIntDef(value, kDefaultTimeout);
    m_services->ConfigureConnection(app.GetConnectionString(), timeout);
}

void TCasePackage::Finalize()
{
    m_registrations.clear();
    TCvApplication* app = TCvApplication::instance();
    while (!m_openForms.empty()) {
        QPointer<QWidget> form = m_openForms.back();
        m_openForms.pop_back();
        try {
            if (!form)
                continue;
            if (app && app->HostBound())
                app->NotifyForm(2, form->winId());
            delete form.data();
        } catch (...) {
            // One form failing to close must not keep the others open.
        }
    }
    if (app)
        app->WriteLog(0, QStringLiteral("CaseCore核心接口"), QStringLiteral("释放接口"),
                      QStringLiteral("未释放的窗口：") + StillExistingForms());
    if (m_services)
        m_services->DetachConnection();
}

QString TCasePackage::StillExistingForms() const
{
    QString text;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("cv::ui::TCvBaseForm"))
            text += FormClassName(widget) + QStringLiteral("\r\n");
    return text;
}

// --- registry -------------------------------------------------------------------------

void TCasePackage::RegisterForm(std::uint16_t id, const FormClass& formClass,
                                const QString& caption, bool listed, const QString& itemText)
{
    if (!Initialized())
        return;
    m_registrations.push_back(TDllRegFormClass{id, formClass, caption, listed, itemText, 0});
}

TDllRegFormClass* TCasePackage::FindRegistration(int id)
{
    for (auto it = m_registrations.rbegin(); it != m_registrations.rend(); ++it)
        if (it->Id == id)
            return &*it;
    return nullptr;
}

TDllRegFormClass* TCasePackage::SetRegistrationTag(int id, int value)
{
    TDllRegFormClass* registration = FindRegistration(id);
    if (registration)
        registration->Tag = value;
    return registration;
}

const FormClass* TCasePackage::GetFormClass(int id)
{
    TDllRegFormClass* registration = FindRegistration(id);
    return registration && registration->Form.create ? &registration->Form : nullptr;
}

QWidget* TCasePackage::FindOpenForm(const QString& className) const
{
    for (const QPointer<QWidget>& form : m_openForms)
        if (form && FormClassName(form) == className)
            return form;
    return nullptr;
}

void TCasePackage::RemoveOpenForm(QWidget* form)
{
    if (!form)
        return;
    for (auto it = m_openForms.begin(); it != m_openForms.end(); ++it) {
        if (it->data() == form) {
            m_openForms.erase(it);
            return;
        }
    }
}

int TCasePackage::AddOpenForm(QWidget* form)
{
    for (std::size_t i = 0; i < m_openForms.size(); ++i)
        if (m_openForms[i].data() == form)
            return int(i) + 1;
    m_openForms.emplace_back(form);
    return int(m_openForms.size()) - 1;
}

// --- host requests ----------------------------------------------------------------------

void TCasePackage::GetFormList(int& result, QString& text)
{
    text.clear();
    if (m_registrations.empty()) {
        result = 0;
        return;
    }
    ComPtr<ICVXMLDocument> document = CvApp().CreateXMLDocument();
    ComPtr<TCVXMLNode> root = newFormList(document.get());
    setAttribute(root.get(), QStringLiteral("Ver"), text::floatToText(2.8));
    setAttribute(root.get(), QStringLiteral("Cmd"), moduleFileName());
    for (const TDllRegFormClass& registration : m_registrations) {
        if (!registration.Listed && registration.Id != kSeparatorId)
            continue;
        ComPtr<TCVXMLNode> item = appendChild(document.get(), root.get(), QStringLiteral("Item"));
        setAttribute(item.get(), QStringLiteral("ID"), QString::number(registration.Id));
        setAttribute(item.get(), QStringLiteral("FormClass"),
                     registration.Form.create ? registration.Form.name
                                              : QStringLiteral("Separator"));
        setAttribute(item.get(), QStringLiteral("Caption"), registration.Caption);
        checkHost(item->SetText(wideArg(registration.ItemText)), item.get());
    }
    ExtendFormList(document.get(), root.get());
    text = documentText(document.get());
    result = 1;
}

void TCasePackage::ExtendFormList(ICVXMLDocument*, TCVXMLNode*) {}

void TCasePackage::GetOpenFormList(int& result, QString& text)
{
    text.clear();
    if (m_openForms.empty()) {
        result = 0;
        return;
    }
    ComPtr<ICVXMLDocument> document = CvApp().CreateXMLDocument();
    ComPtr<TCVXMLNode> root = newFormList(document.get());
    for (std::size_t position = 0; position < m_openForms.size(); ++position) {
        QWidget* form = m_openForms[position];
        if (!form)
            continue;
        ComPtr<TCVXMLNode> item = appendChild(document.get(), root.get(), QStringLiteral("Item"));
        setAttribute(item.get(), QStringLiteral("ID"), QString::number(position));
        setAttribute(item.get(), QStringLiteral("FormClass"), FormClassName(form));
        setAttribute(item.get(), QStringLiteral("Caption"), form->windowTitle());
        setAttribute(item.get(), QStringLiteral("Visible"),
                     form->isVisible() ? QStringLiteral("True") : QStringLiteral("False"));
        setAttribute(item.get(), QStringLiteral("Handle"), QString::number(quint64(form->winId())));
    }
    text = documentText(document.get());
    result = 1;
}

int TCasePackage::HandleCommand(int, int, QString&)
{
    return 0;
}

void TCasePackage::OpenCommand(int& result, int code, int param, QString& text)
{
    result = HandleCommand(code, param, text);
    if (result != 0)
        return;
    TDllRegFormClass* registration = FindRegistration(code);
    if (!registration || !registration->Form.create) {
        result = SetError(3, QStringLiteral("命令(") + QString::number(code) +
                                 QStringLiteral(")不存在或没有注册窗口"));
        return;
    }
    if (QWidget* open = FindOpenForm(registration->Form.name)) {
        result = 1;
        QCoreApplication::postEvent(open, new SystemCommandEvent(SystemCommandEvent::kShowForm));
        if (auto* moduleForm = dynamic_cast<ModuleForm*>(open)) {
            moduleForm->SetCommandId(code);
            moduleForm->SetCommandText(text);
        }
        return;
    }
    QPointer<QWidget> form;
    try {
        form = registration->Form.create();
        if (auto* moduleForm = dynamic_cast<ModuleForm*>(form.data())) {
            moduleForm->SetCommandId(code);
            moduleForm->SetCommandText(text);
        }
        AddOpenForm(form);
        result = ShowForm(form, param, text);
    } catch (const Exception& e) {
        SetError(0, e.message());
        delete form.data(); // the guard is null when ShowForm released it already
        result = 3;
    }
}

int TCasePackage::ShowForm(QWidget* form, int mode, QString& text)
{
    auto* moduleForm = dynamic_cast<ModuleForm*>(form);
    const bool dialog = moduleForm && moduleForm->IsDialogForm();
    if (dialog || form->property("AlphaBlendValue").toInt() == 99)
        mode = 1;
    else if (mode == 2 && FormMode() != 1)
        mode = 0;

    if (mode == 1) {
        QPointer<QWidget> guard(form);
        auto* modal = qobject_cast<QDialog*>(form);
        const int answer = modal ? modal->exec() : QDialog::Rejected;
        int result = 2;
        if (answer == QDialog::Accepted && moduleForm && guard) {
            moduleForm->GetResultText(text);
            result = 1;
        }
        delete guard.data();
        return result;
    }

    form->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    const ConfigInfo config = CvApp().GetConfigInfo();
    if (FormMode() == 1 && !config.showFormBorder)
        form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
    form->show();
    return 1;
}

// --- settings -------------------------------------------------------------------------------

void TCasePackage::ApplySettings(int& result, int kind)
{
    result = 0;
    if (!CvApp().HostBound())
        return;
    if (kind <= 0) {
        ApplySetting(1);
        ApplySetting(2);
        ApplySetting(3);
    } else {
        ApplySetting(kind);
    }
    result = 1;
}

void TCasePackage::ApplySetting(int kind)
{
    TCvApplication& app = CvApp();
    switch (kind) {
    case 1: {
        const FontInfo info = app.GetFontInfo();
        if (m_services)
            m_services->ApplyEditorFont(EditorFont{info.useHostFont, info.fontName, info.size,
                                                   info.styleCode, app.GetSystemMessageFont()});
        for (const QPointer<QWidget>& form : m_openForms)
            ApplyFont(form);
        break;
    }
    case 2:
        if (m_services)
            m_services->SetEditButtonStyle(app.GetConfigInfo().lookAndFeel);
        break;
    case 9:
        for (const QPointer<QWidget>& form : m_openForms)
            ApplyImeName(form);
        break;
    case 10:
        if (m_services)
            m_services->Reconnect();
        break;
    default:
        break;
    }
}

void TCasePackage::ApplyFont(QWidget* form)
{
    TCvApplication* app = TCvApplication::instance();
    if (!form || !app || !app->HostBound())
        return;
    const FontInfo info = app->GetFontInfo();
    if (!info.useHostFont) {
        form->setFont(app->GetSystemMessageFont());
        return;
    }
    QFont font(info.fontName);
    font.setPointSize(info.size > 0 ? info.size : font.pointSize());
    font.setBold(info.styleCode == 2 || info.styleCode == 3);
    font.setItalic(info.styleCode == 1 || info.styleCode == 3);
    form->setFont(font);
}

void TCasePackage::ApplyImeName(QWidget* form)
{
    TCvApplication* app = TCvApplication::instance();
    if (!form || !app || !app->HostBound())
        return;
    const QString imeName = app->GetConfigInfo().imeName;
    // Every object the form owns, at any depth, like the components a form owns.
    for (QObject* component : form->findChildren<QObject*>()) {
        const QString className = FormClassName(component);
        if (!className.startsWith(QStringLiteral("Tcx"))) {
            applyImeNameTo(component, imeName);
            continue;
        }
        applyImeNameTo(component->property("Properties").value<QObject*>(), imeName);
    }
}

} // namespace cv::shell
