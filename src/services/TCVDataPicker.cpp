#include "TCVDataPicker.h"

#include "SilentAbort.h"
#include "TCVEditStyle.h"

#include "data/TCoreDM.h"
#include "shell/TCVParamsAdapter.h"
#include "shell/TCvApplication.h"
#include "ui/TMsgBoxEx.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Variant.h"
#include "platform/text/FormatSettings.h"

#include <QWidget>

using namespace corvelian;

namespace cv::services {

namespace {

const QString kInterfaceName = QStringLiteral("ICVDataPicker");

data::EditButtonStyle buttonStyleFor(ui::LookAndFeelKind kind)
{
    switch (kind) {
    case ui::LookAndFeelKind::Flat:
        return data::EditButtonStyle::Flat;
    case ui::LookAndFeelKind::Standard:
        return data::EditButtonStyle::Default;
    case ui::LookAndFeelKind::UltraFlat:
        return data::EditButtonStyle::UltraFlat;
    case ui::LookAndFeelKind::Office2003:
        break;
    }
    return data::EditButtonStyle::Office11;
}

QColor focusedBorderColor()
{
    if (data::TCoreDM* dm = data::CoreDM())
        return dm->Appearance().cxtEditStyle().focused.borderColor;
    return data::EditStyleController{}.focused.borderColor;
}

// The search style of a control's editor while the search window is open;
// the editor returns to its defaults afterwards, also when showing fails.
class SearchStyle {
public:
    explicit SearchStyle(const QObject* control) : m_style(TCVEditStyle::Of(control))
    {
        if (!m_style)
            return;
        m_style->SetBorderStyle(data::EditBorderStyle::Thick);
        m_style->SetBorderColor(focusedBorderColor());
        m_style->SetButtonStyle(buttonStyleFor(m_style->LookAndFeelKind()));
    }
    ~SearchStyle()
    {
        if (m_style)
            m_style->RestoreDefaults();
    }
    SearchStyle(const SearchStyle&) = delete;
    SearchStyle& operator=(const SearchStyle&) = delete;

private:
    TCVEditStyle* m_style;
};

CvHandle ownerWindow(QObject* control)
{
    auto* widget = qobject_cast<QWidget*>(control);
    return widget ? CvHandle(widget->window()->winId()) : 0;
}

ComPtr<ICVDataPicker> requestPicker(bool ownRequest)
{
    shell::TCvApplication& app = shell::CvApp();
    if (!ownRequest)
        return app.GetDataPicker();
    return app.GetInterface(kInterfaceName, 1).as<ICVDataPicker>();
}

} // namespace

void TCVDataPicker::EnsurePicker()
{
    if (!m_obtained) {
        m_obtained = true;
        m_picker = requestPicker(m_ownRequest);
    }
    if (!m_picker) {
        ui::ShowMsgBox(QStringLiteral("公共检索窗口启动失败."), 16);
        throw SilentAbort();
    }
}

ICVDataPicker& TCVDataPicker::picker()
{
    EnsurePicker();
    return *m_picker;
}

void TCVDataPicker::SetSetting(int number, const QString& text)
{
    ICVDataPicker& service = picker();
    checkHost(service.SetSetting(number, wideArg(text)), &service);
}

ComPtr<ICVParams> TCVDataPicker::ValueList(bool first)
{
    ICVDataPicker& service = picker();
    ComPtr<ICVParams> list;
    checkHost(first ? service.GetFirstValues(list.put()) : service.GetSecondValues(list.put()),
              &service);
    if (!list)
        throw Exception(QStringLiteral("公共检索窗口没有值列表."), CV_E_POINTER);
    return list;
}

void TCVDataPicker::Reset()
{
    SetSetting(8, QString());
    SetSetting(7, QStringLiteral("1"));
    SetSetting(4, QString());
    SetSetting(2, QString());
    for (bool first : {true, false}) {
        ComPtr<ICVParams> list = ValueList(first);
        checkHost(list->SetCount(0), list.get());
    }
}

void TCVDataPicker::FillValues(bool first, const Values& values)
{
    ComPtr<ICVParams> list = ValueList(first);
    checkHost(list->SetCount(std::int32_t(values.size())), list.get());
    for (std::size_t i = 0; i < values.size(); ++i) {
        CvVariant value;
        CvVariantInit(&value);
        toCvVariant(shell::TCVParamsAdapter::ArgumentToVariant(values[i]), &value);
        // The host is asked for the list again for every item, as it expects.
        list = ValueList(first);
        const CvStatus status = list->SetValue(std::int32_t(i), value);
        CvVariantClear(&value);
        checkHost(status, list.get());
    }
}

bool TCVDataPicker::Execute(QObject* control, int script, const QString& searchText, int options,
                            const QString& keyText, const Values& firstValues,
                            const Values& secondValues, const QVariant& initialValue,
                            const QString& text)
{
    Reset();
    const SearchStyle style(control);
    const CvHandle owner = ownerWindow(control);
    FillValues(true, firstValues);
    FillValues(false, secondValues);
    if (options == 2)
        SetSetting(6, text::variantToText(initialValue));
    SetSetting(8, keyText);
    SetSetting(4, text);
    CvWordBool picked = 0;
    ICVDataPicker& service = picker();
    checkHost(service.Show(owner, script, options, wideArg(searchText), &picked), &service);
    return picked != 0;
}

ComPtr<ICVField> TCVDataPicker::PickedField(const QString& fieldName)
{
    ICVDataPicker& service = picker();
    ComPtr<ICVDataRecord> record;
    checkHost(service.GetRecord(record.put()), &service);
    ComPtr<ICVField> field;
    if (record)
        checkHost(record->FindField(wideArg(fieldName), field.put()), record.get());
    if (!field)
        throw Exception(text::format(QStringLiteral("字段名[%s]不存在."),
                                     {text::FormatArg::unicodeString(fieldName)}));
    return field;
}

QString TCVDataPicker::PickedString(const QString& fieldName)
{
    ComPtr<ICVField> field = PickedField(fieldName);
    WideString value;
    checkHost(field->GetAsString(value.put()), field.get());
    return value.toQString();
}

int TCVDataPicker::PickedInteger(const QString& fieldName)
{
    ComPtr<ICVField> field = PickedField(fieldName);
    std::int32_t value = 0;
    checkHost(field->GetAsInteger(&value), field.get());
    return value;
}

} // namespace cv::services
