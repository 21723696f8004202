#include "host/model/SampleJob.h"

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "resources/resource.h"
#include "support/Support.h"

namespace
{

// A stock-count branch of the menu and the two records the job writes.
void AddRecordsAndActions(JobDocument& doc, HostNode* menu, HostNode* scan, HostNode* pack, HostNode* count,
                          HostNode* upload, HostLink* countDone)
{
    HostNode* location = doc.AddNode(NODE_INPUT, "Location");
    HostNode* quantity = doc.AddNode(NODE_INPUT, "Quantity");
    HostNode* review = doc.AddNode(NODE_EDIT, "Review Counts");
    HostNode* clear = doc.AddNode(NODE_ERASE, "Clear Counts");
    HostNode* totals = doc.AddNode(NODE_PROGRAM, "Totals");
    totals->m_strProgram = "TOTAL = 0\r\nFOR I = 1 TO COUNT\r\n\tTOTAL = TOTAL + QTY(I)\r\nNEXT I";
    HostNode* receiving = doc.AddNode(NODE_RUNJOB, "Receiving");
    receiving->m_strJobFile = "Receive.pdtjob"; // ships beside this job
    receiving->m_strStartNode = "Receive";
    location->m_strScreenText = "Location:";
    quantity->m_strScreenText = "Qty, F2 review:";

    HostRecord* inventory = doc.GetRecordAt(0);
    inventory->m_arrFields.Add(WORD(scan->m_nID));
    inventory->m_arrFields.Add(WORD(count->m_nID));
    inventory->m_strComment = "One line per scanned item.";
    doc.m_nDefaultRecord = inventory->m_nID;
    countDone->m_bEOR = TRUE;
    countDone->m_nRecordID = inventory->m_nID;
    upload->m_nRecordID = inventory->m_nID;
    upload->m_strDataFile = inventory->m_strDataFile;

    HostRecord* stock = doc.AddRecord("Stock Count", "C:\\Jobs\\STOCK.TXT");
    stock->m_arrFields.Add(WORD(location->m_nID));
    stock->m_arrFields.Add(WORD(quantity->m_nID));
    stock->m_nFieldSeparator = 9;
    stock->m_nRecordTerminator = TERMINATOR_CRLF;
    stock->m_strPreamble = "STK";
    clear->m_nRecordID = stock->m_nID;
    clear->m_strDataFile = stock->m_strDataFile;
    review->m_nRecordID = stock->m_nID;
    review->m_strDataFile = stock->m_strDataFile;

    HostLink* toLocation = doc.AddLink(menu->m_nID, location->m_nID);
    toLocation->m_nCondition = LINK_KEY;
    toLocation->m_strKey = "F4";
    doc.AddLink(location->m_nID, quantity->m_nID);
    for (HostNode* next : {location, review})
    {
        HostLink* written = doc.AddLink(quantity->m_nID, next->m_nID);
        written->m_nCondition = LINK_KEY;
        written->m_strKey = next == location ? "ENTER" : "F2";
        written->m_bEOR = TRUE;
        written->m_nRecordID = stock->m_nID;
    }
    doc.AddLink(review->m_nID, clear->m_nID);
    doc.AddLink(clear->m_nID, totals->m_nID);
    doc.AddLink(totals->m_nID, receiving->m_nID);

    // The menu's other choices, and the way from the pack size to the count.
    HostLink* toUpload = doc.AddLink(menu->m_nID, upload->m_nID);
    toUpload->m_nCondition = LINK_KEY;
    toUpload->m_strKey = "F2";
    HostNode* exit = doc.AddNode(NODE_SCREEN, "Exit");
    exit->m_strScreenText = "Goodbye.\r\n\r\nAny key ends the job.";
    exit->m_ptPosition = CPoint(700, 40);
    HostLink* toExit = doc.AddLink(menu->m_nID, exit->m_nID);
    toExit->m_nCondition = LINK_KEY;
    toExit->m_strKey = "F3";
    doc.AddLink(pack->m_nID, count->m_nID);

    location->m_ptPosition = CPoint(520, 170);
    quantity->m_ptPosition = CPoint(520, 300);
    review->m_ptPosition = CPoint(700, 300);
    clear->m_ptPosition = CPoint(700, 430);
    totals->m_ptPosition = CPoint(700, 560);
    receiving->m_ptPosition = CPoint(520, 560);
}

} // namespace

std::unique_ptr<JobDocument> MakeSampleJob()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "C:\\Jobs\\Warehouse.job";
    doc->AddRecord("Inventory", "C:\\Jobs\\INVENT.DAT");

    HostNode* start = doc->AddNode(NODE_SCREEN, "Main Menu");
    start->m_strScreenText = "  WAREHOUSE\r\n\r\nF1 Scan items\r\nF2 Upload\r\nF3 Exit\r\nF4 Stock count";
    doc->SetStartNode(start);
    HostNode* scan = doc->AddNode(NODE_INPUT, "Scan Item");
    scan->m_strScreenText = "Item code:";
    scan->m_strComment = "Scans the item's barcode.\r\nA wrong length is refused by the terminal.";
    scan->m_collect.bVerifyLength = true;
    scan->m_collect.nLengthFrom = 6;
    scan->m_collect.nLengthTo = 13;
    scan->m_dwVerifyFlags = VERIFY_LOOKUPFILE;
    scan->m_strVerifyLookupFile = "C:\\Jobs\\ITEMS.DAT";
    scan->m_collect.bSetBarcode = true;
    for (Symbology &s : scan->m_collect.symbologies)
        s.bEnabled = s.wData == 1 || s.wData == 19 || s.wData == 20; // Code 39, UPC-A, EAN-13
    // The item's pack size is the third field of its line in ITEMS.DAT: "code,name,pack".
    HostNode* pack = doc->AddNode(NODE_INPUT, "Pack Size");
    pack->m_collect.nDataType = DATA_INTEGER;
    pack->m_collect.bFromLookupFile = true;
    pack->m_collect.nLookupNodeID = scan->m_nID;
    pack->m_collect.nLookupFieldNo = 3;
    HostNode* count = doc->AddNode(NODE_COUNT, "Count Items");
    count->m_count.operations[0] = CountOperation{OP_ADD, true, "1", pack->m_nID}; // counts units, not scans
    count->m_count.operations[1] = CountOperation{OP_NONE};
    HostNode* upload = doc->AddNode(NODE_UPLOAD, "Upload");
    HostNode* note = doc->AddNode(NODE_COMMENT, "Note");
    note->m_nReferenceNode = scan->m_nID;

    HostLink* toScan = doc->AddLink(start->m_nID, scan->m_nID);
    toScan->m_nCondition = LINK_KEY;
    toScan->m_strKey = "F1";
    doc->AddLink(scan->m_nID, pack->m_nID)->m_nCondition = LINK_VERIFY;
    HostLink* again = doc->AddLink(count->m_nID, scan->m_nID);
    again->m_nCondition = LINK_EXPRESSION;
    again->m_strExpression = "COUNT < 10";
    // Each item scanned is a line of INVENT.DAT; ten units and more end the round with the upload.
    again->m_bEOR = TRUE;
    HostLink* done = doc->AddLink(count->m_nID, upload->m_nID);
    doc->AddLink(upload->m_nID, start->m_nID);
    doc->AddLink(scan->m_nID, scan->m_nID); // retry on the same node
    // The menu on top, the scan loop below it on the left, the stock count on the right.
    start->m_ptPosition = CPoint(340, 40);
    scan->m_ptPosition = CPoint(160, 170);
    note->m_ptPosition = CPoint(20, 90);
    pack->m_ptPosition = CPoint(340, 300);
    count->m_ptPosition = CPoint(160, 300);
    upload->m_ptPosition = CPoint(160, 430);
    AddRecordsAndActions(*doc, start, scan, pack, count, upload, done);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

std::unique_ptr<JobDocument> MakeReceiveJob()
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "C:\\Jobs\\Receive.job";
    HostNode* start = doc->AddNode(NODE_SCREEN, "Receive");
    start->m_strScreenText = "  RECEIVING\r\n\r\nNothing is due.\r\n\r\nAny key: menu";
    doc->SetStartNode(start);
    HostNode* back = doc->AddNode(NODE_RUNJOB, "Back To Menu");
    back->m_strJobFile = "sample.pdtjob";
    back->m_strStartNode = "Main Menu";
    doc->AddLink(start->m_nID, back->m_nID);
    start->m_ptPosition = CPoint(160, 40);
    back->m_ptPosition = CPoint(160, 170);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

std::unique_ptr<JobDocument> MakeBusyJob(int links)
{
    auto doc = std::make_unique<JobDocument>();
    doc->m_strPathName = "C:\\Jobs\\Busy.job";
    HostNode* hub = doc->AddNode(NODE_INPUT, "Hub");
    for (int i = 0; i < links; ++i)
    {
        CString name;
        name.Format("Node %03d", i);
        HostNode* other = doc->AddNode(NODE_SCREEN, name);
        if (i % 2)
            doc->AddLink(hub->m_nID, other->m_nID);
        else
            doc->AddLink(other->m_nID, hub->m_nID);
    }
    doc->SetModifiedFlag(FALSE);
    return doc;
}
