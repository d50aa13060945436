#include "DataPicker.h"

#include "BoundQuery.h"
#include "SearchDialog.h"

#include "platform/abi/Boundary.h"

#include <QApplication>

namespace cv::host {

using namespace corvelian;

namespace {

template <class I> void handOut(const ComPtr<I>& object, I** out)
{
    *out = object.get();
    if (*out)
        (*out)->AddRef();
}

} // namespace

DataPicker::DataPicker(std::shared_ptr<ServiceContext> context)
    : m_context(std::move(context)), m_first(new ValueList), m_second(new ValueList),
      m_record(new PickedRecord)
{
}

template <class F> CvStatus DataPicker::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

CvStatus CV_CALL DataPicker::GetRecord(ICVDataRecord** record)
{
    return call([&] {
        requirePointer(record);
        handOut<ICVDataRecord>(ComPtr<ICVDataRecord>(m_record.get()), record);
    });
}

CvStatus CV_CALL DataPicker::GetFirstValues(ICVParams** values)
{
    return call([&] {
        requirePointer(values);
        handOut<ICVParams>(ComPtr<ICVParams>(m_first.get()), values);
    });
}

CvStatus CV_CALL DataPicker::GetSecondValues(ICVParams** values)
{
    return call([&] {
        requirePointer(values);
        handOut<ICVParams>(ComPtr<ICVParams>(m_second.get()), values);
    });
}

CvStatus CV_CALL DataPicker::SetSetting(std::int32_t number, const char16_t* text)
{
    return call([&] { m_settings.insert(number, fromWideZ(text)); });
}

CvStatus CV_CALL DataPicker::Show(CvHandle owner, std::int32_t script, std::int32_t,
                                  const char16_t* text, CvWordBool* picked)
{
    return call([&] {
        requirePointer(picked);
        *picked = 0;
        *picked = runSearch(owner, script, fromWideZ(text)) ? CV_TRUE : CvWordBool(0);
    });
}

// A cancelled search leaves no picked record, so a stale pick is never read.
bool DataPicker::runSearch(CvHandle owner, int script, const QString& text)
{
    m_lastScript = script;
    m_record = ComPtr<PickedRecord>(new PickedRecord);
    const SearchDefinition definition = SearchDefinition::load(*m_context->database, script);
    const QVariant value1 = m_first->first();
    const QVariant value2 = m_second->first();
    auto runner = [db = m_context->database, body = definition.body, value1,
                   value2](const QString& searchText) {
        return runBoundQuery(*db, body, [&](const QString& name) -> QVariant {
            if (name.compare(QLatin1String("SearchText"), Qt::CaseInsensitive) == 0)
                return searchText;
            if (name.compare(QLatin1String("Value1"), Qt::CaseInsensitive) == 0)
                return value1;
            if (name.compare(QLatin1String("Value2"), Qt::CaseInsensitive) == 0)
                return value2;
            return {};
        });
    };
    SearchDialog dialog(definition, runner, QWidget::find(WId(owner)));
    dialog.setSearchText(text);
    if (!dialog.errorText().isEmpty())
        throw Exception(dialog.errorText());
    if (choose(dialog) != QDialog::Accepted || dialog.currentRow() < 0)
        return false;
    m_record = ComPtr<PickedRecord>(new PickedRecord(dialog.columns(), dialog.currentValues()));
    return true;
}

int DataPicker::choose(SearchDialog& dialog)
{
    if (m_context->searchChooser)
        return m_context->searchChooser(dialog);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw Exception(QStringLiteral("没有图形界面，无法显示公共检索窗口."));
    return dialog.exec();
}

} // namespace cv::host
