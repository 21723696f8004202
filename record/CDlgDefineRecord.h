// The definition dialog of a data record. Unlike the other definition dialogs it moves the record's
// values to and from its pages itself.
#pragma once

#include "framework/Export.h"

#include "framework/CDlgDefine.h"

class PDTDLG_API CDlgDefineRecord : public CDlgDefine
{
  public:
    // Every entry's pObject is the record; the document is taken from the first entry's record.
    explicit CDlgDefineRecord(OPTIONITEM* pOptions, CWnd* pParent = nullptr);

    OPTIONITEM* m_pInitialOption = nullptr; // entry to open on; the host may set it before running

    BOOL InitialData() override;
    BOOL SaveData() override;
    void SaveSettingUI() override;
    void DeleteOption(OPTIONITEM* pOption) override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange*) override
    {
    }
};
