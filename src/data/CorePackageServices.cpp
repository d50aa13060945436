#include "CorePackageServices.h"

#include "CoreAppearance.h"
#include "TCoreDM.h"

#include "platform/abi/Exception.h"

namespace cv::data {

namespace {

// The standing queries run with the connection's time-out.
void copyTimeoutToQueries(TCoreDM& dm)
{
    const int timeout = dm.ADOConnection1().commandTimeout();
    for (db::Query* query : {&dm.queDataSet1(), &dm.queDataSet2(), &dm.queCommand()})
        query->setCommandTimeout(timeout);
}

} // namespace

void CorePackageServices::UseHostConnection(corvelian::ICVUnknown* connectionObject)
{
    TCoreDM* dm = CoreDM();
    if (!dm)
        return;
    dm->RemoveExecutionHandlers();
    dm->AttachConnection(connectionObject);
    copyTimeoutToQueries(*dm);
}

void CorePackageServices::ConfigureConnection(const QString& connectionString, int timeoutSeconds)
{
    TCoreDM* dm = CoreDM();
    if (!dm)
        return;
    dm->ADOConnection1().setConnectionString(connectionString);
    dm->ADOConnection1().setCommandTimeout(timeoutSeconds);
    copyTimeoutToQueries(*dm);
}

void CorePackageServices::ApplyDateTimeFormats()
{
    if (TCoreDM* dm = CoreDM())
        dm->Appearance().ApplyDateTimeFormats();
}

void CorePackageServices::ApplyEditorFont(const shell::EditorFont& font)
{
    if (TCoreDM* dm = CoreDM())
        dm->Appearance().ApplyEditorFont(font);
}

void CorePackageServices::SetEditButtonStyle(int lookAndFeel)
{
    if (TCoreDM* dm = CoreDM())
        dm->Appearance().SetEditButtonStyle(lookAndFeel);
}

void CorePackageServices::Reconnect()
{
    TCoreDM* dm = CoreDM();
    if (!dm)
        return;
    dm->ADOConnection1().close();
    try {
        dm->ADOConnection1().open();
    } catch (const Exception&) {
        // The next statement reconnects or reports the failure itself.
    }
}

void CorePackageServices::DetachConnection()
{
    // Detaching closes the connection; one of the module's own stays open.
    TCoreDM* dm = CoreDM();
    if (dm && dm->ADOConnection1().isAttached())
        dm->ADOConnection1().detach();
}

} // namespace cv::data
