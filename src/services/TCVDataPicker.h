// The host's common search window: obtained once, filled with settings and
// two value lists, shown for a host script; the picked record's fields are
// read by name afterwards.
#pragma once

#include "platform/abi/ComPtr.h"
#include "platform/text/Format.h"

#include <corvelian/Interfaces.h>

#include <QString>
#include <QVariant>

#include <vector>

class QObject;

namespace cv::services {

class TCVDataPicker {
public:
    using Values = std::vector<text::FormatArg>;

    // ownRequest: ask for the service by interface name with flags 1 (the
    // module's own search window); otherwise take the facade's picker.
    explicit TCVDataPicker(bool ownRequest) : m_ownRequest(ownRequest) {}
    TCVDataPicker(const TCVDataPicker&) = delete;
    TCVDataPicker& operator=(const TCVDataPicker&) = delete;

    // The service is requested once, even when that request fails. Without a
    // service every use tells the user "公共检索窗口启动失败." and ends the
    // action with SilentAbort.
    void EnsurePicker();
    // Empties settings 2, 4 and 8 and both value lists; setting 7 := "1".
    void Reset();
    // Shows the search window; true when the user picked a record. A control
    // publishing a TCVEditStyle as "Style" shows the search style meanwhile;
    // the owner window is the control's top-level window (none for objects
    // that are not widgets).
    bool Execute(QObject* control, int script, const QString& searchText, int options,
                 const QString& keyText, const Values& firstValues, const Values& secondValues,
                 const QVariant& initialValue, const QString& text);
    // A field of the record picked by the last Execute; raises
    // "字段名[name]不存在." when it has none of that name.
    ComPtr<corvelian::ICVField> PickedField(const QString& fieldName);
    // The picked field read as text or as integer.
    QString PickedString(const QString& fieldName);
    int PickedInteger(const QString& fieldName);

    bool Obtained() const { return m_obtained; }

private:
    corvelian::ICVDataPicker& picker();
    void SetSetting(int number, const QString& text);
    void FillValues(bool first, const Values& values);
    ComPtr<corvelian::ICVParams> ValueList(bool first);

    bool m_ownRequest;
    bool m_obtained = false;
    ComPtr<corvelian::ICVDataPicker> m_picker;
};

// The module's picker, from lifecycle stage 0 to stage 1; raises outside.
TCVDataPicker& DataPicker();

} // namespace cv::services
