#include "host/jobfile/JobFileFields.h"

#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <tuple>

#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"

namespace
{

constexpr int kMaxPosition = 1000000; // far beyond any page, far from overflow when drawn
constexpr int kMaxId = 0x7FFFFFFF;

bool KindUses(int kind, const char* group)
{
    if (!std::strcmp(group, "screen"))
        return kind == NODE_SCREEN || kind == NODE_INPUT || kind == NODE_COUNT;
    if (!std::strcmp(group, "display") || !std::strcmp(group, "collect"))
        return kind == NODE_INPUT || kind == NODE_COUNT;
    if (!std::strcmp(group, "count"))
        return kind == NODE_COUNT;
    if (!std::strcmp(group, "comment"))
        return kind == NODE_COMMENT;
    return kind >= NODE_UPLOAD && kind <= NODE_RUNJOB; // "actions"
}

void SerializeFont(JobArchive& ar, LOGFONT& lf)
{
    ar.Number("height", lf.lfHeight);
    ar.Number("width", lf.lfWidth);
    ar.Number("escapement", lf.lfEscapement);
    ar.Number("orientation", lf.lfOrientation);
    ar.Number("weight", lf.lfWeight);
    ar.Number("italic", lf.lfItalic);
    ar.Number("underline", lf.lfUnderline);
    ar.Number("strikeOut", lf.lfStrikeOut);
    ar.Number("charSet", lf.lfCharSet);
    ar.Number("outPrecision", lf.lfOutPrecision);
    ar.Number("clipPrecision", lf.lfClipPrecision);
    ar.Number("quality", lf.lfQuality);
    ar.Number("pitchAndFamily", lf.lfPitchAndFamily);
    CString face(lf.lfFaceName, int(strnlen(lf.lfFaceName, LF_FACESIZE - 1)));
    ar.Text("faceName", face);
    if (ar.IsLoading())
    {
        if (face.GetLength() >= LF_FACESIZE)
            ar.Fail(ar.Where("faceName"), "a face name has at most " + std::to_string(LF_FACESIZE - 1) + " bytes");
        std::memset(lf.lfFaceName, 0, LF_FACESIZE);
        std::memcpy(lf.lfFaceName, face.c_str(), size_t(face.GetLength()));
    }
}

void SerializeSymbologies(JobArchive& ar, std::vector<Symbology>& list)
{
    // [[code, enabled], ...]: the option byte rides in the code's high byte.
    if (ar.IsBytes()) // no tree for the bytes: they are taken after every change
    {
        int count = int(list.size());
        ar.Int("count", count, 0, 256);
        list.resize(size_t(count));
        for (Symbology& s : list)
        {
            ar.Number("code", s.wData);
            ar.Bool("enabled", s.bEnabled);
        }
        return;
    }
    if (ar.IsStoring())
    {
        Json& out = ar.Put("symbologies") = Json::array();
        for (const Symbology& s : list)
            out.push_back(Json::array({s.wData, s.bEnabled}));
        return;
    }
    Json* in = ar.Find("symbologies", Json::value_t::array);
    if (!in)
        return;
    if (in->size() > 256)
        ar.Fail(ar.Where("symbologies"), "more than 256 symbologies");
    list.clear();
    for (size_t i = 0; i < in->size(); ++i)
    {
        const Json& e = (*in)[i];
        std::string where = ar.Where("symbologies", int(i));
        long long code = 0;
        if (!e.is_array() || e.size() != 2 || !e[1].is_boolean() || !ar.IntegerValue(e[0], code, where))
            ar.Fail(where, "must be [code, true or false]");
        if (code < 0 || code > 0xFFFF)
            ar.Fail(where, "a symbology code is 0 to 65535");
        list.push_back(Symbology{WORD(code), e[1].get<bool>()});
    }
}

void SerializeCollect(JobArchive& ar, HostNode& node)
{
    CollectSettings& c = node.m_collect;
    ar.Int("dataType", c.nDataType, DATA_INTEGER, DATA_STRING);
    ar.Bool("allowEmpty", c.bAllowEmpty);
    ar.Bool("fillTail", c.bFillTail);
    ar.Bool("sameAsLast", c.bSameAsLast);
    ar.Bool("timer", c.bTimer);
    ar.Int("timeFormat", c.nTimeFormat, TIME_DATE, TIME_DATETIME);
    ar.Int("dateType", c.nDateType, 0, int(DateTypeNames().size()) - 1);
    ar.Bool("scanner", c.bScanner);
    ar.Bool("autoTrigger", c.bAutoTrigger);
    ar.Bool("doubleScan", c.bDoubleScan);
    ar.Bool("scannerOff", c.bScannerOff);
    ar.Bool("mixKeypad", c.bMixKeypad);
    ar.Bool("keypad", c.bKeypad);
    ar.Bool("completeWithEnter", c.bCompleteWithEnter);
    ar.Bool("alphabet", c.bAlphabet);
    ar.Bool("digits", c.bDigits);
    ar.Bool("symbols", c.bSymbols);
    ar.Bool("fromFormula", c.bFromFormula);
    ar.Text("formula", c.strFormula);
    ar.Bool("fromLookupFile", c.bFromLookupFile);
    ar.Int("lookupNode", c.nLookupNodeID, 0, kMaxId);
    ar.Int("lookupFieldNo", c.nLookupFieldNo, 1, 255);
    ar.Text("defaultValue", c.strDefaultValue);
    ar.Bool("useDefault", c.bUseDefault);
    ar.Bool("verifyLength", c.bVerifyLength);
    ar.Bool("verifyPicture", c.bVerifyPicture);
    ar.Bool("verifyRange", c.bVerifyRange);
    ar.Bool("noBeep", c.bNoBeep);
    ar.Bool("noErrorSign", c.bNoErrorSign);
    ar.Bool("noReinput", c.bNoReinput);
    ar.Int("lengthFrom", c.nLengthFrom, 0, 9999);
    ar.Int("lengthTo", c.nLengthTo, 0, 9999);
    ar.Text("picture", c.strPicture);
    ar.Text("rangeFrom", c.strRangeFrom);
    ar.Text("rangeTo", c.strRangeTo);
    ar.Number("verifyFlags", node.m_dwVerifyFlags);
    ar.Text("verifyLookupFile", node.m_strVerifyLookupFile);
    ar.Int("verifyFieldNo", c.nVerifyFieldNo, 1, 255);
    ar.Int("verifyTotalFields", c.nVerifyTotalFields, 1, 255);
    ar.Int("fieldSeparator", c.nFieldSeparator, 0, 255);
    ar.Bool("fullKeyMatch", c.bFullKeyMatch);
    ar.Bool("searchFromCurrent", c.bSearchFromCurrent);
    ar.Bool("binarySearch", c.bBinarySearch);
    ar.Bool("verifyQualifier", c.bVerifyQualifier);
    ar.Text("qualifier", c.strQualifier);
    ar.Bool("setBarcode", c.bSetBarcode);
    SerializeSymbologies(ar, c.symbologies);
}

void SerializeOperation(JobArchive& ar, CountOperation& op)
{
    ar.Int("operator", op.nOperator, OP_NONE, OP_COUNT - 1);
    ar.Bool("withNode", op.bWithNode);
    ar.Text("constant", op.strConstant);
    ar.Int("dataNode", op.nDataNodeID, 0, kMaxId);
}

void SerializeCount(JobArchive& ar, CountSettings& c)
{
    ar.Bool("copyLast", c.bCopyLast);
    ar.Bool("setNewValue", c.bSetNewValue);
    ar.Int("valueSource", c.nValueSource, VALUE_CONSTANT, VALUE_FORMULA);
    ar.Text("constant", c.strConstant);
    ar.Int("dataNode", c.nDataNodeID, 0, kMaxId);
    ar.Text("formula", c.strFormula);
    ar.Bool("initByLinks", c.bInitByLinks);
    ar.Object("operation1", [&](JobArchive& sub) { SerializeOperation(sub, c.operations[0]); });
    ar.Object("operation2", [&](JobArchive& sub) { SerializeOperation(sub, c.operations[1]); });
}

void SerializeScreen(JobArchive& ar, HostNode& node)
{
    ar.Text("text", node.m_strScreenText);
    ar.Bool("noClearOnExit", node.m_bNoClearOnExit);
    ar.Bool("noClearBeforeDisplay", node.m_bNoClearBeforeDisplay);
    ar.Bool("hideCursor", node.m_bHideCursor);
}

void SerializeDisplay(JobArchive& ar, HostNode::DisplayPosition& p)
{
    ar.Bool("printDirect", p.bPrintDirect);
    ar.Bool("clearToEnd", p.bClearToEnd);
    ar.Int("promptRow", p.nPromptRow, 0, 255);
    ar.Int("promptColumn", p.nPromptColumn, 0, 255);
    ar.Text("positionMark", p.strPositionMark);
    ar.Bool("inputAtLocation", p.bInputAtLocation);
    ar.Int("inputRow", p.nInputRow, 0, 255);
    ar.Int("inputColumn", p.nInputColumn, 0, 255);
    ar.Bool("noPositionMark", p.bNoPositionMark);
    ar.Bool("asPassword", p.bAsPassword);
    ar.Bool("noDisplay", p.bNoDisplay);
}

void SerializeComment(JobArchive& ar, HostNode& node)
{
    ar.Object("font", [&](JobArchive& sub) { SerializeFont(sub, node.m_lfFont); });
    ar.Bool("useDefaultFont", node.m_bUseDefaultFont);
    ar.Colour("textColour", node.m_crText);
    ar.Colour("backColour", node.m_crBack);
    ar.Int("referenceNode", node.m_nReferenceNode, 0, kMaxId);
}

void SerializeActions(JobArchive& ar, NodeActions& a)
{
    ar.Int("record", a.m_nRecordID, 0, kMaxId);
    ar.Text("dataFile", a.m_strDataFile);
    ar.Bool("uploadAll", a.m_bUploadAll);
    ar.Bool("sendCtrlZ", a.m_bSendCtrlZ);
    ar.Int("baudRate", a.m_nBaudRate, 1, 10000000);
    ar.Text("protocol", a.m_strProtocol);
    ar.Bool("deleteWholeFile", a.m_bDeleteWholeFile);
    ar.Bool("browseFromLast", a.m_bBrowseFromLast);
    ar.Int("fieldSeparator", a.m_nFieldSeparator, 0, 255);
    ar.Text("program", a.m_strProgram);
    ar.Text("jobFile", a.m_strJobFile);
    ar.Text("startNode", a.m_strStartNode);
}

// The page groups of a node. Storing, a group is written when the node's kind has its pages or when it holds
// anything but a new node's values; `defaults` (a new node of the kind, stored whole) tells which, or is null
// to write every group.
using GroupVisit = void (*)(JobArchive&, HostNode&);
const std::pair<const char*, GroupVisit> kGroups[] = {
    {"screen", [](JobArchive& ar, HostNode& node) { SerializeScreen(ar, node); }},
    {"display", [](JobArchive& ar, HostNode& node) { SerializeDisplay(ar, node.m_position); }},
    {"collect", [](JobArchive& ar, HostNode& node) { SerializeCollect(ar, node); }},
    {"count", [](JobArchive& ar, HostNode& node) { SerializeCount(ar, node.m_count); }},
    {"comment", [](JobArchive& ar, HostNode& node) { SerializeComment(ar, node); }},
    {"actions", [](JobArchive& ar, HostNode& node) { SerializeActions(ar, node); }},
};

// A new node's group as text at `depth`: what a node's group is compared with when its kind has no pages for it.
const std::string& DefaultGroupText(int kind, size_t group, int depth)
{
    static std::mutex lock;
    static std::map<std::tuple<int, size_t, int>, std::string> texts;
    std::lock_guard<std::mutex> hold(lock);
    auto [it, added] = texts.try_emplace({kind, group, depth});
    if (added)
    {
        HostNode fresh(nullptr, 0, kind, "");
        JobArchive ar(it->second, depth, 1252);
        kGroups[group].second(ar, fresh);
        ar.Finish();
    }
    return it->second;
}

// The page groups of a node. Storing, a group is written when the node's kind has its pages or when it holds
// anything but a new node's values; `defaults` (a new node of the kind, stored whole) tells which, or is null
// to write every group.
void SerializeGroups(JobArchive& ar, HostNode& node, const Json* defaults)
{
    for (size_t g = 0; g < std::size(kGroups); ++g)
    {
        const char* key = kGroups[g].first;
        auto visit = [&](JobArchive& sub) { kGroups[g].second(sub, node); };
        if (ar.IsText())
        {
            size_t mark = ar.Mark();
            int members = ar.Members();
            ar.Object(key, visit);
            if (defaults && !KindUses(node.m_nKind, key) &&
                ar.LastValue() == DefaultGroupText(node.m_nKind, g, ar.Depth() + 1))
                ar.Rewind(mark, members);
            continue;
        }
        ar.Object(key, visit);
        if (ar.IsStoring() && !ar.IsBytes() && defaults && !KindUses(node.m_nKind, key))
        {
            auto fresh = defaults->find(key);
            if (fresh != defaults->end() && *fresh == ar.Put(key))
                ar.Erase(key);
        }
    }
}

void SerializeNodeFields(JobArchive& ar, HostNode& node, const Json* defaults)
{
    if (ar.IsBytes())
    {
        ar.Number("x", node.m_ptPosition.x);
        ar.Number("y", node.m_ptPosition.y);
    }
    else if (ar.IsStoring())
        ar.Put("position") = Json::array({node.m_ptPosition.x, node.m_ptPosition.y});
    else if (Json* pos = ar.Find("position", Json::value_t::array))
    {
        std::string where = ar.Where("position");
        long long xy[2] = {0, 0};
        if (pos->size() != 2 || !ar.IntegerValue((*pos)[0], xy[0], where) || !ar.IntegerValue((*pos)[1], xy[1], where))
            ar.Fail(where, "must be [x, y]");
        for (long long& v : xy)
            if (v < -kMaxPosition || v > kMaxPosition)
                v = 0;
        node.m_ptPosition = CPoint(int(xy[0]), int(xy[1]));
    }
    ar.Text("description", node.m_strDescription);
    ar.Colour("colour", node.m_crColour);
    ar.Bool("globalAccess", node.m_bGlobalAccess);
    ar.Bool("excludeFromMakeJob", node.m_bExcludeFromMakeJob);
    ar.Text("notes", node.m_strComment);
    ar.Int("hotKey", node.m_nHotKey, 0, 0xFFFF);
    SerializeGroups(ar, node, defaults);
}

// Each kind's new node, stored whole: what SerializeNode leaves out when a node still holds it.
const Json& NodeDefaults(int kind)
{
    static const std::map<int, Json> defaults = [] {
        std::map<int, Json> all;
        for (int k : NODE_KIND_SLOTS)
        {
            HostNode fresh(nullptr, 0, k, "");
            Json& obj = all[k] = Json::object();
            JobArchive ar(obj, true, 1252, "");
            SerializeNodeFields(ar, fresh, nullptr);
        }
        return all;
    }();
    return defaults.at(kind);
}

void SerializeKeymap(JobArchive& ar, KEYMAP_KEY* keymap)
{
    // [[keyId, "name", code], ...] from the first entry to the last that is not all zero.
    auto empty = [](const KEYMAP_KEY& k) { return !k.wKeyID && !k.szKeyName[0] && !k.byKeyCode; };
    if (ar.IsStoring())
    {
        int count = KEYMAP_SIZE;
        while (count > 0 && empty(keymap[count - 1]))
            --count;
        Json& out = ar.Put("keymap") = Json::array();
        for (int i = 0; i < count; ++i)
        {
            const KEYMAP_KEY& k = keymap[i];
            // The fifth byte is the terminator's place: an entry without one shows four characters.
            CString name(k.szKeyName, int(strnlen(k.szKeyName, sizeof k.szKeyName - 1)));
            out.push_back(Json::array({k.wKeyID, ar.EncodeText(name), k.byKeyCode}));
        }
        return;
    }
    Json* in = ar.Find("keymap", Json::value_t::array);
    if (!in)
        return;
    if (in->size() > size_t(KEYMAP_SIZE))
        ar.Fail(ar.Where("keymap"), "a keymap has at most " + std::to_string(KEYMAP_SIZE) + " entries");
    KEYMAP_KEY read[KEYMAP_SIZE] = {};
    for (size_t i = 0; i < in->size(); ++i)
    {
        const Json& e = (*in)[i];
        std::string where = ar.Where("keymap", int(i));
        long long id = 0, code = 0;
        if (!e.is_array() || e.size() != 3 || !ar.IntegerValue(e[0], id, where) || !ar.IntegerValue(e[2], code, where))
            ar.Fail(where, "must be [key id, \"name\", code]");
        if (id < 0 || id > 0xFFFF || code < 0 || code > 0xFF)
            ar.Fail(where, "a key id is 0 to 65535 and a code 0 to 255");
        CString name = ar.DecodeText(e[1], where);
        if (name.GetLength() > int(sizeof read[i].szKeyName) - 1)
            ar.Fail(where, "a key name has at most 4 characters");
        read[i].wKeyID = WORD(id);
        std::memcpy(read[i].szKeyName, name.c_str(), size_t(name.GetLength()));
        read[i].byKeyCode = BYTE(code);
    }
    std::memcpy(keymap, read, sizeof read);
}

void SerializeSettings(JobArchive& ar, JobSettings& s, COLORREF& screenBackground)
{
    static const char* const kColours[JC_COUNT] = {
        "comment", "menu", "collect",  "math",      "edit",         "erase",        "upload",   "program",
        "runJob",  "link", "nodeText", "startNode", "selectedNode", "selectedLink", "excluded", "screen",
    };
    ar.Bool("noEscTerminate", s.bNoEscTerminate);
    ar.Bool("jobEngineLog", s.bJobEngineLog);
    CString address(s.chAddress);
    ar.Text("address", address);
    if (ar.IsLoading())
    {
        char c = address.GetLength() == 1 ? address[0] : 0;
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '6'))
            s.chAddress = c;
    }
    ar.Int("nodeHeight", s.nNodeHeight, 10, 1000);
    ar.Int("nodeWidth", s.nNodeWidth, 10, 1000);
    ar.Int("pageHeight", s.nPageHeight, 100, 100000);
    ar.Int("pageWidth", s.nPageWidth, 100, 100000);
    ar.Object("colours", [&](JobArchive& sub) {
        for (int i = 0; i < JC_SCREEN; ++i)
            sub.Colour(kColours[i], s.crColours[i]);
        sub.Colour(kColours[JC_SCREEN], screenBackground);
        if (sub.IsLoading())
            s.crColours[JC_SCREEN] = screenBackground;
    });
    ar.Bool("skipSearchTable", s.bSkipSearchTable);
    ar.Bool("skipFont", s.bSkipFont);
    ar.Bool("noLookupDownload", s.bNoLookupDownload);
    ar.Bool("skipJobNameFile", s.bSkipJobNameFile);
    ar.Bool("noAutoDownload", s.bNoAutoDownload);
    ar.Bool("fastSpeed", s.bFastSpeed);
    ar.Bool("version4Job", s.bVersion4Job);
    ar.Bool("largeWindow", s.bLargeWindow);
}

void SerializeLanguage(JobArchive& ar, int& language, JobLanguageSettings& s)
{
    static const char* const kFonts[FF_COUNT] = {"index", "nodeName", "program", "screen", "comment"};
    using S = JobLanguageSettings;
    static const std::pair<const char*, CString S::*> kPrompts[] = {
        {"confirmExit", &S::strConfirmExit},
        {"done", &S::strDone},
        {"abort", &S::strAbort},
        {"writeRecordError", &S::strWriteRecordError},
        {"writeFileError", &S::strWriteFileError},
        {"readFileError", &S::strReadFileError},
        {"openFileError", &S::strOpenFileError},
        {"fileNotFound", &S::strFileNotFound},
        {"eraseAll", &S::strEraseAll},
        {"eraseLast", &S::strEraseLast},
        {"browse", &S::strBrowse},
        {"data", &S::strData},
        {"edit", &S::strEdit},
        {"found", &S::strFound},
        {"modifyField", &S::strModifyField},
        {"noData", &S::strNoData},
        {"notFound", &S::strNotFound},
        {"search", &S::strSearch},
        {"searchNext", &S::strSearchNext},
        {"wait", &S::strWait},
        {"noRecord", &S::strNoRecord},
        {"sendData", &S::strSendData},
        {"total", &S::strTotal},
    };
    ar.Int("code", language, 0, 7);
    ar.Text("fontFile", s.strFontFile);
    ar.Bool("shareFont", s.bShareFont);
    ar.Text("dbFontFace", s.strDBFontFace);
    ar.Text("dbFontStyle", s.strDBFontStyle);
    ar.Int("dbFontSize", s.nDBFontSize, 1, 200);
    ar.Int("dbFontCode", s.nDBFontCode, 0, 2);
    ar.Int("dbFontOffsetX", s.nDBFontOffsetX, -100, 100);
    ar.Int("dbFontOffsetY", s.nDBFontOffsetY, -100, 100);
    ar.Object("flowchartFonts", [&](JobArchive& fonts) {
        for (int i = 0; i < FF_COUNT; ++i)
            fonts.Object(kFonts[i], [&](JobArchive& font) {
                font.Text("face", s.fonts[i].strFace);
                font.Int("size", s.fonts[i].nSize, 0, 200);
            });
    });
    ar.Object("prompts", [&](JobArchive& prompts) {
        for (const auto& [key, field] : kPrompts)
            prompts.Text(key, s.*field);
    });
}

void SerializeView(JobArchive& ar, CVTR5Doc& doc)
{
    ar.Int("lastOption", doc.m_nLastOptionID, 0, kMaxId);
    ar.Int("lastOptionSub", doc.m_nLastOptionSub, 0, kMaxId);
    ar.Int("lastGlobalJobOption", doc.m_nLastGlobalJobOption, 0, kMaxId);
    ar.Int("lastJobOption", doc.m_nLastJobOption, 0, kMaxId);
    ar.Int("lastPortableOption", doc.m_nLastPortableOption, 0, kMaxId);
    // One entry per kind, in the order of NODE_KIND_SLOTS.
    if (ar.IsStoring())
        ar.Put("lastNodeOption") = doc.m_nLastNodeOption;
    else if (Json* last = ar.Find("lastNodeOption", Json::value_t::array))
    {
        std::string where = ar.Where("lastNodeOption");
        if (last->size() != size_t(NODE_KIND_COUNT))
            ar.Fail(where, "must list " + std::to_string(NODE_KIND_COUNT) + " entries");
        for (int i = 0; i < NODE_KIND_COUNT; ++i)
        {
            long long n = 0;
            ar.IntegerValue((*last)[size_t(i)], n, where);
            doc.m_nLastNodeOption[i] = n >= 0 && n <= kMaxId ? int(n) : 0;
        }
    }
    ar.Object("expanded", [&](JobArchive& sub) {
        sub.Number("screen", doc.m_bExpandScreen);
        sub.Number("input", doc.m_bExpandInput);
        sub.Number("verify", doc.m_bExpandVerify);
        sub.Number("countInitial", doc.m_bExpandCountInitial);
        sub.Number("countOp1", doc.m_bExpandCountOp1);
        sub.Number("countOp2", doc.m_bExpandCountOp2);
        sub.Number("linkIn", doc.m_bExpandLinkIn);
        sub.Number("linkOut", doc.m_bExpandLinkOut);
    });
}

} // namespace

void SerializeNode(JobArchive& ar, HostNode& node)
{
    SerializeNodeFields(ar, node, ar.IsStoring() && !ar.IsBytes() ? &NodeDefaults(node.m_nKind) : nullptr);
}

void SerializeLink(JobArchive& ar, HostLink& link)
{
    ar.Int("condition", link.m_nCondition, LINK_NO_CONDITION, LINK_EXPRESSION);
    ar.Text("key", link.m_strKey);
    ar.Text("inputData", link.m_strInputData);
    ar.Int("verifyResult", link.m_nVerifyResult, VERIFY_PASS_ALWAYS, VERIFY_FAIL);
    ar.Text("expression", link.m_strExpression);
    ar.Bool("eor", link.m_bEOR);
    ar.Int("record", link.m_nRecordID, 0, kMaxId);
    ar.Bool("init", link.m_bINIT);
    ar.Bool("rrli", link.m_bRRLI);
    ar.Bool("alarm", link.m_bAlarm);
    ar.Bool("excludeFromMakeJob", link.m_bExcludeFromMakeJob);
}

void SerializeRecord(JobArchive& ar, HostRecord& record)
{
    ar.Text("name", record.m_strName);
    ar.Text("dataFile", record.m_strDataFile);
    ar.Text("comment", record.m_strComment);
    ar.Int("fieldSeparator", record.m_nFieldSeparator, 0, 255);
    ar.Int("recordTerminator", record.m_nRecordTerminator, 0, 255);
    ar.Text("preamble", record.m_strPreamble);
    ar.Text("postamble", record.m_strPostamble);
    ar.Bool("disableEOREnforcement", record.m_bDisableEOREnforcement);
    // The node ids of the fields, in order. A field's node may be gone: the record shows it as such.
    if (ar.IsStoring())
    {
        Json& out = ar.Put("fields") = Json::array();
        for (int i = 0; i < record.m_arrFields.GetSize(); ++i)
            out.push_back(record.m_arrFields[i]);
    }
    else if (Json* in = ar.Find("fields", Json::value_t::array))
    {
        record.m_arrFields.RemoveAll();
        for (size_t i = 0; i < in->size(); ++i)
        {
            std::string where = ar.Where("fields", int(i));
            long long id = 0;
            ar.IntegerValue((*in)[i], id, where);
            if (id < 1 || id > 0xFFFF)
                ar.Fail(where, "a field is a node id from 1 to 65535");
            record.m_arrFields.Add(WORD(id));
        }
    }
}

void SerializeTerminal(JobArchive& ar, HostTerminal& terminal)
{
    ar.Text("model", terminal.m_strModel);
    ar.Int("fontSize", terminal.m_nFontSize, SCREEN_FONT_SMALL, SCREEN_FONT_LARGE);
    ar.Int("scannerType", terminal.m_nScannerType, SCANNER_AUTO, SCANNER_PEN);
    ar.Int("buzzerVolume", terminal.m_nBuzzerVolume, BUZZER_HIGH, BUZZER_OFF);
    ar.Bool("useMyKeymap", terminal.m_bUseMyKeymap);
    SerializeKeymap(ar, terminal.m_keymap);
}

void SerializeJob(JobArchive& ar, JobDocument& doc)
{
    ar.Object("language", [&](JobArchive& sub) { SerializeLanguage(sub, doc.m_nLanguage, doc.m_language); });
    ar.Object("settings", [&](JobArchive& sub) { SerializeSettings(sub, doc.m_settings, doc.m_crScreenBackground); });
    ar.Object("view", [&](JobArchive& sub) {
        SerializeView(sub, doc);
        // In a file only when it is not 100%, so the files of jobs never zoomed stay as they were.
        if (sub.IsLoading() || sub.IsBytes() || doc.m_nZoom != 100)
            sub.Int("zoom", doc.m_nZoom, 10, 400);
    });
}

int JobCodePage(const JobDocument& doc) { return doc.GetCodePage(); }
