// The object the host talks to: checks at construction that it runs inside
// the right host, starts the facade, and turns the host's numeric Execute
// codes into calls of its own virtual operations.
#pragma once

#include "platform/abi/ComObject.h"

#include <corvelian/Interfaces.h>

#include <QString>

namespace cv::shell {

class TCVExtentionAdapter : public ComObject<corvelian::ICVExtention> {
public:
    // Two-phase construction: C++ constructors do not dispatch virtual calls
    // to subclasses, so the checks and Initialize run in Construct(), which
    // Create() calls. Construction never throws.
    template <class T, class... Args> static T* Create(Args&&... args)
    {
        T* object = new T(std::forward<Args>(args)...);
        object->Construct();
        return object;
    }

    // ICVExtention
    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetModuleHandle(corvelian::CvHandle* handle) override;
    corvelian::CvStatus CV_CALL GetInitialized(corvelian::CvWordBool* initialized) override;
    corvelian::CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param,
                                        corvelian::CvBStr* text, std::int32_t* result) override;
    corvelian::CvStatus CV_CALL CreateObject(corvelian::ICVUnknown** destination,
                                             std::int32_t flags, const char16_t* name,
                                             std::int32_t* result) override;
    std::uint32_t CV_CALL Release() override;

    int SetError(int code, const QString& text);

    const QString& PackageName() const { return m_packageName; }
    const QString& LastError() const { return m_lastError; }
    double Version() const { return m_version; }
    bool Initialized() const { return m_initialized; }
    int FormMode() const { return m_formMode; }
    int PackageId() const { return m_packageId; }

protected:
    TCVExtentionAdapter(const QString& packageName, int packageId, const QString& expectedHostName);
    ~TCVExtentionAdapter() override = default;

    void Construct();
    // Runs once when the last reference goes, before the object is deleted.
    void Destruct();

    virtual void Initialize();
    virtual void Finalize() {}
    virtual bool CheckHostVersion() { return true; }
    virtual void ApplySettings(int& result, int kind);
    virtual void ExecuteCommand(int& result, int code, int param, QString& text);
    virtual void CreateObjectByName(int& result, corvelian::ICVUnknown** destination, int flags,
                                    const QString& name);
    virtual void GetFormList(int& result, QString& text);
    virtual void GetOpenFormList(int& result, QString& text);
    virtual void ExecuteDefault(int& result, int param, QString& text);
    virtual void OpenCommand(int& result, int code, int param, QString& text);
    virtual void HandleCode5(int& result);
    virtual void QueryClose(int& result);
    virtual void HandleCode8(int& result);

    void SetVersion(double version) { m_version = version; }

private:
    void CheckHost();

    QString m_packageName;
    QString m_lastError;
    double m_version = 1.0;
    bool m_initialized = false;
    int m_formMode = 0;
    int m_packageId = 0;
    QString m_expectedHostName;
};

} // namespace cv::shell
