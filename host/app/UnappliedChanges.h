// What the node dialog beside the flowchart holds and has not applied, and the question asked before it would be
// lost: Apply, Discard, or stay.
#pragma once

#include "platform/afxwin.h"

class CDlgDefineNode;
class JobDocument;

// Whether Apply would still store something: a value one of the dialog's pages refuses, or one that would change
// the job. Nothing is shown to the person and the job is left exactly as it was.
bool NodeDialogHoldsChanges(CDlgDefineNode& dlg, JobDocument& doc);

enum class UnappliedAnswer
{
    Apply,
    Discard,
    Stay,
};
// Asks, over `parent`, what becomes of the node's changes.
UnappliedAnswer AskAboutUnappliedChanges(CWnd* parent, const CString& nodeLabel);
