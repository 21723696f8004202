// A data record of the reference host: the data nodes written as one line of a data file, and the
// option array of its definition dialog.
#pragma once

#include <string>
#include <vector>

#include "framework/HostObjects.h"
#include "framework/OptionItem.h"

class JobDocument;

class HostRecord : public CRecord
{
  public:
    explicit HostRecord(JobDocument* doc);

    int GetFieldCount() override;
    CNodeBase* GetField(int index) override;
    int GetEORLinks(CWordArray& ids) override;
    BOOL HasField(CNodeBase* node) override;
    CVTR5Doc* GetDocument() override;
    JobDocument* GetJobDocument() const
    {
        return m_pDoc;
    }

    // The record dialog's array, every entry on this record. The dialog writes into it while open, so
    // each record keeps its own; stable for the record's lifetime.
    OPTIONITEM* GetOptions();

    // What a newer job file held for this object that this version does not know, as that file's text: kept as
    // given and written back on save. The model never reads it.
    std::string m_strExtra;

    // Option ids of the record dialog's pages.
    static constexpr int FIELDS = 2143;
    static constexpr int SEPARATORS = 2144;
    static constexpr int EOR_LINKS = 2142;
    static constexpr int COMMENT = 2124;

  private:
    JobDocument* m_pDoc;
    std::vector<OPTIONITEM> m_options;
};
