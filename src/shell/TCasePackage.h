// The module's extension object: the registry of commands (each opens one
// form class), the command and open-form lists for the host, opening a
// command's form in the mode the host asks for, settings changes, and
// closing every module form when the host releases the module.
#pragma once

#include "ModuleForm.h"
#include "PackageServices.h"
#include "TCVExtentionAdapter.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace cv::shell {

struct TDllRegFormClass {
    int Id = 0; // 65535 marks a separator
    FormClass Form;
    QString Caption;
    bool Listed = false;
    QString ItemText;
    int Tag = 0;
};

class TCasePackage : public TCVExtentionAdapter {
public:
    static constexpr int kSeparatorId = 65535;

    void RegisterForm(std::uint16_t id, const FormClass& formClass, const QString& caption,
                      bool listed, const QString& itemText);
    TDllRegFormClass* SetRegistrationTag(int id, int value);
    TDllRegFormClass* FindRegistration(int id);
    const FormClass* GetFormClass(int id);
    QWidget* FindOpenForm(const QString& className) const;
    void RemoveOpenForm(QWidget* form);
    int AddOpenForm(QWidget* form);
    const std::vector<QPointer<QWidget>>& OpenForms() const { return m_openForms; }

    int ShowForm(QWidget* form, int mode, QString& text);
    void ApplyFont(QWidget* form);
    void ApplyImeName(QWidget* form);

protected:
    friend class TCVExtentionAdapter;
    TCasePackage(const QString& packageName, int packageId, const QString& expectedHostName,
                 std::shared_ptr<PackageServices> services);
    ~TCasePackage() override;

    void Initialize() override;
    void Finalize() override;
    void ApplySettings(int& result, int kind) override;
    void GetFormList(int& result, QString& text) override;
    void GetOpenFormList(int& result, QString& text) override;
    void OpenCommand(int& result, int code, int param, QString& text) override;

    virtual int HandleCommand(int code, int param, QString& text);
    virtual void ExtendFormList(corvelian::ICVXMLDocument* document, corvelian::TCVXMLNode* root);

private:
    void ApplySetting(int kind);
    void ConnectDataModule();
    QString StillExistingForms() const;

    std::vector<QPointer<QWidget>> m_openForms;
    std::vector<TDllRegFormClass> m_registrations;
    std::shared_ptr<PackageServices> m_services;
};

// The most recently created package (null before CreateInstance or after it
// was destroyed); forms report their destruction to it.
TCasePackage* CasePackage();
void SetCasePackage(TCasePackage* package);

} // namespace cv::shell
